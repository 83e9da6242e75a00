// Asn1Tag: the class and number that identify an ASN.1 value's type in BER, and the
// universal tags by name.
#ifndef HVX_ASN1_TAG_H_
#define HVX_ASN1_TAG_H_

#include <compare>
#include <cstdint>
#include <iosfwd>

namespace hvx {

class Asn1Tag {
 public:
  enum Class : std::uint8_t { UNIVERSAL = 0, APPLICATION = 1, CONTEXT = 2, PRIVATE = 3 };

  // Universal 0, the tag no value has: it stands for "no tag".
  constexpr Asn1Tag() = default;
  // Class 0 to 3 (only the low two bits count) and number.
  constexpr Asn1Tag(unsigned tag_class, std::uint32_t number)
      : number_(number), class_(static_cast<std::uint8_t>(tag_class & 3)) {}

  constexpr Class tag_class() const { return static_cast<Class>(class_); }
  constexpr std::uint32_t number() const { return number_; }
  constexpr bool is_universal() const { return class_ == UNIVERSAL; }

  constexpr bool operator==(const Asn1Tag& other) const = default;
  // By class, then number.
  constexpr std::strong_ordering operator<=>(const Asn1Tag& other) const {
    if (auto c = class_ <=> other.class_; c != 0) return c;
    return number_ <=> other.number_;
  }

 private:
  std::uint32_t number_ = 0;
  std::uint8_t class_ = 0;
};

// Universal types by name ("INTEGER", "SEQUENCE"), "[n]" for context tags,
// "[APPLICATION n]", "[PRIVATE n]" and "[UNIVERSAL n]" for the rest.
std::ostream& operator<<(std::ostream& out, const Asn1Tag& tag);

inline constexpr Asn1Tag TAG_BOOL{0, 1};
inline constexpr Asn1Tag TAG_INT{0, 2};
inline constexpr Asn1Tag TAG_BITSTR{0, 3};
inline constexpr Asn1Tag TAG_OCTSTR{0, 4};
inline constexpr Asn1Tag TAG_NULL{0, 5};
inline constexpr Asn1Tag TAG_OID{0, 6};
inline constexpr Asn1Tag TAG_OBJDESC{0, 7};
inline constexpr Asn1Tag TAG_EXTERNAL{0, 8};
inline constexpr Asn1Tag TAG_REAL{0, 9};
inline constexpr Asn1Tag TAG_ENUM{0, 10};
inline constexpr Asn1Tag TAG_UTF8STR{0, 12};
inline constexpr Asn1Tag TAG_RELOID{0, 13};
inline constexpr Asn1Tag TAG_SEQ{0, 16};
inline constexpr Asn1Tag TAG_SET{0, 17};
inline constexpr Asn1Tag TAG_NUMSTR{0, 18};
inline constexpr Asn1Tag TAG_PRINTSTR{0, 19};
inline constexpr Asn1Tag TAG_T61STR{0, 20};
inline constexpr Asn1Tag TAG_VIDEOTEXSTR{0, 21};
inline constexpr Asn1Tag TAG_IA5STR{0, 22};
inline constexpr Asn1Tag TAG_UTCTIME{0, 23};
inline constexpr Asn1Tag TAG_GENTIME{0, 24};
inline constexpr Asn1Tag TAG_GRAPHSTR{0, 25};
inline constexpr Asn1Tag TAG_VISIBLESTR{0, 26};
inline constexpr Asn1Tag TAG_GENERALSTR{0, 27};
inline constexpr Asn1Tag TAG_UNIVERSALSTR{0, 28};
inline constexpr Asn1Tag TAG_BMPSTR{0, 30};

// True for OCTET STRING and the universal character-string and time types: the types
// whose contents are plain octets.
bool is_octet_string_type(Asn1Tag tag);

}  // namespace hvx

#endif  // HVX_ASN1_TAG_H_
