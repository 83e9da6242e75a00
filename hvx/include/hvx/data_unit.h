// DataUnit: an immutable byte string over a shared, reference-counted chunk; copies and
// slices share the chunk. DUArray: a fixed number of them.
#ifndef HVX_DATA_UNIT_H_
#define HVX_DATA_UNIT_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace hvx {

class DataUnit {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  DataUnit() = default;
  // The text up to its NUL; nullptr gives the empty unit.
  DataUnit(const char* text);  // NOLINT: implicit, text is the common case
  DataUnit(std::string_view bytes);
  DataUnit(const void* bytes, std::size_t length);
  // Adopts the string's buffer without copying it.
  explicit DataUnit(std::string&& bytes);

  std::size_t size() const { return length_; }
  bool empty() const { return length_ == 0; }
  // The bytes; not NUL-terminated in general (see chp()).
  const char* data() const;
  const std::uint8_t* bytes() const { return reinterpret_cast<const std::uint8_t*>(data()); }
  char operator[](std::size_t i) const { return data()[i]; }
  std::string_view view() const { return std::string_view(data(), length_); }
  std::string str() const { return std::string(data(), length_); }

  // The bytes as NUL-terminated text, "" when empty. Valid while this unit lives and is
  // not assigned to. A slice that ends inside its chunk makes a terminated copy once.
  const char* chp() const;

  // length bytes from offset, both clamped to this unit; shares the chunk.
  DataUnit slice(std::size_t offset, std::size_t length = npos) const;

  static DataUnit catenate(const DataUnit& a, const DataUnit& b);

  // True when both share the same chunk (for tests of sharing).
  bool shares_chunk_with(const DataUnit& other) const;

  bool operator==(const DataUnit& other) const { return view() == other.view(); }
  // Byte-wise, unsigned, shorter prefix first.
  bool operator<(const DataUnit& other) const;

 private:
  std::shared_ptr<const std::string> chunk_;
  std::size_t start_ = 0;
  std::size_t length_ = 0;
  // The terminated copy chp() makes for a slice whose chunk goes on past its end.
  mutable std::shared_ptr<const std::string> text_;
};

// The bytes as text when every byte is printable ASCII (0x20 to 0x7e), otherwise "0x"
// followed by two lower-case hex digits per byte. The empty unit prints nothing.
std::ostream& operator<<(std::ostream& out, const DataUnit& unit);

class DUArray {
 public:
  explicit DUArray(std::size_t n = 0) : units_(n) {}
  DUArray(std::initializer_list<DataUnit> units) : units_(units) {}

  std::size_t size() const { return units_.size(); }
  const DataUnit& operator[](std::size_t i) const { return units_[i]; }
  DataUnit& operator[](std::size_t i) { return units_[i]; }
  void push_back(const DataUnit& unit) { units_.push_back(unit); }

  std::vector<DataUnit>::const_iterator begin() const { return units_.begin(); }
  std::vector<DataUnit>::const_iterator end() const { return units_.end(); }

  bool operator==(const DUArray& other) const = default;

 private:
  std::vector<DataUnit> units_;
};

// "{ a b c }", each unit as DataUnit prints it.
std::ostream& operator<<(std::ostream& out, const DUArray& array);

}  // namespace hvx

template <>
struct std::hash<hvx::DataUnit> {
  std::size_t operator()(const hvx::DataUnit& unit) const noexcept {
    return std::hash<std::string_view>()(unit.view());
  }
};

#endif  // HVX_DATA_UNIT_H_
