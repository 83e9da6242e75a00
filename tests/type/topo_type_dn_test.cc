#include "dedavuz_api/topo_type_dn.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <unordered_set>

namespace {

std::string printed(const VQTopoTypeDn& dn) {
  std::ostringstream out;
  out << dn;
  return out.str();
}

TEST(TopoTypeDnTest, PredefinedNames) {
  const std::pair<const std::string&, const char*> names[] = {
      {VQTopoTypeDn::container, "Container"},
      {VQTopoTypeDn::device, "Device"},
      {VQTopoTypeDn::link, "Link"},
      {VQTopoTypeDn::monitor, "Monitor"},
      {VQTopoTypeDn::array, "Array"},
      {VQTopoTypeDn::bus, "Bus"},
      {VQTopoTypeDn::host, "Host"},
      {VQTopoTypeDn::server, "Server"},
      {VQTopoTypeDn::hub, "Hub"},
      {VQTopoTypeDn::router, "Router"},
      {VQTopoTypeDn::bridge, "Bridge"},
      {VQTopoTypeDn::universe, "Universe"},
      {VQTopoTypeDn::network, "Network"},
      {VQTopoTypeDn::subnetwork, "Subnetwork"},
      {VQTopoTypeDn::omnisector, "OmniSector"},
      {VQTopoTypeDn::hexagon, "Hexagon"},
      {VQTopoTypeDn::hexagon120, "Hexagon120"},
      {VQTopoTypeDn::circle, "Circle"},
  };
  for (const auto& [member, value] : names) EXPECT_EQ(member, value);
}

TEST(TopoTypeDnTest, NullEqualityAndPrinting) {
  VQTopoTypeDn dn;
  EXPECT_TRUE(dn.is_null());
  EXPECT_EQ(printed(dn), "NULL");
  dn = VQTopoTypeDn("alpha", "Router");
  EXPECT_EQ(printed(dn), "alpha:Router");
  EXPECT_NE(dn, VQTopoTypeDn("alpha", "router"));
  EXPECT_TRUE(VQTopoTypeDn("alpha", "Router") < VQTopoTypeDn("beta", "Hub"));
  EXPECT_EQ((std::unordered_set<VQTopoTypeDn>{dn, dn, VQTopoTypeDn("a", "b")}).size(), 2u);
  dn.make_null();
  EXPECT_TRUE(dn.is_null());
}

TEST(TopoTypeDnTest, ParsesNameTexts) {
  const std::string long_id(100000, 'R');
  const struct {
    std::string text;
    std::string printed;
  } table[] = {
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
      {R"(/serverTableType="mis"/misId="beta"/systemId=name:"beta"/topoTypeDBId=NULL/topoTypeId="Router")",
       "/testhost/beta:Router"},
      {R"(/topoTypeId=Router)", "testhost:Router"},
      // The identifier is what follows the key's length, and loses its quotes at both ends;
      // a server-table value loses only its trailing ones.
      {R"(/xtopoTypeId="Router")", "testhost:=\"Router"},
      {R"(/misId=""b""/topoTypeId=""R"")", "testhost/\"b:R"},
      {R"(/topoTypeId="Router"/)", "testhost:Router"},
  };
  for (const auto& row : table) {
    EXPECT_EQ(printed(VQTopoTypeDn(row.text)), row.printed) << row.text.substr(0, 80);
  }
}

TEST(TopoTypeDnTest, SlashFormsRoundTrip) {
  const struct {
    const char* system;
    const char* slash;
  } table[] = {
      {"testhost", R"(/systemId=name:"testhost"/topoTypeDBId=NULL/topoTypeId="Router")"},
      {"/testhost", R"(/systemId=name:"testhost"/topoTypeDBId=NULL/topoTypeId="Router")"},
      {"testhost/beta",
       R"(/serverTableType="mis"/misId="beta"/topoTypeDBId=NULL/topoTypeId="Router")"},
      {"/testhost/beta",
       R"(/serverTableType="mis"/misId="beta"/systemId=name:"beta"/topoTypeDBId=NULL/topoTypeId="Router")"},
  };
  for (const auto& row : table) {
    const VQTopoTypeDn dn(row.system, "Router");
    EXPECT_EQ(dn.slash_form(), row.slash);
    EXPECT_EQ(VQTopoTypeDn(std::string(row.slash)).slash_form(), row.slash);
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
