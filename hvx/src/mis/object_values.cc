#include "object_values.h"

#include <algorithm>
#include <mutex>
#include <set>

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

}  // namespace

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
