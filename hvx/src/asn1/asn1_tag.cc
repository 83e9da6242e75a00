#include "hvx/asn1_tag.h"

#include <array>
#include <ostream>

namespace hvx {

namespace {

constexpr std::array<const char*, 31> kUniversalNames = {
    nullptr,
    "BOOLEAN",
    "INTEGER",
    "BIT STRING",
    "OCTET STRING",
    "NULL",
    "OBJECT IDENTIFIER",
    "ObjectDescriptor",
    "EXTERNAL",
    "REAL",
    "ENUMERATED",
    "EMBEDDED PDV",
    "UTF8String",
    "RELATIVE-OID",
    nullptr,
    nullptr,
    "SEQUENCE",
    "SET",
    "NumericString",
    "PrintableString",
    "TeletexString",
    "VideotexString",
    "IA5String",
    "UTCTime",
    "GeneralizedTime",
    "GraphicString",
    "VisibleString",
    "GeneralString",
    "UniversalString",
    "CHARACTER STRING",
    "BMPString",
};

}  // namespace

bool is_octet_string_type(Asn1Tag tag) {
  if (!tag.is_universal()) return false;
  const std::uint32_t n = tag.number();
  return n == 4 || n == 7 || n == 12 || (n >= 18 && n <= 28) || n == 30;
}

std::ostream& operator<<(std::ostream& out, const Asn1Tag& tag) {
  switch (tag.tag_class()) {
    case Asn1Tag::UNIVERSAL:
      if (tag.number() < kUniversalNames.size() && kUniversalNames[tag.number()] != nullptr) {
        return out << kUniversalNames[tag.number()];
      }
      return out << "[UNIVERSAL " << tag.number() << ']';
    case Asn1Tag::APPLICATION:
      return out << "[APPLICATION " << tag.number() << ']';
    case Asn1Tag::CONTEXT:
      return out << '[' << tag.number() << ']';
    case Asn1Tag::PRIVATE:
      return out << "[PRIVATE " << tag.number() << ']';
  }
  return out;
}

}  // namespace hvx
