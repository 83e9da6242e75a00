// Reading BER in place for values of the plain form a server writes: one-octet identifiers
// and definite lengths. Anything else is refused, never guessed at, so that a caller can
// hand it to the full decoder instead.
#ifndef DEDAVUZ_CORE_PLAIN_BER_H_
#define DEDAVUZ_CORE_PLAIN_BER_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

// Identifier octets of the universal types read in place.
inline constexpr unsigned char kVQBerInteger = 0x02;
inline constexpr unsigned char kVQBerNull = 0x05;
inline constexpr unsigned char kVQBerGraphicString = 0x19;
inline constexpr unsigned char kVQBerSequence = 0x30;
inline constexpr unsigned char kVQBerSet = 0x31;

// One value: its identifier octet, its contents, and all of its octets.
struct VQPlainTlv {
  unsigned char identifier = 0;
  std::string_view contents;
  std::string_view whole;

  bool is_constructed() const { return (identifier & 0x20) != 0; }
};

// Takes the value at the front of `in`; false (and `in` unchanged) when there is none of
// the plain form: a long tag number, an indefinite length, a length of more than four
// octets, or contents running past the end.
inline bool vq_take_plain(std::string_view& in, VQPlainTlv& out) {
  if (in.size() < 2) return false;
  const auto identifier = static_cast<unsigned char>(in[0]);
  if ((identifier & 0x1f) == 0x1f) return false;
  std::size_t length = static_cast<unsigned char>(in[1]);
  std::size_t header = 2;
  if (length >= 0x80) {
    const std::size_t octets = length & 0x7f;
    if (octets == 0 || octets > 4 || in.size() - 2 < octets) return false;
    length = 0;
    for (std::size_t k = 0; k < octets; ++k) {
      length = (length << 8) | static_cast<unsigned char>(in[2 + k]);
    }
    header += octets;
  }
  if (length > in.size() - header) return false;
  out.identifier = identifier;
  out.contents = in.substr(header, length);
  out.whole = in.substr(0, header + length);
  in.remove_prefix(header + length);
  return true;
}

// The INTEGER a primitive value of at most eight contents octets holds; false otherwise.
inline bool vq_plain_long(const VQPlainTlv& value, long& out) {
  const std::string_view c = value.contents;
  if (value.identifier != kVQBerInteger || c.empty() || c.size() > 8) return false;
  std::uint64_t bits = (static_cast<unsigned char>(c[0]) & 0x80) ? ~std::uint64_t{0} : 0;
  for (const char octet : c) bits = (bits << 8) | static_cast<unsigned char>(octet);
  out = static_cast<long>(bits);
  return true;
}

#endif  // DEDAVUZ_CORE_PLAIN_BER_H_
