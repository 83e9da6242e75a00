#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/rpc_agent_dn.h"
#include "dedavuz_api/snmp_agent_dn.h"

#include "support/printed.h"

namespace {

using vq_testing::printed;

// Each text parses to the printed name.
template <typename Name>
void expect_parses(std::initializer_list<std::pair<std::string, std::string>> table) {
  for (const auto& [text, expected] : table) {
    EXPECT_EQ(printed(Name(text)), expected) << text.substr(0, 100);
  }
}

// Each (system, identifier) renders as the text, which parses back to the same text.
template <typename Name>
void expect_slash_forms(
    std::initializer_list<std::tuple<const char*, const char*, const char*>> table) {
  for (const auto& [system, unique, slash] : table) {
    EXPECT_EQ(Name(system, unique).slash_form(), slash) << system << " " << unique;
    EXPECT_EQ(Name(std::string(slash)).slash_form(), slash);
  }
}

TEST(CmipAgentDnTest, ParsesNameTexts) {
  const std::string long_id(100000, 'x');
  expect_parses<VQCmipAgentDn>({
      {R"(agentTableType="CMIP"/agentId="agt1")", "testhost:agt1"},
      {R"(agentTableType="CMIP"/agentId=id:"a1")", "testhost:a1"},
      {R"(agentTableType="CMIP"/agentId="a/b")", "testhost:a/b"},
      {"agentTableType=\"CMIP\"/agentId=\"" + long_id + "\"", "testhost:" + long_id},
      {R"(agentTableType="CMIP"/agentId=aet:{1 2 3})", "NULL"},
      {R"(agentId="agt1")", "NULL"},
      {R"(/systemId=name:"X"/agentId="a")", "NULL"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId="agt1")", "/testhost:agt1"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId=aet:{1 2 3})", "/testhost:{1 2 3}"},
      {R"(/agentTableType="CMIP"/agentId=id:"id:"aet:{4}"")", "testhost:{4}"},
      {R"(/serverTableType="mis"/misId="B"/agentTableType="CMIP"/agentId="agt1")",
       "testhost/B:agt1"},
      {R"(/serverTableType="mis"/misId="B"/systemId=name:"B"/agentTableType="CMIP"/agentId="a")",
       "/testhost/B:a"},
      // A server-table value loses only its trailing quotes; the identifier loses both.
      {R"(/misId=""B""/agentTableType="CMIP"/agentId=""x"")", "testhost/\"B:x"},
      {R"(/agentTableType="CMIP"/xagentId="q")", "testhost:q"},
      {R"(/systemId=name:"X"/agentTableType="CMIP")", "NULL"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId="a/b")", "NULL"},
  });
}

TEST(CmipAgentDnTest, SlashForms) {
  expect_slash_forms<VQCmipAgentDn>({
      {"/testhost", "agt1", R"(/systemId=name:"testhost"/agentTableType="CMIP"/agentId="agt1")"},
      {"/testhost", "{1 2}",
       R"(/systemId=name:"testhost"/agentTableType="CMIP"/agentId=aet:{1 2})"},
      {"testhost/B", "a", R"(/serverTableType="mis"/misId="B"/agentTableType="CMIP"/agentId="a")"},
      {"/B", "a",
       R"(/serverTableType="mis"/misId="B"/systemId=name:"B"/agentTableType="CMIP"/agentId="a")"},
  });
  // Only the local system's form cuts the identifier at its last "/".
  EXPECT_EQ(VQCmipAgentDn("testhost", "x/y").slash_form(),
            R"(/systemId=name:"testhost"/agentTableType="CMIP"/agentId="y")");
  EXPECT_EQ(VQCmipAgentDn("testhost/B", "x/y").slash_form(),
            R"(/serverTableType="mis"/misId="B"/agentTableType="CMIP"/agentId="x/y")");
}

#define SNMP_CLASS "/internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}"

TEST(SnmpAgentDnTest, ParsesAndRendersFullNamesOnly) {
  expect_parses<VQSnmpAgentDn>({
      {"internetClassId=x/cmipsnmpProxyAgentId=\"s1\"", "NULL"},
      {"/systemId=name:\"X\"" SNMP_CLASS "/cmipsnmpProxyAgentId=\"s1\"", "/testhost:s1"},
      {R"(/serverTableType="mis"/misId="B"/cmipsnmpProxyAgentId="s1")", "testhost/B:s1"},
      {R"(/systemId=name:"X"/agentId="s1")", "NULL"},
      {R"(/cmipsnmpProxyAgentId=id:"s")", "testhost:id:\"s"},
  });
  // The system shapes are the shared path code's; one shape pins the class and the quoting.
  expect_slash_forms<VQSnmpAgentDn>({
      {"/testhost/B", "s",
       "/serverTableType=\"mis\"/misId=\"B\"/systemId=name:\"B\"" SNMP_CLASS
       "/cmipsnmpProxyAgentId=\"s\""},
  });
}

TEST(RpcAgentDnTest, ParsesAndRendersFullNamesOnly) {
  expect_parses<VQRpcAgentDn>({
      {R"(agentTableType="RPC"/agentId="r1")", "NULL"},
      {R"(/systemId=name:"X"/agentTableType="RPC"/agentId="r1")", "/testhost:r1"},
      {R"(/systemId=name:"X"/agentTableType="RPC"/agentId=id:"r1")", "/testhost:r1"},
      {R"(/systemId=name:"X"/agentTableType="CMIP"/agentId="r1")", "NULL"},
      // RPC tables hold no titles.
      {R"(/agentTableType="RPC"/agentId=aet:{1 2})", "testhost:aet:{1 2}"},
  });
  expect_slash_forms<VQRpcAgentDn>({
      {"/testhost/B", "r",
       R"(/serverTableType="mis"/misId="B"/systemId=name:"B"/agentTableType="RPC"/agentId="r")"},
  });
}

TEST(AgentDnTest, WithoutLocalNameEverySystemIsRemote) {
  unsetenv("VQ_LOGICAL_HOST");
  EXPECT_EQ(printed(VQCmipAgentDn(R"(agentTableType="CMIP"/agentId="a")")), ":a");
  EXPECT_EQ(VQRpcAgentDn("", "r").slash_form(), R"(/agentTableType="RPC"/agentId="r")");
}

// Slash forms compare against the default platform's own system, whatever the environment
// says afterwards.
TEST(AgentDnTest, SlashFormsFollowTheDefaultPlatformsSystem) {
  setenv("VQ_LOGICAL_HOST", "platformhost", 1);
  EXPECT_EQ(VQCmipAgentDn("platformhost", "a/b").slash_form(),
            R"(/systemId=name:"platformhost"/agentTableType="CMIP"/agentId="b")");
  setenv("VQ_LOGICAL_HOST", "other", 1);
  EXPECT_EQ(VQCmipAgentDn("platformhost", "a").slash_form(),
            R"(/systemId=name:"platformhost"/agentTableType="CMIP"/agentId="a")");
  EXPECT_EQ(VQCmipAgentDn("other", "a").slash_form(),
            R"(/serverTableType="mis"/misId="other"/agentTableType="CMIP"/agentId="a")");
}

}  // namespace
