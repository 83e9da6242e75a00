// ObjectValues: the values one object of a server's tree holds, by attribute, in attribute
// order. Every object keeps one, so it is small: the list of its attribute identifiers is
// kept once per process and shared by every object with the same attributes (objects of a
// class mostly have the same), and an object holds that list's address and its values.
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
  using Ids = std::vector<const Oid*>;
  using Values = std::vector<Asn1Value>;

 public:
  // Walks the values as (identifier, value) pairs, like a map's iterator.
  template <typename Value>
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
    Iterator(const Oid* const* id, Value* value) : id_(id), value_(value) {}
    // A walk that may change values can be compared with one that may not.
    template <typename V>
    Iterator(const Iterator<V>& other)  // NOLINT: as a map's
        : id_(other.id()), value_(other.value()) {}

    reference operator*() const { return {**id_, *value_}; }
    pointer operator->() const { return {**this}; }
    Iterator& operator++() {
      ++id_;
      ++value_;
      return *this;
    }
    Iterator operator++(int) {
      const Iterator was = *this;
      ++*this;
      return was;
    }
    template <typename V>
    bool operator==(const Iterator<V>& other) const {
      return value_ == other.value();
    }
    const Oid* const* id() const { return id_; }
    Value* value() const { return value_; }

   private:
    const Oid* const* id_ = nullptr;
    Value* value_ = nullptr;
  };
  using iterator = Iterator<Asn1Value>;
  using const_iterator = Iterator<const Asn1Value>;

  ObjectValues() : ids_(no_ids()) {}
  ObjectValues(const ObjectValues&) = default;
  ObjectValues& operator=(const ObjectValues&) = default;
  // A moved-from one is left empty: its identifiers must keep matching its values.
  ObjectValues(ObjectValues&& other) noexcept
      : ids_(std::exchange(other.ids_, no_ids())), values_(std::move(other.values_)) {
    other.values_.clear();
  }
  ObjectValues& operator=(ObjectValues&& other) noexcept {
    if (this == &other) return *this;
    ids_ = std::exchange(other.ids_, no_ids());
    values_ = std::move(other.values_);
    other.values_.clear();
    return *this;
  }

  iterator begin() { return at(0); }
  iterator end() { return at(values_.size()); }
  const_iterator begin() const { return at(0); }
  const_iterator end() const { return at(values_.size()); }
  std::size_t size() const { return values_.size(); }
  bool empty() const { return values_.empty(); }
  // Gives back the room kept for more values: an object filed in the tree rarely gains any.
  void shrink_to_fit() { values_.shrink_to_fit(); }
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
  iterator at(std::size_t i) { return iterator(ids_->data() + i, values_.data() + i); }
  const_iterator at(std::size_t i) const {
    return const_iterator(ids_->data() + i, values_.data() + i);
  }
  // Where `attribute` is or would go.
  std::size_t position(const Oid& attribute) const;
  bool holds(std::size_t i, const Oid& attribute) const {
    return i < values_.size() && *(*ids_)[i] == attribute;
  }
  std::size_t add(std::size_t i, const Oid& attribute, const Asn1Value& value);
  static const Ids* no_ids();

  const Ids* ids_;  // shared, never null
  Values values_;
};

}  // namespace hvx::mis

#endif  // HVX_SRC_MIS_OBJECT_VALUES_H_
