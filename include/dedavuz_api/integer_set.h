// VQIntegerSet: a fixed-capacity set of attribute numbers; VQIntegerSetIterator walks it.
//
// Out-of-range use is harmless: add/remove of an index outside 0..capacity-1 do nothing,
// is_member and operator[] answer false. Binary operations work over the left operand's
// capacity; a shorter right operand counts as having no members past its capacity.
// Bits beyond the capacity are always zero.
#ifndef DEDAVUZ_API_INTEGER_SET_H_
#define DEDAVUZ_API_INTEGER_SET_H_

#include <cstdint>
#include <iosfwd>
#include <vector>

class VQIntegerSet {
 public:
  VQIntegerSet() = default;
  // A negative capacity is taken as 0; one above 2^24 as 2^24 (the same holds for resize).
  explicit VQIntegerSet(long n);
  VQIntegerSet(long n, bool all);

  void add(long i);
  void remove(long i);
  bool is_member(long i) const;
  bool operator[](long i) const { return is_member(i); }

  long num_members() const;
  long max_members() const { return size_; }
  void resize(long n);

  VQIntegerSet& operator=(bool all);
  VQIntegerSet& operator&=(const VQIntegerSet& other);
  VQIntegerSet& operator|=(const VQIntegerSet& other);
  VQIntegerSet& operator^=(const VQIntegerSet& other);

  bool operator==(const VQIntegerSet& other) const;
  bool operator!=(const VQIntegerSet& other) const { return !(*this == other); }

  // The lowest member at or after `from`, or -1.
  long next_member(long from) const;

 private:
  void clear_tail();

  std::vector<std::uint64_t> words_;
  long size_ = 0;
};

VQIntegerSet operator!(const VQIntegerSet& set);
VQIntegerSet operator&(const VQIntegerSet& a, const VQIntegerSet& b);
VQIntegerSet operator|(const VQIntegerSet& a, const VQIntegerSet& b);
VQIntegerSet operator^(const VQIntegerSet& a, const VQIntegerSet& b);

// Prints "{0 3 5}/36": the members, then the capacity.
std::ostream& operator<<(std::ostream& os, const VQIntegerSet& set);

class VQIntegerSetIterator {
 public:
  // The set must outlive the iterator; later changes to it are seen.
  explicit VQIntegerSetIterator(const VQIntegerSet& set) : set_(set) {}

  // Moves to the next member; false (and back to the start) when there is none.
  bool next();
  long member() const { return position_; }
  void reset() { position_ = -1; }

 private:
  const VQIntegerSet& set_;
  long position_ = -1;
};

#endif  // DEDAVUZ_API_INTEGER_SET_H_
