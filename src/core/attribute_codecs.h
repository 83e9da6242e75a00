// The typed pieces attribute-table rows are made of: printers, equalities and resets of
// one field, and codecs between a field and a server attribute's ASN.1 value. Each is
// instantiated with a pointer to the field it works on.
#ifndef DEDAVUZ_CORE_ATTRIBUTE_CODECS_H_
#define DEDAVUZ_CORE_ATTRIBUTE_CODECS_H_

#include <ostream>
#include <string>
#include <string_view>

#include "dedavuz_api/error.h"
#include "hvx/asn1.h"
#include "hvx/ber.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/platform.h"

template <auto Field>
struct VQFieldOf;
template <typename R, typename T, T R::*F>
struct VQFieldOf<F> {
  using Rep = R;
  using Type = T;
};
template <auto F>
using VQRepOf = typename VQFieldOf<F>::Rep;
template <auto F>
using VQTypeOf = typename VQFieldOf<F>::Type;

inline hvx::DataUnit vq_du(const std::string& text) {
  return hvx::DataUnit(std::string_view(text));
}

inline hvx::Asn1Value vq_real(double d) {
  hvx::Asn1Value value;
  value.encode_real(d);
  return value;
}

inline hvx::Asn1Value vq_text(const std::string& text) {
  return hvx::ber::octets(text, hvx::TAG_GRAPHSTR);
}

// The primitive forms of the value types: GraphicString, INTEGER, REAL.
inline hvx::Asn1Value vq_asn1(const std::string& text) { return vq_text(text); }
inline hvx::Asn1Value vq_asn1(long n) { return hvx::ber::integer(n); }
inline hvx::Asn1Value vq_asn1(double d) { return vq_real(d); }
inline hvx::Asn1Value vq_asn1(unsigned long n) {
  hvx::Asn1Value value;
  value.encode_unsigned(n);
  return value;
}
inline bool vq_from_asn1(const hvx::Asn1Value& value, std::string& out) {
  return value.decode_octets(out);
}
inline bool vq_from_asn1(const hvx::Asn1Value& value, long& out) { return value.decode_int(out); }
inline bool vq_from_asn1(const hvx::Asn1Value& value, double& out) {
  return value.decode_real(out);
}
inline bool vq_from_asn1(const hvx::Asn1Value& value, unsigned long& out) {
  return value.decode_unsigned(out);
}

// A constructed value of `tag`.
inline bool vq_is(const hvx::Asn1Value& value, hvx::Asn1Tag tag) {
  return !value.is_null() && value.tag() == tag && value.is_constructed();
}

// Stages `value` in `mode` through a Morf of the attribute's syntax.
inline bool vq_write_value(hvx::Image& image, const std::string& attribute,
                           const hvx::Asn1Value& value, int mode = hvx::REPLACE) {
  hvx::Morf morf(attribute, hvx::Platform::def_platform);
  return morf.set_value(value) && image.set_raw(vq_du(attribute), morf, mode);
}

inline VQStatus vq_written(bool written, const std::string& error) {
  return written ? VQStatus::success : VQStatus(VQStatus::Code::encode_error, error);
}

// Printers: "<label><value>", a list entry by entry, a flag as TRUE or FALSE, an optional
// value as NULL while its flag says absent.
template <auto F>
void vq_print_value(std::ostream& os, const std::string& label, const VQRepOf<F>& rep) {
  os << label << rep.*F << '\n';
}
template <auto F>
void vq_print_list(std::ostream& os, const std::string& label, const VQRepOf<F>& rep) {
  (rep.*F).print(os, label);
}
template <auto F>
void vq_print_flag(std::ostream& os, const std::string& label, const VQRepOf<F>& rep) {
  os << label << (rep.*F ? "TRUE" : "FALSE") << '\n';
}
template <auto F, auto Absent>
void vq_print_optional(std::ostream& os, const std::string& label, const VQRepOf<F>& rep) {
  os << label;
  if (rep.*Absent) {
    os << "NULL";
  } else {
    os << rep.*F;
  }
  os << '\n';
}

template <auto F>
bool vq_equal(const VQRepOf<F>& a, const VQRepOf<F>& b) {
  return a.*F == b.*F;
}
// Values flagged absent are equal whatever is stored beside the flag.
template <auto F, auto Absent>
bool vq_equal_optional(const VQRepOf<F>& a, const VQRepOf<F>& b) {
  if (a.*Absent != b.*Absent) return false;
  return a.*Absent || a.*F == b.*F;
}

