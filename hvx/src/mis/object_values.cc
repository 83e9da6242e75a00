#include "object_values.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <string>

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

// The definite length octets of `length`.
std::string length_octets(std::size_t length) {
  std::string out;
  if (length < 0x80) {
    out.push_back(static_cast<char>(length));
    return out;
  }
  for (std::size_t n = length; n != 0; n >>= 8) out.insert(out.begin(), static_cast<char>(n));
  out.insert(out.begin(), static_cast<char>(0x80 | out.size()));
  return out;
}

}  // namespace

const ObjectValues::Shape* ObjectValues::no_shape() {
  static const Shape* const none = shared(Shape());
  return none;
}

std::size_t ObjectValues::size_at(std::size_t index, std::size_t offset) const {
  if (index >= shape_->ids.size() || shape_->null[index]) return 0;
  return encoding_size(bytes_.view(), offset);
}

Asn1Value ObjectValues::value_at(std::size_t index, std::size_t offset) const {
  Asn1Value value;
  if (shape_->null[index]) return value;
  const std::string_view encoding = bytes_view().substr(offset, size_at(index, offset));
  // Only what encode_to wrote is held, so this does not fail.
  Asn1Value::decode(DataUnit(encoding), value).IgnoreError();
  return value;
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
  const auto [it, found] = position(attribute);
  const std::size_t index = it.index();
  std::string encoding;
  value.encode_to(encoding);
  if (found && shape_->null[index] == value.is_null()) {
    bytes_.replace(it.offset(), size_at(index, it.offset()), encoding);
    return;
  }
  Shape shape = *shape_;
  const auto i = static_cast<std::ptrdiff_t>(index);
  if (found) {
    shape.null[index] = value.is_null();
  } else {
    shape.ids.insert(shape.ids.begin() + i, shared(attribute));
    shape.null.insert(shape.null.begin() + i, value.is_null());
  }
  bytes_.replace(it.offset(), found ? size_at(index, it.offset()) : 0, encoding);
  shape_ = shared(std::move(shape));
}

bool ObjectValues::append_component(const Oid& attribute, const Asn1Value& component) {
  const auto [it, found] = position(attribute);
  if (!found || component.is_null() || shape_->null[it.index()]) return false;
  const std::size_t at = it.offset();
  const std::size_t size = size_at(it.index(), at);
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
  bytes_.replace(at + identifier, header - identifier, length_octets(size - header + added.size()),
                 true);
  return true;
}

bool ObjectValues::try_emplace(const Oid& attribute, const Asn1Value& value) {
  if (contains(attribute)) return false;
  set(attribute, value);
  return true;
}

}  // namespace hvx::mis
