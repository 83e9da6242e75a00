#include "asn1_contents.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace hvx::asn1_contents {

namespace {

std::uint8_t octet(std::string_view bytes, std::size_t i) {
  return static_cast<std::uint8_t>(bytes[i]);
}

// The last n octets of value, big-endian.
void append_octets(std::string& out, std::uint64_t value, int n) {
  for (int shift = 8 * (n - 1); shift >= 0; shift -= 8) {
    out.push_back(static_cast<char>((value >> shift) & 0xff));
  }
}

// Octets needed for value in two's complement.
int signed_octets(std::int64_t value) {
  int n = 1;
  while (n < 8 &&
         (value < -(std::int64_t{1} << (8 * n - 1)) || value >= (std::int64_t{1} << (8 * n - 1)))) {
    ++n;
  }
  return n;
}

int unsigned_octets(std::uint64_t value) {
  int n = 1;
  while (n < 8 && (value >> (8 * n)) != 0) ++n;
  return n;
}

}  // namespace

void append_integer(std::string& out, long value) {
  append_octets(out, static_cast<std::uint64_t>(value), signed_octets(value));
}

void append_unsigned(std::string& out, unsigned long value) {
  const int n = unsigned_octets(value);
  // A set top bit would read as negative.
  if ((value >> (8 * n - 1)) & 1) out.push_back('\0');
  append_octets(out, value, n);
}

bool read_integer(std::string_view contents, long& value) {
  if (contents.empty()) return false;
  std::size_t i = 0;
  while (contents.size() - i > 1 &&
         ((octet(contents, i) == 0x00 && !(octet(contents, i + 1) & 0x80)) ||
          (octet(contents, i) == 0xff && (octet(contents, i + 1) & 0x80)))) {
    ++i;
  }
  if (contents.size() - i > sizeof(long)) return false;
  std::uint64_t bits = (octet(contents, i) & 0x80) ? ~std::uint64_t{0} : 0;
  for (; i < contents.size(); ++i) bits = (bits << 8) | octet(contents, i);
  value = static_cast<long>(bits);
  return true;
}

bool read_unsigned(std::string_view contents, unsigned long& value) {
  if (contents.empty() || (octet(contents, 0) & 0x80)) return false;
  std::size_t i = 0;
  while (contents.size() - i > 1 && octet(contents, i) == 0) ++i;
  if (contents.size() - i > sizeof(unsigned long)) return false;
  std::uint64_t bits = 0;
  for (; i < contents.size(); ++i) bits = (bits << 8) | octet(contents, i);
  value = bits;
  return true;
}

void append_real(std::string& out, double value) {
  if (std::isnan(value)) {
    out.push_back(0x42);
    return;
  }
  if (std::isinf(value)) {
    out.push_back(value > 0 ? 0x40 : 0x41);
    return;
  }
  if (value == 0) {
    if (std::signbit(value)) out.push_back(0x43);
    return;
  }
  int exponent = 0;
  // frexp gives a fraction in [0.5, 1) with at most 53 significant bits, so scaling by
  // 2^53 gives the mantissa as an exact integer, subnormals included.
  const double fraction = std::frexp(std::fabs(value), &exponent);
  std::uint64_t mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  exponent -= 53;
  while ((mantissa & 1) == 0) {
    mantissa >>= 1;
    ++exponent;
  }
  const int exponent_octets = signed_octets(exponent);
  out.push_back(static_cast<char>(0x80 | (std::signbit(value) ? 0x40 : 0) | (exponent_octets - 1)));
  append_octets(out, static_cast<std::uint64_t>(static_cast<std::int64_t>(exponent)),
                exponent_octets);
  append_octets(out, mantissa, unsigned_octets(mantissa));
}

