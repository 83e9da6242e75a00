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

const VQGdmoCandidates& vq_gdmo_candidates() {
  static const VQGdmoCandidates by_last_octet = [] {
    VQGdmoCandidates made;
    for (int g = 0; g < kGdmoCount; ++g) {
      const std::string& contents = vq_gdmo_attributes()[g].oid_contents;
      made[static_cast<unsigned char>(contents.back()) & 0x7f] = VQGdmoCandidate{g, contents};
    }
    return made;
  }();
  return by_last_octet;
}

int vq_gdmo_index(std::string_view oid_contents) {
  return vq_gdmo_index(vq_gdmo_candidates(), oid_contents);
}
