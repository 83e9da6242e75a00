// PackedBytes: a byte string held in one block with its length, so that a value kept by
// every object of a large tree costs one pointer where it lives. Copies are deep.
#ifndef HVX_SRC_MIS_PACKED_BYTES_H_
#define HVX_SRC_MIS_PACKED_BYTES_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

namespace hvx::mis {

class PackedBytes {
 public:
  PackedBytes() = default;
  explicit PackedBytes(std::string_view bytes) { assign(bytes, 0); }
  PackedBytes(const PackedBytes& other) { assign(other.view(), 0); }
  PackedBytes& operator=(const PackedBytes& other) {
    if (this != &other) assign(other.view(), 0);
    return *this;
  }
  PackedBytes(PackedBytes&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
  PackedBytes& operator=(PackedBytes&& other) noexcept {
    std::swap(block_, other.block_);
    return *this;
  }
  ~PackedBytes() { release(); }

  std::size_t size() const { return block_ == nullptr ? 0 : header().size; }
  std::string_view view() const {
    return block_ == nullptr ? std::string_view() : std::string_view(data(), header().size);
  }
  void clear() { release(); }

  // Replaces `count` octets at `at` with `with`. A block that grows keeps room for as much
  // again when `spare`, so that repeated growth costs linear time overall; otherwise it is
  // made to fit.
  void replace(std::size_t at, std::size_t count, std::string_view with, bool spare = false);

  bool operator==(const PackedBytes& other) const { return view() == other.view(); }

 private:
  struct Header {
    std::uint32_t size;
    std::uint32_t capacity;
  };
  Header header() const {
    Header out;
    std::memcpy(&out, block_, sizeof out);
    return out;
  }
  void set_size(std::size_t size) {
    const auto held = static_cast<std::uint32_t>(size);
    std::memcpy(block_, &held, sizeof held);
  }
  const char* data() const { return block_ + sizeof(Header); }
  char* data() { return block_ + sizeof(Header); }
  void assign(std::string_view bytes, std::size_t capacity);
  void release();

  char* block_ = nullptr;  // a Header, then the octets; null when empty
};

}  // namespace hvx::mis

#endif  // HVX_SRC_MIS_PACKED_BYTES_H_
