// The node attribute table: for each of the 36 attributes, in print order, how it prints,
// compares and defaults, which operations take it, and how the server's topoNode, topoView
// and topoViewNode attributes carry it. The values of more than one form have their own
// functions here.
#include <string>
#include <vector>

#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_type_dn.h"
#include "hvx/names.h"
#include "hvx/oid_registry.h"
#include "node/topo_node_codecs.h"
#include "node/topo_node_rep_access.h"

namespace {

using Code = VQStatus::Code;
using Node = VQTopoNode;
using Rep = VQTopoNodeRep;
using Row = VQAttributeRow<Rep>;
using hvx::Asn1Value;

constexpr int kNode = VQTopoNode::node_attributes;
constexpr int kView = VQTopoNode::view_attributes;
constexpr int kMonitor = VQTopoNode::monitor_attributes;
constexpr int kArray = VQTopoNode::array_attributes;
constexpr int kTopoView = VQTopoNodeRep::topo_view;
using Geo = VQGeoLocationCodec;

int class_of(int gdmo) {
  if (gdmo == Rep::topo_view_node_position) return Rep::topo_view_node;
  if (gdmo >= Rep::topo_view_background_image) return Rep::topo_view;
  return Rep::topo_node;
}

// The unique ids of the names; a node's references never leave its own system.
Asn1Value id_set(const Rep::DnList& names) {
  Asn1Value set = hvx::ber::set();
  for (const VQTopoNodeDn& name : names) set.add_component(hvx::ber::integer(name.unique_id()));
  return set;
}

template <auto F>
VQStatus ids_value(const Rep& rep, Asn1Value& out, const std::string&) {
  out = id_set(rep.*F);
  return VQStatus::success;
}

}  // namespace

// Name lists travel as sets of node ids of the node's own system.
template <auto F>
static VQStatus ids_decoder(Rep& rep, const hvx::Morf& value, const std::string&) {
  return VQTopoNodeRepAccess::decode_ids(rep, value, rep.*F);
}

VQStatus VQTopoNodeRepAccess::decode_ids(Rep& rep, const hvx::Morf& value, DnList& list) {
  list.clear();
  if (value.num_elements() == 0) return VQStatus::success;
  for (const hvx::Morf& element : value.split_array()) {
    list.append(VQTopoNodeDn(rep.dn_.system_name(), element.get_long()));
  }
  return VQStatus::success;
}

VQStatus VQTopoNodeRepAccess::decode_managed_objects(Rep& rep, const hvx::Morf& value,
                                                     const std::string&) {
  rep.managed_objects_.clear();
  for (const hvx::Morf& element : value.split_array()) {
    rep.managed_objects_.append(rep.managed_object_seen_locally(hvx::oi2fdn(element.get_value())));
  }
  return VQStatus::success;
}

// A name the platform cannot make an instance of is refused with code 10.
VQStatus VQTopoNodeRepAccess::managed_objects_value(const Rep& rep, Asn1Value& out,
                                                    const std::string& error) {
  out = hvx::ber::set();
  for (const std::string& managed_object : rep.managed_objects_) {
    if (!out.add_component(hvx::fdn2oi(managed_object))) return vq_written(false, error);
  }
  return VQStatus::success;
}

// A monitor is NULL, or its rotation with the ids of its visible children.
VQStatus VQTopoNodeRepAccess::decode_monitor(Rep& rep, const hvx::Morf& value,
                                             const std::string&) {
  const VQStatus refused(Code::decode_error, "VQTopoNode::monitor_rotation");
  const Asn1Value& v = value.get_value();
  rep.monitor_visible_children_.clear();
  rep.monitor_rotation_absent_ = v.decode_null();
  if (rep.monitor_rotation_absent_) return VQStatus::success;
  long rotation = 0;
  if (!vq_is(v, hvx::TAG_SEQ) || !v.first_component().decode_int(rotation)) return refused;
  // The remainder keeps the sign: -30 stays -30.
  rep.monitor_rotation_ = rotation % 360;
  const Asn1Value visible = v.first_component().next_component();
  for (Asn1Value item = visible.first_component(); !item.is_null(); item = item.next_component()) {
    long id = 0;
    if (!item.decode_int(id)) return refused;
    rep.monitor_visible_children_.append(VQTopoNodeDn(rep.dn_.system_name(), id));
  }
  return VQStatus::success;
}

