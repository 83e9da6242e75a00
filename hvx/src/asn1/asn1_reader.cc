#include "hvx/asn1_reader.h"

#include <cstdint>
#include <string>

namespace hvx {

namespace {

std::uint8_t octet(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]);
}

// The number of a long-form tag, from the octets after the first; the error's text, or
// nullptr.
const char* long_tag_number(std::string_view bytes, std::size_t& p, std::size_t limit,
                            std::uint32_t& number) {
  if (p < limit && octet(bytes, p) == 0x80) return "tag number with a leading zero octet";
  number = 0;
  std::uint8_t b = 0;
  do {
    if (p >= limit) return "truncated tag number";
    if (number > (UINT32_MAX >> 7)) return "tag number too large";
    b = octet(bytes, p++);
    number = (number << 7) | (b & 0x7f);
  } while (b & 0x80);
  if (number < 0x1f) return "tag number below 31 in the long form";
  return nullptr;
}

// The length octets at `p` (there is at least one); the error's text, or nullptr.
const char* length_octets(std::string_view bytes, std::size_t& p, std::size_t limit,
                          bool constructed, std::uint64_t& length, bool& indefinite) {
  const std::uint8_t b = octet(bytes, p++);
  if (b < 0x80) {
    length = b;
  } else if (b == 0x80) {
    if (!constructed) return "indefinite length on a primitive value";
    indefinite = true;
  } else if (b == 0xff) {
    return "reserved length octet 0xff";
  } else {
    const std::size_t count = b & 0x7f;
    if (count > limit - p) return "truncated length";
    for (std::size_t i = 0; i < count; ++i) {
      if (length >> 56) return "length too large";
      length = (length << 8) | octet(bytes, p++);
    }
  }
  return nullptr;
}

}  // namespace

Asn1Reader::Asn1Reader(std::string_view bytes, bool one_value)
    : bytes_(bytes), one_value_(one_value) {}

bool Asn1Reader::fail(std::string_view what, std::size_t at) {
  status_ = Status::ProtocolError(std::string(what) + " at offset " + std::to_string(at));
  return false;
}

// Leaves every constructed value whose contents end at pos_, consuming the end-of-contents
// octets of indefinite ones. False on an error.
bool Asn1Reader::close_finished() {
  while (open_count_ > 0) {
    const Open& top = open_[open_count_ - 1];
    if (!top.indefinite) {
      if (pos_ < top.end) return true;
      --open_count_;
      continue;
    }
    if (top.end - pos_ >= 2 && bytes_[pos_] == 0 && bytes_[pos_ + 1] == 0) {
      pos_ += 2;
      --open_count_;
      continue;
    }
    if (pos_ == top.end) return fail("missing end-of-contents for the value", top.start);
    return true;
  }
  return true;
}

bool Asn1Reader::next_general() {
  if (!status_.ok() || !close_finished()) return false;
  if (open_count_ == 0 && (pos_ == bytes_.size() || (one_value_ && started_))) return false;

  // Nothing may run past the end of the nearest enclosing definite value.
  const std::size_t limit = open_count_ > 0 ? open_[open_count_ - 1].end : bytes_.size();
  const std::size_t start = pos_;
  std::size_t p = pos_;
  const std::uint8_t b = octet(bytes_, p++);
  const unsigned tag_class = b >> 6;
  const bool constructed = (b & 0x20) != 0;
  std::uint32_t number = b & 0x1f;
  if (number == 0x1f) {
    if (const char* error = long_tag_number(bytes_, p, limit, number)) return fail(error, start);
  }
  if (tag_class == 0 && number == 0) return fail("unexpected end-of-contents octets", start);

  if (p >= limit) return fail("truncated length", start);
  std::uint64_t length = 0;
  bool indefinite = false;
  if (const char* error = length_octets(bytes_, p, limit, constructed, length, indefinite)) {
    return fail(error, start);
  }
  const std::size_t remaining = limit - p;
  if (!indefinite && length > remaining) {
    return fail("length " + std::to_string(length) + " exceeds the " + std::to_string(remaining) +
                    " bytes that remain",
                start);
  }
  if (open_count_ >= kMaxDepth) {
    return fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels", start);
  }

  tag_ = Asn1Tag(tag_class, number);
  constructed_ = constructed;
  indefinite_ = indefinite;
  depth_ = open_count_;
  offset_ = start;
  content_offset_ = p;
  content_length_ = indefinite ? remaining : static_cast<std::size_t>(length);
  started_ = true;
  if (constructed) {
    open_[open_count_++] = Open{start, p + content_length_, indefinite};
    pos_ = p;
  } else {
    pos_ = p + content_length_;
  }
  return true;
}

}  // namespace hvx
