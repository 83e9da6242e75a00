#include "hvx/syntax.h"

#include <gtest/gtest.h>

#include <string>

#include "hvx/ber.h"
#include "support/asn1_values.h"
#include "support/printed.h"

namespace hvx {
namespace {

using vq_testing::printed;

TEST(SyntaxTest, ParsesTypeNotationAndPrintsItBack) {
  const char* const kTypes[] = {
      "INTEGER",
      "SET OF INTEGER",
      "SEQUENCE OF SEQUENCE { x INTEGER, y INTEGER OPTIONAL }",
      "[0] IMPLICIT OBJECT IDENTIFIER",
      "[APPLICATION 3] EXPLICIT NULL",
      "CHOICE { a [0] EXPLICIT REAL, b BOOLEAN }",
      "ENUMERATED { low(-1), high(1) }",
      "SEQUENCE { a OCTET STRING, b GraphicString, c PrintableString, d ANY }",
      "SEQUENCE {}",
      "DistinguishedName",
  };
  for (const char* notation : kTypes) {
    const Syntax syntax = Syntax::parse(notation);
    ASSERT_TRUE(syntax.valid()) << notation;
    EXPECT_EQ(printed(syntax), notation);
    EXPECT_EQ(Syntax::parse(printed(syntax)), syntax);
  }
}

TEST(SyntaxTest, RejectsBadNotation) {
  const char* const kBad[] = {"",
                              "INTEGR",
                              "SET OF",
                              "SEQUENCE { x }",
                              "SEQUENCE { X INTEGER }",
                              "ENUMERATED { a }",
                              "[0 INTEGER",
                              "[-1] INTEGER",
                              "CHOICE {}",
                              "INTEGER INTEGER",
                              "No-Such.Type",
                              "SET { a INTEGER }",
                              "OCTET",
                              "ANY DEFINED"};
  for (const char* notation : kBad) {
    EXPECT_FALSE(Syntax::parse(notation).valid()) << notation;
    EXPECT_EQ(printed(Syntax::parse(notation)), "<invalid>");
  }
}

TEST(SyntaxTest, LookUpsByTypeAttributeAndAction) {
  const Syntax instance = Syntax::of_type("CMIP-1.ObjectInstance");
  ASSERT_TRUE(instance.valid());
  EXPECT_EQ(instance.kind(), Syntax::Kind::distinguished_name);
  EXPECT_EQ(instance.name(), "CMIP-1.ObjectInstance");
  EXPECT_EQ(printed(instance), "CMIP-1.ObjectInstance");

  const Syntax set = Syntax::of_type("VQ-TOPO-ASN1.TopoNodeMOSet");
  EXPECT_EQ(set.kind(), Syntax::Kind::set_of);
  EXPECT_EQ(set.element(), instance);

  EXPECT_EQ(Syntax::of_attribute("topoNodeMOSet"), set);
  EXPECT_EQ(Syntax::of_action_argument("topoNodeGetByMOSet"), set);
  EXPECT_EQ(Syntax::of_action_argument("topoNodeGetByName").kind(), Syntax::Kind::string);
  EXPECT_EQ(Syntax::of_action_reply("topoNodeGetByName").element().kind(), Syntax::Kind::integer);
  EXPECT_FALSE(Syntax::of_attribute("noSuch").valid());
  EXPECT_FALSE(Syntax::of_action_reply("noSuch").valid());
  EXPECT_FALSE(Syntax::of_type("noSuch").valid());

  const Syntax address = Syntax::of_attribute("mpaAddressInfo");
  ASSERT_EQ(address.kind(), Syntax::Kind::choice);
  ASSERT_EQ(address.members().size(), 2u);
  EXPECT_EQ(address.member("noAddress")->type.tag(), Asn1Tag(2, 1));
  EXPECT_EQ(address.member("noAddress")->type.tagging(), Syntax::Tagging::explicit_);
  EXPECT_EQ(address.tag(), Asn1Tag());
  EXPECT_EQ(address.member("nothing"), nullptr);

  const Syntax state = Syntax::of_attribute("administrativeState");
  ASSERT_EQ(state.named_numbers().size(), 3u);
  EXPECT_EQ(state.named_numbers()[2].name, "shuttingDown");
  EXPECT_EQ(state.tag(), TAG_ENUM);
  EXPECT_EQ(Syntax::of_attribute("topoTypeUserDataAttrs").element().tag(), Asn1Tag(2, 0));
}

TEST(SyntaxTest, ChecksValues) {
  const Asn1Value one = ber::integer(1), text = ber::octets("x", TAG_GRAPHSTR);
  const Asn1Value null = ber::null_value();

  EXPECT_TRUE(Syntax::parse("INTEGER").check(one));
  EXPECT_FALSE(Syntax::parse("INTEGER").check(text));
  EXPECT_FALSE(Syntax::parse("INTEGER").check(Asn1Value()));
  EXPECT_FALSE(Syntax().check(one));
  EXPECT_TRUE(Syntax::parse("OCTET STRING").check(text));  // any string type for a string
  EXPECT_TRUE(Syntax::parse("ANY").check(text));

  Asn1Value tagged = one;
  tagged.set_tag(Asn1Tag(2, 3));
  EXPECT_TRUE(Syntax::parse("[3] IMPLICIT INTEGER").check(tagged));
  EXPECT_FALSE(Syntax::parse("[3] IMPLICIT INTEGER").check(one));
  EXPECT_FALSE(Syntax::parse("[3] EXPLICIT INTEGER").check(tagged));
  Asn1Value wrapped = one;
  wrapped.make_explicit_tagged(Asn1Tag(2, 3));
  EXPECT_TRUE(Syntax::parse("[3] EXPLICIT INTEGER").check(wrapped));

  const Syntax pair = Syntax::parse("SEQUENCE { a INTEGER, b NULL OPTIONAL, c GraphicString }");
  Asn1Value sequence = vq_testing::seq({one, text});
  EXPECT_TRUE(pair.check(sequence));
  sequence.add_component(null);
  EXPECT_FALSE(pair.check(sequence));

  const Syntax choice = Syntax::parse("CHOICE { n NULL, i INTEGER }");
  EXPECT_TRUE(choice.check(null));
  EXPECT_TRUE(choice.check(one));
  EXPECT_FALSE(choice.check(text));
}

}  // namespace
}  // namespace hvx
