#include "dedavuz_api/topo_node.h"

#include <ostream>
#include <utility>

#include "dedavuz_api/topo_node_rep.h"

VQTopoNode::VQTopoNode() : rep_(new VQTopoNodeRep) { VQObject::rep_ = rep_; }

VQTopoNode::VQTopoNode(const VQTopoNodeDn& dn) : rep_(new VQTopoNodeRep(dn)) {
  VQObject::rep_ = rep_;
}

VQTopoNode::VQTopoNode(const VQTopoNode& other) : VQObject(other) { *this = other; }

VQTopoNode& VQTopoNode::operator=(const VQTopoNode& other) {
  if (this == &other) return *this;
  vq_internal::assign_rep(rep_, other.rep_);
  VQObject::rep_ = rep_;
  return *this;
}

VQTopoNode::VQTopoNode(VQTopoNode&& other) noexcept : VQObject(other), rep_(other.rep_) {
  VQObject::rep_ = rep_;
  other.rep_ = nullptr;
  other.VQObject::rep_ = nullptr;
}

VQTopoNode& VQTopoNode::operator=(VQTopoNode&& other) noexcept {
  std::swap(rep_, other.rep_);
  VQObject::rep_ = rep_;
  other.VQObject::rep_ = other.rep_;
  return *this;
}

VQTopoNode::~VQTopoNode() { delete rep_; }

VQStatus VQTopoNode::get_dn(VQTopoNodeDn& dn) const { return rep_->get_dn(dn); }

VQStatus VQTopoNode::set_dn(const VQTopoNodeDn& dn) { return rep_->set_dn(dn); }

VQStatus VQTopoNode::get_name(std::string& name) const { return rep_->get_name(name); }

VQStatus VQTopoNode::set_name(const std::string& name) { return rep_->set_name(name); }

VQStatus VQTopoNode::get_topology_pathnames(VQList<std::string>& pathnames) const {
  return rep_->get_topology_pathnames(pathnames);
}

VQStatus VQTopoNode::get_type_name(std::string& type_name) const {
  return rep_->get_type_name(type_name);
}

VQStatus VQTopoNode::set_type_name(const std::string& type_name) {
  return rep_->set_type_name(type_name);
}

VQStatus VQTopoNode::get_managed_objects(VQList<std::string>& managed_objects) const {
  return rep_->get_managed_objects(managed_objects);
}

VQStatus VQTopoNode::set_managed_objects(const VQList<std::string>& managed_objects) {
  return rep_->set_managed_objects(managed_objects);
}

VQStatus VQTopoNode::add_managed_object(const std::string& managed_object) {
  return rep_->add_managed_object(managed_object);
}

VQStatus VQTopoNode::remove_managed_object(const std::string& managed_object) {
  return rep_->remove_managed_object(managed_object);
}

VQStatus VQTopoNode::get_cmip_agents(VQList<VQCmipAgentDn>& agents) const {
  return rep_->get_cmip_agents(agents);
}

VQStatus VQTopoNode::get_snmp_agents(VQList<VQSnmpAgentDn>& agents) const {
  return rep_->get_snmp_agents(agents);
}

VQStatus VQTopoNode::get_rpc_agents(VQList<VQRpcAgentDn>& agents) const {
  return rep_->get_rpc_agents(agents);
}

VQStatus VQTopoNode::get_parents(DnList& parents) const { return rep_->get_parents(parents); }

VQStatus VQTopoNode::set_parents(const DnList& parents) { return rep_->set_parents(parents); }

VQStatus VQTopoNode::add_parent(const VQTopoNodeDn& parent) { return rep_->add_parent(parent); }

VQStatus VQTopoNode::remove_parent(const VQTopoNodeDn& parent) {
  return rep_->remove_parent(parent);
}

VQStatus VQTopoNode::get_children(DnList& children) const { return rep_->get_children(children); }

VQStatus VQTopoNode::get_view_children(DnList& children) const {
  return rep_->get_view_children(children);
}

VQStatus VQTopoNode::get_links(DnList& links) const { return rep_->get_links(links); }

VQStatus VQTopoNode::set_links(const DnList& links) { return rep_->set_links(links); }

VQStatus VQTopoNode::add_link(const VQTopoNodeDn& link) { return rep_->add_link(link); }

VQStatus VQTopoNode::remove_link(const VQTopoNodeDn& link) { return rep_->remove_link(link); }

VQStatus VQTopoNode::get_propagate_peers(DnList& peers) const {
  return rep_->get_propagate_peers(peers);
}

VQStatus VQTopoNode::set_propagate_peers(const DnList& peers) {
  return rep_->set_propagate_peers(peers);
}

VQStatus VQTopoNode::add_propagate_peer(const VQTopoNodeDn& peer) {
  return rep_->add_propagate_peer(peer);
}

VQStatus VQTopoNode::remove_propagate_peer(const VQTopoNodeDn& peer) {
  return rep_->remove_propagate_peer(peer);
}

