#include "core/name_scan.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

constexpr std::int64_t kMin = INT32_MIN;
constexpr std::int64_t kMax = INT32_MAX;

// The C locale's white space; std::isspace would depend on the locale and on the sign of char.
bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

void skip_blanks(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && is_blank(text[pos])) ++pos;
}

// Reads a sign and at least one digit from `pos`, at most `width` characters (0: no limit).
// The magnitude stops growing past the range, so long digit runs cannot overflow.
bool read_number(std::string_view text, std::size_t& pos, std::size_t width, long& value) {
  std::size_t end = text.size();
  if (width != 0 && width < end - pos) end = pos + width;
  std::size_t p = pos;
  bool negative = false;
  if (p < end && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  if (p >= end || !is_digit(text[p])) return false;
  std::int64_t magnitude = 0;
  for (; p < end && is_digit(text[p]); ++p) {
    if (magnitude <= kMax) magnitude = magnitude * 10 + (text[p] - '0');
  }
  value = static_cast<long>(negative ? (-magnitude < kMin ? kMin : -magnitude)
                                     : (magnitude > kMax ? kMax : magnitude));
  pos = p;
  return true;
}

// Parses the scan set that follows "%[" at `f`; false when the format has no closing "]".
bool read_scan_set(std::string_view format, std::size_t& f, std::array<bool, 256>& set) {
  bool negate = false;
  if (f < format.size() && format[f] == '^') {
    negate = true;
    ++f;
  }
  std::array<bool, 256> listed{};
  // A "]" right after the opening bracket is a member, not the end; so is a "-" that
  // cannot be a range.
  const std::size_t start = f;
  for (; f < format.size(); ++f) {
    const auto c = static_cast<unsigned char>(format[f]);
    if (c == ']' && f > start) {
      ++f;
      for (std::size_t i = 0; i < set.size(); ++i) set[i] = listed[i] != negate;
      return true;
    }
    if (c == '-' && f > start && f + 1 < format.size() && format[f + 1] != ']') {
      const auto low = static_cast<unsigned char>(format[f - 1]);
      const auto high = static_cast<unsigned char>(format[++f]);
      for (unsigned i = low; i <= high; ++i) listed[i] = true;
      continue;
    }
    listed[c] = true;
  }
  return false;
}

}  // namespace

VQScanResult vq_scan(std::string_view text, std::string_view format) {
  VQScanResult result;
  std::size_t t = 0;
  std::size_t f = 0;
  while (f < format.size()) {
    const char c = format[f];
    if (is_blank(c)) {
      while (f < format.size() && is_blank(format[f])) ++f;
      skip_blanks(text, t);
      continue;
    }
    if (c != '%' || (f + 1 < format.size() && format[f + 1] == '%')) {
      if (c == '%') ++f;
      if (t >= text.size() || text[t] != c) break;
      ++t;
      ++f;
      continue;
    }
    ++f;
    const bool suppress = f < format.size() && format[f] == '*';
    if (suppress) ++f;
    std::size_t width = 0;
    while (f < format.size() && is_digit(format[f]) && width < 100000) {
      width = width * 10 + static_cast<std::size_t>(format[f++] - '0');
    }
    while (f < format.size() && (format[f] == 'l' || format[f] == 'h')) ++f;
    if (f >= format.size()) break;
    const char conversion = format[f++];
    if (conversion == '[') {
      std::array<bool, 256> set{};
      if (!read_scan_set(format, f, set)) break;
      std::size_t n = 0;
      while (t + n < text.size() && (width == 0 || n < width) &&
             set[static_cast<unsigned char>(text[t + n])]) {
        ++n;
      }
      if (n == 0) break;
      if (!suppress) {
        result.strings.emplace_back(text.substr(t, n));
        ++result.items;
      }
      t += n;
    } else if (conversion == 'd') {
      skip_blanks(text, t);
      long value = 0;
      if (!read_number(text, t, width, value)) break;
      if (!suppress) {
        result.numbers.push_back(value);
        ++result.items;
      }
    } else {
      break;
    }
  }
  return result;
}

long vq_atoi(std::string_view text) {
  std::size_t pos = 0;
  skip_blanks(text, pos);
  long value = 0;
  return read_number(text, pos, 0, value) ? value : 0;
}