VQStatus VQTopoNodeRepAccess::monitor_value(const Rep& rep, Asn1Value& out, const std::string&) {
  out = hvx::ber::null_value();
  // An absent rotation still carries visible children, with the stored rotation.
  if (!rep.monitor_rotation_absent_ || !rep.monitor_visible_children_.is_empty()) {
    out = hvx::ber::sequence();
    out.add_component(hvx::ber::integer(rep.monitor_rotation_));
    out.add_component(id_set(rep.monitor_visible_children_));
  }
  return VQStatus::success;
}

// The monitor holds two attributes: a failed write names neither.
VQStatus VQTopoNodeRepAccess::encode_monitor(const Rep& rep, hvx::Image& image,
                                             const std::string& attribute, const std::string&) {
  Asn1Value value;
  (void)monitor_value(rep, value, attribute);
  return vq_written(vq_write_value(image, attribute, value), "VQTopoNode::monitor");
}

// User data are a set of (registered attribute, value) pairs, or NULL for none.
VQStatus VQTopoNodeRepAccess::decode_user_data(Rep& rep, const hvx::Morf& value,
                                               const std::string& error) {
  const Asn1Value& v = value.get_value();
  rep.user_data_.clear();
  if (v.decode_null()) return VQStatus::success;
  if (!vq_is(v, hvx::TAG_SET)) return VQStatus(Code::decode_error, error);
  for (Asn1Value item = v.first_component(); !item.is_null(); item = item.next_component()) {
    hvx::Oid oid;
    if (!vq_is(item, hvx::TAG_SEQ) || !item.first_component().decode_oid(oid)) {
      return VQStatus(Code::decode_error, error);
    }
    std::string name;
    if (!hvx::OidNameRegistry::find_name_by_oid(oid, name)) {
      return VQStatus(Code::attribute_not_registered, oid.format());
    }
    hvx::Morf datum(name, hvx::Platform::def_platform);
    if (!datum.set_value(item.first_component().next_component())) {
      return VQStatus(Code::decode_error, error);
    }
    rep.user_data_.append(UserDatum(name, datum));
  }
  return VQStatus::success;
}

VQStatus VQTopoNodeRepAccess::user_data_value(const Rep& rep, Asn1Value& set, const std::string&) {
  set = hvx::ber::set();
  for (const UserDatum& datum : rep.user_data_) {
    hvx::Oid oid;
    if (!hvx::OidNameRegistry::find_oid_by_name(datum.name, oid)) {
      return VQStatus(Code::attribute_not_registered, datum.name);
    }
    if (!datum.value.has_value()) {
      return VQStatus(Code::cannot_set_attribute, "VQTopoNode::object description data invalid");
    }
    Asn1Value entry = hvx::ber::sequence();
    Asn1Value id;
    id.encode_oid(oid);
    entry.add_component(id);
    entry.add_component(datum.value.get_value());
    set.add_component(entry);
  }
  return VQStatus::success;
}

// A view's first area is NULL, or its centre and extent.
VQStatus VQTopoNodeRepAccess::decode_geo_area(Rep& rep, const hvx::Morf& value,
                                              const std::string&) {
  const Asn1Value& v = value.get_value();
  rep.view_default_geo_area_absent_ = v.decode_null();
  if (rep.view_default_geo_area_absent_) return VQStatus::success;
  GeoLocation centre;
  double extent = 0.0;
  const Asn1Value longitude = v.first_component().next_component();
  if (!VQGeoLocationCodec::decode(v, centre) || !longitude.next_component().decode_real(extent)) {
    return VQStatus(Code::hvx_error, "VQTopoNode::default_geo_area");
  }
  rep.view_default_geo_area_ = centre;
  rep.view_default_geo_area_extent_ = extent;
  return VQStatus::success;
}

