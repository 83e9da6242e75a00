// The node attribute catalogue: attribute names, which attributes each operation takes,
// and how the attributes map onto the server's topoNode, topoView and topoViewNode.
#include <initializer_list>
#include <string>

#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node_rep.h"

namespace {

using Node = VQTopoNode;
using Rep = VQTopoNodeRep;

constexpr int kCount = Node::attribute_count;
constexpr int kGdmoCount = Rep::gdmo_attribute_count;

// The group an attribute belongs to for get_valid_attributes.
Node::AttributeType group_of(int attribute) {
  switch (attribute) {
    case Node::children:
    case Node::view_children:
    case Node::view_background_image_filename:
    case Node::view_map_config_filename:
    case Node::view_default_geo_area:
    case Node::view_config_data:
      return Node::view_attributes;
    case Node::monitor_rotation:
    case Node::monitor_visible_children:
    case Node::monitor_hidden_children:
    case Node::monitor_max_visible_children:
      return Node::monitor_attributes;
    case Node::array_visible_children:
    case Node::array_hidden_children:
    case Node::array_orientation:
    case Node::array_num_columns:
    case Node::array_cell_size:
      return Node::array_attributes;
    case Node::bus_logical_locations:
      return Node::bus_attributes;
    default:
      return Node::node_attributes;
  }
}

// What only the server gives a node: its name, what it derives, and the severities. The
// visible children of a monitor can be changed later but are not part of a new node.
bool creatable(int attribute) {
  switch (attribute) {
    case Node::dn:
    case Node::topology_pathnames:
    case Node::cmip_agents:
    case Node::snmp_agents:
    case Node::rpc_agents:
    case Node::children:
    case Node::view_children:
    case Node::severity:
    case Node::propagated_severity:
    case Node::monitor_visible_children:
    case Node::monitor_hidden_children:
    case Node::monitor_max_visible_children:
    case Node::array_hidden_children:
      return false;
    default:
      return true;
  }
}

bool valid(VQObjectOperation operation, int attribute) {
  switch (operation) {
    case load:
      return true;
    case create:
      return creatable(attribute);
    case store:
      return creatable(attribute) || attribute == Node::monitor_visible_children;
  }
  return false;
}

// Groups are numbered 0 to 7; 4 and 5 are empty.
constexpr int kGroups = 8;

struct ValidSets {
  ValidSets() {
    for (int op = 0; op < 3; ++op) {
      for (int group = 0; group < kGroups; ++group) {
        VQIntegerSet& set = sets[op][group];
        set = VQIntegerSet(kCount);
        for (int n = 0; n < kCount; ++n) {
          const bool in_group = group == Node::all_attribute_types || group_of(n) == group;
          if (in_group && valid(static_cast<VQObjectOperation>(op), n)) set.add(n);
        }
      }
    }
  }
  VQIntegerSet sets[3][kGroups];
};

VQIntegerSet set_of(int capacity, std::initializer_list<int> members) {
  VQIntegerSet set(capacity);
  for (const int member : members) set.add(member);
  return set;
}

const VQIntegerSet& no_attributes() {
  static const VQIntegerSet none(kCount);
  return none;
}

// Whether any of `attributes` is a member of `set`.
bool any_of(const VQIntegerSet& set, std::initializer_list<int> attributes) {
  for (const int attribute : attributes) {
    if (set.is_member(attribute)) return true;
  }
  return false;
}

}  // namespace

