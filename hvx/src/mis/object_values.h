// ObjectValues: the values one object of a server's tree holds, by attribute, in attribute
// order. Every object keeps one, so it is small: the attribute identifiers are kept once
// per process and shared, and an object holds a pointer and a value per attribute.
#ifndef HVX_SRC_MIS_OBJECT_VALUES_H_
#define HVX_SRC_MIS_OBJECT_VALUES_H_

#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

#include "hvx/asn1.h"
#include "hvx/oid.h"

namespace hvx::mis {

class ObjectValues {
  using Entry = std::pair<const Oid*, Asn1Value>;
  using Entries = std::vector<Entry>;

 public:
  // Walks the values as (identifier, value) pairs, like a map's iterator.
  template <typename Base, typename Value>
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using difference_type = std::ptrdiff_t;
    using value_type = std::pair<const Oid&, Value&>;
    using reference = value_type;
    struct pointer {
      value_type pair;
      const value_type* operator->() const { return &pair; }
    };

    Iterator() = default;
    explicit Iterator(Base at) : at_(at) {}
    // A walk that may change values can be compared with one that may not.
    template <typename B, typename V>
    Iterator(const Iterator<B, V>& other) : at_(other.base()) {}  // NOLINT: as a map's

    reference operator*() const { return {*at_->first, at_->second}; }
    pointer operator->() const { return {**this}; }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    Iterator operator++(int) { return Iterator(at_++); }
    template <typename B, typename V>
    bool operator==(const Iterator<B, V>& other) const {
      return at_ == other.base();
    }
    Base base() const { return at_; }

   private:
    Base at_{};
  };
  using iterator = Iterator<Entries::iterator, Asn1Value>;
  using const_iterator = Iterator<Entries::const_iterator, const Asn1Value>;

  ObjectValues() = default;

  iterator begin() { return iterator(entries_.begin()); }
  iterator end() { return iterator(entries_.end()); }
  const_iterator begin() const { return const_iterator(entries_.begin()); }
  const_iterator end() const { return const_iterator(entries_.end()); }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  // Gives back the room kept for more values: an object filed in the tree rarely gains any.
  void shrink_to_fit() { entries_.shrink_to_fit(); }
  // Lets each small value share its representation with equal values of other objects
  // (most objects hold the same defaults: empty sets, 0, FALSE, empty strings). Copies
  // stay independent: changing one copies it first.
  void share_values();

  iterator find(const Oid& attribute);
  const_iterator find(const Oid& attribute) const;
  // The value of `attribute`, a null one added first when there is none.
  Asn1Value& operator[](const Oid& attribute);
  // Adds the value unless the attribute has one; the entry, and whether it was added.
  std::pair<iterator, bool> try_emplace(const Oid& attribute, const Asn1Value& value);

  // The same attributes with equal values.
  bool operator==(const ObjectValues& other) const;

 private:
  Entries::iterator lower_bound(const Oid& attribute);
  Entries::const_iterator lower_bound(const Oid& attribute) const;
  iterator add(Entries::iterator at, const Oid& attribute, const Asn1Value& value);

  Entries entries_;
};

}  // namespace hvx::mis

#endif  // HVX_SRC_MIS_OBJECT_VALUES_H_