VQStatus VQTopoNodeRepAccess::geo_area_value(const Rep& rep, Asn1Value& out, const std::string&) {
  out = hvx::ber::null_value();
  if (!rep.view_default_geo_area_absent_) {
    out = VQGeoLocationCodec::encode(rep.view_default_geo_area_);
    out.add_component(vq_real(rep.view_default_geo_area_extent_));
  }
  return VQStatus::success;
}

void VQTopoNodeRepAccess::print_geo_area(std::ostream& os, const std::string& label,
                                         const Rep& rep) {
  os << label;
  if (rep.view_default_geo_area_absent_) {
    os << "NULL";
  } else {
    os << rep.view_default_geo_area_ << "  " << rep.view_default_geo_area_extent_;
  }
  os << '\n';
}

bool VQTopoNodeRepAccess::equal_geo_area(const Rep& a, const Rep& b) {
  return vq_equal_optional<&Rep::view_default_geo_area_, &Rep::view_default_geo_area_absent_>(
             a, b) &&
         (a.view_default_geo_area_absent_ ||
          a.view_default_geo_area_extent_ == b.view_default_geo_area_extent_);
}

// Hidden children are computed from the children when printed.
template <VQStatus (Rep::*Hidden)(Rep::DnList&) const>
static void print_hidden(std::ostream& os, const std::string& label, const Rep& rep) {
  Rep::DnList hidden;
  const VQStatus computed = (rep.*Hidden)(hidden);
  (void)computed;  // the attribute is active, so it cannot fail
  hidden.print(os, label);
}