const std::string& VQTopoNodeRep::get_attribute_name(Attribute attribute) {
  static const std::string names[kCount + 1] = {
      "dn",
      "name",
      "topology_pathnames",
      "type_name",
      "managed_objects",
      "cmip_agents",
      "snmp_agents",
      "rpc_agents",
      "parents",
      "children",
      "view_children",
      "links",
      "propagate_peers",
      "is_severity_propagated",
      "state",
      "severity",
      "propagated_severity",
      "display_statuses",
      "geographical_location",
      "layer_name",
      "user_data",
      "logical_locations",
      "view_background_image_filename",
      "view_map_config_filename",
      "view_default_geo_area",
      "view_config_data",
      "monitor_rotation",
      "monitor_visible_children",
      "monitor_hidden_children",
      "monitor_max_visible_children",
      "array_visible_children",
      "array_hidden_children",
      "array_orientation",
      "array_num_columns",
      "array_cell_size",
      "bus_logical_locations",
      "Unknown",
  };
  const int index = static_cast<int>(attribute);
  return names[index >= 0 && index < kCount ? index : kCount];
}

const VQIntegerSet& VQTopoNodeRep::get_valid_attributes(VQObjectOperation operation,
                                                        AttributeType type) {
  static const ValidSets table;
  const int op = static_cast<int>(operation);
  const int group = static_cast<int>(type);
  if (op < 0 || op >= 3 || group < 0 || group >= kGroups) return no_attributes();
  return table.sets[op][group];
}

const VQIntegerSet& VQTopoNodeRep::get_mandatory_attributes(VQObjectOperation operation) {
  static const VQIntegerSet sets[3] = {
      set_of(kCount, {Node::dn}),
      set_of(kCount, {Node::name, Node::type_name, Node::parents}),
      set_of(kCount, {Node::dn}),
  };
  const int op = static_cast<int>(operation);
  return op >= 0 && op < 3 ? sets[op] : no_attributes();
}

void VQTopoNodeRep::map_interface_to_gdmo_attributes(VQObjectOperation operation,
                                                     GdmoObjectClass object_class,
                                                     const VQIntegerSet& attributes,
                                                     VQIntegerSet& gdmo) {
  gdmo = VQIntegerSet(kGdmoCount);
  const VQIntegerSet& s = attributes;
  // A load also fetches what derived attributes are computed from.
  const bool loading = operation == load;
  const auto add_if = [&gdmo](bool condition, GdmoAttribute attribute) {
    if (condition) gdmo.add(attribute);
  };
  switch (object_class) {
    case topo_node:
      add_if(s[Node::dn], topo_node_id);
      add_if(any_of(s, {Node::name, Node::topology_pathnames}), topo_node_name);
      add_if(s[Node::type_name] ||
                 (loading &&
                  any_of(s, {Node::monitor_max_visible_children,
                             Node::view_background_image_filename, Node::view_map_config_filename,
                             Node::view_config_data, Node::view_default_geo_area})),
             topo_node_type);
      add_if(s[Node::managed_objects] ||
                 (loading && any_of(s, {Node::cmip_agents, Node::snmp_agents, Node::rpc_agents})),
             topo_node_mo_set);
      add_if(any_of(s, {Node::parents, Node::topology_pathnames}) ||
                 (loading && s[Node::logical_locations]),
             topo_node_parents);
      add_if(
          s[Node::children] ||
              (loading && any_of(s, {Node::monitor_visible_children, Node::monitor_hidden_children,
                                     Node::array_visible_children, Node::array_hidden_children})),
          topo_node_children);
      add_if(s[Node::links], topo_node_peers);
      add_if(s[Node::propagate_peers], topo_node_propagate_peers);
      add_if(s[Node::state], topo_node_state);
      add_if(s[Node::severity], topo_node_severity);
      add_if(s[Node::propagated_severity], topo_node_propagated_severity);
      add_if(s[Node::is_severity_propagated], topo_node_propagate_up);
      add_if(s[Node::display_statuses], topo_node_display_status);
      add_if(s[Node::geographical_location], topo_node_geo_location);
      add_if(s[Node::layer_name], topo_node_layer);
      add_if(any_of(s, {Node::monitor_rotation, Node::monitor_visible_children,
                        Node::monitor_hidden_children}),
             topo_node_monitor);
      add_if(any_of(s, {Node::array_visible_children, Node::array_hidden_children}),
             topo_node_array_visible_children);
      add_if(s[Node::array_orientation], topo_node_array_orientation);
      add_if(s[Node::array_num_columns], topo_node_array_num_columns);
      add_if(s[Node::array_cell_size], topo_node_array_cell_size);
      add_if(s[Node::bus_logical_locations], topo_node_bus_points);
      add_if(s[Node::user_data], topo_node_user_data);
      break;
    case topo_view_node:
      add_if(s[Node::logical_locations], topo_view_node_position);
      break;
    case topo_view:
      add_if(s[Node::view_background_image_filename], topo_view_background_image);
      add_if(s[Node::view_map_config_filename], topo_view_map_config_file);
      add_if(s[Node::view_default_geo_area], topo_view_map_initial_geo_area);
      add_if(s[Node::view_config_data], topo_view_config_data);
      break;
  }
}

