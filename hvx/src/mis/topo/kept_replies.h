// KeptReplies: the encoded linked replies of read-only requests, by request, kept while the
// server's tree stays at the revision they were made at. Any creation, change or deletion
// (derived ones included) moves the revision on and drops them all.
#ifndef HVX_SRC_MIS_TOPO_KEPT_REPLIES_H_
#define HVX_SRC_MIS_TOPO_KEPT_REPLIES_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "hvx/data_unit.h"

namespace hvx::mis::topo {

class KeptReplies {
 public:
  // What a request asks: an object and the attributes in the order asked.
  using Key = std::pair<long, std::vector<int>>;

  // Requests and octets kept at most: a client asking for ever new ones does not grow the
  // server. A reply larger than the octets allowed is not kept.
  static constexpr std::size_t kMostKept = 64;
  static constexpr std::size_t kMostBytes = std::size_t{32} << 20;

  // The parts made for `key` at `revision`; nullptr when none are kept.
  const std::vector<DataUnit>* find(const Key& key, std::uint64_t revision) {
    if (revision != revision_) {
      clear();
      revision_ = revision;
    }
    const auto it = kept_.find(key);
    return it == kept_.end() ? nullptr : &it->second;
  }

  void keep(Key key, std::uint64_t revision, std::vector<DataUnit> parts) {
    std::size_t size = 0;
    for (const DataUnit& part : parts) size += part.size();
    if (revision != revision_ || kept_.size() >= kMostKept || bytes_ + size > kMostBytes) {
      clear();
      revision_ = revision;
    }
    if (size > kMostBytes) return;
    bytes_ += size;
    kept_[std::move(key)] = std::move(parts);
  }

  void clear() {
    kept_.clear();
    bytes_ = 0;
  }

 private:
  std::uint64_t revision_ = 0;
  std::size_t bytes_ = 0;
  std::map<Key, std::vector<DataUnit>> kept_;
};

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_KEPT_REPLIES_H_
