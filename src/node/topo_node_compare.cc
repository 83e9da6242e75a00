// Node defaults and comparison: what a node holds before the server is asked, and which
// attributes of two nodes differ.
#include "dedavuz_api/topo_node_rep.h"

#include "core/compare_walk.h"
#include "dedavuz_api/topo_type_dn.h"

namespace {

using Node = VQTopoNode;

// Values flagged absent are equal whatever is stored beside the flag.
template <typename T>
bool optional_differs(bool absent, const T& value, bool other_absent, const T& other_value) {
  if (absent != other_absent) return true;
  return !absent && value != other_value;
}

}  // namespace

VQStatus VQTopoNodeRep::load_some_defaults(const VQIntegerSet& attributes) {
  VQIntegerSetIterator it(attributes);
  while (it.next()) {
    switch (it.member()) {
      case Node::dn:
        dn_.make_null();
        break;
      case Node::name:
        name_.clear();
        break;
      case Node::topology_pathnames:
        topology_pathnames_.clear();
        break;
      case Node::type_name:
        type_name_ = VQTopoTypeDn::host;
        break;
      case Node::managed_objects:
        managed_objects_.clear();
        break;
      case Node::cmip_agents:
        cmip_agents_.clear();
        break;
      case Node::snmp_agents:
        snmp_agents_.clear();
        break;
      case Node::rpc_agents:
        rpc_agents_.clear();
        break;
      case Node::parents:
        parents_.clear();
        break;
      case Node::children:
        children_.clear();
        break;
      case Node::view_children:
        view_children_.clear();
        break;
      case Node::links:
        links_.clear();
        break;
      case Node::propagate_peers:
        propagate_peers_.clear();
        break;
      case Node::is_severity_propagated:
        is_severity_propagated_ = true;
        break;
      case Node::state:
        state_ = 0;
        break;
      case Node::severity:
        severity_ = VQTopoNode::indeterminate;
        break;
      case Node::propagated_severity:
        propagated_severity_ = VQTopoNode::indeterminate;
        break;
      case Node::display_statuses:
        display_statuses_.clear();
        break;
      case Node::geographical_location:
        geographical_location_absent_ = true;
        break;
      case Node::layer_name:
        layer_name_ = VQTopoTypeDn::host;
        break;
      case Node::user_data:
        user_data_.clear();
        break;
      case Node::logical_locations:
        logical_locations_.clear();
        break;
      case Node::view_background_image_filename:
        view_background_image_filename_.clear();
        break;
      case Node::view_map_config_filename:
        view_map_config_filename_.clear();
        break;
      case Node::view_default_geo_area:
        view_default_geo_area_absent_ = true;
        break;
      case Node::view_config_data:
        view_config_data_.clear();
        break;
      case Node::monitor_rotation:
        monitor_rotation_absent_ = true;
        break;
      case Node::monitor_visible_children:
        monitor_visible_children_.clear();
        break;
      case Node::array_visible_children:
        array_visible_children_.clear();
        break;
      case Node::array_orientation:
        array_orientation_ = VQTopoNode::horizontal;
        break;
      case Node::array_num_columns:
        array_num_columns_ = 0;
        break;
      case Node::array_cell_size:
        array_cell_size_.width = 0;
        array_cell_size_.height = 0;
        break;
      case Node::bus_logical_locations:
        bus_logical_locations_.clear();
        break;
      default:
        // The hidden children and the maximum of visible children are computed when read.
        break;
    }
  }
  return VQStatus::success;
}

