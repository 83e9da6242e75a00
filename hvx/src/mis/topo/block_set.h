// BlockSet: an ordered set held as a run of sorted blocks of at most kBlock elements. An
// element costs little more than its own size, where a node-based set adds 32 bytes and a
// malloc header to each; lookups stay logarithmic and a change moves at most a block.
#ifndef HVX_SRC_MIS_TOPO_BLOCK_SET_H_
#define HVX_SRC_MIS_TOPO_BLOCK_SET_H_

#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>

namespace hvx::mis::topo {

// `Less` orders elements and may also compare them with other key types.
template <typename T, typename Less = std::less<>>
class BlockSet {
 public:
  static constexpr std::size_t kBlock = 128;

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  void clear() {
    blocks_.clear();
    size_ = 0;
  }

  // False when an equal element is already there.
  bool insert(const T& value) {
    if (blocks_.empty()) {
      blocks_.push_back({value});
      size_ = 1;
      return true;
    }
    const std::size_t b = block_for(value);
    std::vector<T>& block = blocks_[b];
    auto at = std::lower_bound(block.begin(), block.end(), value, less_);
    if (at != block.end() && !less_(value, *at)) return false;
    ++size_;
    if (block.size() < kBlock) {
      block.insert(at, value);
    } else if (at == block.end()) {
      // Past the end of a full block, as ascending inserts come: a new block, so that
      // those fill every block to the brim.
      blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::vector<T>{value});
    } else if (b + 1 < blocks_.size() && blocks_[b + 1].size() < kBlock) {
      // A neighbour with room takes an element over rather than the block splitting:
      // blocks stay fuller under inserts in the middle.
      std::vector<T>& next = blocks_[b + 1];
      next.insert(next.begin(), block.back());
      std::move_backward(at, block.end() - 1, block.end());
      *at = value;
    } else if (b > 0 && blocks_[b - 1].size() < kBlock) {
      std::vector<T>& previous = blocks_[b - 1];
      if (at == block.begin()) {
        previous.push_back(value);
      } else {
        previous.push_back(block.front());
        std::move(block.begin() + 1, at, block.begin());
        *(at - 1) = value;
      }
    } else {
      const auto half = block.begin() + kBlock / 2;
      std::vector<T> upper(half, block.end());
      const bool below = at < half;
      const std::size_t offset = static_cast<std::size_t>(at - (below ? block.begin() : half));
      block.erase(half, block.end());
      std::vector<T>& into = below ? block : upper;
      into.insert(into.begin() + static_cast<std::ptrdiff_t>(offset), value);
      blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(upper));
    }
    return true;
  }

  // False when no element is equal to `key`.
  template <typename K>
  bool erase(const K& key) {
    if (blocks_.empty()) return false;
    const std::size_t b = block_for(key);
    std::vector<T>& block = blocks_[b];
    const auto at = std::lower_bound(block.begin(), block.end(), key, less_);
    if (at == block.end() || less_(key, *at)) return false;
    block.erase(at);
    --size_;
    // Neighbours that fit in half a block together become one, so that erasing cannot
    // leave a long run of nearly empty blocks.
    if (b + 1 < blocks_.size() && block.size() + blocks_[b + 1].size() <= kBlock / 2) {
      block.insert(block.end(), blocks_[b + 1].begin(), blocks_[b + 1].end());
      blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b) + 1);
    } else if (b > 0 && block.size() + blocks_[b - 1].size() <= kBlock / 2) {
      blocks_[b - 1].insert(blocks_[b - 1].end(), block.begin(), block.end());
      blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
    } else if (block.empty()) {
      blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
    }
    return true;
  }

  // Calls `f` with the elements not less than `key`, in order, while it returns true.
  template <typename K, typename F>
  void visit_from(const K& key, F&& f) const {
    if (blocks_.empty()) return;
    std::size_t b = block_for(key);
    const std::vector<T>& first = blocks_[b];
    auto i = static_cast<std::size_t>(std::lower_bound(first.begin(), first.end(), key, less_) -
                                      first.begin());
    for (; b < blocks_.size(); ++b, i = 0) {
      for (; i < blocks_[b].size(); ++i) {
        if (!f(blocks_[b][i])) return;
      }
    }
  }

  // Calls `f` with every element, in order.
  template <typename F>
  void visit(F&& f) const {
    for (const std::vector<T>& block : blocks_) {
      for (const T& value : block) f(value);
    }
  }

 private:
  // The block an element equal to `key` is in or would go to: the first whose last element
  // is not less than it, else the last block. Blocks are never empty.
  template <typename K>
  std::size_t block_for(const K& key) const {
    const auto it =
        std::partition_point(blocks_.begin(), blocks_.end(),
                             [&](const std::vector<T>& block) { return less_(block.back(), key); });
    return it == blocks_.end() ? blocks_.size() - 1
                               : static_cast<std::size_t>(it - blocks_.begin());
  }

  std::vector<std::vector<T>> blocks_;
  std::size_t size_ = 0;
  [[no_unique_address]] Less less_;
};

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_BLOCK_SET_H_