void VQTopoNodeRep::map_gdmo_to_interface_attributes(GdmoObjectClass object_class,
                                                     const VQIntegerSet& gdmo,
                                                     VQIntegerSet& attributes) {
  // The attribute each server attribute holds, and the class that has it; -1 for none.
  // topoNodeMonitor holds two and is handled below.
  static const struct {
    GdmoObjectClass object_class;
    int attribute;
  } held[kGdmoCount] = {
      {topo_node, Node::dn},
      {topo_node, Node::name},
      {topo_node, Node::type_name},
      {topo_node, Node::managed_objects},
      {topo_node, Node::parents},
      {topo_node, Node::children},
      {topo_node, Node::links},
      {topo_node, Node::propagate_peers},
      {topo_node, -1},
      {topo_node, -1},
      {topo_node, Node::state},
      {topo_node, Node::severity},
      {topo_node, Node::propagated_severity},
      {topo_node, Node::is_severity_propagated},
      {topo_node, Node::display_statuses},
      {topo_node, Node::geographical_location},
      {topo_node, Node::layer_name},
      {topo_node, Node::monitor_rotation},
      {topo_node, Node::user_data},
      {topo_node, Node::array_visible_children},
      {topo_node, Node::array_orientation},
      {topo_node, Node::array_num_columns},
      {topo_node, Node::array_cell_size},
      {topo_node, Node::bus_logical_locations},
      {topo_view_node, Node::logical_locations},
      {topo_view, Node::view_background_image_filename},
      {topo_view, Node::view_map_config_filename},
      {topo_view, Node::view_default_geo_area},
      {topo_view, Node::view_config_data},
  };
  attributes = VQIntegerSet(kCount);
  VQIntegerSetIterator it(gdmo);
  while (it.next()) {
    const long g = it.member();
    if (g >= kGdmoCount || held[g].object_class != object_class || held[g].attribute < 0) {
      continue;
    }
    attributes.add(held[g].attribute);
    if (g == topo_node_monitor) attributes.add(Node::monitor_visible_children);
  }
}

bool VQTopoNodeRep::map_gdmo_name_to_enum(GdmoObjectClass object_class, const std::string& name,
                                          GdmoAttribute& attribute) {
  int first = 0;
  int last = 0;  // one past
  switch (object_class) {
    case topo_node:
      first = topo_node_id;
      last = topo_view_node_position;
      break;
    case topo_view_node:
      first = topo_view_node_position;
      last = topo_view_background_image;
      break;
    case topo_view:
      first = topo_view_background_image;
      last = kGdmoCount;
      break;
    default:
      return true;
  }
  for (int g = first; g < last; ++g) {
    // Whether a node is managed is the server's own business.
    if (g == topo_node_managed || g == topo_node_is_managed) continue;
    if (TOPO_NODE_GDMO_ATTRIBUTE_NAMES[g] == name) {
      attribute = static_cast<GdmoAttribute>(g);
      return true;
    }
  }
  return false;
}
