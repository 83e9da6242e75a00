#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <unordered_set>

#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/rpc_agent_dn.h"
#include "dedavuz_api/snmp_agent_dn.h"

namespace {

template <typename Name>
std::string printed(const Name& dn) {
  std::ostringstream out;
  out << dn;
  return out.str();
}

struct ParseCase {
  std::string text;
  const char* printed;
};

template <typename Name>
void expect_parses(const std::initializer_list<ParseCase>& table) {
  for (const ParseCase& row : table) {
    EXPECT_EQ(printed(Name(row.text)), row.printed) << row.text.substr(0, 100);
  }
}

struct SlashCase {
  const char* system;
  const char* unique;
  const char* slash;
};

// Each slash form, parsed, renders as the same text again.
template <typename Name>
void expect_slash_forms(const std::initializer_list<SlashCase>& table) {
  for (const SlashCase& row : table) {
    const Name dn(row.system, row.unique);
    EXPECT_EQ(dn.slash_form(), row.slash) << dn;
    EXPECT_EQ(Name(std::string(row.slash)).slash_form(), row.slash);
  }
}

template <typename Name>
class AgentDnTest : public ::testing::Test {};

using AgentNames = ::testing::Types<VQCmipAgentDn, VQSnmpAgentDn, VQRpcAgentDn>;
TYPED_TEST_SUITE(AgentDnTest, AgentNames);

TYPED_TEST(AgentDnTest, NullValueEqualityOrderAndHash) {
  TypeParam dn;
  EXPECT_TRUE(dn.is_null());
  EXPECT_EQ(printed(dn), "NULL");
  EXPECT_FALSE(TypeParam("", "a").is_null());
  EXPECT_FALSE(TypeParam("h", "").is_null());
  dn = TypeParam("h", "a");
  EXPECT_EQ(printed(dn), "h:a");
  dn.make_null();
  EXPECT_EQ(dn, TypeParam());

  const TypeParam a("alpha", "x"), b("beta", "a"), c("alpha", "y");
  EXPECT_NE(a, c);
  EXPECT_EQ(a, TypeParam("alpha", "x"));
  EXPECT_TRUE(a < c && c < b && !(a < a));
  EXPECT_EQ((std::set<TypeParam>{b, c, a, a}).size(), 3u);
  EXPECT_EQ((std::unordered_set<TypeParam>{a, b, c, a}).size(), 3u);
  EXPECT_NE(TypeParam("ab", "c").hash(), TypeParam("a", "bc").hash());
}

TEST(CmipAgentDnTest, ParsesNameTexts) {
  expect_parses<VQCmipAgentDn>({
      {R"(agentTableType="CMIP"/agentId="agt1")", "testhost:agt1"},
      {R"(agentTableType="CMIP"/agentId=id:"a1")", "testhost:a1"},
      {R"(agentTableType="CMIP"/agentId="a/b")", "testhost:a/b"},
      {R"(agentTableType="CMIP"/agentId="")", "NULL"},
      {R"(agentTableType="CMIP"/agentId=aet:{1 2 3})", "NULL"},
      {R"(agentId="agt1")", "NULL"},
      {"", "NULL"},
      {R"(/systemId=name:"X"/agentId="a")", "NULL"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId="agt1")", "/testhost:agt1"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId=id:"agt1")", "/testhost:agt1"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId=aet:{1 2 3})", "/testhost:{1 2 3}"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId="{1 2}")", "/testhost:{1 2}"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId=id:"id:"x"")", "/testhost:x"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId=id:"aet:{4}")", "/testhost:{4}"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId=aetx)", "/testhost:aetx"},
      {R"(/serverTableType="mis"/misId="B"/agentTableType="CMIP"/agentId="agt1")",
       "testhost/B:agt1"},
      {R"(/serverTableType="mis"/misId="B"/systemId=name:"B"/agentTableType="CMIP"/agentId="a")",
       "/testhost/B:a"},
      // Only trailing quotes leave a server-table value; the identifier loses both.
      {R"(/misId=""B""/agentTableType="CMIP"/agentId=""x"")", "testhost/\"B:x"},
      {R"(/agentTableType="CMIP"/xagentId="q")", "testhost:q"},
      {R"(/systemId=name:"X"/agentTableType="CMIP")", "NULL"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId="a/b")", "NULL"},
      {R"(/agentTableType="CMIP"/agentId="")", "testhost:"},
  });
}

TEST(CmipAgentDnTest, ReadsIdentifiersOfAnyLength) {
  const std::string id(100000, 'x');
  EXPECT_EQ(VQCmipAgentDn("agentTableType=\"CMIP\"/agentId=\"" + id + "\"").unique_name(), id);
  const std::string slashes(100000, '/');
  EXPECT_EQ(printed(VQCmipAgentDn(slashes + "misId=\"B\"" + slashes +
                                  "agentTableType=\"CMIP\"/agentId=\"x\"")),
            "testhost/B:x");
}

