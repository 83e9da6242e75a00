#include "platform/gdmo_attributes.h"

#include "dedavuz_api/mit_names.h"
#include "hvx/morf.h"
#include "hvx/oid_registry.h"

namespace {

using NodeRep = VQTopoNodeRep;
constexpr int kGdmoCount = NodeRep::gdmo_attribute_count;

}  // namespace

const VQGdmoAttributes& vq_gdmo_attributes() {
  static const VQGdmoAttributes table = [] {
    VQGdmoAttributes made;
    for (int g = 0; g < kGdmoCount; ++g) {
      hvx::OidNameRegistry::find_oid_by_name(TOPO_NODE_GDMO_ATTRIBUTE_FULL_NAMES[g], made[g].oid);
      made[g].oid_contents = made[g].oid.ber();
      made[g].syntax = hvx::Morf(TOPO_NODE_GDMO_ATTRIBUTE_FULL_NAMES[g]).syntax();
      made[g].object_class = g == NodeRep::topo_view_node_position      ? NodeRep::topo_view_node
                             : g >= NodeRep::topo_view_background_image ? NodeRep::topo_view
                                                                        : NodeRep::topo_node;
    }
    return made;
  }();
  return table;
}

// All of them are one arc below the same prefix, so the last octet picks the candidate; a
// bulk read looks one up per value, so each candidate's octets are kept beside it.
int vq_gdmo_index(std::string_view oid_contents) {
  struct Candidate {
    int g = -1;
    std::string_view contents;
  };
  static const std::array<Candidate, 128> by_last_octet = [] {
    std::array<Candidate, 128> made;
    for (int g = 0; g < kGdmoCount; ++g) {
      const std::string& contents = vq_gdmo_attributes()[g].oid_contents;
      made[static_cast<unsigned char>(contents.back()) & 0x7f] = Candidate{g, contents};
    }
    return made;
  }();
  if (oid_contents.empty() || (oid_contents.back() & 0x80) != 0) return -1;
  const Candidate& candidate = by_last_octet[static_cast<unsigned char>(oid_contents.back())];
  const std::string_view known = candidate.contents;
  if (candidate.g < 0 || known.size() != oid_contents.size()) return -1;
  for (std::size_t i = 0; i < known.size(); ++i) {
    if (known[i] != oid_contents[i]) return -1;
  }
  return candidate.g;
}
