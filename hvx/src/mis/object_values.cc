#include "object_values.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "hvx/ber.h"
#include "hvx/data_unit.h"

namespace hvx::mis {

namespace {

std::mutex& lock() {
  static std::mutex* const held = new std::mutex;
  return *held;
}

// The one copy of an identifier that every object shares. Identifiers stay for the
// process's life: objects only hold those of attributes their class was given.
const Oid* shared(const Oid& attribute) {
  static std::set<Oid>* const held = new std::set<Oid>;
  const std::lock_guard<std::mutex> guard(lock());
  return &*held->insert(attribute).first;
}

// The one copy of a shape. Shapes stay for the process's life too: there are about as
// many as there are ways a class's objects differ in what they hold.
const ObjectValues::Shape* shared(ObjectValues::Shape&& shape) {
  static auto* const held = new std::set<ObjectValues::Shape>;
  const std::lock_guard<std::mutex> guard(lock());
  return &*held->insert(std::move(shape)).first;
}

// Octets of the encoding that starts at `at`: identifier, length and contents, as the
// encoder wrote them (definite lengths). Clamped to what is there.
std::size_t identifier_size(std::string_view bytes, std::size_t at);

std::size_t encoding_size(std::string_view bytes, std::size_t at) {
  const std::size_t size = bytes.size();
  if (at >= size) return 0;
  std::size_t i = at + identifier_size(bytes, at);
  if (i >= size) return size - at;
  std::size_t length = static_cast<unsigned char>(bytes[i++]);
  if (length >= 0x80) {
    const std::size_t octets = length & 0x7f;
    length = 0;
    for (std::size_t k = 0; k < octets && i < size; ++k) {
      length = (length << 8) | static_cast<unsigned char>(bytes[i++]);
    }
  }
  return std::min(i - at + length, size - at);
}

// Octets of the identifier that starts at `at`.
std::size_t identifier_size(std::string_view bytes, std::size_t at) {
  std::size_t i = at;
  if (i < bytes.size() && (static_cast<unsigned char>(bytes[i++]) & 0x1f) == 0x1f) {
    while (i < bytes.size() && (static_cast<unsigned char>(bytes[i]) & 0x80) != 0) ++i;
    ++i;
  }
  return std::min(i, bytes.size()) - at;
}

// The encoding of a null value.
const std::string& no_encoding() {
  static const std::string* const none = new std::string;
  return *none;
}

// Values encoded in more octets are rarely equal between objects: not worth holding once.
constexpr std::size_t kCommonSize = 64;

// The encoding every object shares of a value of `attribute`, when `encoding` is it: the
// empty one for a null value, or the first small value the attribute had in the process.
// Null when the object must hold its own. Shared values stay for the process's life; there
// is at most one per attribute.
const std::string* common(const Oid& attribute, const std::string& encoding) {
  if (encoding.empty()) return &no_encoding();
  if (encoding.size() > kCommonSize) return nullptr;
  static auto* const held = new std::map<const Oid*, std::string>;
  const std::lock_guard<std::mutex> guard(lock());
  const std::string& first = held->try_emplace(&attribute, encoding).first->second;
  return first == encoding ? &first : nullptr;
}

}  // namespace

const ObjectValues::Shape* ObjectValues::no_shape() {
  static const Shape* const none = shared(Shape());
  return none;
}

std::size_t ObjectValues::size_at(std::size_t index, std::size_t offset) const {
  if (index >= shape_->ids.size() || shape_->fixed[index] != nullptr) return 0;
  return encoding_size(bytes_.view(), offset);
}

std::string_view ObjectValues::encoding_at(std::size_t index, std::size_t offset) const {
  if (index < shape_->ids.size() && shape_->fixed[index] != nullptr) return *shape_->fixed[index];
  return bytes_.view().substr(offset, size_at(index, offset));
}

Asn1Value ObjectValues::value_at(std::size_t index, std::size_t offset) const {
  Asn1Value value;
  const std::string_view encoding = encoding_at(index, offset);
  if (encoding.empty()) return value;
  // Only what encode_to wrote is held, so this does not fail.
  Asn1Value::decode(DataUnit(encoding), value).IgnoreError();
  return value;
}

const ObjectValues::Shape* ObjectValues::reshaped(std::size_t index,
                                                  const std::string* fixed) const {
  if (shape_->fixed[index] == fixed) return shape_;
  Shape shape = *shape_;
  shape.fixed[index] = fixed;
  return shared(std::move(shape));
}

std::pair<ObjectValues::const_iterator, bool> ObjectValues::position(
    const Oid& attribute) const {
  const std::vector<const Oid*>& ids = shape_->ids;
  const auto at = std::lower_bound(ids.begin(), ids.end(), attribute,
                                   [](const Oid* id, const Oid& wanted) { return *id < wanted; });
  const auto index = static_cast<std::size_t>(at - ids.begin());
  const_iterator it = begin();
  while (it.index() < index) ++it;
  return {it, at != ids.end() && **at == attribute};
}

ObjectValues::const_iterator ObjectValues::find(const Oid& attribute) const {
  const auto [it, found] = position(attribute);
  return found ? it : end();
}

std::optional<Asn1Value> ObjectValues::get(const Oid& attribute) const {
  const auto [it, found] = position(attribute);
  if (!found) return std::nullopt;
  return value_at(it.index(), it.offset());
}

void ObjectValues::set(const Oid& attribute, const Asn1Value& value) {
  auto [it, found] = position(attribute);
  const std::size_t index = it.index();
  if (!found) {
    Shape shape = *shape_;
    const auto i = static_cast<std::ptrdiff_t>(index);
    shape.ids.insert(shape.ids.begin() + i, shared(attribute));
    shape.fixed.insert(shape.fixed.begin() + i, &no_encoding());
    shape_ = shared(std::move(shape));
  }
  std::string encoding;
  value.encode_to(encoding);
  const std::string* fixed = common(*shape_->ids[index], encoding);
  bytes_.replace(it.offset(), size_at(index, it.offset()), fixed != nullptr ? "" : encoding);
  shape_ = reshaped(index, fixed);
}

bool ObjectValues::append_component(const Oid& attribute, const Asn1Value& component) {
  const auto [it, found] = position(attribute);
  if (!found || component.is_null()) return false;
  const std::size_t index = it.index();
  const std::size_t at = it.offset();
  if (const std::string* fixed = shape_->fixed[index]) {
    // A shared value becomes the object's own before it changes.
    if (fixed->empty() || (static_cast<unsigned char>((*fixed)[0]) & 0x20) == 0) return false;
    bytes_.replace(at, 0, *fixed);
    shape_ = reshaped(index, nullptr);
  }
  const std::size_t size = size_at(index, at);
  const std::string_view bytes = bytes_.view();
  const std::size_t identifier = identifier_size(bytes, at);
  if ((static_cast<unsigned char>(bytes[at]) & 0x20) == 0) return false;  // primitive
  std::size_t header = identifier + 1;
  if ((static_cast<unsigned char>(bytes[at + identifier]) & 0x80) != 0) {
    header += static_cast<unsigned char>(bytes[at + identifier]) & 0x7f;
  }
  std::string added;
  component.encode_to(added);
  // Room to spare: a set that gains one component gains more.
  bytes_.replace(at + size, 0, added, true);
  std::string length;
  ber::append_length(length, size - header + added.size());
  bytes_.replace(at + identifier, header - identifier, length, true);
  return true;
}

bool ObjectValues::try_emplace(const Oid& attribute, const Asn1Value& value) {
  if (contains(attribute)) return false;
  set(attribute, value);
  return true;
}

bool ObjectValues::operator==(const ObjectValues& other) const {
  if (size() != other.size()) return false;
  for (const_iterator a = begin(), b = other.begin(); a != end(); ++a, ++b) {
    if (shape_->ids[a.index()] != other.shape_->ids[b.index()] || a.encoded() != b.encoded()) {
      return false;
    }
  }
  return true;
}

}  // namespace hvx::mis
