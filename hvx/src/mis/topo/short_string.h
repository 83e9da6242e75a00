// ShortString: an immutable string in 16 bytes, for names the graph holds one of per node:
// up to 15 characters inline (most node names), longer ones in a heap block of their size.
#ifndef HVX_SRC_MIS_TOPO_SHORT_STRING_H_
#define HVX_SRC_MIS_TOPO_SHORT_STRING_H_

#include <cstdint>
#include <string_view>

namespace hvx::mis::topo {

class ShortString {
 public:
  ShortString() = default;
  explicit ShortString(std::string_view text);
  ShortString(const ShortString& other) : ShortString(other.view()) {}
  ShortString& operator=(const ShortString& other);
  ShortString(ShortString&& other) noexcept;
  ShortString& operator=(ShortString&& other) noexcept;
  ~ShortString() { release(); }

  std::string_view view() const;

  friend bool operator==(const ShortString& a, const ShortString& b) {
    return a.view() == b.view();
  }

 private:
  static constexpr std::size_t kInline = 15;
  static constexpr unsigned char kOnHeap = 0xFF;

  void release();
  char* heap() const;

  // The last byte is the size of an inline string, or kOnHeap; then the first eight hold
  // the heap block's address and the next four its size.
  char bytes_[16] = {};
};

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_SHORT_STRING_H_
