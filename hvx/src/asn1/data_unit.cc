#include "hvx/data_unit.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace hvx {

namespace {

// std::string keeps a NUL after its last byte, which chp() relies on.
std::shared_ptr<const std::string> make_chunk(std::string bytes) {
  return std::make_shared<const std::string>(std::move(bytes));
}

}  // namespace

DataUnit::DataUnit(const char* text) : DataUnit(std::string_view(text ? text : "")) {}

DataUnit::DataUnit(std::string_view bytes) : DataUnit(std::string(bytes)) {}

DataUnit::DataUnit(const void* bytes, std::size_t length)
    : DataUnit(length == 0 ? std::string_view()
                           : std::string_view(static_cast<const char*>(bytes), length)) {}

DataUnit::DataUnit(std::string&& bytes) {
  if (bytes.empty()) return;
  length_ = bytes.size();
  chunk_ = make_chunk(std::move(bytes));
}

const char* DataUnit::data() const { return chunk_ ? chunk_->data() + start_ : ""; }

const char* DataUnit::chp() const {
  if (!chunk_) return "";
  const char* begin = chunk_->data() + start_;
  // The chunk's own terminator, or any NUL that happens to follow the slice, will do.
  if (start_ + length_ == chunk_->size() || begin[length_] == '\0') return begin;
  if (!text_) text_ = make_chunk(std::string(begin, length_));
  return text_->c_str();
}

DataUnit DataUnit::slice(std::size_t offset, std::size_t length) const {
  DataUnit result;
  offset = std::min(offset, length_);
  length = std::min(length, length_ - offset);
  if (length == 0) return result;
  result.chunk_ = chunk_;
  result.start_ = start_ + offset;
  result.length_ = length;
  return result;
}

DataUnit DataUnit::catenate(const DataUnit& a, const DataUnit& b) {
  if (b.empty()) return a;
  if (a.empty()) return b;
  std::string bytes;
  bytes.reserve(a.size() + b.size());
  bytes.append(a.view()).append(b.view());
  return DataUnit(std::move(bytes));
}

bool DataUnit::shares_chunk_with(const DataUnit& other) const {
  return chunk_ != nullptr && chunk_ == other.chunk_;
}

bool DataUnit::operator<(const DataUnit& other) const {
  // string_view compares char_traits<char>, which orders as unsigned char.
  return view() < other.view();
}

std::ostream& operator<<(std::ostream& out, const DataUnit& unit) {
  const std::string_view bytes = unit.view();
  const bool printable = std::all_of(bytes.begin(), bytes.end(), [](char c) {
    return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) <= 0x7e;
  });
  if (printable) return out << bytes;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text = "0x";
  text.reserve(2 + 2 * bytes.size());
  for (const char c : bytes) {
    text.push_back(kHex[static_cast<unsigned char>(c) >> 4]);
    text.push_back(kHex[static_cast<unsigned char>(c) & 0xf]);
  }
  return out << text;
}

std::ostream& operator<<(std::ostream& out, const DUArray& array) {
  out << "{ ";
  for (const DataUnit& unit : array) out << unit << ' ';
  return out << '}';
}

}  // namespace hvx
