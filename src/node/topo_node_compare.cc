// Node defaults, comparison and printing, walking the attribute table.
#include <ostream>

#include "node/topo_node_rep_access.h"

namespace {

const VQAttributeTable<VQTopoNodeRep>& table() { return VQTopoNodeRepAccess::table(); }

}  // namespace

// The hidden children and the maximum of visible children are computed when read.
VQStatus VQTopoNodeRep::load_some_defaults(const VQIntegerSet& attributes) {
  table().reset(*this, attributes);
  return VQStatus::success;
}

bool VQTopoNodeRep::internal_compare_some_attributes(const VQTopoNodeRep& other,
                                                     const VQIntegerSet& attributes,
                                                     VQIntegerSet* differing) const {
  return table().compare(*this, active_, other, other.active_, attributes, differing);
}

bool VQTopoNodeRep::compare_all_attributes(const VQTopoNodeRep& other) const {
  return internal_compare_some_attributes(other, active_, nullptr);
}

bool VQTopoNodeRep::compare_some_attributes(const VQTopoNodeRep& other,
                                            const VQIntegerSet& attributes) const {
  return internal_compare_some_attributes(other, attributes, nullptr);
}

bool VQTopoNodeRep::diff_all_attributes(const VQTopoNodeRep& other, VQIntegerSet& differing) const {
  return internal_compare_some_attributes(other, table().valid(load), &differing);
}

bool VQTopoNodeRep::diff_some_attributes(const VQTopoNodeRep& other, const VQIntegerSet& attributes,
                                         VQIntegerSet& differing) const {
  return internal_compare_some_attributes(other, attributes, &differing);
}

std::ostream& operator<<(std::ostream& os, const VQTopoNodeRep& rep) {
  table().print(os, rep, rep.active_);
  return os;
}
