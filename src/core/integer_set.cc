#include "dedavuz_api/integer_set.h"

#include <algorithm>
#include <bit>
#include <ostream>

namespace {

constexpr long kBits = 64;

// Selections hold attribute numbers; a larger capacity is a caller's mistake and is held
// to this bound so that it can neither overflow the word count nor exhaust memory.
constexpr long kMaxCapacity = 1L << 24;

long clamp_capacity(long n) { return std::clamp(n, 0L, kMaxCapacity); }

size_t word_count(long n) { return static_cast<size_t>(n / kBits + (n % kBits != 0)); }

}  // namespace

VQIntegerSet::VQIntegerSet(long n) : VQIntegerSet(n, false) {}

VQIntegerSet::VQIntegerSet(long n, bool all) {
  size_ = clamp_capacity(n);
  words_.assign(word_count(size_), all ? ~std::uint64_t{0} : 0);
  clear_tail();
}

void VQIntegerSet::clear_tail() {
  const long rest = size_ % kBits;
  if (rest != 0 && !words_.empty()) words_.back() &= (std::uint64_t{1} << rest) - 1;
}

void VQIntegerSet::add(long i) {
  if (i < 0 || i >= size_) return;
  words_[i / kBits] |= std::uint64_t{1} << (i % kBits);
}

void VQIntegerSet::remove(long i) {
  if (i < 0 || i >= size_) return;
  words_[i / kBits] &= ~(std::uint64_t{1} << (i % kBits));
}

bool VQIntegerSet::is_member(long i) const {
  if (i < 0 || i >= size_) return false;
  return (words_[i / kBits] >> (i % kBits)) & 1;
}

long VQIntegerSet::num_members() const {
  long count = 0;
  for (std::uint64_t w : words_) count += std::popcount(w);
  return count;
}

void VQIntegerSet::resize(long n) {
  size_ = clamp_capacity(n);
  words_.resize(word_count(size_), 0);
  clear_tail();
}

VQIntegerSet& VQIntegerSet::operator=(bool all) {
  std::fill(words_.begin(), words_.end(), all ? ~std::uint64_t{0} : 0);
  clear_tail();
  return *this;
}

VQIntegerSet& VQIntegerSet::operator&=(const VQIntegerSet& other) {
  for (size_t k = 0; k < words_.size(); ++k) {
    words_[k] &= k < other.words_.size() ? other.words_[k] : 0;
  }
  return *this;
}

VQIntegerSet& VQIntegerSet::operator|=(const VQIntegerSet& other) {
  const size_t n = std::min(words_.size(), other.words_.size());
  for (size_t k = 0; k < n; ++k) words_[k] |= other.words_[k];
  clear_tail();
  return *this;
}

VQIntegerSet& VQIntegerSet::operator^=(const VQIntegerSet& other) {
  const size_t n = std::min(words_.size(), other.words_.size());
  for (size_t k = 0; k < n; ++k) words_[k] ^= other.words_[k];
  clear_tail();
  return *this;
}

bool VQIntegerSet::operator==(const VQIntegerSet& other) const {
  return size_ == other.size_ && words_ == other.words_;
}

long VQIntegerSet::next_member(long from) const {
  if (from < 0) from = 0;
  if (from >= size_) return -1;
  size_t k = static_cast<size_t>(from / kBits);
  std::uint64_t w = words_[k] & (~std::uint64_t{0} << (from % kBits));
  while (true) {
    if (w != 0) return static_cast<long>(k) * kBits + std::countr_zero(w);
    if (++k == words_.size()) return -1;
    w = words_[k];
  }
}

VQIntegerSet operator!(const VQIntegerSet& set) {
  VQIntegerSet result(set.max_members(), true);
  result ^= set;
  return result;
}

VQIntegerSet operator&(const VQIntegerSet& a, const VQIntegerSet& b) {
  VQIntegerSet result(a);
  result &= b;
  return result;
}

VQIntegerSet operator|(const VQIntegerSet& a, const VQIntegerSet& b) {
  VQIntegerSet result(a);
  result |= b;
  return result;
}

VQIntegerSet operator^(const VQIntegerSet& a, const VQIntegerSet& b) {
  VQIntegerSet result(a);
  result ^= b;
  return result;
}

std::ostream& operator<<(std::ostream& os, const VQIntegerSet& set) {
  os << '{';
  const char* separator = "";
  for (long i = set.next_member(0); i >= 0; i = set.next_member(i + 1)) {
    os << separator << i;
    separator = " ";
  }
  return os << "}/" << set.max_members();
}

bool VQIntegerSetIterator::next() {
  position_ = set_.next_member(position_ + 1);
  return position_ >= 0;
}
