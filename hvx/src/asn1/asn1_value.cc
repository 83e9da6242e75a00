#include "hvx/asn1.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "asn1_contents.h"
#include "asn1_tree.h"

namespace hvx {

namespace {

using Tree = Asn1Value::Tree;
constexpr std::uint32_t kNone = Asn1Node::kNone;
// Lengths stay well inside the nodes' 32 bits.
constexpr std::size_t kMaxContents = std::numeric_limits<std::int32_t>::max();

// Appends the subtree rooted at from.nodes[i] to `to` as a subtree without siblings and
// returns its index. Contents in an input the two trees do not share are copied.
std::uint32_t append_subtree(const Tree& from, std::uint32_t i, Tree& to) {
  const std::uint32_t end = from.nodes[i].end;
  const auto base = static_cast<std::uint32_t>(to.nodes.size());
  const bool same_input =
      from.input.data() == to.input.data() && from.input.size() == to.input.size();
  auto moved = [&](std::uint32_t k) { return k == kNone ? kNone : k - i + base; };
  // Grow geometrically: an exact reserve on every append makes building a list quadratic.
  if (to.nodes.capacity() < base + (end - i)) to.nodes.reserve(std::max<std::size_t>(2 * to.nodes.capacity(), base + (end - i)));
  for (std::uint32_t j = i; j < end; ++j) {
    const Asn1Node& source = from.nodes[j];
    Asn1Node node = source;
    node.end = moved(source.end);
    node.next = moved(source.next);
    node.last = moved(source.last);
    if (!source.constructed && (source.own || !same_input)) {
      node.offset = static_cast<std::uint32_t>(to.own.size());
      node.own = true;
      to.own.append(from.contents(source));
    }
    to.nodes.push_back(node);
  }
  to.nodes[base].next = kNone;
  return base;
}

bool integer_tag(Asn1Tag tag) { return !tag.is_universal() || tag == TAG_INT || tag == TAG_ENUM; }
bool octets_tag(Asn1Tag tag) { return !tag.is_universal() || is_octet_string_type(tag); }
bool boolean_tag(Asn1Tag tag) { return !tag.is_universal() || tag == TAG_BOOL; }
bool null_tag(Asn1Tag tag) { return !tag.is_universal() || tag == TAG_NULL; }
bool real_tag(Asn1Tag tag) { return !tag.is_universal() || tag == TAG_REAL; }
bool oid_tag(Asn1Tag tag) { return !tag.is_universal() || tag == TAG_OID; }

Asn1Node make_node(Asn1Tag tag, bool constructed) {
  Asn1Node node;
  node.number = tag.number();
  node.tag_class = tag.tag_class();
  node.constructed = constructed;
  node.end = 1;
  return node;
}

}  // namespace

Asn1Value::Tree& Asn1Value::own_root() {
  if (index_ == 0 && tree_.use_count() == 1) return *tree_;
  auto fresh = std::make_shared<Tree>();
  fresh->input = tree_->input;
  append_subtree(*tree_, index_, *fresh);
  tree_ = std::move(fresh);
  index_ = 0;
  return *tree_;
}

void Asn1Value::start_construct(Asn1Tag tag, int capacity_hint) {
  auto fresh = std::make_shared<Tree>();
  fresh->nodes.reserve(capacity_hint > 0 ? static_cast<std::size_t>(capacity_hint) + 1 : 4);
  fresh->nodes.push_back(make_node(tag, true));
  tree_ = std::move(fresh);
  index_ = 0;
}

bool Asn1Value::add_component(const Asn1Value& component) {
  if (!is_constructed() || component.is_null()) return false;
  // Holding a reference keeps the component's tree alive and, when it is this value's own
  // tree (a value added to itself, or one of its components), makes own_root() copy first.
  const Asn1Value source = component;
  const std::size_t added = source.encoded_size();
  if (added > Asn1Node::kNone - tree_->nodes[index_].length) return false;
  Tree& tree = own_root();
  const std::uint32_t index = append_subtree(*source.tree_, source.index_, tree);
  Asn1Node& root = tree.nodes[0];
  if (root.count++ > 0) tree.nodes[root.last].next = index;
  root.last = index;
  root.end = static_cast<std::uint32_t>(tree.nodes.size());
  root.length += static_cast<std::uint32_t>(added);
  return true;
}

void Asn1Value::make_explicit_tagged(Asn1Tag tag) {
  if (is_null()) return;
  Asn1Value wrapper;
  wrapper.start_construct(tag, static_cast<int>(tree_->nodes[index_].end - index_));
  wrapper.add_component(*this);
  *this = std::move(wrapper);
}

void Asn1Value::set_tag(Asn1Tag tag) {
  if (is_null()) return;
  Asn1Node& root = own_root().nodes[0];
  root.number = tag.number();
  root.tag_class = tag.tag_class();
}

void Asn1Value::set_primitive(Asn1Tag tag, std::string&& contents) {
  if (contents.size() > kMaxContents) {
    tree_.reset();
    return;
  }
  auto fresh = std::make_shared<Tree>();
  Asn1Node node = make_node(tag, false);
  node.own = true;
  node.length = static_cast<std::uint32_t>(contents.size());
  fresh->own = std::move(contents);
  fresh->nodes.push_back(node);
  tree_ = std::move(fresh);
  index_ = 0;
}

void Asn1Value::encode_octets(const DataUnit& bytes, Asn1Tag tag) {
  // The contents stay in the caller's chunk.
  if (bytes.size() > kMaxContents) {
    tree_.reset();
    return;
  }
  auto fresh = std::make_shared<Tree>();
  Asn1Node node = make_node(tag, false);
  node.length = static_cast<std::uint32_t>(bytes.size());
  fresh->input = bytes;
  fresh->nodes.push_back(node);
  tree_ = std::move(fresh);
  index_ = 0;
}

void Asn1Value::encode_octets(std::string_view bytes, Asn1Tag tag) {
  set_primitive(tag, std::string(bytes));
}

void Asn1Value::encode_octets(const char* text, Asn1Tag tag) {
  set_primitive(tag, std::string(text ? text : ""));
}

void Asn1Value::encode_int(long value, Asn1Tag tag) {
  std::string contents;
  asn1_contents::append_integer(contents, value);
  set_primitive(tag, std::move(contents));
}

void Asn1Value::encode_unsigned(unsigned long value, Asn1Tag tag) {
  std::string contents;
  asn1_contents::append_unsigned(contents, value);
  set_primitive(tag, std::move(contents));
}

void Asn1Value::encode_enum(long value, Asn1Tag tag) { encode_int(value, tag); }

void Asn1Value::encode_real(double value, Asn1Tag tag) {
  std::string contents;
  asn1_contents::append_real(contents, value);
  set_primitive(tag, std::move(contents));
}

void Asn1Value::encode_null(Asn1Tag tag) { set_primitive(tag, std::string()); }

void Asn1Value::encode_boolean(bool value, Asn1Tag tag) {
  set_primitive(tag, std::string(1, value ? '\xff' : '\0'));
}

bool Asn1Value::encode_oid(const Oid& oid, Asn1Tag tag) {
  if (!oid.valid()) return false;
  set_primitive(tag, oid.ber());
  return true;
}

Asn1Tag Asn1Value::tag() const { return tree_ ? tree_->nodes[index_].tag() : Asn1Tag(); }

bool Asn1Value::is_constructed() const { return tree_ && tree_->nodes[index_].constructed; }

std::size_t Asn1Value::num_comps() const { return tree_ ? tree_->nodes[index_].count : 0; }

Asn1Value Asn1Value::first_component() const {
  if (num_comps() == 0) return Asn1Value();
  return Asn1Value(tree_, index_ + 1);
}

Asn1Value Asn1Value::next_component() const {
  if (!tree_ || tree_->nodes[index_].next == kNone) return Asn1Value();
  return Asn1Value(tree_, tree_->nodes[index_].next);
}

Asn1Value Asn1Value::component(std::size_t i) const {
  if (i >= num_comps()) return Asn1Value();
  std::uint32_t k = index_ + 1;
  for (; i > 0; --i) k = tree_->nodes[k].next;
  return Asn1Value(tree_, k);
}

Asn1Value Asn1Value::tagged_component(Asn1Tag tag) const {
  for (Asn1Value c = first_component(); c; c = c.next_component()) {
    if (c.tag() == tag) return c;
  }
  return Asn1Value();
}

DataUnit Asn1Value::contents() const {
  if (!tree_ || tree_->nodes[index_].constructed) return DataUnit();
  const Asn1Node& node = tree_->nodes[index_];
  if (!node.own) return tree_->input.slice(node.offset, node.length);
  return DataUnit(tree_->contents(node));
}

bool Asn1Value::primitive_contents(bool (*tag_fits)(Asn1Tag), std::string_view& contents) const {
  if (!tree_) return false;
  const Asn1Node& node = tree_->nodes[index_];
  if (node.constructed || !tag_fits(node.tag())) return false;
  contents = tree_->contents(node);
  return true;
}

bool Asn1Value::decode_octets(DataUnit& out) const {
  std::string_view contents;
  if (!primitive_contents(octets_tag, contents)) return false;
  out = this->contents();
  return true;
}

bool Asn1Value::decode_octets(std::string& out) const {
  std::string_view contents;
  if (!primitive_contents(octets_tag, contents)) return false;
  out.assign(contents);
  return true;
}

bool Asn1Value::decode_int(long& out) const {
  std::string_view contents;
  return primitive_contents(integer_tag, contents) && asn1_contents::read_integer(contents, out);
}

bool Asn1Value::decode_unsigned(unsigned long& out) const {
  std::string_view contents;
  return primitive_contents(integer_tag, contents) && asn1_contents::read_unsigned(contents, out);
}

bool Asn1Value::decode_enum(long& out) const { return decode_int(out); }

bool Asn1Value::decode_real(double& out) const {
  std::string_view contents;
  return primitive_contents(real_tag, contents) && asn1_contents::read_real(contents, out);
}

bool Asn1Value::decode_null() const {
  std::string_view contents;
  return primitive_contents(null_tag, contents) && contents.empty();
}

bool Asn1Value::decode_boolean(bool& out) const {
  std::string_view contents;
  if (!primitive_contents(boolean_tag, contents) || contents.size() != 1) return false;
  out = contents[0] != 0;
  return true;
}

bool Asn1Value::decode_oid(Oid& out) const {
  std::string_view contents;
  return primitive_contents(oid_tag, contents) && Oid::from_ber(contents, out);
}

}  // namespace hvx
