#include "hvx/asn1.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "hvx/ber.h"
#include "support/asn1_values.h"
#include "support/printed.h"

namespace hvx {
namespace {

// "30 03 02 01 05" to bytes.
std::string bytes(std::string_view hex) {
  std::istringstream in{std::string(hex)};
  std::string out;
  for (unsigned octet = 0; in >> std::hex >> octet;) out.push_back(static_cast<char>(octet));
  return out;
}

using vq_testing::printed;

Asn1Value decoded(const std::string& ber) {
  Asn1Value value;
  const Status status = Asn1Value::decode(DataUnit(ber), value);
  EXPECT_TRUE(status.ok()) << status << " for " << testing::PrintToString(ber);
  return value;
}

using ber::integer;

using vq_testing::real;
using vq_testing::seq;

// Every integer form: what the builder writes, and that it reads back.
TEST(Asn1ValueTest, IntegersEncodeMinimallyAndReadBack) {
  enum Kind { kSigned, kUnsigned, kEnumerated };
  const std::tuple<Kind, long, const char*> cases[] = {
      {kSigned, 0, "02 01 00"},
      {kSigned, -1, "02 01 ff"},
      {kSigned, 127, "02 01 7f"},
      {kSigned, 128, "02 02 00 80"},
      {kSigned, -128, "02 01 80"},
      {kSigned, -129, "02 02 ff 7f"},
      {kSigned, LONG_MAX, "02 08 7f ff ff ff ff ff ff ff"},
      {kSigned, LONG_MIN, "02 08 80 00 00 00 00 00 00 00"},
      {kUnsigned, 128, "02 02 00 80"},
      {kUnsigned, -1, "02 09 00 ff ff ff ff ff ff ff ff"},  // ULONG_MAX
      {kUnsigned, LONG_MIN, "02 09 00 80 00 00 00 00 00 00 00"},
      {kEnumerated, -3, "0a 01 fd"},
  };
  for (const auto& [kind, number, der] : cases) {
    SCOPED_TRACE(der);
    Asn1Value value;
    long back = 42;
    unsigned long unsigned_back = 42;
    switch (kind) {
      case kSigned:
        value.encode_int(number);
        ASSERT_TRUE(decoded(bytes(der)).decode_int(back));
        break;
      case kUnsigned:
        value.encode_unsigned(static_cast<unsigned long>(number), TAG_INT);
        ASSERT_TRUE(decoded(bytes(der)).decode_unsigned(unsigned_back));
        back = static_cast<long>(unsigned_back);
        break;
      case kEnumerated:
        value.encode_enum(number);
        ASSERT_TRUE(decoded(bytes(der)).decode_enum(back));
        break;
    }
    EXPECT_EQ(value.encode().str(), bytes(der));
    EXPECT_EQ(back, number);
  }
}

TEST(Asn1ValueTest, IntegersThatDoNotFitAreRefusedNotTruncated) {
  long v = 7;
  unsigned long u = 7;
  // 2^63 needs nine octets as a signed number.
  const Asn1Value big = decoded(bytes("02 09 00 80 00 00 00 00 00 00 00"));
  EXPECT_FALSE(big.decode_int(v));
  EXPECT_TRUE(big.decode_unsigned(u));
  EXPECT_FALSE(decoded(bytes("02 09 ff 7f ff ff ff ff ff ff ff")).decode_int(v));
  EXPECT_FALSE(decoded(bytes("02 0a 01 00 00 00 00 00 00 00 00 00")).decode_unsigned(u));
  EXPECT_FALSE(decoded(bytes("02 01 ff")).decode_unsigned(u));
  EXPECT_FALSE(decoded(bytes("02 00")).decode_int(v));
  EXPECT_FALSE(decoded(bytes("02 00")).decode_unsigned(u));
  EXPECT_EQ(v, 7);
  EXPECT_EQ(u, 1ul << 63);
  // Redundant sign octets are read, not refused.
  ASSERT_TRUE(decoded(bytes("02 0a ff ff ff ff ff ff ff ff ff fe")).decode_int(v));
  EXPECT_EQ(v, -2);
}

// The canonical form where one is given, and every value back bit for bit.
TEST(Asn1ValueTest, RealsUseTheCanonicalFormsAndRoundTripBitExactly) {
  const std::tuple<double, const char*> cases[] = {
      {0.0, "09 00"},
      {-0.0, "09 01 43"},
      {std::numeric_limits<double>::infinity(), "09 01 40"},
      {-std::numeric_limits<double>::infinity(), "09 01 41"},
      {1.0, "09 03 80 00 01"},
      {-1.0, "09 03 c0 00 01"},
      {0.5, "09 03 80 ff 01"},
      {3.0, "09 03 80 00 03"},
      {1024.0, "09 03 80 0a 01"},
      {std::numeric_limits<double>::denorm_min(), "09 04 81 fb ce 01"},
      {-1234.5678, nullptr},
      {std::numeric_limits<double>::min(), nullptr},
      {-std::numeric_limits<double>::denorm_min() * 3, nullptr},
  };
  for (const auto& [number, der] : cases) {
    SCOPED_TRACE(number);
    const Asn1Value value = real(number);
    if (der != nullptr) {
      EXPECT_EQ(value.encode().str(), bytes(der));
    }
    double back = 99;
    ASSERT_TRUE(decoded(value.encode().str()).decode_real(back));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(number)) << back;
  }
  const Asn1Value nan = real(std::nan(""));
  EXPECT_EQ(nan.encode().str(), bytes("09 01 42"));
  double back = 0;
  ASSERT_TRUE(nan.decode_real(back));
  EXPECT_TRUE(std::isnan(back));
}

TEST(Asn1ValueTest, RealsInOtherFormsAreReadOrRefused) {
  const std::tuple<const char*, bool, double> cases[] = {
      // Decimal: NR1, NR2 (either mark), NR3.
      {"09 04 01 2d 31 32", true, -12},
      {"09 05 02 33 2e 32 35", true, 3.25},
      {"09 06 03 31 2e 35 45 33", true, 1500},
      {"09 07 03 32 35 65 2d 32 00", false, 0},
      {"09 04 01 31 2e 35", false, 0},           // NR1 has no mark
      {"09 02 04 31", false, 0},                 // no such form
      {"09 07 03 31 45 39 39 39 39", false, 0},  // out of range
      // Binary in bases 8 and 16, with a scale factor, with a long exponent.
      {"09 03 90 01 03", true, 24},
      {"09 03 a0 ff 01", true, 0.0625},
      {"09 03 84 01 03", true, 12},  // scale factor 1
      {"09 05 83 01 00 00 01", true, 1},
      {"09 03 b0 00 01", false, 0},     // base 3 is reserved
      {"09 02 81 00", false, 0},        // truncated exponent
      {"09 04 81 04 00 01", false, 0},  // 2^1024 overflows
      {"09 04 81 fb cd 01", false, 0},  // 2^-1075 underflows
      // 2^54 - 1 needs 54 significant bits.
      {"09 09 80 00 3f ff ff ff ff ff ff", false, 0},
      // Specials with extra octets, and unknown specials.
      {"09 02 40 00", false, 0},
      {"09 01 44", false, 0},
  };
  for (const auto& [der, ok, expected] : cases) {
    double value = -7;
    EXPECT_EQ(decoded(bytes(der)).decode_real(value), ok) << der;
    EXPECT_EQ(value, ok ? expected : -7) << der;
  }
}

TEST(Asn1ValueTest, OtherPrimitivesEncodeAndReadBack) {
  Asn1Value v;
  v.encode_boolean(true);
  EXPECT_EQ(v.encode().str(), bytes("01 01 ff"));
  bool b = false;
  ASSERT_TRUE(v.decode_boolean(b));
  EXPECT_TRUE(b);
  v.encode_boolean(false);
  EXPECT_EQ(v.encode().str(), bytes("01 01 00"));
  ASSERT_TRUE(decoded(bytes("01 01 01")).decode_boolean(b));
  EXPECT_TRUE(b);

  v.encode_null();
  EXPECT_EQ(v.encode().str(), bytes("05 00"));
  EXPECT_TRUE(v.decode_null());

  ASSERT_TRUE(v.encode_oid(Oid("1.3.6.1")));
  EXPECT_EQ(v.encode().str(), bytes("06 03 2b 06 01"));
  Oid oid;
  ASSERT_TRUE(v.decode_oid(oid));
  EXPECT_EQ(oid, Oid("1.3.6.1"));
  EXPECT_FALSE(v.encode_oid(Oid()));
  EXPECT_EQ(v.tag(), TAG_OID) << "an invalid Oid leaves the value alone";

  v.encode_octets("abc", TAG_GRAPHSTR);
  EXPECT_EQ(v.encode().str(), bytes("19 03 61 62 63"));
  std::string text;
  ASSERT_TRUE(v.decode_octets(text));
  EXPECT_EQ(text, "abc");
  v.encode_octets(std::string_view());
  EXPECT_EQ(v.encode().str(), bytes("04 00"));
  v.encode_octets(DataUnit("xy"), TAG_PRINTSTR);
  EXPECT_EQ(v.encode().str(), bytes("13 02 78 79"));
}

TEST(Asn1ValueTest, LengthsAndTagNumbersUseLongFormsWhenNeeded) {
  const std::tuple<std::size_t, const char*> lengths[] = {
      {0, "04 00"},         {127, "04 7f"},         {128, "04 81 80"},         {255, "04 81 ff"},
      {256, "04 82 01 00"}, {65535, "04 82 ff ff"}, {65536, "04 83 01 00 00"},
  };
  for (const auto& [length, header] : lengths) {
    Asn1Value value;
    value.encode_octets(std::string(length, 'x'));
    const DataUnit der = value.encode();
    EXPECT_EQ(der.str().substr(0, der.size() - length), bytes(header)) << length;
    EXPECT_EQ(decoded(der.str()), value);
  }
  const std::tuple<Asn1Tag, const char*> tags[] = {
      {Asn1Tag(2, 30), "9e 01 05"},
      {Asn1Tag(2, 31), "9f 1f 01 05"},
      {Asn1Tag(1, 127), "5f 7f 01 05"},
      {Asn1Tag(1, 200), "5f 81 48 01 05"},
      {Asn1Tag(3, 0xffffffff), "df 8f ff ff ff 7f 01 05"},
  };
  for (const auto& [tag, der] : tags) {
    EXPECT_EQ(integer(5, tag).encode().str(), bytes(der));
    const Asn1Value back = decoded(bytes(der));
    EXPECT_EQ(back.tag(), tag);
    long v = 0;
    ASSERT_TRUE(back.decode_int(v)) << "implicitly tagged integers read as integers";
    EXPECT_EQ(v, 5);
  }
}

TEST(Asn1ValueTest, ConstructedValuesAndTagging) {
  Asn1Value set;
  set.start_construct(TAG_SET);
  const Asn1Value outer = seq({integer(1), set});
  EXPECT_EQ(outer.encode().str(), bytes("30 05 02 01 01 31 00"));

  Asn1Value tagged = outer;
  tagged.make_explicit_tagged(Asn1Tag(2, 0));
  EXPECT_EQ(tagged.encode().str(), bytes("a0 07 30 05 02 01 01 31 00"));
  EXPECT_EQ(tagged.first_component(), outer);

  Asn1Value implicit = outer;
  implicit.set_tag(Asn1Tag(2, 1));
  EXPECT_EQ(implicit.encode().str(), bytes("a1 05 02 01 01 31 00"));
  EXPECT_TRUE(implicit.is_constructed());

  Asn1Value null;
  null.make_explicit_tagged(Asn1Tag(2, 0));
  null.set_tag(Asn1Tag(2, 0));
  EXPECT_TRUE(null.is_null());
  // A SET OF in DER would be sorted; here the application's order is kept.
  const Asn1Value set_of = vq_testing::set({integer(3), integer(1), integer(2)});
  EXPECT_EQ(set_of.encode().str(), bytes("31 09 02 01 03 02 01 01 02 01 02"));
}

TEST(Asn1ValueTest, AddComponentRefusesWhatCannotHoldOrBeHeld) {
  Asn1Value primitive = integer(1);
  EXPECT_FALSE(primitive.add_component(integer(2)));
  Asn1Value null;
  EXPECT_FALSE(null.add_component(integer(2)));
  Asn1Value empty = seq({});
  EXPECT_FALSE(empty.add_component(Asn1Value()));
  EXPECT_EQ(empty.num_comps(), 0u);
}

TEST(Asn1ValueTest, ComponentWalking) {
  const Asn1Value value = decoded(bytes("30 0e 02 01 01 a3 03 05 01 00 04 00 a3 02 05 00"));
  ASSERT_EQ(value.num_comps(), 4u);
  std::vector<Asn1Tag> tags;
  for (Asn1Value c = value.first_component(); c; c = c.next_component()) tags.push_back(c.tag());
  EXPECT_EQ(tags, (std::vector<Asn1Tag>{TAG_INT, Asn1Tag(2, 3), TAG_OCTSTR, Asn1Tag(2, 3)}));
  EXPECT_EQ(value.component(2).tag(), TAG_OCTSTR);
  EXPECT_TRUE(value.component(4).is_null());
  // The first of two components with the tag; it holds a NULL with contents.
  const Asn1Value tagged = value.tagged_component(Asn1Tag(2, 3));
  ASSERT_FALSE(!tagged);
  EXPECT_FALSE(tagged.first_component().decode_null());
  EXPECT_TRUE(value.tagged_component(TAG_BOOL).is_null());
  // The last components, the root, primitives and the null value have no further ones.
  EXPECT_TRUE(tagged.first_component().next_component().is_null());
  EXPECT_TRUE(value.next_component().is_null());
  EXPECT_TRUE(value.first_component().first_component().is_null());
  EXPECT_EQ(Asn1Value().num_comps(), 0u);
}

TEST(Asn1ValueTest, ReadersRefuseTheWrongKindForm) {
  const Asn1Value octets = decoded(bytes("04 01 05"));
  const Asn1Value seq = decoded(bytes("30 03 02 01 05"));
  const Asn1Value app_int = decoded(bytes("43 01 05"));
  const Asn1Value constructed_int = decoded(bytes("22 03 02 01 05"));
  long v = 0;
  bool b = false;
  double d = 0;
  Oid oid;
  DataUnit du;
  EXPECT_FALSE(octets.decode_int(v));
  EXPECT_FALSE(constructed_int.decode_int(v));
  EXPECT_TRUE(app_int.decode_int(v));
  EXPECT_FALSE(decoded(bytes("02 01 05")).decode_octets(du));
  EXPECT_TRUE(app_int.decode_octets(du));
  EXPECT_EQ(du.str(), "\x05");
  EXPECT_FALSE(seq.decode_octets(du));
  EXPECT_FALSE(Asn1Value().decode_octets(du));
  EXPECT_FALSE(octets.decode_boolean(b));
  EXPECT_FALSE(decoded(bytes("01 02 ff ff")).decode_boolean(b));
  EXPECT_FALSE(decoded(bytes("01 00")).decode_boolean(b));
  EXPECT_FALSE(decoded(bytes("05 01 00")).decode_null());
  EXPECT_FALSE(decoded(bytes("04 00")).decode_null());
  EXPECT_TRUE(decoded(bytes("80 00")).decode_null());
  EXPECT_FALSE(Asn1Value().decode_null());
  EXPECT_FALSE(octets.decode_real(d));
  EXPECT_FALSE(octets.decode_oid(oid));
  EXPECT_FALSE(decoded(bytes("06 02 2b 86")).decode_oid(oid));
  EXPECT_FALSE(oid.valid());
}

TEST(Asn1ValueTest, DecodedContentsShareTheInput) {
  const DataUnit ber(bytes("30 08 04 03 61 62 63 0c 01 7a"));
  Asn1Value value;
  ASSERT_TRUE(Asn1Value::decode(ber, value).ok());
  DataUnit text;
  ASSERT_TRUE(value.first_component().decode_octets(text));
  EXPECT_EQ(text.str(), "abc");
  EXPECT_EQ(text.data(), ber.data() + 4);
  ASSERT_TRUE(value.component(1).decode_octets(text));
  EXPECT_STREQ(text.chp(), "z");
}

// Valid DER comes back byte for byte; other BER comes back as its DER.
TEST(Asn1ValueTest, DecodedValuesReencodeAsDer) {
  // canonical: "" when the input is DER already
  const std::tuple<const char*, const char*> cases[] = {
      {"31 06 02 01 03 02 01 01", ""},
      {"30 0d 06 03 2b 06 01 a0 06 30 04 0c 02 68 69", ""},
      {"7f 81 00 03 04 01 00", ""},
      {"30 80 02 01 05 00 00", "30 03 02 01 05"},
      {"30 80 30 80 00 00 04 81 01 61 00 00", "30 05 30 00 04 01 61"},
      {"04 82 00 02 61 62", "04 02 61 62"},
      {"24 80 04 01 61 04 01 62 00 00", "24 06 04 01 61 04 01 62"},
  };
  for (const auto& [ber, canonical] : cases) {
    const std::string der = bytes(*canonical != '\0' ? canonical : ber);
    const Asn1Value value = decoded(bytes(ber));
    EXPECT_EQ(value.encode().str(), der) << ber;
    EXPECT_EQ(decoded(der), value) << ber;
  }
  const std::string long_der = bytes("30 81 81 04 7f") + std::string(127, 'q');
  EXPECT_EQ(decoded(long_der).encode().str(), long_der);
}

TEST(Asn1ValueTest, DecodeErrorsSayWhatAndWhere) {
  const std::tuple<std::string, const char*> cases[] = {
      {"", "no value in empty input at offset 0"},
      {bytes("30"), "truncated length at offset 0"},
      {bytes("30 03 02 01"), "length 3 exceeds the 2 bytes that remain at offset 0"},
      {bytes("30 04 02 03 05 06"), "length 3 exceeds the 2 bytes that remain at offset 2"},
      {bytes("1f"), "truncated tag number at offset 0"},
      {bytes("1f 80 01 00"), "tag number with a leading zero octet at offset 0"},
      {bytes("1f 1e 00"), "tag number below 31 in the long form at offset 0"},
      {bytes("1f 90 80 80 80 00 00"), "tag number too large at offset 0"},
      {bytes("04 80 00 00"), "indefinite length on a primitive value at offset 0"},
      {bytes("04 ff"), "reserved length octet 0xff at offset 0"},
      {bytes("04 83 01 00"), "truncated length at offset 0"},
      {bytes("04 89 01 00 00 00 00 00 00 00 00"), "length too large at offset 0"},
      {bytes("30 05 30 80 02 01 05"), "missing end-of-contents for the value at offset 2"},
      {bytes("00 00"), "unexpected end-of-contents octets at offset 0"},
      {bytes("30 80 20 00 00 00"), "unexpected end-of-contents octets at offset 2"},
      {bytes("05 00 05 00"), "trailing bytes after the value at offset 2"},
      // A huge claimed length is refused before anything is allocated for it.
      {bytes("04 88 7f ff ff ff ff ff ff ff 00"),
       "length 9223372036854775807 exceeds the 1 bytes that remain at offset 0"},
  };
  for (const auto& [ber, message] : cases) {
    Asn1Value value = integer(9);
    const Status status = Asn1Value::decode(DataUnit(ber), value);
    EXPECT_FALSE(status.ok()) << testing::PrintToString(ber);
    EXPECT_EQ(status.message(), message) << testing::PrintToString(ber);
    EXPECT_EQ(value, integer(9)) << "failed decode leaves the value unchanged";
  }
}

std::string nested(int levels, const std::string& inner, bool indefinite) {
  std::string ber = inner;
  for (int i = 0; i < levels; ++i) {
    if (indefinite) {
      ber = "\x30\x80" + ber + std::string(2, '\0');
    } else {
      ber = std::string("\x30", 1) + static_cast<char>(0x80 | 2) +
            static_cast<char>(ber.size() >> 8) + static_cast<char>(ber.size() & 0xff) + ber;
    }
  }
  return ber;
}

TEST(Asn1ValueTest, NestingIsLimitedTo64Levels) {
  for (const bool indefinite : {false, true}) {
    Asn1Value value;
    EXPECT_TRUE(Asn1Value::decode(DataUnit(nested(64, "", indefinite)), value).ok());
    EXPECT_TRUE(Asn1Value::decode(DataUnit(nested(63, bytes("02 01 05"), indefinite)), value).ok());
    const Status deep =
        Asn1Value::decode(DataUnit(nested(64, bytes("02 01 05"), indefinite)), value);
    EXPECT_EQ(deep.message(), "nesting deeper than 64 levels at offset " +
                                  std::to_string(64 * (indefinite ? 2 : 4)));
    EXPECT_FALSE(Asn1Value::decode(DataUnit(nested(1000, "", indefinite)), value).ok());
  }
}

TEST(Asn1ValueTest, ConsumedAllowsValuesBackToBack) {
  const DataUnit ber(bytes("02 01 05 30 80 05 00 00 00 ff"));
  Asn1Value first, second;
  std::size_t used = 0;
  ASSERT_TRUE(Asn1Value::decode(ber, first, &used).ok());
  EXPECT_EQ(used, 3u);
  ASSERT_TRUE(Asn1Value::decode(ber.slice(used), second, &used).ok());
  EXPECT_EQ(used, 6u);
  EXPECT_EQ(second, seq({ber::null_value()}));
}

TEST(Asn1ValueTest, CopiesAreIndependent) {
  const Asn1Value original = seq({integer(1), seq({integer(2)})});
  const std::string before = original.encode().str();

  Asn1Value copy = original;
  ASSERT_TRUE(copy.add_component(integer(3)));
  copy.set_tag(TAG_SET);
  EXPECT_EQ(original.encode().str(), before);
  EXPECT_EQ(copy.num_comps(), 3u);

  // A component taken out and changed becomes a value of its own.
  Asn1Value inner = original.component(1);
  ASSERT_TRUE(inner.add_component(integer(4)));
  EXPECT_EQ(inner.encode().str(), bytes("30 06 02 01 02 02 01 04"));
  // So is one of a decoded value; the added component follows the ones it had.
  Asn1Value decoded_inner = decoded(bytes("30 08 02 01 01 30 03 02 01 02")).component(1);
  ASSERT_TRUE(decoded_inner.add_component(integer(4)));
  EXPECT_EQ(decoded_inner.component(1), integer(4));
  EXPECT_TRUE(inner.next_component().is_null());
  EXPECT_EQ(original.encode().str(), before);

  // Adding a value to itself, or one of its own components.
  Asn1Value self = seq({integer(1)});
  ASSERT_TRUE(self.add_component(self));
  EXPECT_EQ(self.encode().str(), bytes("30 08 02 01 01 30 03 02 01 01"));
  ASSERT_TRUE(self.add_component(self.first_component()));
  EXPECT_EQ(self.num_comps(), 3u);
}

TEST(Asn1ValueTest, EqualityIsStructural) {
  EXPECT_EQ(Asn1Value(), Asn1Value());
  EXPECT_NE(Asn1Value(), integer(0));
  EXPECT_EQ(integer(5), decoded(bytes("02 01 05")));
  EXPECT_NE(integer(5), integer(5, TAG_ENUM));
  EXPECT_NE(integer(5), integer(6));
  // Same bytes below, different shapes.
  EXPECT_NE(decoded(bytes("30 07 30 03 02 01 05 30 00")),
            decoded(bytes("30 07 30 00 30 03 02 01 05")));
  EXPECT_NE(decoded(bytes("30 00")), decoded(bytes("10 00")));
  EXPECT_EQ(decoded(bytes("30 06 02 01 01 02 01 02")).component(1), integer(2));
}

TEST(Asn1ValueTest, PrintsAReadableDebugFormAndTags) {
  Asn1Value oid, text, binary, boolean, odd;
  ASSERT_TRUE(oid.encode_oid(Oid("1.3.6.1")));
  text.encode_octets("say \"hi\"", TAG_GRAPHSTR);
  binary.encode_octets(std::string_view("\x01\xff", 2));
  boolean.encode_boolean(true);
  odd.encode_octets(std::string_view("\x05", 1), Asn1Tag(2, 4));
  Asn1Value tagged = seq({ber::null_value()});
  tagged.make_explicit_tagged(Asn1Tag(2, 0));
  const Asn1Value value =
      seq({integer(-5), oid, real(2.5), text, binary, boolean, seq({}), tagged, odd});
  EXPECT_EQ(printed(value),
            "SEQUENCE { INTEGER -5, OBJECT IDENTIFIER 1.3.6.1, REAL 2.5, "
            "GraphicString \"say \\\"hi\\\"\", OCTET STRING '01FF'H, BOOLEAN TRUE, SEQUENCE { }, "
            "[0] { SEQUENCE { NULL } }, [4] '05'H }");
  EXPECT_EQ(printed(Asn1Value()), "<null>");
  EXPECT_EQ(printed(Asn1Tag(1, 4)) + printed(Asn1Tag(3, 5)) + printed(Asn1Tag(0, 15)),
            "[APPLICATION 4][PRIVATE 5][UNIVERSAL 15]");
  static_assert(Asn1Tag(2, 7).tag_class() == Asn1Tag::CONTEXT && Asn1Tag(2, 7).number() == 7);
  static_assert(TAG_INT < TAG_SEQ && TAG_SEQ < Asn1Tag(1, 0));
}

// The reader walks values in document order with their depth and offset, gives primitive
// contents, and stops for good at the first error.
TEST(Asn1ReaderTest, WalksValuesInDocumentOrderAndStopsOnErrors) {
  const std::string ber = bytes("30 80 02 01 05 a0 03 04 01 61 00 00 04 01 62 30 05 02 01");
  Asn1Reader reader(ber);
  std::vector<std::string> seen;
  while (reader.next()) {
    std::ostringstream entry;
    entry << reader.tag() << " depth " << reader.depth() << " at " << reader.offset();
    if (!reader.is_constructed()) entry << ' ' << reader.contents();
    seen.push_back(entry.str());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"SEQUENCE depth 0 at 0", "INTEGER depth 1 at 2 \x05",
                                            "[0] depth 1 at 5", "OCTET STRING depth 2 at 7 a",
                                            "OCTET STRING depth 0 at 12 b"}));
  EXPECT_EQ(reader.status().message(), "length 5 exceeds the 2 bytes that remain at offset 15");
  EXPECT_FALSE(reader.next()) << "stays stopped";

  const std::string two = bytes("02 01 05 ff");
  Asn1Reader one(two, /*one_value=*/true);
  EXPECT_TRUE(one.next());
  EXPECT_EQ(one.content_offset(), 2u);
  EXPECT_FALSE(one.next());
  EXPECT_TRUE(one.status().ok());
  EXPECT_EQ(one.position(), 3u);
}

}  // namespace
}  // namespace hvx
