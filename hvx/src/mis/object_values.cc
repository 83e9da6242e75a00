#include "object_values.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>

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

// The one copy of a list of identifiers. Lists stay for the process's life too: there are
// about as many as there are ways a class's objects differ in what they hold.
const std::vector<const Oid*>* shared(std::vector<const Oid*>&& ids) {
  static auto* const held = new std::set<std::vector<const Oid*>>;
  const std::lock_guard<std::mutex> guard(lock());
  return &*held->insert(std::move(ids)).first;
}

// Values encoded in more octets are rarely equal between objects: not worth a look-up.
constexpr std::size_t kSharedSize = 64;
// The pool starts afresh when it reaches this many values, so that values held by one
// object each (names, numbers) cannot make it grow without end. Objects keep what they
// share; the common values come back at their next use.
constexpr std::size_t kPoolLimit = 4096;

// The copy of `value` that equal values share: the first one filed. A value seen once
// stays as it is, so that one held by a single object costs no second copy.
Asn1Value shared_value(const Asn1Value& value) {
  if (value.is_null() || value.encoded_size() > kSharedSize) return value;
  std::string encoding;
  value.encode_to(encoding);
  static auto* const pool = new std::unordered_map<std::string, Asn1Value>;
  const std::lock_guard<std::mutex> guard(lock());
  const auto found = pool->find(encoding);
  if (found != pool->end()) return found->second;
  if (pool->size() >= kPoolLimit) pool->clear();
  pool->emplace(std::move(encoding), value);
  return value;
}

}  // namespace

const ObjectValues::Ids* ObjectValues::no_ids() {
  static const Ids* const none = shared(Ids());
  return none;
}

void ObjectValues::share_values() {
  for (Asn1Value& value : values_) value = shared_value(value);
}

std::size_t ObjectValues::position(const Oid& attribute) const {
  const auto at = std::lower_bound(ids_->begin(), ids_->end(), attribute,
                                   [](const Oid* id, const Oid& wanted) { return *id < wanted; });
  return static_cast<std::size_t>(at - ids_->begin());
}

ObjectValues::iterator ObjectValues::find(const Oid& attribute) {
  const std::size_t i = position(attribute);
  return holds(i, attribute) ? at(i) : end();
}

ObjectValues::const_iterator ObjectValues::find(const Oid& attribute) const {
  const std::size_t i = position(attribute);
  return holds(i, attribute) ? at(i) : end();
}

std::size_t ObjectValues::add(std::size_t i, const Oid& attribute, const Asn1Value& value) {
  Ids ids;
  ids.reserve(ids_->size() + 1);
  ids.assign(ids_->begin(), ids_->begin() + static_cast<std::ptrdiff_t>(i));
  ids.push_back(shared(attribute));
  ids.insert(ids.end(), ids_->begin() + static_cast<std::ptrdiff_t>(i), ids_->end());
  values_.insert(values_.begin() + static_cast<std::ptrdiff_t>(i), value);
  ids_ = shared(std::move(ids));
  return i;
}

Asn1Value& ObjectValues::operator[](const Oid& attribute) {
  std::size_t i = position(attribute);
  if (!holds(i, attribute)) i = add(i, attribute, Asn1Value());
  return values_[i];
}

std::pair<ObjectValues::iterator, bool> ObjectValues::try_emplace(const Oid& attribute,
                                                                  const Asn1Value& value) {
  const std::size_t i = position(attribute);
  if (holds(i, attribute)) return {at(i), false};
  return {at(add(i, attribute, value)), true};
}

bool ObjectValues::operator==(const ObjectValues& other) const {
  if (values_.size() != other.values_.size()) return false;
  for (std::size_t i = 0; i < values_.size(); ++i) {
    if (!(*(*ids_)[i] == *(*other.ids_)[i]) || !(values_[i] == other.values_[i])) return false;
  }
  return true;
}

}  // namespace hvx::mis
