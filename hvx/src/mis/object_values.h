// ObjectValues: the values one object of a server's tree holds, by attribute, in attribute
// order. Every object keeps one, so it is small: the list of its attribute identifiers is
// kept once per process and shared by every object with the same attributes (objects of a
// class mostly have the same), and the values are held as their encodings, one after the
// other in one block, each decoded afresh when it is read. A small value equal to the one
// its attribute first had in the process (most objects hold the same defaults: empty
// sets, 0, FALSE, empty strings) is not held at all: the shape points to that encoding.
#ifndef HVX_SRC_MIS_OBJECT_VALUES_H_
#define HVX_SRC_MIS_OBJECT_VALUES_H_

#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hvx/asn1.h"
#include "hvx/oid.h"
#include "packed_bytes.h"

namespace hvx::mis {

class ObjectValues {
 public:
  // What an object's values are of: its identifiers in order, and per value the encoding
  // it shares (empty for a null value), or null when the object holds its own.
  struct Shape {
    std::vector<const Oid*> ids;
    std::vector<const std::string*> fixed;
    bool operator<(const Shape& other) const {
      return ids != other.ids ? ids < other.ids : fixed < other.fixed;
    }
  };

  // Walks the values as (identifier, value) pairs, like a map's iterator; each value is a
  // copy, decoded as it is reached.
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using difference_type = std::ptrdiff_t;
    using value_type = std::pair<const Oid&, Asn1Value>;
    using reference = value_type;
    struct pointer {
      value_type pair;
      const value_type* operator->() const { return &pair; }
    };

    const_iterator() = default;
    const_iterator(const ObjectValues* values, std::size_t index, std::size_t offset)
        : values_(values), index_(index), offset_(offset) {}

    reference operator*() const {
      return {*values_->shape_->ids[index_], values_->value_at(index_, offset_)};
    }
    pointer operator->() const { return {**this}; }
    const_iterator& operator++() {
      offset_ += values_->size_at(index_, offset_);
      ++index_;
      return *this;
    }
    const_iterator operator++(int) {
      const const_iterator was = *this;
      ++*this;
      return was;
    }
    bool operator==(const const_iterator& other) const { return index_ == other.index_; }
    std::size_t index() const { return index_; }
    std::size_t offset() const { return offset_; }
    // The value's encoding; empty for a null value.
    std::string_view encoded() const { return values_->encoding_at(index_, offset_); }

   private:
    const ObjectValues* values_ = nullptr;
    std::size_t index_ = 0;
    std::size_t offset_ = 0;
  };
  using iterator = const_iterator;

  ObjectValues() : shape_(no_shape()) {}
  ObjectValues(const ObjectValues&) = default;
  ObjectValues& operator=(const ObjectValues&) = default;
  // A moved-from one is left empty: its shape must keep matching its encodings.
  ObjectValues(ObjectValues&& other) noexcept
      : shape_(std::exchange(other.shape_, no_shape())), bytes_(std::move(other.bytes_)) {
    other.bytes_.clear();
  }
  ObjectValues& operator=(ObjectValues&& other) noexcept {
    if (this == &other) return *this;
    shape_ = std::exchange(other.shape_, no_shape());
    bytes_ = std::move(other.bytes_);
    other.bytes_.clear();
    return *this;
  }

  const_iterator begin() const { return const_iterator(this, 0, 0); }
  const_iterator end() const { return const_iterator(this, size(), bytes_.size()); }
  std::size_t size() const { return shape_->ids.size(); }
  bool empty() const { return shape_->ids.empty(); }

  const_iterator find(const Oid& attribute) const;
  // A copy of the value of `attribute`; none when it has no value.
  std::optional<Asn1Value> get(const Oid& attribute) const;
  bool contains(const Oid& attribute) const { return position(attribute).second; }
  // Gives `attribute` this value, whether it had one or not.
  void set(const Oid& attribute, const Asn1Value& value);
  // Adds the value unless the attribute has one; whether it was added.
  bool try_emplace(const Oid& attribute, const Asn1Value& value);
  // Adds a component at the end of the attribute's constructed value, in place: a long
  // set grows without being decoded. False (and no change) when the attribute has no
  // constructed value or the component is null.
  bool append_component(const Oid& attribute, const Asn1Value& component);

  // The same attributes with equal values.
  bool operator==(const ObjectValues& other) const;

 private:
  std::string_view bytes_view() const { return bytes_.view(); }
  // Octets this object holds of the value at `index`, which start at `offset`.
  std::size_t size_at(std::size_t index, std::size_t offset) const;
  std::string_view encoding_at(std::size_t index, std::size_t offset) const;
  // The shape with the value at `index` held as `fixed` instead.
  const Shape* reshaped(std::size_t index, const std::string* fixed) const;
  Asn1Value value_at(std::size_t index, std::size_t offset) const;
  // Where `attribute` is or would go (index and offset), and whether it is there.
  std::pair<const_iterator, bool> position(const Oid& attribute) const;
  static const Shape* no_shape();

  const Shape* shape_;  // shared, never null
  PackedBytes bytes_;
};

}  // namespace hvx::mis

#endif  // HVX_SRC_MIS_OBJECT_VALUES_H_
