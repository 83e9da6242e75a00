#include "hvx/oid.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <unordered_set>

#include "support/printed.h"

namespace hvx {
namespace {

TEST(OidTest, ParsesDottedAndBracedText) {
  // dotted: "" when invalid
  const std::tuple<const char*, const char*> cases[] = {
      {"1.3.6.1", "1.3.6.1"},
      {"{1 3 6 1}", "1.3.6.1"},
      {"  {   1  3\t6 1 }  ", "1.3.6.1"},
      {"0.39", "0.39"},
      {"2.999.1", "2.999.1"},
      {"1.2.18446744073709551615", "1.2.18446744073709551615"},
      {"2.18446744073709551535", "2.18446744073709551535"},
      // Refused: syntax.
      {"", ""},
      {"{}", ""},
      {"1", ""},
      {"1.", ""},
      {".1.3", ""},
      {"1.3 .6", ""},
      {"1.03", ""},
      {"1.3a", ""},
      {"{1,3}", ""},
      {"1.2.18446744073709551616", ""},
      // Refused: arcs outside what an identifier can have.
      {"3.1", ""},
      {"0.40", ""},
      {"2.18446744073709551536", ""},
  };
  for (const auto& [text, dotted] : cases) {
    const Oid oid(text);
    EXPECT_EQ(oid.format(), dotted) << '"' << text << '"';
    EXPECT_EQ(oid.valid(), *dotted != '\0') << '"' << text << '"';
    EXPECT_EQ(!oid, *dotted == '\0') << '"' << text << '"';
  }
}

TEST(OidTest, FormatsBothWays) {
  const Oid oid{1, 3, 6, 1};
  EXPECT_EQ(oid.format(), "1.3.6.1");
  EXPECT_EQ(oid.format(true), "{ 1 3 6 1 }");
  EXPECT_EQ(Oid().format(true), "");
  EXPECT_EQ(vq_testing::printed(oid), "1.3.6.1");
  EXPECT_EQ(Oid(oid.format(true)), oid);
  // Arcs outside the rules give the empty identifier from numbers too.
  EXPECT_FALSE(Oid({1}).valid());
}

TEST(OidTest, BerContentsRoundTrip) {
  const std::tuple<const char*, std::string> cases[] = {
      {"0.0", std::string("\x00", 1)},
      {"2.999.3", std::string("\x88\x37\x03", 3)},
      {"1.2.840.113549", std::string("\x2a\x86\x48\x86\xf7\x0d", 6)},
      {"1.2.127.128", std::string("\x2a\x7f\x81\x00", 4)},
      {"1.2.18446744073709551615", std::string("\x2a\x81\xff\xff\xff\xff\xff\xff\xff\xff\x7f", 11)},
  };
  for (const auto& [dotted, ber] : cases) {
    const Oid oid(dotted);
    ASSERT_TRUE(oid.valid()) << dotted;
    EXPECT_EQ(oid.ber(), ber) << dotted;
    Oid back;
    ASSERT_TRUE(Oid::from_ber(ber, back)) << dotted;
    EXPECT_EQ(back, oid);
  }
  // The largest second arc under 2 uses the whole 64 bits of the first subidentifier.
  const Oid widest{2, 18446744073709551535u};
  Oid back;
  ASSERT_TRUE(Oid::from_ber(widest.ber(), back));
  EXPECT_EQ(back, widest);
}

TEST(OidTest, MalformedBerContentsAreRefused) {
  const std::string cases[] = {
      std::string(),                                                    // empty
      std::string("\x2b\x86", 2),                                       // unfinished subidentifier
      std::string("\x2b\x80\x01", 3),                                   // leading 0x80
      std::string("\x2a\x82\x80\x80\x80\x80\x80\x80\x80\x80\x00", 11),  // above 64 bits
  };
  for (const std::string& ber : cases) {
    Oid oid{1, 1};
    EXPECT_FALSE(Oid::from_ber(ber, oid)) << testing::PrintToString(ber);
    EXPECT_EQ(oid, Oid({1, 1})) << "left unchanged";
  }
}

TEST(OidTest, OrdersArcByArcAndHashes) {
  EXPECT_LT(Oid("1.3.6"), Oid("1.3.6.1"));
  EXPECT_LT(Oid("1.3.6.1"), Oid("1.3.7"));
  EXPECT_LT(Oid("1.3.9"), Oid("1.3.10"));
  std::unordered_set<Oid> set = {Oid("1.3.6.1"), Oid("{ 1 3 6 1 }"), Oid("1.3.6.2")};
  EXPECT_EQ(set.size(), 2u);
}

}  // namespace
}  // namespace hvx