template <auto F>
void vq_clear(VQRepOf<F>& rep) {
  (rep.*F).clear();
}

// A string: read through the image's string getter, sent as a GraphicString.
template <auto F>
VQStatus vq_decode_string(VQRepOf<F>& rep, const hvx::Morf& value, const std::string&) {
  rep.*F = value.get_str(0);
  return VQStatus::success;
}
template <auto F>
VQStatus vq_string_value(const VQRepOf<F>& rep, hvx::Asn1Value& out, const std::string&) {
  out = vq_text(rep.*F);
  return VQStatus::success;
}

// A number of any integral or enumerated kind as an INTEGER.
template <auto F>
VQStatus vq_decode_long(VQRepOf<F>& rep, const hvx::Morf& value, const std::string&) {
  rep.*F = static_cast<VQTypeOf<F>>(value.get_long());
  return VQStatus::success;
}
template <auto F>
VQStatus vq_long_value(const VQRepOf<F>& rep, hvx::Asn1Value& out, const std::string&) {
  out = hvx::ber::integer(static_cast<long>(rep.*F));
  return VQStatus::success;
}

// Structured values go through an element codec E: `static hvx::Asn1Value encode(const T&)`
// and `static bool decode(const hvx::Asn1Value&, T&)`, false (output untouched) for a value
// not of its form.

// A list of elements in a constructed value of `Tag`. Anything but such a value decodes as
// the empty list; an element of another form is refused with code 1.
template <auto F, const hvx::Asn1Tag& Tag, typename E>
VQStatus vq_decode_list(VQRepOf<F>& rep, const hvx::Morf& value, const std::string& error) {
  auto& list = rep.*F;
  list.clear();
  const hvx::Asn1Value& v = value.get_value();
  if (value.num_elements() == 0 || !vq_is(v, Tag)) return VQStatus::success;
  for (hvx::Asn1Value item = v.first_component(); !item.is_null(); item = item.next_component()) {
    typename VQTypeOf<F>::value_type element;
    if (!E::decode(item, element)) return VQStatus(VQStatus::Code::hvx_error, error);
    list.append(element);
  }
  return VQStatus::success;
}
template <auto F, const hvx::Asn1Tag& Tag, typename E>
VQStatus vq_list_value(const VQRepOf<F>& rep, hvx::Asn1Value& out, const std::string&) {
  out = hvx::ber::constructed(Tag);
  for (const auto& element : rep.*F) out.add_component(E::encode(element));
  return VQStatus::success;
}

// One structured value; a value of another form is refused with code 1.
template <auto F, typename E>
VQStatus vq_decode_struct(VQRepOf<F>& rep, const hvx::Morf& value, const std::string& error) {
  if (!E::decode(value.get_value(), rep.*F)) return VQStatus(VQStatus::Code::hvx_error, error);
  return VQStatus::success;
}
template <auto F, typename E>
VQStatus vq_struct_value(const VQRepOf<F>& rep, hvx::Asn1Value& out, const std::string&) {
  out = E::encode(rep.*F);
  return VQStatus::success;
}

// A structured value or NULL, with the flag saying which.
template <auto F, auto Absent, typename E>
VQStatus vq_decode_optional(VQRepOf<F>& rep, const hvx::Morf& value, const std::string& error) {
  rep.*Absent = value.get_value().decode_null();
  if (rep.*Absent) return VQStatus::success;
  return vq_decode_struct<F, E>(rep, value, error);
}
template <auto F, auto Absent, typename E>
VQStatus vq_optional_value(const VQRepOf<F>& rep, hvx::Asn1Value& out, const std::string&) {
  out = rep.*Absent ? hvx::ber::null_value() : E::encode(rep.*F);
  return VQStatus::success;
}

// A value type of two members as SEQUENCE { A, B }: an element codec.
template <auto A, auto B>
struct VQPairCodec {
  using Pair = VQRepOf<A>;
  static hvx::Asn1Value encode(const Pair& pair) {
    hvx::Asn1Value value = hvx::ber::sequence();
    value.add_component(vq_asn1(pair.*A));
    value.add_component(vq_asn1(pair.*B));
    return value;
  }
  static bool decode(const hvx::Asn1Value& value, Pair& out) {
    Pair pair = out;
    if (!vq_is(value, hvx::TAG_SEQ) || !vq_from_asn1(value.first_component(), pair.*A) ||
        !vq_from_asn1(value.first_component().next_component(), pair.*B)) {
      return false;
    }
    out = pair;
    return true;
  }
};

#endif  // DEDAVUZ_CORE_ATTRIBUTE_CODECS_H_