// The node itself and the nodes it is related to.
std::vector<Row> VQTopoNodeRepAccess::identity_rows() {
  // clang-format off
  return {
    {.number = Node::dn, .name = "dn", .print = vq_print_value<&Rep::dn_>, .equal = vq_equal<&Rep::dn_>,
     .reset = [](Rep& r) { r.dn_.make_null(); }, .group = kNode, .gdmo = Rep::topo_node_id},
    {.number = Node::name, .name = "name", .print = vq_print_value<&Rep::name_>,
     .equal = vq_equal<&Rep::name_>, .reset = vq_clear<&Rep::name_>, .group = kNode, .creatable = true,
     .storeable = true, .gdmo = Rep::topo_node_name, .decode = vq_decode_string<&Rep::name_>,
     .value = vq_string_value<&Rep::name_>},
    {.number = Node::topology_pathnames, .name = "topology_pathnames",
     .print = vq_print_list<&Rep::topology_pathnames_>, .equal = vq_equal<&Rep::topology_pathnames_>,
     .reset = vq_clear<&Rep::topology_pathnames_>, .group = kNode,
     .needs = {Rep::topo_node_name, Rep::topo_node_parents}},
    {.number = Node::type_name, .name = "type_name", .print = vq_print_value<&Rep::type_name_>,
     .equal = vq_equal<&Rep::type_name_>, .reset = [](Rep& r) { r.type_name_ = VQTopoTypeDn::host; },
     .group = kNode, .creatable = true, .storeable = true, .gdmo = Rep::topo_node_type,
     .decode = vq_decode_string<&Rep::type_name_>, .value = vq_string_value<&Rep::type_name_>},
    {.number = Node::managed_objects, .name = "managed_objects",
     .print = vq_print_list<&Rep::managed_objects_>, .equal = vq_equal<&Rep::managed_objects_>,
     .reset = vq_clear<&Rep::managed_objects_>, .group = kNode, .creatable = true, .storeable = true,
     .gdmo = Rep::topo_node_mo_set, .decode = decode_managed_objects, .value = managed_objects_value},
    {.number = Node::cmip_agents, .name = "cmip_agents", .print = vq_print_list<&Rep::cmip_agents_>,
     .equal = vq_equal<&Rep::cmip_agents_>, .reset = vq_clear<&Rep::cmip_agents_>, .group = kNode,
     .load_needs = {Rep::topo_node_mo_set}},
    {.number = Node::snmp_agents, .name = "snmp_agents", .print = vq_print_list<&Rep::snmp_agents_>,
     .equal = vq_equal<&Rep::snmp_agents_>, .reset = vq_clear<&Rep::snmp_agents_>, .group = kNode,
     .load_needs = {Rep::topo_node_mo_set}},
    {.number = Node::rpc_agents, .name = "rpc_agents", .print = vq_print_list<&Rep::rpc_agents_>,
     .equal = vq_equal<&Rep::rpc_agents_>, .reset = vq_clear<&Rep::rpc_agents_>, .group = kNode,
     .load_needs = {Rep::topo_node_mo_set}},
    {.number = Node::parents, .name = "parents", .print = vq_print_list<&Rep::parents_>,
     .equal = vq_equal<&Rep::parents_>, .reset = vq_clear<&Rep::parents_>, .group = kNode,
     .creatable = true, .storeable = true, .gdmo = Rep::topo_node_parents,
     .decode = ids_decoder<&Rep::parents_>, .value = ids_value<&Rep::parents_>},
    {.number = Node::children, .name = "children", .print = vq_print_list<&Rep::children_>,
     .equal = vq_equal<&Rep::children_>, .reset = vq_clear<&Rep::children_>, .group = kView,
     .gdmo = Rep::topo_node_children, .decode = ids_decoder<&Rep::children_>},
    {.number = Node::view_children, .name = "view_children", .print = vq_print_list<&Rep::view_children_>,
     .equal = vq_equal<&Rep::view_children_>, .reset = vq_clear<&Rep::view_children_>, .group = kView},
    {.number = Node::links, .name = "links", .print = vq_print_list<&Rep::links_>,
     .equal = vq_equal<&Rep::links_>, .reset = vq_clear<&Rep::links_>, .group = kNode, .creatable = true,
     .storeable = true, .gdmo = Rep::topo_node_peers, .decode = ids_decoder<&Rep::links_>,
     .value = ids_value<&Rep::links_>},
    {.number = Node::propagate_peers, .name = "propagate_peers",
     .print = vq_print_list<&Rep::propagate_peers_>, .equal = vq_equal<&Rep::propagate_peers_>,
     .reset = vq_clear<&Rep::propagate_peers_>, .group = kNode, .creatable = true, .storeable = true,
     .gdmo = Rep::topo_node_propagate_peers, .decode = ids_decoder<&Rep::propagate_peers_>,
     .value = ids_value<&Rep::propagate_peers_>},
  };
  // clang-format on
}

