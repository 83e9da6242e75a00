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

// Reads blanks, a sign and at least one digit from `pos`. The magnitude stops growing past
// the range, so long digit runs cannot overflow.
bool read_number(std::string_view text, std::size_t& pos, long& value) {
  std::size_t p = pos;
  while (p < text.size() && is_blank(text[p])) ++p;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  if (p >= text.size() || !is_digit(text[p])) return false;
  std::int64_t magnitude = 0;
  for (; p < text.size() && is_digit(text[p]); ++p) {
    if (magnitude <= kMax) magnitude = magnitude * 10 + (text[p] - '0');
  }
  value = static_cast<long>(negative ? (-magnitude < kMin ? kMin : -magnitude)
                                     : (magnitude > kMax ? kMax : magnitude));
  pos = p;
  return true;
}

// Reads the scan set after "%[" at `f`, with an optional "^"; false without a closing "]".
bool read_scan_set(std::string_view format, std::size_t& f, std::array<bool, 256>& set) {
  const bool negate = f < format.size() && format[f] == '^';
  if (negate) ++f;
  const std::size_t end = format.find(']', f);
  if (end == std::string_view::npos) return false;
  set.fill(negate);
  for (; f < end; ++f) set[static_cast<unsigned char>(format[f])] = !negate;
  ++f;
  return true;
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
      while (t < text.size() && is_blank(text[t])) ++t;
      continue;
    }
    if (c != '%') {
      if (t >= text.size() || text[t] != c) break;
      ++t;
      ++f;
      continue;
    }
    ++f;
    const bool suppress = f < format.size() && format[f] == '*';
    if (suppress) ++f;
    if (f < format.size() && format[f] == 'l') ++f;
    if (f >= format.size()) break;
    const char conversion = format[f++];
    if (conversion == '[') {
      std::array<bool, 256> set;
      if (!read_scan_set(format, f, set)) break;
      std::size_t n = 0;
      while (t + n < text.size() && set[static_cast<unsigned char>(text[t + n])]) ++n;
      // A scan set that matches nothing fails, as in sscanf.
      if (n == 0) break;
      if (!suppress) {
        result.strings.emplace_back(text.substr(t, n));
        ++result.items;
      }
      t += n;
    } else if (conversion == 'd') {
      long value = 0;
      if (!read_number(text, t, value)) break;
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
  long value = 0;
  return read_number(text, pos, value) ? value : 0;
}
