// Readers of server attribute values in place from their BER, for the forms the server
// stores: a bulk read of many nodes then builds no value tree and checks no syntax per
// value. Each is a row's `plain` reader; a value of any other form gives false with the
// field left as it was, and goes to the row's codec, which reads the forms read here alike.
#ifndef DEDAVUZ_NODE_TOPO_NODE_PLAIN_VALUES_H_
#define DEDAVUZ_NODE_TOPO_NODE_PLAIN_VALUES_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "core/attribute_codecs.h"
#include "core/plain_ber.h"
#include "node/topo_node_codecs.h"

// Calls `each` on every value of `contents`; false when one is not plain or is refused.
template <typename Each>
bool vq_each_plain(std::string_view contents, Each each) {
  while (!contents.empty()) {
    VQPlainTlv element;
    if (!vq_take_plain(contents, element) || !each(element)) return false;
  }
  return true;
}

// The components of a SEQUENCE of exactly N values.
template <std::size_t N>
bool vq_plain_components(const VQPlainTlv& value, std::array<VQPlainTlv, N>& out) {
  if (value.identifier != kVQBerSequence) return false;
  std::string_view in = value.contents;
  for (VQPlainTlv& component : out) {
    if (!vq_take_plain(in, component)) return false;
  }
  return in.empty();
}

// The primitive forms: GraphicString, INTEGER, and INTEGER that is not negative.
inline bool vq_plain_read(const VQPlainTlv& value, std::string& out) {
  if (value.identifier != kVQBerGraphicString) return false;
  out.assign(value.contents);
  return true;
}
inline bool vq_plain_read(const VQPlainTlv& value, long& out) { return vq_plain_long(value, out); }
inline bool vq_plain_read(const VQPlainTlv& value, unsigned long& out) {
  long n = 0;
  if (!vq_plain_long(value, n) || n < 0) return false;
  out = static_cast<unsigned long>(n);
  return true;
}

// The structured forms, by their element codec.
template <typename E>
struct VQPlainElement;
template <auto A, auto B>
struct VQPlainElement<VQPairCodec<A, B>> {
  static bool read(const VQPlainTlv& value, VQRepOf<A>& out) {
    std::array<VQPlainTlv, 2> c;
    VQRepOf<A> pair = out;
    if (!vq_plain_components(value, c) || !vq_plain_read(c[0], pair.*A) ||
        !vq_plain_read(c[1], pair.*B)) {
      return false;
    }
    out = std::move(pair);
    return true;
  }
};
template <>
struct VQPlainElement<VQLocationCodec> {
  static bool read(const VQPlainTlv& value, VQTopoNode::Location& out) {
    std::array<VQPlainTlv, 3> c;
    return vq_plain_components(value, c) && vq_plain_long(c[0], out.x) &&
           vq_plain_long(c[1], out.y) && vq_plain_long(c[2], out.z);
  }
};

// A constructed value of `identifier` whose elements `read` makes into list entries; the
// list is replaced only when every element is read.
template <typename T, typename Read>
bool vq_plain_list_of(const VQPlainTlv& value, unsigned char identifier, VQList<T>& out,
                      Read read) {
  if (value.identifier != identifier) return false;
  std::size_t count = 0;
  if (!vq_each_plain(value.contents, [&count](const VQPlainTlv&) { return ++count != 0; })) {
    return false;
  }
  VQList<T> made;
  made.reserve(count);
  const bool read_all = vq_each_plain(value.contents, [&](const VQPlainTlv& element) {
    T entry;
    if (!read(element, entry)) return false;
    made.append(std::move(entry));
    return true;
  });
  if (!read_all) return false;
  out = std::move(made);
  return true;
}

inline bool vq_plain_null(const VQPlainTlv& value) {
  return value.identifier == kVQBerNull && value.contents.empty();
}

// Readers of one field.
template <auto F>
bool vq_plain_text(VQRepOf<F>& rep, const VQPlainTlv& value) {
  return vq_plain_read(value, rep.*F);
}
template <auto F>
bool vq_plain_number(VQRepOf<F>& rep, const VQPlainTlv& value) {
  long n = 0;
  if (!vq_plain_long(value, n)) return false;
  rep.*F = static_cast<VQTypeOf<F>>(n);
  return true;
}
template <auto F, typename E>
bool vq_plain_struct(VQRepOf<F>& rep, const VQPlainTlv& value) {
  return VQPlainElement<E>::read(value, rep.*F);
}
template <auto F, unsigned char Identifier, typename E>
bool vq_plain_list(VQRepOf<F>& rep, const VQPlainTlv& value) {
  return vq_plain_list_of(value, Identifier, rep.*F, VQPlainElement<E>::read);
}
// Lists of opaque entries are read in place only when empty.
template <auto F>
bool vq_plain_empty(VQRepOf<F>& rep, const VQPlainTlv& value) {
  if (value.identifier != kVQBerSet || !value.contents.empty()) return false;
  (rep.*F).clear();
  return true;
}
// Values of REALs are read in place only when absent.
template <auto Absent>
bool vq_plain_absent(VQRepOf<Absent>& rep, const VQPlainTlv& value) {
  if (!vq_plain_null(value)) return false;
  rep.*Absent = true;
  return true;
}

#endif  // DEDAVUZ_NODE_TOPO_NODE_PLAIN_VALUES_H_
