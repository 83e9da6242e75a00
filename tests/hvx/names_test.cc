#include "hvx/names.h"

#include <gtest/gtest.h>

#include <string>

#include "hvx/ber.h"
#include "support/asn1_values.h"
#include "support/printed.h"

namespace hvx {
namespace {

// Accepted spellings and their canonical form.
const std::pair<const char*, const char*> kCanonical[] = {
    {R"(/systemId=name:"h")", R"(/systemId=name:"h")"},
    {R"(/systemId="h")", R"(/systemId=name:"h")"},
    {R"(/systemId=h)", R"(/systemId=name:"h")"},
    {R"(/systemId=name:"h"/topoNodeDBId=NULL/topoNodeId=7)",
     R"(/systemId=name:"h"/topoNodeDBId=NULL/topoNodeId=7)"},
    {R"(agentTableType="CMIP"/agentId=id:"x")", R"(/agentTableType="CMIP"/agentId=id:"x")"},
    {R"(/agentTableType=CMIP/agentId=agt1)", R"(/agentTableType="CMIP"/agentId=id:"agt1")"},
    {"agentId=aet : { 1 2 3 }", "/agentId=aet:{1 2 3}"},
    {R"(/systemId=name:"L"/subsystemId="VQ-MIS" /connectMgrId="ConnectMgr")",
     R"(/systemId=name:"L"/subsystemId="VQ-MIS"/connectMgrId="ConnectMgr")"},
    {R"(/ systemId=name:"L"/  subsystemId=VQ-MIS/subsystemId="FdnTable")",
     R"(/systemId=name:"L"/subsystemId="VQ-MIS"/subsystemId="FdnTable")"},
    {R"(/"VQ Topology":topoTypeDBId=NULL/topoTypeId="Router")",
     R"(/topoTypeDBId=NULL/topoTypeId="Router")"},
    {R"(/topoTypeDBId=NULL/topoTypeId="a/b \"c\"")",
     R"(/topoTypeDBId=NULL/topoTypeId="a/b \"c\"")"},
    {"/topoTypeDBId=NULL/topoTypeId=My Router ", R"(/topoTypeDBId=NULL/topoTypeId="My Router")"},
    {R"(/topoNodeId=1+systemId=name:"x")", R"(/topoNodeId=1+systemId=name:"x")"},
    {"/1.2.3='0101FF'H", "/1.2.3='0101FF'H"},
    {"/", "/"},
};

TEST(NamesTest, CanonicalForms) {
  for (const auto& [text, canonical] : kCanonical) {
    SCOPED_TRACE(text);
    const Asn1Value value = fdn2oi(text);
    ASSERT_FALSE(value.is_null());
    EXPECT_EQ(oi2fdn(value), canonical);
    EXPECT_EQ(fdn2oi(canonical), value);
  }
}

TEST(NamesTest, EncodesEachValueWithItsAttributeSyntax) {
  const Asn1Value value = fdn2oi(R"(/systemId=name:"h"/topoNodeDBId=NULL/topoNodeId=7)");
  EXPECT_EQ(vq_testing::printed(value),
            "SEQUENCE { SET { SEQUENCE { OBJECT IDENTIFIER 2.9.3.2.7.4, GraphicString \"h\" } }, "
            "SET { SEQUENCE { OBJECT IDENTIFIER 1.3.6.1.4.1.7351.2.2.2.40.7.5, NULL } }, "
            "SET { SEQUENCE { OBJECT IDENTIFIER 1.3.6.1.4.1.7351.2.2.2.40.7.9, INTEGER 7 } } }");
}

TEST(NamesTest, RejectsMalformedNames) {
  const char* const kBad[] = {
      "",
      "//",
      "/systemId",
      "/systemId=",
      "/noSuchAttribute=1",
      "/topoNodeId=seven",
      "/topoNodeId=7/",
      R"(/systemId=name:"h)",
      R"(/topoTypeId="a"b)",
      "/1.2=''H",
      "/x.y=1",
      R"(/"VQ Topology:topoNodeId=7)",
  };
  for (const char* text : kBad) {
    EXPECT_TRUE(fdn2oi(text).is_null()) << text << " -> " << oi2fdn(fdn2oi(text));
  }
}

TEST(NamesTest, PrintsWhateverItCanAndNothingForNonNames) {
  const Asn1Value number = ber::integer(5);
  EXPECT_EQ(oi2fdn(number), "");
  EXPECT_EQ(oi2fdn(Asn1Value()), "");
  // A known attribute whose value breaks its syntax prints as identifier and encoding.
  Asn1Value name = fdn2oi("/1.3.6.1.4.1.7351.2.2.2.40.7.9='0401FF'H");
  ASSERT_FALSE(name.is_null());
  EXPECT_EQ(oi2fdn(name), "/1.3.6.1.4.1.7351.2.2.2.40.7.9='0401FF'H");
  EXPECT_EQ(oi2fdn(vq_testing::seq({number})), "");
}

TEST(NamesTest, ShortNames) {
  EXPECT_EQ(get_shortname("\"VQ Topology\":topoNodeName"), "topoNodeName");
  EXPECT_EQ(get_shortname("\"Rec. X.721 | ISO/IEC 10165-2 : 1992\":objectCreation"),
            "objectCreation");
  EXPECT_EQ(get_shortname("topoNodeName"), "topoNodeName");
  EXPECT_EQ(get_shortname("\"unterminated"), "\"unterminated");
  EXPECT_EQ(get_shortname("\"doc\"x"), "\"doc\"x");
  EXPECT_EQ(get_shortname(""), "");
}

// Long names, with every value read twice (as notation, then as unquoted text).
TEST(NamesTest, LongNamesRoundTrip) {
  std::string unquoted;
  std::string attempts;
  for (int i = 0; i < 2000; ++i) {
    unquoted += "/topoTypeId=a b";
    attempts += "/systemId=name:x";
  }
  const Asn1Value value = fdn2oi(unquoted);
  ASSERT_FALSE(value.is_null());
  EXPECT_EQ(value.num_comps(), 2000u);
  EXPECT_EQ(fdn2oi(oi2fdn(value)), value);
  EXPECT_EQ(fdn2oi(attempts).num_comps(), 2000u);
  EXPECT_TRUE(fdn2oi(attempts + "/topoNodeId=x").is_null());
}

}  // namespace
}  // namespace hvx