TEST(CmipAgentDnTest, SlashForms) {
  expect_slash_forms<VQCmipAgentDn>({
      {"/testhost", "agt1", R"(/systemId=name:"testhost"/agentTableType="CMIP"/agentId="agt1")"},
      {"/testhost", "{1 2 3}",
       R"(/systemId=name:"testhost"/agentTableType="CMIP"/agentId=aet:{1 2 3})"},
      {"testhost/B", "agt1",
       R"(/serverTableType="mis"/misId="B"/agentTableType="CMIP"/agentId="agt1")"},
      {"testhost/B", "{1}",
       R"(/serverTableType="mis"/misId="B"/agentTableType="CMIP"/agentId=aet:{1})"},
      {"/testhost/B", "agt1",
       R"(/serverTableType="mis"/misId="B"/systemId=name:"B"/agentTableType="CMIP"/agentId="agt1")"},
      {"/B", "agt1",
       R"(/serverTableType="mis"/misId="B"/systemId=name:"B"/agentTableType="CMIP"/agentId="agt1")"},
  });
  // Only the local system's form cuts the identifier at its last "/".
  EXPECT_EQ(VQCmipAgentDn("testhost", "x/y").slash_form(),
            R"(/systemId=name:"testhost"/agentTableType="CMIP"/agentId="y")");
  EXPECT_EQ(VQCmipAgentDn("testhost", "{1 2 3}").slash_form(),
            R"(/systemId=name:"testhost"/agentTableType="CMIP"/agentId=aet:{1 2 3})");
  EXPECT_EQ(VQCmipAgentDn("testhost/B", "x/y").slash_form(),
            R"(/serverTableType="mis"/misId="B"/agentTableType="CMIP"/agentId="x/y")");
}

TEST(SnmpAgentDnTest, ParsesNameTexts) {
  expect_parses<VQSnmpAgentDn>({
      {R"(internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/cmipsnmpProxyAgentId="s1")", "NULL"},
      {"", "NULL"},
      {R"(/systemId=name:"X"/internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/cmipsnmpProxyAgentId="s1")",
       "/testhost:s1"},
      {R"(/serverTableType="mis"/misId="B"/cmipsnmpProxyAgentId="s1")", "testhost/B:s1"},
      {R"(/systemId=name:"X"/agentId="s1")", "NULL"},
      {R"(/cmipsnmpProxyAgentId=id:"s")", "testhost:id:\"s"},
  });
}

TEST(SnmpAgentDnTest, SlashForms) {
  expect_slash_forms<VQSnmpAgentDn>({
      {"/testhost", "s",
       R"(/systemId=name:"testhost"/internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/cmipsnmpProxyAgentId="s")"},
      {"testhost/B", "s",
       R"(/serverTableType="mis"/misId="B"/internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/cmipsnmpProxyAgentId="s")"},
      {"/testhost/B", "s",
       R"(/serverTableType="mis"/misId="B"/systemId=name:"B"/internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/cmipsnmpProxyAgentId="s")"},
  });
  EXPECT_EQ(
      VQSnmpAgentDn("testhost", "U").slash_form(),
      R"(/systemId=name:"testhost"/internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/cmipsnmpProxyAgentId="U")");
}

TEST(RpcAgentDnTest, ParsesNameTexts) {
  expect_parses<VQRpcAgentDn>({
      {R"(agentTableType="RPC"/agentId="r1")", "NULL"},
      {R"(/systemId=name:"X"/agentTableType="RPC"/agentId="r1")", "/testhost:r1"},
      {R"(/systemId=name:"X"/agentTableType="RPC"/agentId=id:"r1")", "/testhost:r1"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId="r1")", "NULL"},
      {R"(/systemId=name:"X"/agentTableType="RPC")", "NULL"},
      // RPC tables hold no titles.
      {R"(/systemId=name:"X"/agentTableType="RPC"/agentId=aet:{1 2})", "/testhost:aet:{1 2}"},
      {R"(/serverTableType="mis"/misId="B"/agentTableType="RPC"/agentId="r1")", "testhost/B:r1"},
  });
}

TEST(RpcAgentDnTest, SlashForms) {
  expect_slash_forms<VQRpcAgentDn>({
      {"/testhost", "r", R"(/systemId=name:"testhost"/agentTableType="RPC"/agentId="r")"},
      {"testhost/B", "r", R"(/serverTableType="mis"/misId="B"/agentTableType="RPC"/agentId="r")"},
      {"/testhost/B", "r",
       R"(/serverTableType="mis"/misId="B"/systemId=name:"B"/agentTableType="RPC"/agentId="r")"},
  });
  EXPECT_EQ(VQRpcAgentDn("testhost", "U").slash_form(),
            R"(/systemId=name:"testhost"/agentTableType="RPC"/agentId="U")");
}

TEST(AgentDnTest, WithoutLocalNameEverySystemIsRemote) {
  unsetenv("VQ_LOGICAL_HOST");
  EXPECT_EQ(printed(VQCmipAgentDn(R"(agentTableType="CMIP"/agentId="a")")), ":a");
  EXPECT_EQ(VQRpcAgentDn("testhost", "r").slash_form(),
            R"(/serverTableType="mis"/misId="testhost"/agentTableType="RPC"/agentId="r")");
  EXPECT_EQ(VQCmipAgentDn("", "a/b").slash_form(),
            R"(/systemId=name:""/agentTableType="CMIP"/agentId="b")");
}

}  // namespace
