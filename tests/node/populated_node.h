// A fully populated view node, for the end-to-end tests and the benchmarks: every attribute
// a create takes set to a value other than its default, with several entries in lists,
// negative coordinates, bytes outside ASCII in strings and REAL values that decimal
// notation cannot hold exactly. Header only, so that the benchmarks can share it.
#ifndef DEDAVUZ_TESTS_NODE_POPULATED_NODE_H_
#define DEDAVUZ_TESTS_NODE_POPULATED_NODE_H_

#include <string>

#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_dn.h"
#include "hvx/morf.h"

namespace node_testing {

// Creates a node of `type` named `name` under `parents`, referring to `managed`; `dn` gets
// its name.
inline VQStatus make_node(const std::string& name, const std::string& type,
                          const VQTopoNode::DnList& parents, VQTopoNodeDn& dn,
                          const VQList<std::string>& managed = {}) {
  VQTopoNode node;
  VQ_RETURN_IF_ERROR(node.set_name(name));
  VQ_RETURN_IF_ERROR(node.set_type_name(type));
  VQ_RETURN_IF_ERROR(node.set_parents(parents));
  if (!managed.is_empty()) VQ_RETURN_IF_ERROR(node.set_managed_objects(managed));
  VQ_RETURN_IF_ERROR(node.create_with_all_attributes());
  return node.get_dn(dn);
}

// What the populated node refers to: the two views it is placed in and two devices it
// links to, all on the local system.
struct Neighbours {
  VQTopoNodeDn campus;
  VQTopoNodeDn annex;
  VQTopoNodeDn router;
  VQTopoNodeDn hub;
};

inline VQStatus make_neighbours(const VQTopoNodeDn& root, Neighbours& n) {
  VQ_RETURN_IF_ERROR(make_node("Campus", "Network", {root}, n.campus));
  VQ_RETURN_IF_ERROR(make_node("Annex", "Container", {root}, n.annex));
  VQ_RETURN_IF_ERROR(make_node("core-router", "Router", {n.campus}, n.router));
  return make_node("hub-1", "Hub", {n.campus}, n.hub);
}

inline hvx::Morf text_morf(const std::string& attribute, const std::string& text) {
  hvx::Morf morf(attribute);
  morf.set_str(text);
  return morf;
}

// A Network view under `n.campus` and `n.annex`. Its visible children stay empty: they
// must be children of the node, and a new node has none.
inline VQStatus populate_view_node(const Neighbours& n, VQTopoNode& node) {
  VQ_RETURN_IF_ERROR(node.set_name("B\xe2timent \xc3\xa9-7\xff"));
  VQ_RETURN_IF_ERROR(node.set_type_name("Network"));
  VQ_RETURN_IF_ERROR(node.set_managed_objects(
      {"/systemId=name:\"L\"/subsystemId=\"VQ-MIS\"", "/systemId=name:\"B\""}));
  VQ_RETURN_IF_ERROR(node.set_parents({n.campus, n.annex}));
  VQ_RETURN_IF_ERROR(node.set_links({n.router, n.hub}));
  VQ_RETURN_IF_ERROR(node.set_propagate_peers({n.hub}));
  VQ_RETURN_IF_ERROR(node.set_is_severity_propagated(false));
  VQ_RETURN_IF_ERROR(node.set_state(-42));
  VQ_RETURN_IF_ERROR(node.set_display_statuses({{"up", 1}, {"d\xe9gradation", -2}, {"", 0}}));
  VQ_RETURN_IF_ERROR(
      node.set_geographical_location({.longitude = -122.1, .latitude = -0.1}, false));
  VQ_RETURN_IF_ERROR(node.set_layer_name("\x01layer \xfe"));
  VQ_RETURN_IF_ERROR(node.add_user_datum("topoNodeLayer", text_morf("topoNodeLayer", "extra")));
  VQ_RETURN_IF_ERROR(node.set_logical_locations(
      {{n.campus, {-10, 20, -30}}, {n.annex, {2147483647, -2147483647, 0}}}));
  VQ_RETURN_IF_ERROR(node.set_view_background_image_filename("/maps/b\xe2timent.png"));
  VQ_RETURN_IF_ERROR(node.set_view_map_config_filename("campus \xff.map"));
  VQ_RETURN_IF_ERROR(
      node.set_view_default_geo_area({.longitude = 0.3, .latitude = -45.7}, 0.1, false));
  VQ_RETURN_IF_ERROR(node.set_view_config_data({{"zoom", "1.5"}, {"grid", "\xe9t\xe9"}}));
  VQ_RETURN_IF_ERROR(node.set_monitor_rotation(-30, false));
  VQ_RETURN_IF_ERROR(node.set_array_visible_children({}));
  VQ_RETURN_IF_ERROR(node.set_array_orientation(VQTopoNode::vertical));
  VQ_RETURN_IF_ERROR(node.set_array_num_columns(3));
  VQ_RETURN_IF_ERROR(node.set_array_cell_size({.width = 40, .height = 7}));
  return node.set_bus_logical_locations({{1, 2, 3}, {-4, -5, -6}, {0, 0, -1}});
}

// What a load can read back without the view graph: everything but the path names and
// the view children.
inline VQIntegerSet loadable_without_view_graph() {
  VQIntegerSet set(VQTopoNode::attribute_count, true);
  set.remove(VQTopoNode::topology_pathnames);
  set.remove(VQTopoNode::view_children);
  return set;
}

}  // namespace node_testing

#endif  // DEDAVUZ_TESTS_NODE_POPULATED_NODE_H_