namespace {

// An exponent this large in magnitude overflows or underflows any nonzero mantissa.
constexpr std::int64_t kExponentBound = 1 << 20;

bool read_binary_real(std::string_view contents, double& value) {
  const std::uint8_t first = octet(contents, 0);
  const bool negative = (first & 0x40) != 0;
  const int base_bits = (first >> 4) & 3;  // base 2, 8, 16: one, three, four bits a digit
  if (base_bits == 3) return false;
  const int digit_bits = base_bits == 0 ? 1 : base_bits == 1 ? 3 : 4;
  const int scale = (first >> 2) & 3;
  std::size_t pos = 1;
  std::size_t exponent_length = (first & 3) + 1;
  if ((first & 3) == 3) {
    if (contents.size() < 2 || octet(contents, 1) == 0) return false;
    exponent_length = octet(contents, 1);
    pos = 2;
  }
  if (contents.size() - pos < exponent_length) return false;

  // The exponent, saturated at the bound: past it only zero mantissas give a value.
  std::int64_t exponent = (octet(contents, pos) & 0x80) ? -1 : 0;
  for (std::size_t i = 0; i < exponent_length; ++i) {
    exponent = exponent * 256 + octet(contents, pos + i);
    if (exponent > kExponentBound) exponent = kExponentBound;
    if (exponent < -kExponentBound) exponent = -kExponentBound;
  }
  pos += exponent_length;

  const std::string_view digits = contents.substr(pos);
  std::size_t lead = 0;
  while (lead < digits.size() && digits[lead] == 0) ++lead;
  if (lead == digits.size()) {
    value = negative ? -0.0 : 0.0;
    return true;
  }
  std::size_t tail = digits.size();
  while (digits[tail - 1] == 0) --tail;
  // More than 64 bits from the first set bit to the last cannot be exact in a double.
  if (tail - lead > 8) return false;
  std::uint64_t mantissa = 0;
  for (std::size_t i = lead; i < tail; ++i) mantissa = (mantissa << 8) | octet(digits, i);
  std::int64_t shift = 8 * static_cast<std::int64_t>(digits.size() - tail) + scale;
  while ((mantissa & 1) == 0) {
    mantissa >>= 1;
    ++shift;
  }
  if (mantissa >> 53) return false;
  const std::int64_t power = exponent * digit_bits + shift;
  if (power > kExponentBound || power < -kExponentBound) return false;
  const double magnitude = std::ldexp(static_cast<double>(mantissa), static_cast<int>(power));
  if (std::isinf(magnitude) || magnitude == 0 ||
      std::ldexp(magnitude, static_cast<int>(-power)) != static_cast<double>(mantissa)) {
    return false;
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

// Numbers in the character forms NR1 (integer), NR2 (decimal mark) and NR3 (exponent):
// blanks first, then an optional sign, '.' or ',' as the mark.
bool read_decimal_real(std::string_view text, int form, double& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number.push_back('-');
    ++i;
  }
  auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
  std::size_t mantissa_digits = 0;
  bool mark = false;
  for (; i < text.size(); ++i) {
    if (is_digit(text[i])) {
      number.push_back(text[i]);
      ++mantissa_digits;
    } else if ((text[i] == '.' || text[i] == ',') && !mark && form != 1) {
      number.push_back('.');
      mark = true;
    } else {
      break;
    }
  }
  if (mantissa_digits == 0) return false;
  if (form == 3) {
    if (i == text.size() || (text[i] != 'E' && text[i] != 'e')) return false;
    number.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      if (text[i] == '-') number.push_back('-');
      ++i;
    }
    const std::size_t exponent_start = i;
    while (i < text.size() && is_digit(text[i])) number.push_back(text[i++]);
    if (i == exponent_start) return false;
  }
  if (i != text.size()) return false;
  double parsed = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (error != std::errc() || end != number.data() + number.size()) return false;
  value = parsed;
  return true;
}

}  // namespace

bool read_real(std::string_view contents, double& value) {
  if (contents.empty()) {
    value = 0.0;
    return true;
  }
  const std::uint8_t first = octet(contents, 0);
  if (first & 0x80) return read_binary_real(contents, value);
  if (first & 0x40) {
    if (contents.size() != 1) return false;
    switch (first) {
      case 0x40:
        value = std::numeric_limits<double>::infinity();
        return true;
      case 0x41:
        value = -std::numeric_limits<double>::infinity();
        return true;
      case 0x42:
        value = std::numeric_limits<double>::quiet_NaN();
        return true;
      case 0x43:
        value = -0.0;
        return true;
      default:
        return false;
    }
  }
  const int form = first & 0x3f;
  if (form < 1 || form > 3) return false;
  return read_decimal_real(contents.substr(1), form, value);
}

}  // namespace hvx::asn1_contents