VQStatus VQTopoNode::get_is_severity_propagated(bool& propagated) const {
  return rep_->get_is_severity_propagated(propagated);
}

VQStatus VQTopoNode::set_is_severity_propagated(bool propagated) {
  return rep_->set_is_severity_propagated(propagated);
}

VQStatus VQTopoNode::get_state(long& state) const { return rep_->get_state(state); }

VQStatus VQTopoNode::set_state(long state) { return rep_->set_state(state); }

VQStatus VQTopoNode::get_severity(Severity& severity) const { return rep_->get_severity(severity); }

VQStatus VQTopoNode::set_severity(Severity severity) { return rep_->set_severity(severity); }

VQStatus VQTopoNode::get_propagated_severity(Severity& severity) const {
  return rep_->get_propagated_severity(severity);
}

VQStatus VQTopoNode::get_display_statuses(VQList<DisplayStatus>& statuses) const {
  return rep_->get_display_statuses(statuses);
}

VQStatus VQTopoNode::set_display_statuses(const VQList<DisplayStatus>& statuses) {
  return rep_->set_display_statuses(statuses);
}

VQStatus VQTopoNode::get_display_status(const std::string& label, long& value) const {
  return rep_->get_display_status(label, value);
}

VQStatus VQTopoNode::add_display_status(const std::string& label, long value) {
  return rep_->add_display_status(label, value);
}

VQStatus VQTopoNode::remove_display_status(const std::string& label) {
  return rep_->remove_display_status(label);
}

VQStatus VQTopoNode::get_geographical_location(GeoLocation& location, bool& absent) const {
  return rep_->get_geographical_location(location, absent);
}

VQStatus VQTopoNode::set_geographical_location(const GeoLocation& location, bool absent) {
  return rep_->set_geographical_location(location, absent);
}

VQStatus VQTopoNode::get_layer_name(std::string& layer_name) const {
  return rep_->get_layer_name(layer_name);
}

VQStatus VQTopoNode::set_layer_name(const std::string& layer_name) {
  return rep_->set_layer_name(layer_name);
}

VQStatus VQTopoNode::get_user_data(VQList<UserDatum>& data) const {
  return rep_->get_user_data(data);
}

VQStatus VQTopoNode::set_user_data(const VQList<UserDatum>& data) {
  return rep_->set_user_data(data);
}

VQStatus VQTopoNode::get_user_datum(const std::string& name, hvx::Morf& value) const {
  return rep_->get_user_datum(name, value);
}

VQStatus VQTopoNode::add_user_datum(const std::string& name, const hvx::Morf& value) {
  return rep_->add_user_datum(name, value);
}

VQStatus VQTopoNode::remove_user_datum(const std::string& name) {
  return rep_->remove_user_datum(name);
}

VQStatus VQTopoNode::get_logical_locations(VQList<LocationInParent>& locations) const {
  return rep_->get_logical_locations(locations);
}

VQStatus VQTopoNode::set_logical_locations(const VQList<LocationInParent>& locations) {
  return rep_->set_logical_locations(locations);
}

VQStatus VQTopoNode::get_logical_location(const VQTopoNodeDn& parent, Location& location) const {
  return rep_->get_logical_location(parent, location);
}

VQStatus VQTopoNode::set_logical_location(const VQTopoNodeDn& parent, const Location& location) {
  return rep_->set_logical_location(parent, location);
}

VQStatus VQTopoNode::get_view_background_image_filename(std::string& filename) const {
  return rep_->get_view_background_image_filename(filename);
}

VQStatus VQTopoNode::set_view_background_image_filename(const std::string& filename) {
  return rep_->set_view_background_image_filename(filename);
}

VQStatus VQTopoNode::get_view_map_config_filename(std::string& filename) const {
  return rep_->get_view_map_config_filename(filename);
}

VQStatus VQTopoNode::set_view_map_config_filename(const std::string& filename) {
  return rep_->set_view_map_config_filename(filename);
}

VQStatus VQTopoNode::get_view_default_geo_area(GeoLocation& centre, double& extent,
                                               bool& absent) const {
  return rep_->get_view_default_geo_area(centre, extent, absent);
}

VQStatus VQTopoNode::set_view_default_geo_area(const GeoLocation& centre, double extent,
                                               bool absent) {
  return rep_->set_view_default_geo_area(centre, extent, absent);
}

VQStatus VQTopoNode::get_view_config_data(VQList<ViewConfigDatum>& data) const {
  return rep_->get_view_config_data(data);
}

VQStatus VQTopoNode::set_view_config_data(const VQList<ViewConfigDatum>& data) {
  return rep_->set_view_config_data(data);
}

VQStatus VQTopoNode::get_view_config_datum(const std::string& name, std::string& value) const {
  return rep_->get_view_config_datum(name, value);
}

