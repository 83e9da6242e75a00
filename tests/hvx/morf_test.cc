#include "hvx/morf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "hvx/ber.h"
#include "support/asn1_values.h"

namespace hvx {
namespace {

// Text in, the value notation printed (format 1), and the text that format 0 gives.
struct RoundTrip {
  const char* syntax;  // attribute, type or type notation
  const char* text;
  const char* printed;
  const char* raw;
};

Syntax syntax_of(const char* name) {
  Syntax syntax = Syntax::of_attribute(name);
  if (!syntax.valid()) syntax = Syntax::of_type(name);
  if (!syntax.valid()) syntax = Syntax::of_action_argument(name);
  if (!syntax.valid()) syntax = Syntax::parse(name);
  return syntax;
}

// raw: nullptr when format 0 gives the printed form too.
const RoundTrip kRoundTrips[] = {
    {"supportedMIBs", R"({ps : "a",ps : "b"})", R"({ps : "a",ps : "b"})", nullptr},
    {"supportedMIBs", R"({ "a", ps:"b" })", R"({ps : "a",ps : "b"})", nullptr},
    {"managementProtocol", "{ 1 3 6 1 }", "{ 1 3 6 1 }", nullptr},
    {"topoGetNodeMODataByNodeList", "{TRUE,{4,9}}", "{TRUE,{4,9}}", nullptr},
    {"topoGetNodeMODataByNodeList", "{ withMOs FALSE, nodeIds { } }", "{FALSE,{}}", nullptr},
    {"operationalState", "enabled", "enabled", nullptr},
    {"administrativeState", "2", "shuttingDown", nullptr},
    {"topoNodeState", "-42", "-42", nullptr},
    {"topoNodeDBId", "NULL", "NULL", nullptr},
    {"topoNodeName", R"("router \"one\"")", R"("router \"one\"")", R"(router "one")"},
    {"topoNodeName", R"("a\\b\001\377")", R"("a\\b\001\377")", "a\\b\001\377"},
    {"presentationSelector", "'0102FF'H", R"("\001\002\377")", "\001\002\377"},
    {"topoNodeGeoLocation", "NULL", "none : NULL", nullptr},
    {"topoNodeGeoLocation", "{48.8,2.5}", "location : {48.8,2.5}", nullptr},
    {"topoNodeMonitor", "monitor : {370,{1,2}}", "monitor : {370,{1,2}}", nullptr},
    {"topoNodeDisplayStatus", R"({{"up",1},{label "down", value 0}})", R"({{"up",1},{"down",0}})",
     nullptr},
    {"topoNodeBusPoints", "{{1,2,3},{-4,5,6}}", "{{1,2,3},{-4,5,6}}", nullptr},
    {"topoNodeMOSet", R"({/systemId=name:"B", /systemId=name:"C"/topoNodeDBId=NULL})",
     R"({/systemId=name:"B",/systemId=name:"C"/topoNodeDBId=NULL})", nullptr},
    {"agentId", R"(id : "a1")", R"(id : "a1")", "a1"},
    {"agentId", R"("a1")", R"(id : "a1")", "a1"},
    {"mpaAddressInfo", R"(address : {"h",5})", R"(address : {"h",5})", nullptr},
    {"topoTypeUserDataAttrs", "{{ 1 2 3 },{2 9 3 2 7 4}}", "{{ 1 2 3 },{ 2 9 3 2 7 4 }}", nullptr},
    {"topoNodeUserData", "{{{ 1 2 3 },'020105'H}}", "{{{ 1 2 3 },'020105'H}}", nullptr},
    {"VQ-TOPO-ASN1.ViewEntry", R"({view {1,"Root"}, parents {}, backgroundImage "b"})",
     R"({view {1,"Root"},parents {},backgroundImage "b"})", nullptr},
    {"REAL", "2", "2.0", nullptr},
    {"REAL", "1e300", "1e+300", nullptr},
    {"REAL", "MINUS-INFINITY", "MINUS-INFINITY", nullptr},
    {"[3] IMPLICIT INTEGER", "5", "5", nullptr},
    {"SEQUENCE {}", "{}", "{}", nullptr},
};

TEST(MorfTest, ValueNotationRoundTrips) {
  for (const RoundTrip& row : kRoundTrips) {
    SCOPED_TRACE(std::string(row.syntax) + " " + row.text);
    Morf morf(syntax_of(row.syntax));
    ASSERT_FALSE(!morf);
    ASSERT_TRUE(morf.set(row.text)) << morf.get_error_string();
    EXPECT_EQ(morf.get_str(1), row.printed);
    EXPECT_EQ(morf.get_str(0), row.raw != nullptr ? row.raw : row.printed);
    EXPECT_TRUE(morf.syntax().check(morf.get_value()));
    // Every printed form parses back to the same value.
    for (int format : {0, 1, 2}) {
      if (format == 0 && row.raw != nullptr) continue;  // raw, not notation
      Morf again(morf.syntax());
      ASSERT_TRUE(again.set(morf.get_str(format))) << format << ": " << again.get_error_string();
      EXPECT_EQ(again, morf) << format;
    }
  }
}

TEST(MorfTest, NamedFormNamesEveryMember) {
  Morf morf(Syntax::of_notification("connectionStateChange"));
  ASSERT_TRUE(morf.set(R"({connected,{"A1","A2"}})"));
  EXPECT_EQ(morf.get_str(2), R"({ currentState connected, agentList { "A1", "A2" } })");
}

TEST(MorfTest, RealsRoundTripBitExactly) {
  const double values[] = {
      0.1, 1.0 / 3, -2.5e-300, 5e-324, std::numeric_limits<double>::max(), 123456789012345678.0,
      -0.0};
  for (double d : values) {
    const Morf morf(Syntax::parse("REAL"), vq_testing::real(d));
    Morf again(morf.syntax());
    ASSERT_TRUE(again.set(morf.get_str(0))) << morf.get_str(0);
    double back = 0;
    ASSERT_TRUE(again.get_value().decode_real(back));
    EXPECT_EQ(std::signbit(back), std::signbit(d));
    EXPECT_EQ(back, d) << morf.get_str(0);
  }
}

TEST(MorfTest, RejectsMalformedText) {
  const std::pair<const char*, std::vector<const char*>> kBad[] = {
      {"topoNodeId", {"seven", "99999999999999999999", "7 8"}},
      {"topoNodeName", {"unquoted", R"("open)", R"("\400")"}},
      {"managementProtocol", {"{ 1 }", "{ 3 1 }", "{ 1 x }"}},
      {"topoGetNodeMODataByNodeList", {"{TRUE}", "{TRUE,{4,9},1}", "{TRUE,{4,9}"}},
      {"supportedMIBs", {"{xx : \"a\"}", "{7}"}},
      {"topoNodeUserData", {"{{{ 1 2 },'02'H}}", "{{{ 1 2 },'0'H}}"}},
      {"topoNodeMOSet", {"{/noSuchAttribute=1}"}},
      {"operationalState", {"running"}},
      {"REAL", {"1.5x"}},
      {"BOOLEAN", {"true"}},
      {"NULL", {""}},
  };
  for (const auto& [syntax, texts] : kBad) {
    for (const char* text : texts) {
      SCOPED_TRACE(std::string(syntax) + " " + text);
      Morf morf(syntax_of(syntax));
      ASSERT_FALSE(!morf);
      EXPECT_FALSE(morf.set(text));
      EXPECT_FALSE(morf.get_error_string().empty());
      EXPECT_FALSE(morf.has_value());
    }
  }
}

TEST(MorfTest, ErrorsSayWhere) {
  Morf morf(Syntax::of_action_argument("topoGetNodeMODataByNodeList"));
  EXPECT_FALSE(morf.set("{TRUE,{4,x}}"));
  EXPECT_NE(morf.get_error_string().find("offset 9"), std::string::npos) << morf.get_error_string();
}

TEST(MorfTest, StringFormats) {
  Morf morf("agentAddressInfo");
  ASSERT_TRUE(morf.set_str(R"({\001\002,s,t,n})", 4));
  EXPECT_EQ(morf.get_str(0), std::string("{\001\002,s,t,n}"));
  ASSERT_TRUE(morf.set_str(R"(\101\102C)", 0));
  EXPECT_EQ(morf.get_str(0), R"(\101\102C)");
  EXPECT_EQ(morf.get_str(4), "ABC");
  EXPECT_EQ(morf.get_str(1), R"("\\101\\102C")");
  // Format 0 takes raw text only for string syntaxes.
  Morf number("topoNodeId");
  ASSERT_TRUE(number.set_str("12", 0));
  EXPECT_EQ(number.get_long(), 12);
  Morf state("operationalState");
  ASSERT_TRUE(state.set_str("enabled"));
  EXPECT_EQ(state.get_long(), 1);
}

TEST(MorfTest, SetValueChecksTheSyntax) {
  Morf morf("topoNodeParents");
  Asn1Value set = ber::set();
  const Asn1Value one = ber::integer(1);
  set.add_component(one);
  EXPECT_TRUE(morf.set_value(set));
  set.add_component(ber::octets("x", TAG_GRAPHSTR));
  EXPECT_FALSE(morf.set_value(set));
  EXPECT_EQ(morf.num_elements(), 1u);
  EXPECT_FALSE(morf.set_value(Asn1Value()));
  EXPECT_FALSE(morf.set_value(one));
  Morf none;
  EXPECT_TRUE(!none);
  EXPECT_FALSE(none.set_value(one));
  EXPECT_FALSE(none.set("1"));
}

// Lists of numbers and of strings split in every reader of ids and names; here the members
// of a SEQUENCE, and values that hold no list.
TEST(MorfTest, SplitsListsAndSequences) {
  Morf entry("VQ-TOPO-ASN1.ViewEntry");
  ASSERT_TRUE(entry.set(R"({{1,"Root"},{{2,"P"}},"bg"})"));
  const MorfArray members = entry.split_array();
  ASSERT_EQ(members.count(), 3u);
  EXPECT_EQ(members[2].get_str(0), "bg");
  EXPECT_EQ(Morf("topoNodeParents").split_array().count(), 0u);
  EXPECT_EQ(Morf("topoNodeId").split_array().count(), 0u);
}

TEST(MorfTest, ExtractAndSetMemname) {
  Morf monitor("topoNodeMonitor");
  ASSERT_TRUE(monitor.set("monitor : {-30,{5}}"));
  Morf chosen = monitor.extract("monitor");
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen.extract("rotation").get_long(), -30);
  EXPECT_EQ(monitor.extract("rotation").get_long(), -30);  // through the chosen alternative
  EXPECT_FALSE(monitor.extract("none").has_value());
  EXPECT_FALSE(!monitor.extract("none"));
  EXPECT_TRUE(!monitor.extract("nothing"));

  Morf address("mpaAddressInfo");
  ASSERT_TRUE(address.set_memname("address") && address.set(R"({"host",7})"));
  EXPECT_EQ(address.extract("port").get_long(), 7);
  EXPECT_FALSE(address.set_memname("nothing"));

  Morf entry("VQ-TOPO-ASN1.ViewEntry");
  // Optional members are present as a prefix.
  ASSERT_TRUE(
      entry.set(R"({view {1,"Root"}, parents {}, backgroundImage "b", mapConfigFile "m"})"));
  EXPECT_EQ(entry.extract("mapConfigFile").get_str(0), "m");
  EXPECT_FALSE(entry.extract("extraNumber1").has_value());
}

TEST(MorfTest, GetLongOfOtherValuesIsAnError) {
  Morf name("topoNodeName");
  ASSERT_TRUE(name.set_str("x"));
  EXPECT_EQ(name.get_long(), 0);
  EXPECT_FALSE(name.get_error_string().empty());
  Morf flag("topoNodeManaged");
  ASSERT_TRUE(flag.set("TRUE"));
  EXPECT_EQ(flag.get_long(), 1);
}

TEST(MorfTest, ConstructionFromNames) {
  EXPECT_FALSE(!Morf("\"VQ Topology\":topoNodeName"));
  EXPECT_FALSE(!Morf("CMIP-1.ObjectInstance"));
  EXPECT_TRUE(!Morf("noSuchThing"));
  EXPECT_FALSE(Morf("noSuchThing").get_error_string().empty());
  EXPECT_EQ(Morf("topoNodeName").syntax(), Morf("\"VQ Topology\":topoNodeName").syntax());
  Morf a("topoNodeId");
  Morf b("topoNodeId");
  EXPECT_EQ(a, b);
  ASSERT_TRUE(a.set("1"));
  EXPECT_NE(a, b);
}

TEST(MorfTest, LongListsRoundTrip) {
  std::string text = "{";
  for (int i = 0; i < 2000; ++i) text += (i ? ",{\"l\"," : "{\"l\",") + std::to_string(i) + "}";
  text += "}";
  Morf morf("topoNodeDisplayStatus");
  ASSERT_TRUE(morf.set(text)) << morf.get_error_string();
  EXPECT_EQ(morf.num_elements(), 2000u);
  Morf again(morf.syntax());
  ASSERT_TRUE(again.set(morf.get_str(2)));
  EXPECT_EQ(again, morf);
  // An unterminated list fails once, at its end.
  text.pop_back();
  EXPECT_FALSE(morf.set(text));
}

}  // namespace
}  // namespace hvx
