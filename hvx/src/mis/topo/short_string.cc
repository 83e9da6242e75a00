#include "topo/short_string.h"

#include <cstring>
#include <utility>

namespace hvx::mis::topo {

ShortString::ShortString(std::string_view text) {
  if (text.size() <= kInline) {
    std::memcpy(bytes_, text.data(), text.size());
    bytes_[kInline] = static_cast<char>(text.size());
    return;
  }
  char* const block = new char[text.size()];
  std::memcpy(block, text.data(), text.size());
  const auto size = static_cast<std::uint32_t>(text.size());
  std::memcpy(bytes_, &block, sizeof block);
  std::memcpy(bytes_ + sizeof block, &size, sizeof size);
  bytes_[kInline] = static_cast<char>(kOnHeap);
}

ShortString& ShortString::operator=(const ShortString& other) {
  if (this != &other) *this = ShortString(other.view());
  return *this;
}

ShortString::ShortString(ShortString&& other) noexcept {
  std::memcpy(bytes_, other.bytes_, sizeof bytes_);
  std::memset(other.bytes_, 0, sizeof other.bytes_);
}

ShortString& ShortString::operator=(ShortString&& other) noexcept {
  if (this == &other) return *this;
  release();
  std::memcpy(bytes_, other.bytes_, sizeof bytes_);
  std::memset(other.bytes_, 0, sizeof other.bytes_);
  return *this;
}

std::string_view ShortString::view() const {
  const auto tag = static_cast<unsigned char>(bytes_[kInline]);
  if (tag != kOnHeap) return {bytes_, tag};
  std::uint32_t size = 0;
  std::memcpy(&size, bytes_ + sizeof(char*), sizeof size);
  return {heap(), size};
}

char* ShortString::heap() const {
  char* block = nullptr;
  std::memcpy(&block, bytes_, sizeof block);
  return block;
}

void ShortString::release() {
  if (static_cast<unsigned char>(bytes_[kInline]) == kOnHeap) delete[] heap();
  std::memset(bytes_, 0, sizeof bytes_);
}

}  // namespace hvx::mis::topo