// Its state, statuses and places.
std::vector<Row> VQTopoNodeRepAccess::state_rows() {
  // clang-format off
  return {
    {.number = Node::state, .name = "state", .print = vq_print_value<&Rep::state_>,
     .equal = vq_equal<&Rep::state_>, .reset = [](Rep& r) { r.state_ = 0; }, .group = kNode,
     .creatable = true, .storeable = true, .gdmo = Rep::topo_node_state,
     .decode = vq_decode_long<&Rep::state_>, .value = vq_long_value<&Rep::state_>},
    {.number = Node::severity, .name = "severity", .print = vq_print_value<&Rep::severity_>,
     .equal = vq_equal<&Rep::severity_>, .reset = [](Rep& r) { r.severity_ = Node::indeterminate; },
     .group = kNode, .gdmo = Rep::topo_node_severity, .decode = vq_decode_long<&Rep::severity_>},
    {.number = Node::propagated_severity, .name = "propagated_severity",
     .print = vq_print_value<&Rep::propagated_severity_>, .equal = vq_equal<&Rep::propagated_severity_>,
     .reset = [](Rep& r) { r.propagated_severity_ = Node::indeterminate; }, .group = kNode,
     .gdmo = Rep::topo_node_propagated_severity, .decode = vq_decode_long<&Rep::propagated_severity_>,
     .value = vq_long_value<&Rep::propagated_severity_>},
    {.number = Node::is_severity_propagated, .name = "is_severity_propagated",
     .print = vq_print_flag<&Rep::is_severity_propagated_>,
     .equal = vq_equal<&Rep::is_severity_propagated_>,
     .reset = [](Rep& r) { r.is_severity_propagated_ = true; }, .group = kNode, .creatable = true,
     .storeable = true, .gdmo = Rep::topo_node_propagate_up,
     .decode = vq_decode_long<&Rep::is_severity_propagated_>,
     .value = vq_long_value<&Rep::is_severity_propagated_>},
    {.number = Node::display_statuses, .name = "display_statuses",
     .print = vq_print_list<&Rep::display_statuses_>, .equal = vq_equal<&Rep::display_statuses_>,
     .reset = vq_clear<&Rep::display_statuses_>, .group = kNode, .creatable = true, .storeable = true,
     .gdmo = Rep::topo_node_display_status,
     .decode = vq_decode_list<&Rep::display_statuses_, hvx::TAG_SET, VQDisplayStatusCodec>,
     .value = vq_list_value<&Rep::display_statuses_, hvx::TAG_SET, VQDisplayStatusCodec>},
    {.number = Node::view_config_data, .name = "view_config_data",
     .print = vq_print_list<&Rep::view_config_data_>, .equal = vq_equal<&Rep::view_config_data_>,
     .reset = vq_clear<&Rep::view_config_data_>, .group = kView, .creatable = true, .storeable = true,
     .gdmo_class = kTopoView, .gdmo = Rep::topo_view_config_data, .load_needs = {Rep::topo_node_type},
     .decode = vq_decode_list<&Rep::view_config_data_, hvx::TAG_SET, VQViewConfigDatumCodec>,
     .value = vq_list_value<&Rep::view_config_data_, hvx::TAG_SET, VQViewConfigDatumCodec>},
    {.number = Node::geographical_location, .name = "geographical_location",
     .print = vq_print_optional<&Rep::geographical_location_, &Rep::geographical_location_absent_>,
     .equal = vq_equal_optional<&Rep::geographical_location_, &Rep::geographical_location_absent_>,
     .reset = [](Rep& r) { r.geographical_location_absent_ = true; }, .group = kNode,
     .creatable = true, .storeable = true, .gdmo = Rep::topo_node_geo_location,
     .decode = vq_decode_optional<&Rep::geographical_location_, &Rep::geographical_location_absent_, Geo>,
     .value = vq_optional_value<&Rep::geographical_location_, &Rep::geographical_location_absent_, Geo>},
    {.number = Node::layer_name, .name = "layer_name", .print = vq_print_value<&Rep::layer_name_>,
     .equal = vq_equal<&Rep::layer_name_>, .reset = [](Rep& r) { r.layer_name_ = VQTopoTypeDn::host; },
     .group = kNode, .creatable = true, .storeable = true, .gdmo = Rep::topo_node_layer,
     .decode = vq_decode_string<&Rep::layer_name_>, .value = vq_string_value<&Rep::layer_name_>},
    {.number = Node::logical_locations, .name = "logical_locations",
     .print = vq_print_list<&Rep::logical_locations_>, .equal = vq_equal<&Rep::logical_locations_>,
     .reset = vq_clear<&Rep::logical_locations_>, .group = kNode, .creatable = true, .storeable = true,
     .gdmo_class = Rep::topo_view_node, .gdmo = Rep::topo_view_node_position,
     .load_needs = {Rep::topo_node_parents}},
    {.number = Node::view_background_image_filename, .name = "view_background_image_filename",
     .print = vq_print_value<&Rep::view_background_image_filename_>,
     .equal = vq_equal<&Rep::view_background_image_filename_>,
     .reset = vq_clear<&Rep::view_background_image_filename_>, .group = kView, .creatable = true,
     .storeable = true, .gdmo_class = kTopoView, .gdmo = Rep::topo_view_background_image,
     .load_needs = {Rep::topo_node_type}, .decode = vq_decode_string<&Rep::view_background_image_filename_>,
     .value = vq_string_value<&Rep::view_background_image_filename_>},
    {.number = Node::view_map_config_filename, .name = "view_map_config_filename",
     .print = vq_print_value<&Rep::view_map_config_filename_>,
     .equal = vq_equal<&Rep::view_map_config_filename_>,
     .reset = vq_clear<&Rep::view_map_config_filename_>, .group = kView, .creatable = true,
     .storeable = true, .gdmo_class = kTopoView, .gdmo = Rep::topo_view_map_config_file,
     .load_needs = {Rep::topo_node_type}, .decode = vq_decode_string<&Rep::view_map_config_filename_>,
     .value = vq_string_value<&Rep::view_map_config_filename_>},
  };
  // clang-format on
}

