// The representation behind Asn1Value: a tree kept as one array of nodes in document
// order, so that every subtree is a contiguous run and encoding is one pass.
#ifndef HVX_SRC_ASN1_TREE_H_
#define HVX_SRC_ASN1_TREE_H_

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "hvx/asn1.h"
#include "hvx/data_unit.h"

namespace hvx {

struct Asn1Node {
  static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

  std::uint32_t number = 0;
  std::uint8_t tag_class = 0;
  bool constructed = false;
  // Contents held in the tree's own bytes rather than in its input.
  bool own = false;
  // Primitive: offset of the contents.
  std::uint32_t offset = 0;
  // Primitive: length of the contents; constructed: length of the components' encoding.
  std::uint32_t length = 0;
  // One past the last node of this subtree; a constructed node's first component, when it
  // has one, is the next node.
  std::uint32_t end = 0;
  std::uint32_t next = kNone;  // next sibling
  std::uint32_t last = kNone;  // last component
  std::uint32_t count = 0;     // number of components

  Asn1Tag tag() const { return Asn1Tag(tag_class, number); }
};

// Octets of the identifier and length that precede a node's contents.
inline std::size_t asn1_header_size(std::uint32_t number, std::uint64_t length) {
  std::size_t size = 2;
  if (number >= 0x1f) {
    for (std::uint32_t n = number; n != 0; n >>= 7) ++size;
  }
  if (length >= 0x80) {
    for (std::uint64_t n = length; n != 0; n >>= 8) ++size;
  }
  return size;
}

inline std::size_t asn1_total_size(const Asn1Node& node) {
  return asn1_header_size(node.number, node.length) + node.length;
}

struct Asn1Value::Tree {
  DataUnit input;   // the decoded bytes, shared with whoever else holds them
  std::string own;  // contents added by building
  std::vector<Asn1Node> nodes;

  std::string_view contents(const Asn1Node& node) const {
    const char* base = node.own ? own.data() : input.data();
    return std::string_view(base + node.offset, node.length);
  }
};

}  // namespace hvx

#endif  // HVX_SRC_ASN1_TREE_H_
