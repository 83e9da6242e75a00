#include "dedavuz_api/topo_type_dn.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/printed.h"

namespace {

using vq_testing::printed;

TEST(TopoTypeDnTest, ParsesNameTexts) {
  const std::string long_id(100000, 'R');
  const std::pair<std::string, std::string> table[] = {
      {"", "NULL"},
      {"Router", "NULL"},
      {R"(topoTypeDBId=NULL/topoTypeId="Router")", "testhost:Router"},
      {"topoTypeDBId=NULL/topoTypeId=\"" + long_id + "\"", "testhost:" + long_id},
      {R"(topoTypeDBId=NULL/topoTypeId=Router)", "NULL"},
      {R"(topoTypeDBId=NULL/topoTypeId="")", "NULL"},
      // Read once the identifier is, whether or not its closing quote follows.
      {R"(topoTypeDBId=NULL/topoTypeId="Router)", "testhost:Router"},
      {R"(/systemId=name:"alpha"/topoTypeDBId=NULL)", "NULL"},
      {R"(/systemId=name:"X"/topoTypeDBId=NULL/topoTypeId="Router")", "/testhost:Router"},
      {R"(/serverTableType="mis"/misId="beta"/topoTypeDBId=NULL/topoTypeId="Router")",
       "testhost/beta:Router"},
      {R"(/topoTypeId=Router/)", "testhost:Router"},
      // The identifier is what follows the key's length, and loses its quotes at both ends;
      // a server-table value loses only its trailing ones.
      {R"(/xtopoTypeId="Router")", "testhost:=\"Router"},
      {R"(/misId=""b""/topoTypeId=""R"")", "testhost/\"b:R"},
  };
  for (const auto& [text, expected] : table) {
    EXPECT_EQ(printed(VQTopoTypeDn(text)), expected) << text.substr(0, 80);
  }
}

TEST(TopoTypeDnTest, SlashFormsRoundTrip) {
  const std::pair<const char*, const char*> table[] = {
      {"testhost", R"(/systemId=name:"testhost"/topoTypeDBId=NULL/topoTypeId="Router")"},
      {"/testhost", R"(/systemId=name:"testhost"/topoTypeDBId=NULL/topoTypeId="Router")"},
      {"testhost/beta",
       R"(/serverTableType="mis"/misId="beta"/topoTypeDBId=NULL/topoTypeId="Router")"},
      {"/testhost/beta",
       R"(/serverTableType="mis"/misId="beta"/systemId=name:"beta"/topoTypeDBId=NULL/topoTypeId="Router")"},
  };
  for (const auto& [system, slash] : table) {
    EXPECT_EQ(VQTopoTypeDn(system, "Router").slash_form(), slash);
    EXPECT_EQ(VQTopoTypeDn(std::string(slash)).slash_form(), slash);
  }
  // The local system's name comes back rooted: same slash form, yet a different name.
  const VQTopoTypeDn local("testhost", "Router");
  const VQTopoTypeDn parsed(local.slash_form());
  EXPECT_EQ(parsed.system_name(), "/testhost");
  EXPECT_NE(parsed, local);
}

TEST(TopoTypeDnTest, WithoutLocalNameEverySystemIsRemote) {
  unsetenv("VQ_LOGICAL_HOST");
  EXPECT_EQ(printed(VQTopoTypeDn(R"(topoTypeDBId=NULL/topoTypeId="Hub")")), ":Hub");
  EXPECT_EQ(VQTopoTypeDn("testhost", "Hub").slash_form(),
            R"(/serverTableType="mis"/misId="testhost"/topoTypeDBId=NULL/topoTypeId="Hub")");
}

}  // namespace
