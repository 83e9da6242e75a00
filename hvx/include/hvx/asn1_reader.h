// Asn1Reader: walks BER bytes value by value without allocating, for callers that only
// want to look (find a field, count, check) without building a tree.
#ifndef HVX_ASN1_READER_H_
#define HVX_ASN1_READER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "hvx/asn1_tag.h"
#include "hvx/status.h"

namespace hvx {

class Asn1Reader {
 public:
  // Deepest nesting accepted: a value at depth() 64 or more is an error.
  static constexpr int kMaxDepth = 64;

  // Walks every value in bytes; with one_value, stops after the first top-level value
  // (position() then tells where it ended). The bytes must outlive the reader.
  explicit Asn1Reader(std::string_view bytes, bool one_value = false);

  // Moves to the next value in document order (a constructed value's components come right
  // after it, before its next sibling). False at the end, or on an error: status() says
  // what is wrong and at which byte offset, and the reader stays there.
  bool next();

  const Status& status() const { return status_; }

  // The current value (after next() gave true).
  Asn1Tag tag() const { return tag_; }
  bool is_constructed() const { return constructed_; }
  // A constructed value whose end is marked by end-of-contents octets.
  bool is_indefinite() const { return indefinite_; }
  // 0 for a top-level value, one more per enclosing constructed value.
  int depth() const { return depth_; }
  // Offset of the identifier octets in the input.
  std::size_t offset() const { return offset_; }
  std::size_t content_offset() const { return content_offset_; }
  // The contents octets; for an indefinite value, what follows its header up to the end
  // of the nearest enclosing definite value (its end is not known yet).
  std::size_t content_length() const { return content_length_; }
  std::string_view contents() const { return bytes_.substr(content_offset_, content_length_); }

  // Offset of the next byte to be read.
  std::size_t position() const { return pos_; }

 private:
  struct Open {
    std::size_t start;  // offset of the identifier octets
    std::size_t end;    // end of the contents; for indefinite values, the enclosing limit
    bool indefinite;
  };

  // Every case; next() handles the common one inline and leaves the rest to this.
  bool next_general();
  bool fail(std::string_view what, std::size_t at);
  bool close_finished();

  std::string_view bytes_;
  bool one_value_;
  bool started_ = false;
  std::size_t pos_ = 0;
  int open_count_ = 0;
  std::array<Open, kMaxDepth> open_;
  Status status_;

  Asn1Tag tag_;
  bool constructed_ = false;
  bool indefinite_ = false;
  int depth_ = 0;
  std::size_t offset_ = 0;
  std::size_t content_offset_ = 0;
  std::size_t content_length_ = 0;
};

// Inline for the common case, which decoding runs once per value: inside a definite value,
// a one-octet tag and a one-octet length, perhaps after the end of definite values.
inline bool Asn1Reader::next() {
  if (!status_.ok()) return false;
  while (open_count_ > 0 && !open_[open_count_ - 1].indefinite &&
         pos_ == open_[open_count_ - 1].end) {
    --open_count_;
  }
  std::size_t limit = bytes_.size();
  if (open_count_ > 0) {
    const Open& top = open_[open_count_ - 1];
    if (top.indefinite || pos_ >= top.end || open_count_ >= kMaxDepth) return next_general();
    limit = top.end;
  } else if (started_ || pos_ >= limit) {
    return next_general();
  }
  if (limit - pos_ < 2) return next_general();
  const auto first = static_cast<std::uint8_t>(bytes_[pos_]);
  const auto length = static_cast<std::uint8_t>(bytes_[pos_ + 1]);
  // Long tag numbers, universal 0 in either form, and long or indefinite lengths go the
  // general way.
  if ((first & 0x1f) == 0x1f || (first & 0xdf) == 0 || length >= 0x80 ||
      length > limit - pos_ - 2) {
    return next_general();
  }
  tag_ = Asn1Tag(first >> 6, first & 0x1f);
  constructed_ = (first & 0x20) != 0;
  indefinite_ = false;
  depth_ = open_count_;
  offset_ = pos_;
  content_offset_ = pos_ + 2;
  content_length_ = length;
  started_ = true;
  if (constructed_) {
    open_[open_count_++] = Open{pos_, content_offset_ + length, false};
    pos_ = content_offset_;
  } else {
    pos_ = content_offset_ + length;
  }
  return true;
}

}  // namespace hvx

#endif  // HVX_ASN1_READER_H_
