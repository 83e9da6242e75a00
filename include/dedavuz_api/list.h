// VQList<T>: the value list of every list-valued attribute and result. Keeps insertion
// order and duplicates; equality ignores order.
#ifndef DEDAVUZ_API_LIST_H_
#define DEDAVUZ_API_LIST_H_

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <ostream>
#include <string_view>
#include <utility>
#include <vector>

template <typename T>
class VQList {
 public:
  using value_type = T;
  using iterator = typename std::vector<T>::iterator;
  using const_iterator = typename std::vector<T>::const_iterator;

  VQList() = default;
  VQList(std::initializer_list<T> items) : items_(items) {}

  std::size_t entries() const { return items_.size(); }
  std::size_t size() const { return items_.size(); }
  bool is_empty() const { return items_.empty(); }
  bool empty() const { return items_.empty(); }

  void append(const T& item) { items_.push_back(item); }
  void append(T&& item) { items_.push_back(std::move(item)); }
  void push_back(const T& item) { items_.push_back(item); }
  // Appends an entry made in place from `args`; gives it.
  template <typename... Args>
  T& emplace(Args&&... args) {
    return items_.emplace_back(std::forward<Args>(args)...);
  }
  void prepend(const T& item) { items_.insert(items_.begin(), item); }
  void clear() { items_.clear(); }
  void reserve(std::size_t n) { items_.reserve(n); }

  // Index access; the caller keeps i below entries().
  const T& operator[](std::size_t i) const { return items_[i]; }
  T& operator[](std::size_t i) { return items_[i]; }
  const T& first() const { return items_.front(); }
  const T& last() const { return items_.back(); }

  bool contains(const T& item) const {
    return std::find(items_.begin(), items_.end(), item) != items_.end();
  }
  // Position of the first equal entry, or entries() when there is none.
  std::size_t index(const T& item) const {
    return static_cast<std::size_t>(std::find(items_.begin(), items_.end(), item) -
                                    items_.begin());
  }
  // Removes the first equal entry; false when there was none.
  bool remove(const T& item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return false;
    items_.erase(it);
    return true;
  }
  // Removes the entry at position i; false when there is none.
  bool remove_at(std::size_t i) {
    if (i >= items_.size()) return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
  }
  // Removes every equal entry; returns how many went.
  std::size_t remove_all(const T& item) {
    auto it = std::remove(items_.begin(), items_.end(), item);
    const auto n = static_cast<std::size_t>(items_.end() - it);
    items_.erase(it, items_.end());
    return n;
  }
  template <typename Pred>
  std::size_t remove_if(Pred pred) {
    auto it = std::remove_if(items_.begin(), items_.end(), pred);
    const auto n = static_cast<std::size_t>(items_.end() - it);
    items_.erase(it, items_.end());
    return n;
  }
  template <typename Pred>
  T* find_if(Pred pred) {
    auto it = std::find_if(items_.begin(), items_.end(), pred);
    return it == items_.end() ? nullptr : &*it;
  }
  template <typename Pred>
  const T* find_if(Pred pred) const {
    auto it = std::find_if(items_.begin(), items_.end(), pred);
    return it == items_.end() ? nullptr : &*it;
  }

  iterator begin() { return items_.begin(); }
  iterator end() { return items_.end(); }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }

  // Same number of entries, and every entry of this list occurs in the other.
  bool operator==(const VQList& other) const {
    if (items_.size() != other.items_.size()) return false;
    for (const T& item : items_) {
      if (!other.contains(item)) return false;
    }
    return true;
  }
  bool operator!=(const VQList& other) const { return !(*this == other); }

  // The label, "{ ", each element and a blank (a newline before the 10th, 20th, ...
  // element), "}" and a newline.
  void print(std::ostream& os, std::string_view label) const {
    os << label << "{ ";
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (i > 0 && i % 10 == 9) os << '\n';
      os << items_[i] << ' ';
    }
    os << "}\n";
  }

 private:
  std::vector<T> items_;
};

template <typename T>
std::ostream& operator<<(std::ostream& os, const VQList<T>& list) {
  list.print(os, "");
  return os;
}

#endif  // DEDAVUZ_API_LIST_H_
