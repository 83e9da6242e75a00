// Small builders and readers over Asn1Value, for code that assembles BER values by hand:
// the server's replies, the client's requests, and tests that feed either side.
#ifndef HVX_BER_H_
#define HVX_BER_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "hvx/asn1.h"
#include "hvx/oid.h"

namespace hvx::ber {

inline Asn1Value constructed(Asn1Tag tag, int hint = 0) {
  Asn1Value value;
  value.start_construct(tag, hint);
  return value;
}
inline Asn1Value sequence() { return constructed(TAG_SEQ); }
inline Asn1Value set() { return constructed(TAG_SET); }

inline Asn1Value integer(long number, Asn1Tag tag = TAG_INT) {
  Asn1Value value;
  value.encode_int(number, tag);
  return value;
}
inline Asn1Value enumerated(long number) {
  Asn1Value value;
  value.encode_enum(number);
  return value;
}
inline Asn1Value octets(std::string_view bytes, Asn1Tag tag = TAG_OCTSTR) {
  Asn1Value value;
  value.encode_octets(bytes, tag);
  return value;
}
inline Asn1Value null_value() {
  Asn1Value value;
  value.encode_null();
  return value;
}
// Null when the identifier is invalid.
inline Asn1Value oid(const Oid& id, Asn1Tag tag = TAG_OID) {
  Asn1Value value;
  if (!value.encode_oid(id, tag)) return Asn1Value();
  return value;
}
inline Asn1Value explicit_tagged(const Asn1Value& inner, unsigned number) {
  Asn1Value value = inner;
  value.make_explicit_tagged(Asn1Tag(Asn1Tag::CONTEXT, number));
  return value;
}
inline Asn1Value retagged(const Asn1Value& inner, Asn1Tag tag) {
  Asn1Value value = inner;
  value.set_tag(tag);
  return value;
}

// A context-tagged constructed value holding exactly one component: its number and content.
inline bool explicit_content(const Asn1Value& value, unsigned& number, Asn1Value& inner) {
  const Asn1Tag tag = value.tag();
  if (value.is_null() || tag.tag_class() != Asn1Tag::CONTEXT || !value.is_constructed() ||
      value.num_comps() != 1) {
    return false;
  }
  number = tag.number();
  inner = value.first_component();
  return true;
}

inline bool read_oid(const Asn1Value& value, Oid& out) { return value.decode_oid(out); }

// Appends the definite length octets of `length`, in the shortest form, for code that
// writes a value's header around contents it already holds.
inline void append_length(std::string& out, std::size_t length) {
  if (length < 0x80) {
    out.push_back(static_cast<char>(length));
    return;
  }
  int count = 0;
  for (std::size_t n = length; n != 0; n >>= 8) ++count;
  out.push_back(static_cast<char>(0x80 | count));
  while (count > 0) out.push_back(static_cast<char>(length >> (8 * --count)));
}

}  // namespace hvx::ber

#endif  // HVX_BER_H_
