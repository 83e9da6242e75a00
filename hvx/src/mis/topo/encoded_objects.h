// EncodedObjects: the stored values of node and view objects as the attribute actions
// answer them, each attribute already SEQUENCE { [0] identifier, value }. An object's
// encoding is made when first asked for and kept until the object's revision moves on.
#ifndef HVX_SRC_MIS_TOPO_ENCODED_OBJECTS_H_
#define HVX_SRC_MIS_TOPO_ENCODED_OBJECTS_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "managed_object.h"

namespace hvx::mis::topo {

class EncodedObjects {
 public:
  // Attributes are told apart by their last arc below one prefix.
  static constexpr std::uint64_t kArcs = 128;

  struct Encoded {
    std::uint64_t revision = 0;
    std::string bytes;
    // Per last arc: 1 + the index of the attribute's entry in `ends`, 0 when absent.
    std::array<std::uint8_t, kArcs> slot{};
    std::vector<std::uint32_t> ends;  // where each entry ends in `bytes`

    // The entry of the attribute with this last arc; empty when the object has none.
    std::string_view entry(std::uint64_t arc) const;
  };

  // Attributes named by `prefix` plus one arc below kArcs are encoded; others are left out.
  explicit EncodedObjects(std::vector<std::uint64_t> prefix) : prefix_(std::move(prefix)) {}

  // The encoding of the object's current values.
  const Encoded& of(const ManagedObject& object);
  // Brings an encoding kept elsewhere up to the object's current values.
  void refresh(const ManagedObject& object, Encoded& kept) const;
  // Drops what is kept of an object that leaves the tree, or of all of them.
  void forget(const ManagedObject& object) { kept_.erase(&object); }
  void clear() { kept_.clear(); }

 private:
  void encode(const ManagedObject& object, Encoded& out) const;

  std::vector<std::uint64_t> prefix_;
  std::unordered_map<const ManagedObject*, Encoded> kept_;
};

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_ENCODED_OBJECTS_H_
