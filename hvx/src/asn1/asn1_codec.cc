// Asn1Value to and from BER, and structural equality.
#include <cstring>
#include <limits>

#include "asn1_tree.h"
#include "hvx/asn1.h"
#include "hvx/asn1_reader.h"

namespace hvx {

namespace {

using Tree = Asn1Value::Tree;

// Re-encoding can at most double a value's size (an empty indefinite value of two octets
// and its end-of-contents becoming a definite one), so inputs up to this size keep every
// length within the nodes' 32 bits.
constexpr std::size_t kMaxInput = std::numeric_limits<std::int32_t>::max();

char* write_header(char* p, const Asn1Node& node) {
  const auto first = static_cast<unsigned char>((node.tag_class << 6) | (node.constructed << 5));
  if (node.number < 0x1f) {
    *p++ = static_cast<char>(first | node.number);
  } else {
    *p++ = static_cast<char>(first | 0x1f);
    int groups = 0;
    for (std::uint32_t n = node.number; n != 0; n >>= 7) ++groups;
    for (int g = groups - 1; g >= 0; --g) {
      *p++ = static_cast<char>(((node.number >> (7 * g)) & 0x7f) | (g > 0 ? 0x80 : 0));
    }
  }
  if (node.length < 0x80) {
    *p++ = static_cast<char>(node.length);
  } else {
    int octets = 0;
    for (std::uint32_t n = node.length; n != 0; n >>= 8) ++octets;
    *p++ = static_cast<char>(0x80 | octets);
    for (int o = octets - 1; o >= 0; --o) *p++ = static_cast<char>(node.length >> (8 * o));
  }
  return p;
}

}  // namespace

Status Asn1Value::decode(const DataUnit& ber, Asn1Value& out, std::size_t* consumed) {
  if (ber.empty()) return Status::ProtocolError("no value in empty input at offset 0");
  if (ber.size() > kMaxInput) return Status::ProtocolError("input too large at offset 0");
  Asn1Reader reader(ber.view(), /*one_value=*/true);
  auto tree = std::make_shared<Tree>();
  tree->input = ber;
  std::vector<Asn1Node>& nodes = tree->nodes;
  // A guess from the input's real size, never from a length it claims.
  nodes.reserve(ber.size() / 6 + 1);

  std::uint32_t open[Asn1Reader::kMaxDepth];
  int depth = 0;
  auto close = [&] {
    Asn1Node& node = nodes[open[--depth]];
    node.end = static_cast<std::uint32_t>(nodes.size());
    if (depth > 0) nodes[open[depth - 1]].length += asn1_total_size(node);
  };
  while (reader.next()) {
    while (depth > reader.depth()) close();
    const auto index = static_cast<std::uint32_t>(nodes.size());
    Asn1Node& node = nodes.emplace_back();
    const Asn1Tag tag = reader.tag();
    node.number = tag.number();
    node.tag_class = tag.tag_class();
    node.constructed = reader.is_constructed();
    node.end = index + 1;
    if (!node.constructed) {
      node.offset = static_cast<std::uint32_t>(reader.content_offset());
      node.length = static_cast<std::uint32_t>(reader.content_length());
    }
    if (depth > 0) {
      Asn1Node& parent = nodes[open[depth - 1]];
      if (parent.count++ > 0) nodes[parent.last].next = index;
      parent.last = index;
      if (!node.constructed) parent.length += asn1_total_size(node);
    }
    if (node.constructed) open[depth++] = index;
  }
  if (!reader.status().ok()) return reader.status();
  while (depth > 0) close();
  if (consumed != nullptr) {
    *consumed = reader.position();
  } else if (reader.position() != ber.size()) {
    return Status::ProtocolError("trailing bytes after the value at offset " +
                                 std::to_string(reader.position()));
  }
  out = Asn1Value(std::move(tree), 0);
  return Status::OK();
}

std::size_t Asn1Value::encoded_size() const {
  return tree_ ? asn1_total_size(tree_->nodes[index_]) : 0;
}

void Asn1Value::encode_to(std::string& out) const {
  if (!tree_) return;
  const Tree& tree = *tree_;
  const std::size_t start = out.size();
  out.resize(start + encoded_size());
  char* p = out.data() + start;
  const char* const input = tree.input.data();
  const char* const own = tree.own.data();
  // Document order is encoding order, and every length is known: one pass.
  for (std::uint32_t i = index_, end = tree.nodes[index_].end; i < end; ++i) {
    const Asn1Node& node = tree.nodes[i];
    if (node.number < 0x1f && node.length < 0x80) {
      p[0] = static_cast<char>((node.tag_class << 6) | (node.constructed << 5) | node.number);
      p[1] = static_cast<char>(node.length);
      p += 2;
    } else {
      p = write_header(p, node);
    }
    if (node.constructed) continue;
    const char* const source = (node.own ? own : input) + node.offset;
    // Most contents are a few octets, where a plain loop beats a call. The length is read
    // once: stores through char may alias the node.
    const std::uint32_t length = node.length;
    if (length <= 16) {
      for (std::uint32_t k = 0; k < length; ++k) p[k] = source[k];
    } else {
      std::memcpy(p, source, length);
    }
    p += length;
  }
}

DataUnit Asn1Value::encode() const {
  std::string bytes;
  encode_to(bytes);
  return DataUnit(std::move(bytes));
}

bool Asn1Value::operator==(const Asn1Value& other) const {
  if (is_null() || other.is_null()) return is_null() == other.is_null();
  const Tree& a = *tree_;
  const Tree& b = *other.tree_;
  const std::uint32_t size = a.nodes[index_].end - index_;
  if (b.nodes[other.index_].end - other.index_ != size) return false;
  // Document order plus component counts fix the shape, so comparing node by node is
  // comparing trees.
  for (std::uint32_t k = 0; k < size; ++k) {
    const Asn1Node& x = a.nodes[index_ + k];
    const Asn1Node& y = b.nodes[other.index_ + k];
    if (x.number != y.number || x.tag_class != y.tag_class || x.constructed != y.constructed ||
        x.count != y.count) {
      return false;
    }
    if (!x.constructed && a.contents(x) != b.contents(y)) return false;
  }
  return true;
}

}  // namespace hvx
