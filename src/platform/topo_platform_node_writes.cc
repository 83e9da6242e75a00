// The values a write of node attributes by managed object carries: each selected server
// attribute of a node as { identifier, value }.
#include <string>

#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node_rep.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/names.h"
#include "hvx/oid_registry.h"

namespace {

using Code = VQStatus::Code;
using Node = VQTopoNode;
using NodeRep = VQTopoNodeRep;
using hvx::Asn1Value;

Asn1Value constructed(hvx::Asn1Tag tag) {
  Asn1Value value;
  value.start_construct(tag);
  return value;
}

Asn1Value integer(long n) {
  Asn1Value value;
  value.encode_int(n);
  return value;
}

Asn1Value text(const std::string& s) {
  Asn1Value value;
  value.encode_octets(std::string_view(s), hvx::TAG_GRAPHSTR);
  return value;
}

Asn1Value real(double d) {
  Asn1Value value;
  value.encode_real(d);
  return value;
}

Asn1Value null_value() {
  Asn1Value value;
  value.encode_null();
  return value;
}

Asn1Value id_set(const Node::DnList& names) {
  Asn1Value set = constructed(hvx::TAG_SET);
  for (const VQTopoNodeDn& name : names) set.add_component(integer(name.unique_id()));
  return set;
}

// A name list of the node, empty when it is not active.
template <typename T>
VQList<T> list_of(VQStatus (NodeRep::*getter)(VQList<T>&) const, const NodeRep& node) {
  VQList<T> list;
  (void)(node.*getter)(list);
  return list;
}

std::string text_of(VQStatus (NodeRep::*getter)(std::string&) const, const NodeRep& node) {
  std::string s;
  (void)(node.*getter)(s);
  return s;
}

VQStatus user_data_value(const NodeRep& node, Asn1Value& out) {
  out = constructed(hvx::TAG_SET);
  for (const Node::UserDatum& datum : list_of(&NodeRep::get_user_data, node)) {
    hvx::Oid oid;
    if (!hvx::OidNameRegistry::find_oid_by_name(datum.name, oid)) {
      return VQStatus(Code::attribute_not_registered, datum.name);
    }
    if (!datum.value.has_value()) {
      return VQStatus(Code::cannot_set_attribute, "VQTopoNode::object description data invalid");
    }
    Asn1Value entry = constructed(hvx::TAG_SEQ);
    Asn1Value id;
    id.encode_oid(oid);
    entry.add_component(id);
    entry.add_component(datum.value.get_value());
    out.add_component(entry);
  }
  return VQStatus::success;
}

// The value of server attribute `g` of `node`; false for the attributes a write does not
// carry.
bool value_of(int g, const NodeRep& node, Asn1Value& out) {
  switch (g) {
    case NodeRep::topo_node_name:
      out = text(text_of(&NodeRep::get_name, node));
      return true;
    case NodeRep::topo_node_type:
      out = text(text_of(&NodeRep::get_type_name, node));
      return true;
    case NodeRep::topo_node_layer:
      out = text(text_of(&NodeRep::get_layer_name, node));
      return true;
    case NodeRep::topo_view_background_image:
      out = text(text_of(&NodeRep::get_view_background_image_filename, node));
      return true;
    case NodeRep::topo_view_map_config_file:
      out = text(text_of(&NodeRep::get_view_map_config_filename, node));
      return true;
    case NodeRep::topo_node_mo_set:
      out = constructed(hvx::TAG_SET);
      for (const std::string& fdn : list_of(&NodeRep::get_managed_objects, node)) {
        if (!out.add_component(hvx::fdn2oi(fdn))) return false;
      }
      return true;
    case NodeRep::topo_node_parents:
      out = id_set(list_of(&NodeRep::get_parents, node));
      return true;
    case NodeRep::topo_node_peers:
      out = id_set(list_of(&NodeRep::get_links, node));
      return true;
    case NodeRep::topo_node_propagate_peers:
      out = id_set(list_of(&NodeRep::get_propagate_peers, node));
      return true;
    case NodeRep::topo_node_array_visible_children:
      out = id_set(list_of(&NodeRep::get_array_visible_children, node));
      return true;
    case NodeRep::topo_node_state: {
      long state = 0;
      (void)node.get_state(state);
      out = integer(state);
      return true;
    }
    case NodeRep::topo_node_array_orientation: {
      Node::ArrayOrientation orientation = Node::horizontal;
      (void)node.get_array_orientation(orientation);
      out = integer(orientation);
      return true;
    }
    case NodeRep::topo_node_array_num_columns: {
      unsigned long columns = 0;
      (void)node.get_array_num_columns(columns);
      out = integer(static_cast<long>(columns));
      return true;
    }
    case NodeRep::topo_node_propagate_up: {
      bool propagated = true;
      (void)node.get_is_severity_propagated(propagated);
      out.encode_boolean(propagated);
      return true;
    }
    case NodeRep::topo_node_display_status:
      out = constructed(hvx::TAG_SET);
      for (const Node::DisplayStatus& status : list_of(&NodeRep::get_display_statuses, node)) {
        Asn1Value entry = constructed(hvx::TAG_SEQ);
        entry.add_component(text(status.label));
        entry.add_component(integer(status.value));
        out.add_component(entry);
      }
      return true;
    case NodeRep::topo_node_geo_location: {
      Node::GeoLocation where;
      bool absent = true;
      (void)node.get_geographical_location(where, absent);
      out = null_value();
      if (absent) return true;
      out = constructed(hvx::TAG_SEQ);
      out.add_component(real(where.latitude));
      out.add_component(real(where.longitude));
      return true;
    }
    case NodeRep::topo_node_monitor: {
      long rotation = 0;
      bool absent = true;
      (void)node.get_monitor_rotation(rotation, absent);
      const Node::DnList visible = list_of(&NodeRep::get_monitor_visible_children, node);
      out = null_value();
      if (absent && visible.is_empty()) return true;
      out = constructed(hvx::TAG_SEQ);
      out.add_component(integer(rotation));
      out.add_component(id_set(visible));
      return true;
    }
    case NodeRep::topo_node_array_cell_size: {
      Node::ArrayCellSize size;
      (void)node.get_array_cell_size(size);
      out = constructed(hvx::TAG_SEQ);
      for (const unsigned long n : {size.width, size.height}) {
        Asn1Value v;
        v.encode_unsigned(n);
        out.add_component(v);
      }
      return true;
    }
    case NodeRep::topo_node_bus_points:
      out = constructed(hvx::TAG_SEQ);
      for (const Node::Location& location : list_of(&NodeRep::get_bus_logical_locations, node)) {
        Asn1Value point = constructed(hvx::TAG_SEQ);
        for (const long n : {location.x, location.y, location.z}) point.add_component(integer(n));
        out.add_component(point);
      }
      return true;
    case NodeRep::topo_view_node_position:
      // The view a position is in is not named here: the server passes it over.
      out = constructed(hvx::TAG_SEQ);
      return true;
    case NodeRep::topo_view_map_initial_geo_area: {
      Node::GeoLocation centre;
      double extent = 0.0;
      bool absent = true;
      (void)node.get_view_default_geo_area(centre, extent, absent);
      out = null_value();
      if (absent) return true;
      out = constructed(hvx::TAG_SEQ);
      for (const double d : {centre.latitude, centre.longitude, extent}) out.add_component(real(d));
      return true;
    }
    case NodeRep::topo_view_config_data:
      out = constructed(hvx::TAG_SET);
      for (const Node::ViewConfigDatum& datum : list_of(&NodeRep::get_view_config_data, node)) {
        Asn1Value entry = constructed(hvx::TAG_SEQ);
        entry.add_component(text(datum.name));
        entry.add_component(text(datum.value));
        out.add_component(entry);
      }
      return true;
    default:
      // The id, the children, the severities and whether the node is managed are the
      // server's own.
      return false;
  }
}

}  // namespace

VQStatus VQTopoPlatformRep::get_attributes_values_from_node(const VQIntegerSet& gdmo,
                                                            VQTopoNodeRep& node, Asn1Value& out) {
  VQIntegerSetIterator it(gdmo);
  while (it.next()) {
    const int g = static_cast<int>(it.member());
    Asn1Value value;
    if (g == NodeRep::topo_node_user_data) {
      VQ_RETURN_IF_ERROR(user_data_value(node, value));
    } else if (!value_of(g, node, value)) {
      if (g == NodeRep::topo_node_mo_set) {
        return VQStatus(Code::hvx_error, "VQTopoPlatformRep::get_attributes_values_from_node");
      }
      continue;
    }
    hvx::Oid oid;
    hvx::OidNameRegistry::find_oid_by_name(TOPO_NODE_GDMO_ATTRIBUTE_FULL_NAMES[g], oid);
    Asn1Value id;
    id.encode_oid(oid, hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 0));
    Asn1Value entry = constructed(hvx::TAG_SEQ);
    entry.add_component(id);
    entry.add_component(value);
    out.add_component(entry);
  }
  return VQStatus::success;
}
