#include "object_values.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>

namespace hvx::mis {

namespace {

// The one copy of an identifier that every object shares. Identifiers stay for the
// process's life: objects only hold those of attributes their class was given.
const Oid* shared(const Oid& attribute) {
  static std::mutex* const lock = new std::mutex;
  static std::set<Oid>* const held = new std::set<Oid>;
  const std::lock_guard<std::mutex> guard(*lock);
  return &*held->insert(attribute).first;
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
  static std::mutex* const lock = new std::mutex;
  static auto* const pool = new std::unordered_map<std::string, Asn1Value>;
  const std::lock_guard<std::mutex> guard(*lock);
  const auto found = pool->find(encoding);
  if (found != pool->end()) return found->second;
  if (pool->size() >= kPoolLimit) pool->clear();
  pool->emplace(std::move(encoding), value);
  return value;
}

}  // namespace

void ObjectValues::share_values() {
  for (Entry& entry : entries_) entry.second = shared_value(entry.second);
}

ObjectValues::Entries::iterator ObjectValues::lower_bound(const Oid& attribute) {
  return std::lower_bound(entries_.begin(), entries_.end(), attribute,
                          [](const Entry& entry, const Oid& id) { return *entry.first < id; });
}

ObjectValues::Entries::const_iterator ObjectValues::lower_bound(const Oid& attribute) const {
  return std::lower_bound(entries_.begin(), entries_.end(), attribute,
                          [](const Entry& entry, const Oid& id) { return *entry.first < id; });
}

ObjectValues::iterator ObjectValues::find(const Oid& attribute) {
  const auto at = lower_bound(attribute);
  return at != entries_.end() && *at->first == attribute ? iterator(at) : end();
}

ObjectValues::const_iterator ObjectValues::find(const Oid& attribute) const {
  const auto at = lower_bound(attribute);
  return at != entries_.end() && *at->first == attribute ? const_iterator(at) : end();
}

ObjectValues::iterator ObjectValues::add(Entries::iterator at, const Oid& attribute,
                                         const Asn1Value& value) {
  return iterator(entries_.emplace(at, shared(attribute), value));
}

Asn1Value& ObjectValues::operator[](const Oid& attribute) {
  auto at = lower_bound(attribute);
  if (at == entries_.end() || !(*at->first == attribute)) {
    at = add(at, attribute, Asn1Value()).base();
  }
  return at->second;
}

std::pair<ObjectValues::iterator, bool> ObjectValues::try_emplace(const Oid& attribute,
                                                                  const Asn1Value& value) {
  const auto at = lower_bound(attribute);
  if (at != entries_.end() && *at->first == attribute) return {iterator(at), false};
  return {add(at, attribute, value), true};
}

bool ObjectValues::operator==(const ObjectValues& other) const {
  return std::equal(entries_.begin(), entries_.end(), other.entries_.begin(), other.entries_.end(),
                    [](const Entry& a, const Entry& b) {
                      return *a.first == *b.first && a.second == b.second;
                    });
}

}  // namespace hvx::mis