bool VQTopoNodeRep::differs(const VQTopoNodeRep& other, long attribute) const {
  const bool mine = active_.is_member(attribute);
  if (mine != other.active_.is_member(attribute)) return true;
  if (!mine) return false;
  const VQTopoNodeRep& o = other;
  switch (attribute) {
    case Node::dn:
      return dn_ != o.dn_;
    case Node::name:
      return name_ != o.name_;
    case Node::topology_pathnames:
      return topology_pathnames_ != o.topology_pathnames_;
    case Node::type_name:
      return type_name_ != o.type_name_;
    case Node::managed_objects:
      return managed_objects_ != o.managed_objects_;
    case Node::cmip_agents:
      return cmip_agents_ != o.cmip_agents_;
    case Node::snmp_agents:
      return snmp_agents_ != o.snmp_agents_;
    case Node::rpc_agents:
      return rpc_agents_ != o.rpc_agents_;
    case Node::parents:
      return parents_ != o.parents_;
    case Node::children:
      return children_ != o.children_;
    case Node::view_children:
      return view_children_ != o.view_children_;
    case Node::links:
      return links_ != o.links_;
    case Node::propagate_peers:
      return propagate_peers_ != o.propagate_peers_;
    case Node::is_severity_propagated:
      return is_severity_propagated_ != o.is_severity_propagated_;
    case Node::state:
      return state_ != o.state_;
    case Node::severity:
      return severity_ != o.severity_;
    case Node::propagated_severity:
      return propagated_severity_ != o.propagated_severity_;
    case Node::display_statuses:
      return display_statuses_ != o.display_statuses_;
    case Node::geographical_location:
      return optional_differs(geographical_location_absent_, geographical_location_,
                              o.geographical_location_absent_, o.geographical_location_);
    case Node::layer_name:
      return layer_name_ != o.layer_name_;
    case Node::logical_locations:
      return logical_locations_ != o.logical_locations_;
    case Node::view_background_image_filename:
      return view_background_image_filename_ != o.view_background_image_filename_;
    case Node::view_map_config_filename:
      return view_map_config_filename_ != o.view_map_config_filename_;
    case Node::view_default_geo_area:
      return optional_differs(view_default_geo_area_absent_, view_default_geo_area_,
                              o.view_default_geo_area_absent_, o.view_default_geo_area_) ||
             (!view_default_geo_area_absent_ &&
              view_default_geo_area_extent_ != o.view_default_geo_area_extent_);
    case Node::view_config_data:
      return view_config_data_ != o.view_config_data_;
    case Node::monitor_rotation:
      return optional_differs(monitor_rotation_absent_, monitor_rotation_,
                              o.monitor_rotation_absent_, o.monitor_rotation_);
    case Node::monitor_visible_children:
      return monitor_visible_children_ != o.monitor_visible_children_;
    case Node::array_visible_children:
      return array_visible_children_ != o.array_visible_children_;
    case Node::array_orientation:
      return array_orientation_ != o.array_orientation_;
    case Node::array_num_columns:
      return array_num_columns_ != o.array_num_columns_;
    case Node::array_cell_size:
      return array_cell_size_ != o.array_cell_size_;
    case Node::bus_logical_locations:
      return bus_logical_locations_ != o.bus_logical_locations_;
    default:
      // User data hold opaque values, and the derived attributes follow from others.
      return false;
  }
}

bool VQTopoNodeRep::internal_compare_some_attributes(const VQTopoNodeRep& other,
                                                     const VQIntegerSet& attributes,
                                                     VQIntegerSet* differing) const {
  return vq_compare_walk(attributes, differing,
                         [&](long attribute) { return differs(other, attribute); });
}

bool VQTopoNodeRep::compare_all_attributes(const VQTopoNodeRep& other) const {
  return internal_compare_some_attributes(other, active_, nullptr);
}

bool VQTopoNodeRep::compare_some_attributes(const VQTopoNodeRep& other,
                                            const VQIntegerSet& attributes) const {
  return internal_compare_some_attributes(other, attributes, nullptr);
}

bool VQTopoNodeRep::diff_all_attributes(const VQTopoNodeRep& other, VQIntegerSet& differing) const {
  return internal_compare_some_attributes(
      other, get_valid_attributes(load, VQTopoNode::all_attribute_types), &differing);
}

bool VQTopoNodeRep::diff_some_attributes(const VQTopoNodeRep& other, const VQIntegerSet& attributes,
                                         VQIntegerSet& differing) const {
  return internal_compare_some_attributes(other, attributes, &differing);
}
