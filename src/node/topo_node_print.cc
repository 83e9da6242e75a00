// The printed form of a node: one entry per active attribute.
#include <ostream>
#include <string>

#include "core/entry_label.h"
#include "dedavuz_api/topo_node_rep.h"

std::ostream& operator<<(std::ostream& os, const VQTopoNodeRep& rep) {
  using Node = VQTopoNode;
  // Related attributes sit together: the flag after the severities, the view data after
  // the statuses. User data and the maximum of visible children are never printed.
  static constexpr Node::Attribute kOrder[] = {
      Node::dn,
      Node::name,
      Node::topology_pathnames,
      Node::type_name,
      Node::managed_objects,
      Node::cmip_agents,
      Node::snmp_agents,
      Node::rpc_agents,
      Node::parents,
      Node::children,
      Node::view_children,
      Node::links,
      Node::propagate_peers,
      Node::state,
      Node::severity,
      Node::propagated_severity,
      Node::is_severity_propagated,
      Node::display_statuses,
      Node::view_config_data,
      Node::geographical_location,
      Node::layer_name,
      Node::logical_locations,
      Node::view_background_image_filename,
      Node::view_map_config_filename,
      Node::view_default_geo_area,
      Node::monitor_rotation,
      Node::monitor_visible_children,
      Node::monitor_hidden_children,
      Node::array_visible_children,
      Node::array_hidden_children,
      Node::array_orientation,
      Node::array_num_columns,
      Node::array_cell_size,
      Node::bus_logical_locations,
  };
  for (const Node::Attribute attribute : kOrder) {
    if (!rep.is_active(attribute)) continue;
    const std::string label = vq_entry_label(VQTopoNodeRep::get_attribute_name(attribute) + ": ");
    switch (attribute) {
      case Node::dn:
        os << label << rep.dn_ << '\n';
        break;
      case Node::name:
        os << label << rep.name_ << '\n';
        break;
      case Node::topology_pathnames:
        rep.topology_pathnames_.print(os, label);
        break;
      case Node::type_name:
        os << label << rep.type_name_ << '\n';
        break;
      case Node::managed_objects:
        rep.managed_objects_.print(os, label);
        break;
      case Node::cmip_agents:
        rep.cmip_agents_.print(os, label);
        break;
      case Node::snmp_agents:
        rep.snmp_agents_.print(os, label);
        break;
      case Node::rpc_agents:
        rep.rpc_agents_.print(os, label);
        break;
      case Node::parents:
        rep.parents_.print(os, label);
        break;
      case Node::children:
        rep.children_.print(os, label);
        break;
      case Node::view_children:
        rep.view_children_.print(os, label);
        break;
      case Node::links:
        rep.links_.print(os, label);
        break;
      case Node::propagate_peers:
        rep.propagate_peers_.print(os, label);
        break;
      case Node::state:
        os << label << rep.state_ << '\n';
        break;
      case Node::severity:
        os << label << rep.severity_ << '\n';
        break;
      case Node::propagated_severity:
        os << label << rep.propagated_severity_ << '\n';
        break;
      case Node::is_severity_propagated:
        os << label << (rep.is_severity_propagated_ ? "TRUE" : "FALSE") << '\n';
        break;
      case Node::display_statuses:
        rep.display_statuses_.print(os, label);
        break;
      case Node::view_config_data:
        rep.view_config_data_.print(os, label);
        break;
      case Node::geographical_location:
        os << label;
        if (rep.geographical_location_absent_) {
          os << "NULL";
        } else {
          os << rep.geographical_location_;
        }
        os << '\n';
        break;
      case Node::layer_name:
        os << label << rep.layer_name_ << '\n';
        break;
      case Node::logical_locations:
        rep.logical_locations_.print(os, label);
        break;
      case Node::view_background_image_filename:
        os << label << rep.view_background_image_filename_ << '\n';
        break;
      case Node::view_map_config_filename:
        os << label << rep.view_map_config_filename_ << '\n';
        break;
      case Node::view_default_geo_area:
        os << label;
        if (rep.view_default_geo_area_absent_) {
          os << "NULL";
        } else {
          os << rep.view_default_geo_area_ << "  " << rep.view_default_geo_area_extent_;
        }
        os << '\n';
        break;
      case Node::monitor_rotation:
        os << label;
        if (rep.monitor_rotation_absent_) {
          os << "NULL";
        } else {
          os << rep.monitor_rotation_;
        }
        os << '\n';
        break;
      case Node::monitor_visible_children:
        rep.monitor_visible_children_.print(os, label);
        break;
      case Node::monitor_hidden_children:
      case Node::array_hidden_children: {
        VQTopoNodeRep::DnList hidden;
        const VQStatus computed = attribute == Node::monitor_hidden_children
                                      ? rep.get_monitor_hidden_children(hidden)
                                      : rep.get_array_hidden_children(hidden);
        (void)computed;  // the attribute is active, so it cannot fail
        hidden.print(os, label);
        break;
      }
      case Node::array_visible_children:
        rep.array_visible_children_.print(os, label);
        break;
      case Node::array_orientation:
        // The orientation's printer writes its own label after this one.
        os << label << rep.array_orientation_ << '\n';
        break;
      case Node::array_num_columns:
        os << label << rep.array_num_columns_ << '\n';
        break;
      case Node::array_cell_size:
        os << label << rep.array_cell_size_ << '\n';
        break;
      case Node::bus_logical_locations:
        rep.bus_logical_locations_.print(os, label);
        break;
      default:
        break;
    }
  }
  return os;
}
