#include "packed_bytes.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace hvx::mis {

void PackedBytes::release() {
  ::operator delete(block_);
  block_ = nullptr;
}

void PackedBytes::assign(std::string_view bytes, std::size_t capacity) {
  capacity = std::max(capacity, bytes.size());
  if (capacity == 0) {
    release();
    return;
  }
  char* block = static_cast<char*>(::operator new(sizeof(Header) + capacity));
  Header header{static_cast<std::uint32_t>(bytes.size()), static_cast<std::uint32_t>(capacity)};
  std::memcpy(block, &header, sizeof header);
  if (!bytes.empty()) std::memcpy(block + sizeof(Header), bytes.data(), bytes.size());
  release();
  block_ = block;
}

void PackedBytes::replace(std::size_t at, std::size_t count, std::string_view with, bool spare) {
  const std::size_t old_size = size();
  at = std::min(at, old_size);
  count = std::min(count, old_size - at);
  const std::size_t new_size = old_size - count + with.size();
  if (block_ != nullptr && new_size <= header().capacity && (spare || new_size == old_size)) {
    char* octets = data();
    std::memmove(octets + at + with.size(), octets + at + count, old_size - at - count);
    if (!with.empty()) std::memcpy(octets + at, with.data(), with.size());
    set_size(new_size);
    return;
  }
  std::string_view old = view();
  std::string joined;
  joined.reserve(new_size);
  joined.append(old.substr(0, at)).append(with).append(old.substr(at + count));
  assign(joined, spare ? 2 * new_size : new_size);
}

}  // namespace hvx::mis
