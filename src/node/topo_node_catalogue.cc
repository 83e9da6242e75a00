// The node attribute catalogue: attribute names, which attributes each operation takes,
// and how the attributes map onto the server's topoNode, topoView and topoViewNode.
#include <initializer_list>
#include <string>

#include "dedavuz_api/mit_names.h"
#include "node/topo_node_rep_access.h"

namespace {

using Node = VQTopoNode;

const VQAttributeTable<VQTopoNodeRep>& table() { return VQTopoNodeRepAccess::table(); }

VQIntegerSet set_of(std::initializer_list<int> members) {
  VQIntegerSet set(Node::attribute_count);
  for (const int member : members) set.add(member);
  return set;
}

}  // namespace

const std::string& VQTopoNodeRep::get_attribute_name(Attribute attribute) {
  return table().name(attribute);
}

VQStatus VQTopoNodeRep::not_set(Attribute attribute) { return table().not_set(attribute); }

const VQIntegerSet& VQTopoNodeRep::get_valid_attributes(VQObjectOperation operation,
                                                        AttributeType type) {
  return table().valid(operation, type);
}

const VQIntegerSet& VQTopoNodeRep::get_mandatory_attributes(VQObjectOperation operation) {
  static const VQIntegerSet sets[3] = {
      set_of({Node::dn}),
      set_of({Node::name, Node::type_name, Node::parents}),
      set_of({Node::dn}),
  };
  const int op = static_cast<int>(operation);
  return op >= 0 && op < 3 ? sets[op] : table().valid(operation);
}

void VQTopoNodeRep::map_interface_to_gdmo_attributes(VQObjectOperation operation,
                                                     GdmoObjectClass object_class,
                                                     const VQIntegerSet& attributes,
                                                     VQIntegerSet& gdmo) {
  gdmo = VQIntegerSet(gdmo_attribute_count);
  table().to_gdmo(operation, object_class, attributes, gdmo);
}

void VQTopoNodeRep::map_gdmo_to_interface_attributes(GdmoObjectClass object_class,
                                                     const VQIntegerSet& gdmo,
                                                     VQIntegerSet& attributes) {
  attributes = VQIntegerSet(Node::attribute_count);
  table().from_gdmo(object_class, gdmo, attributes);
}

bool VQTopoNodeRep::map_gdmo_name_to_enum(GdmoObjectClass object_class, const std::string& name,
                                          GdmoAttribute& attribute) {
  // Each class's attributes follow those of the class numbered before it.
  static constexpr int kFirst[] = {topo_node_id, topo_view_node_position,
                                   topo_view_background_image, gdmo_attribute_count};
  const int object = static_cast<int>(object_class);
  if (object < topo_node || object > topo_view) return true;
  for (int g = kFirst[object]; g < kFirst[object + 1]; ++g) {
    // Whether a node is managed is the server's own business.
    if (g == topo_node_managed || g == topo_node_is_managed) continue;
    if (TOPO_NODE_GDMO_ATTRIBUTE_NAMES[g] == name) {
      attribute = static_cast<GdmoAttribute>(g);
      return true;
    }
  }
  return false;
}
