// The values a write of node attributes by managed object carries: each selected server
// attribute of a node as { identifier, value }, the value as the node's attribute table
// gives it.
#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node_rep.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/ber.h"
#include "hvx/oid_registry.h"
#include "node/topo_node_rep_access.h"

using Code = VQStatus::Code;
using NodeRep = VQTopoNodeRep;
using hvx::Asn1Value;

VQStatus VQTopoPlatformRep::get_attributes_values_from_node(const VQIntegerSet& gdmo,
                                                            VQTopoNodeRep& node, Asn1Value& out) {
  const VQAttributeTable<NodeRep>& table = VQTopoNodeRepAccess::table();
  // An attribute the node does not hold goes out as a new node holds it.
  const NodeRep blank;
  VQIntegerSetIterator it(gdmo);
  while (it.next()) {
    const int g = static_cast<int>(it.member());
    const VQAttributeRow<NodeRep>* row = table.valued(g);
    Asn1Value value;
    if (g == NodeRep::topo_node_propagate_up) {
      // A flag here, where the node's image holds an INTEGER.
      bool propagated = true;
      (void)node.get_is_severity_propagated(propagated);
      value.encode_boolean(propagated);
    } else if (g == NodeRep::topo_view_node_position) {
      // The view a position is in is not named here: the server passes it over.
      value = hvx::ber::sequence();
    } else if (row != nullptr && g != NodeRep::topo_node_propagated_severity) {
      const VQStatus status =
          table.value(node.active_.is_member(row->number) ? node : blank, *row, value);
      if (status.code() == Code::encode_error) {
        return VQStatus(Code::hvx_error, "VQTopoPlatformRep::get_attributes_values_from_node");
      }
      VQ_RETURN_IF_ERROR(status);
    } else {
      // The id, the children, the severities and whether the node is managed are the
      // server's own.
      continue;
    }
    hvx::Oid oid;
    hvx::OidNameRegistry::find_oid_by_name(TOPO_NODE_GDMO_ATTRIBUTE_FULL_NAMES[g], oid);
    Asn1Value id;
    id.encode_oid(oid, hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 0));
    Asn1Value entry = hvx::ber::sequence();
    entry.add_component(id);
    entry.add_component(value);
    out.add_component(entry);
  }
  return VQStatus::success;
}