// How it shows its children, and what is never printed.
std::vector<Row> VQTopoNodeRepAccess::shape_rows() {
  // clang-format off
  return {
    {.number = Node::view_default_geo_area, .name = "view_default_geo_area", .print = print_geo_area,
     .equal = equal_geo_area, .reset = [](Rep& r) { r.view_default_geo_area_absent_ = true; },
     .group = kView, .creatable = true, .storeable = true, .gdmo_class = kTopoView,
     .gdmo = Rep::topo_view_map_initial_geo_area, .load_needs = {Rep::topo_node_type},
     .decode = decode_geo_area, .value = geo_area_value},
    {.number = Node::monitor_rotation, .name = "monitor_rotation",
     .print = vq_print_optional<&Rep::monitor_rotation_, &Rep::monitor_rotation_absent_>,
     .equal = vq_equal_optional<&Rep::monitor_rotation_, &Rep::monitor_rotation_absent_>,
     .reset = [](Rep& r) { r.monitor_rotation_absent_ = true; }, .group = kMonitor,
     .creatable = true, .storeable = true, .gdmo = Rep::topo_node_monitor,
     .decode = decode_monitor, .encode = encode_monitor, .value = monitor_value},
    // Held by the monitor's value, with the rotation.
    {.number = Node::monitor_visible_children, .name = "monitor_visible_children",
     .print = vq_print_list<&Rep::monitor_visible_children_>,
     .equal = vq_equal<&Rep::monitor_visible_children_>,
     .reset = vq_clear<&Rep::monitor_visible_children_>, .group = kMonitor, .storeable = true,
     .gdmo = Rep::topo_node_monitor, .load_needs = {Rep::topo_node_children}},
    {.number = Node::monitor_hidden_children, .name = "monitor_hidden_children",
     .print = print_hidden<&Rep::get_monitor_hidden_children>, .group = kMonitor,
     .needs = {Rep::topo_node_monitor}, .load_needs = {Rep::topo_node_children}},
    {.number = Node::array_visible_children, .name = "array_visible_children",
     .print = vq_print_list<&Rep::array_visible_children_>,
     .equal = vq_equal<&Rep::array_visible_children_>,
     .reset = vq_clear<&Rep::array_visible_children_>, .group = kArray, .creatable = true,
     .storeable = true, .gdmo = Rep::topo_node_array_visible_children,
     .load_needs = {Rep::topo_node_children}, .decode = ids_decoder<&Rep::array_visible_children_>,
     .value = ids_value<&Rep::array_visible_children_>},
    {.number = Node::array_hidden_children, .name = "array_hidden_children",
     .print = print_hidden<&Rep::get_array_hidden_children>, .group = kArray,
     .needs = {Rep::topo_node_array_visible_children}, .load_needs = {Rep::topo_node_children}},
    {.number = Node::array_orientation, .name = "array_orientation",
     .print = vq_print_value<&Rep::array_orientation_>, .equal = vq_equal<&Rep::array_orientation_>,
     .reset = [](Rep& r) { r.array_orientation_ = Node::horizontal; }, .group = kArray,
     .creatable = true, .storeable = true, .gdmo = Rep::topo_node_array_orientation,
     .decode = vq_decode_long<&Rep::array_orientation_>, .value = vq_long_value<&Rep::array_orientation_>},
    {.number = Node::array_num_columns, .name = "array_num_columns",
     .print = vq_print_value<&Rep::array_num_columns_>, .equal = vq_equal<&Rep::array_num_columns_>,
     .reset = [](Rep& r) { r.array_num_columns_ = 0; }, .group = kArray, .creatable = true,
     .storeable = true, .gdmo = Rep::topo_node_array_num_columns,
     .decode = vq_decode_long<&Rep::array_num_columns_>, .value = vq_long_value<&Rep::array_num_columns_>},
    {.number = Node::array_cell_size, .name = "array_cell_size",
     .print = vq_print_value<&Rep::array_cell_size_>, .equal = vq_equal<&Rep::array_cell_size_>,
     .reset = [](Rep& r) { r.array_cell_size_ = {0, 0}; }, .group = kArray, .creatable = true,
     .storeable = true, .gdmo = Rep::topo_node_array_cell_size,
     .decode = vq_decode_struct<&Rep::array_cell_size_, VQArrayCellSizeCodec>,
     .value = vq_struct_value<&Rep::array_cell_size_, VQArrayCellSizeCodec>},
    {.number = Node::bus_logical_locations, .name = "bus_logical_locations",
     .print = vq_print_list<&Rep::bus_logical_locations_>, .equal = vq_equal<&Rep::bus_logical_locations_>,
     .reset = vq_clear<&Rep::bus_logical_locations_>, .group = Node::bus_attributes, .creatable = true,
     .storeable = true, .gdmo = Rep::topo_node_bus_points,
     .decode = vq_decode_list<&Rep::bus_logical_locations_, hvx::TAG_SEQ, VQLocationCodec>,
     .value = vq_list_value<&Rep::bus_logical_locations_, hvx::TAG_SEQ, VQLocationCodec>},
    // Never printed: user data are opaque, the maximum follows from the type.
    {.number = Node::user_data, .name = "user_data", .reset = vq_clear<&Rep::user_data_>,
     .group = kNode, .creatable = true, .storeable = true, .gdmo = Rep::topo_node_user_data,
     .decode = decode_user_data, .value = user_data_value, .encode_last = true},
    {.number = Node::monitor_max_visible_children, .name = "monitor_max_visible_children",
     .group = kMonitor, .load_needs = {Rep::topo_node_type}},
  };
  // clang-format on
}

std::vector<Row> VQTopoNodeRepAccess::rows() {
  std::vector<Row> rows = identity_rows();
  for (auto part : {state_rows, shape_rows}) {
    for (const Row& row : part()) rows.push_back(row);
  }
  return rows;
}

const VQAttributeTable<VQTopoNodeRep>& VQTopoNodeRepAccess::table() {
  static const VQAttributeTable<Rep> table("VQTopoNode::", rows(), 8, TOPO_NODE_GDMO_ATTRIBUTE_NAMES,
                                           Rep::gdmo_attribute_count, class_of);
  return table;
}

void VQTopoNodeRepAccess::map_bulk_read(const VQIntegerSet& attributes, VQIntegerSet& gdmo) {
  gdmo = VQIntegerSet(Rep::gdmo_attribute_count);
  if (attributes.max_members() == 0) return;
  VQIntegerSet others = attributes;
  others.remove(Node::view_config_data);
  for (const int object_class : {Rep::topo_node, Rep::topo_view_node, Rep::topo_view}) {
    table().to_gdmo(load, object_class, others, gdmo);
  }
  if (attributes.is_member(Node::view_config_data)) gdmo.add(Rep::topo_view_config_data);
}