VQStatus VQTopoNode::add_view_config_datum(const ViewConfigDatum& datum) {
  return rep_->add_view_config_datum(datum);
}

VQStatus VQTopoNode::remove_view_config_datum(const std::string& name) {
  return rep_->remove_view_config_datum(name);
}

VQStatus VQTopoNode::get_monitor_rotation(long& rotation, bool& absent) const {
  return rep_->get_monitor_rotation(rotation, absent);
}

VQStatus VQTopoNode::set_monitor_rotation(long rotation, bool absent) {
  return rep_->set_monitor_rotation(rotation, absent);
}

VQStatus VQTopoNode::get_monitor_visible_children(DnList& children) const {
  return rep_->get_monitor_visible_children(children);
}

VQStatus VQTopoNode::set_monitor_visible_children(const DnList& children) {
  return rep_->set_monitor_visible_children(children);
}

VQStatus VQTopoNode::add_monitor_visible_child(const VQTopoNodeDn& child) {
  return rep_->add_monitor_visible_child(child);
}

VQStatus VQTopoNode::remove_monitor_visible_child(const VQTopoNodeDn& child) {
  return rep_->remove_monitor_visible_child(child);
}

VQStatus VQTopoNode::get_monitor_hidden_children(DnList& children) const {
  return rep_->get_monitor_hidden_children(children);
}

VQStatus VQTopoNode::get_monitor_max_visible_children(long& max) const {
  return rep_->get_monitor_max_visible_children(max);
}

VQStatus VQTopoNode::get_array_visible_children(DnList& children) const {
  return rep_->get_array_visible_children(children);
}

VQStatus VQTopoNode::set_array_visible_children(const DnList& children) {
  return rep_->set_array_visible_children(children);
}

VQStatus VQTopoNode::add_array_visible_child(const VQTopoNodeDn& child) {
  return rep_->add_array_visible_child(child);
}

VQStatus VQTopoNode::remove_array_visible_child(const VQTopoNodeDn& child) {
  return rep_->remove_array_visible_child(child);
}

VQStatus VQTopoNode::get_array_hidden_children(DnList& children) const {
  return rep_->get_array_hidden_children(children);
}

VQStatus VQTopoNode::get_array_orientation(ArrayOrientation& orientation) const {
  return rep_->get_array_orientation(orientation);
}

VQStatus VQTopoNode::set_array_orientation(ArrayOrientation orientation) {
  return rep_->set_array_orientation(orientation);
}

VQStatus VQTopoNode::get_array_num_columns(unsigned long& columns) const {
  return rep_->get_array_num_columns(columns);
}

VQStatus VQTopoNode::set_array_num_columns(unsigned long columns) {
  return rep_->set_array_num_columns(columns);
}

VQStatus VQTopoNode::get_array_cell_size(ArrayCellSize& size) const {
  return rep_->get_array_cell_size(size);
}

VQStatus VQTopoNode::set_array_cell_size(const ArrayCellSize& size) {
  return rep_->set_array_cell_size(size);
}

VQStatus VQTopoNode::get_bus_logical_locations(VQList<Location>& locations) const {
  return rep_->get_bus_logical_locations(locations);
}

VQStatus VQTopoNode::set_bus_logical_locations(const VQList<Location>& locations) {
  return rep_->set_bus_logical_locations(locations);
}

bool VQTopoNode::operator==(const VQTopoNode& other) const { return *rep_ == *other.rep_; }

bool VQTopoNode::operator!=(const VQTopoNode& other) const { return *rep_ != *other.rep_; }

bool VQTopoNode::compare_all_attributes(const VQTopoNode& other) const {
  return rep_->compare_all_attributes(*other.rep_);
}

bool VQTopoNode::compare_some_attributes(const VQTopoNode& other,
                                         const VQIntegerSet& attributes) const {
  return rep_->compare_some_attributes(*other.rep_, attributes);
}

bool VQTopoNode::diff_all_attributes(const VQTopoNode& other, VQIntegerSet& differing) const {
  return rep_->diff_all_attributes(*other.rep_, differing);
}

bool VQTopoNode::diff_some_attributes(const VQTopoNode& other, const VQIntegerSet& attributes,
                                      VQIntegerSet& differing) const {
  return rep_->diff_some_attributes(*other.rep_, attributes, differing);
}

const std::string& VQTopoNode::get_attribute_name(Attribute attribute) {
  return VQTopoNodeRep::get_attribute_name(attribute);
}

const VQIntegerSet& VQTopoNode::get_valid_attributes(VQObjectOperation operation,
                                                     AttributeType type) {
  return VQTopoNodeRep::get_valid_attributes(operation, type);
}

const VQIntegerSet& VQTopoNode::get_mandatory_attributes(VQObjectOperation operation) {
  return VQTopoNodeRep::get_mandatory_attributes(operation);
}

std::ostream& operator<<(std::ostream& os, const VQTopoNode& node) { return os << *node.rep_; }
