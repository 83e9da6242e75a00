// The node attribute table: for each of the 36 attributes, in print order, how it prints,
// compares and defaults, which operations take it, and how the server's topoNode, topoView
// and topoViewNode attributes carry it, through codecs or read in place. The values of more
// than one form have their own functions here, as do the walks a bulk read makes.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_type_dn.h"
#include "hvx/names.h"
#include "hvx/oid_registry.h"
#include "node/topo_node_codecs.h"
#include "node/topo_node_plain_values.h"
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
template <auto F>
static bool ids_plain(Rep& rep, const VQPlainTlv& value) {
  return VQTopoNodeRepAccess::plain_ids(rep, value, rep.*F);
}

bool VQTopoNodeRepAccess::plain_ids(const Rep& rep, const VQPlainTlv& value, DnList& list) {
  const std::string& system = rep.dn_.system_name();
  return vq_plain_list_of(value, kVQBerSet, list,
                          [&system](const VQPlainTlv& element, VQTopoNodeDn& dn) {
                            long id = 0;
                            if (!vq_plain_long(element, id)) return false;
                            dn = VQTopoNodeDn(system, id);
                            return true;
                          });
}

// The node's own id names it on the system it already has.
bool VQTopoNodeRepAccess::plain_id(Rep& rep, const VQPlainTlv& value) {
  long id = 0;
  if (!vq_plain_long(value, id)) return false;
  VQTopoNodeDn dn;
  (void)rep.get_dn(dn);
  (void)rep.set_dn(VQTopoNodeDn(dn.system_name(), id));
  return true;
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

bool VQTopoNodeRepAccess::plain_monitor(Rep& rep, const VQPlainTlv& value) {
  if (vq_plain_null(value)) {
    rep.monitor_visible_children_.clear();
    rep.monitor_rotation_absent_ = true;
    return true;
  }
  std::array<VQPlainTlv, 2> c;
  long rotation = 0;
  if (!vq_plain_components(value, c) || !vq_plain_long(c[0], rotation) ||
      !plain_ids(rep, c[1], rep.monitor_visible_children_)) {
    return false;
  }
  rep.monitor_rotation_absent_ = false;
  rep.monitor_rotation_ = rotation % 360;
  return true;
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

// The parts of a row that follow from the attribute's name, its field being <name>_: the
// number and name; printing and equality of a value, a list (emptied by default) or an
// optional value; the codecs of a string, a number and a name list; taken by every write.
#define VQ_ROW(a) .number = Node::a, .name = #a
#define VQ_VALUE(a) VQ_ROW(a), .print = vq_print_value<&Rep::a##_>, .equal = vq_equal<&Rep::a##_>
#define VQ_LIST(a)                                                              \
  VQ_ROW(a), .print = vq_print_list<&Rep::a##_>, .equal = vq_equal<&Rep::a##_>, \
             .reset = vq_clear<&Rep::a##_>
#define VQ_OPTIONAL(a)                                                  \
  VQ_ROW(a), .print = vq_print_optional<&Rep::a##_, &Rep::a##_absent_>, \
             .equal = vq_equal_optional<&Rep::a##_, &Rep::a##_absent_>, \
             .reset = [](Rep& r) { r.a##_absent_ = true; }
#define VQ_TEXT(a)                                                              \
  .decode = vq_decode_string<&Rep::a##_>, .value = vq_string_value<&Rep::a##_>, \
  .plain = vq_plain_text<&Rep::a##_>
#define VQ_NUMBER(a)                                                        \
  .decode = vq_decode_long<&Rep::a##_>, .value = vq_long_value<&Rep::a##_>, \
  .plain = vq_plain_number<&Rep::a##_>
#define VQ_IDS(a) \
  .decode = ids_decoder<&Rep::a##_>, .value = ids_value<&Rep::a##_>, .plain = ids_plain<&Rep::a##_>
#define VQ_WRITTEN .creatable = true, .storeable = true

// The node itself and the nodes it is related to.
std::vector<Row> VQTopoNodeRepAccess::identity_rows() {
  // clang-format off
  return {
    {VQ_VALUE(dn), .reset = [](Rep& r) { r.dn_.make_null(); }, .group = kNode,
     .gdmo = Rep::topo_node_id, .plain = plain_id},
    {VQ_VALUE(name), .reset = vq_clear<&Rep::name_>, .group = kNode, VQ_WRITTEN,
     .gdmo = Rep::topo_node_name, VQ_TEXT(name)},
    {VQ_LIST(topology_pathnames), .group = kNode, .needs = {Rep::topo_node_name, Rep::topo_node_parents}},
    {VQ_VALUE(type_name), .reset = [](Rep& r) { r.type_name_ = VQTopoTypeDn::host; }, .group = kNode,
     VQ_WRITTEN, .gdmo = Rep::topo_node_type, VQ_TEXT(type_name)},
    {VQ_LIST(managed_objects), .group = kNode, VQ_WRITTEN, .gdmo = Rep::topo_node_mo_set,
     .decode = decode_managed_objects, .value = managed_objects_value,
     .plain = vq_plain_empty<&Rep::managed_objects_>},
    {VQ_LIST(cmip_agents), .group = kNode, .load_needs = {Rep::topo_node_mo_set}},
    {VQ_LIST(snmp_agents), .group = kNode, .load_needs = {Rep::topo_node_mo_set}},
    {VQ_LIST(rpc_agents), .group = kNode, .load_needs = {Rep::topo_node_mo_set}},
    {VQ_LIST(parents), .group = kNode, VQ_WRITTEN, .gdmo = Rep::topo_node_parents, VQ_IDS(parents)},
    {VQ_LIST(children), .group = kView, .gdmo = Rep::topo_node_children,
     .decode = ids_decoder<&Rep::children_>, .plain = ids_plain<&Rep::children_>},
    {VQ_LIST(view_children), .group = kView},
    {VQ_LIST(links), .group = kNode, VQ_WRITTEN, .gdmo = Rep::topo_node_peers, VQ_IDS(links)},
    {VQ_LIST(propagate_peers), .group = kNode, VQ_WRITTEN, .gdmo = Rep::topo_node_propagate_peers,
     VQ_IDS(propagate_peers)},
  };
  // clang-format on
}

// Its state, statuses and places.
std::vector<Row> VQTopoNodeRepAccess::state_rows() {
  // clang-format off
  return {
    {VQ_VALUE(state), .reset = [](Rep& r) { r.state_ = 0; }, .group = kNode, VQ_WRITTEN,
     .gdmo = Rep::topo_node_state, VQ_NUMBER(state)},
    {VQ_VALUE(severity), .reset = [](Rep& r) { r.severity_ = Node::indeterminate; }, .group = kNode,
     .gdmo = Rep::topo_node_severity, .decode = vq_decode_long<&Rep::severity_>,
     .plain = vq_plain_number<&Rep::severity_>},
    {VQ_VALUE(propagated_severity), .reset = [](Rep& r) { r.propagated_severity_ = Node::indeterminate; },
     .group = kNode, .gdmo = Rep::topo_node_propagated_severity, VQ_NUMBER(propagated_severity)},
    {VQ_ROW(is_severity_propagated), .print = vq_print_flag<&Rep::is_severity_propagated_>,
     .equal = vq_equal<&Rep::is_severity_propagated_>,
     .reset = [](Rep& r) { r.is_severity_propagated_ = true; }, .group = kNode, VQ_WRITTEN,
     .gdmo = Rep::topo_node_propagate_up, VQ_NUMBER(is_severity_propagated)},
    {VQ_LIST(display_statuses), .group = kNode, VQ_WRITTEN, .gdmo = Rep::topo_node_display_status,
     .decode = vq_decode_list<&Rep::display_statuses_, hvx::TAG_SET, VQDisplayStatusCodec>,
     .value = vq_list_value<&Rep::display_statuses_, hvx::TAG_SET, VQDisplayStatusCodec>,
     .plain = vq_plain_list<&Rep::display_statuses_, kVQBerSet, VQDisplayStatusCodec>},
    {VQ_LIST(view_config_data), .group = kView, VQ_WRITTEN, .gdmo_class = kTopoView,
     .gdmo = Rep::topo_view_config_data, .load_needs = {Rep::topo_node_type},
     .decode = vq_decode_list<&Rep::view_config_data_, hvx::TAG_SET, VQViewConfigDatumCodec>,
     .value = vq_list_value<&Rep::view_config_data_, hvx::TAG_SET, VQViewConfigDatumCodec>,
     .plain = vq_plain_list<&Rep::view_config_data_, kVQBerSet, VQViewConfigDatumCodec>},
    {VQ_OPTIONAL(geographical_location), .group = kNode, VQ_WRITTEN, .gdmo = Rep::topo_node_geo_location,
     .decode = vq_decode_optional<&Rep::geographical_location_, &Rep::geographical_location_absent_, Geo>,
     .value = vq_optional_value<&Rep::geographical_location_, &Rep::geographical_location_absent_, Geo>,
     .plain = vq_plain_absent<&Rep::geographical_location_absent_>},
    {VQ_VALUE(layer_name), .reset = [](Rep& r) { r.layer_name_ = VQTopoTypeDn::host; }, .group = kNode,
     VQ_WRITTEN, .gdmo = Rep::topo_node_layer, VQ_TEXT(layer_name)},
    {VQ_LIST(logical_locations), .group = kNode, VQ_WRITTEN, .gdmo_class = Rep::topo_view_node,
     .gdmo = Rep::topo_view_node_position, .load_needs = {Rep::topo_node_parents}},
    {VQ_VALUE(view_background_image_filename), .reset = vq_clear<&Rep::view_background_image_filename_>,
     .group = kView, VQ_WRITTEN, .gdmo_class = kTopoView, .gdmo = Rep::topo_view_background_image,
     .load_needs = {Rep::topo_node_type}, VQ_TEXT(view_background_image_filename)},
    {VQ_VALUE(view_map_config_filename), .reset = vq_clear<&Rep::view_map_config_filename_>,
     .group = kView, VQ_WRITTEN, .gdmo_class = kTopoView, .gdmo = Rep::topo_view_map_config_file,
     .load_needs = {Rep::topo_node_type}, VQ_TEXT(view_map_config_filename)},
  };
  // clang-format on
}

// How it shows its children, and what is never printed.
std::vector<Row> VQTopoNodeRepAccess::shape_rows() {
  // clang-format off
  return {
    {VQ_ROW(view_default_geo_area), .print = print_geo_area, .equal = equal_geo_area,
     .reset = [](Rep& r) { r.view_default_geo_area_absent_ = true; }, .group = kView, VQ_WRITTEN,
     .gdmo_class = kTopoView, .gdmo = Rep::topo_view_map_initial_geo_area,
     .load_needs = {Rep::topo_node_type}, .decode = decode_geo_area, .value = geo_area_value,
     .plain = vq_plain_absent<&Rep::view_default_geo_area_absent_>},
    {VQ_OPTIONAL(monitor_rotation), .group = kMonitor, VQ_WRITTEN, .gdmo = Rep::topo_node_monitor,
     .decode = decode_monitor, .encode = encode_monitor, .value = monitor_value, .plain = plain_monitor},
    // Held by the monitor's value, with the rotation.
    {VQ_LIST(monitor_visible_children), .group = kMonitor, .storeable = true,
     .gdmo = Rep::topo_node_monitor, .load_needs = {Rep::topo_node_children}},
    {VQ_ROW(monitor_hidden_children), .print = print_hidden<&Rep::get_monitor_hidden_children>,
     .group = kMonitor, .needs = {Rep::topo_node_monitor}, .load_needs = {Rep::topo_node_children}},
    {VQ_LIST(array_visible_children), .group = kArray, VQ_WRITTEN,
     .gdmo = Rep::topo_node_array_visible_children, .load_needs = {Rep::topo_node_children},
     VQ_IDS(array_visible_children)},
    {VQ_ROW(array_hidden_children), .print = print_hidden<&Rep::get_array_hidden_children>,
     .group = kArray, .needs = {Rep::topo_node_array_visible_children},
     .load_needs = {Rep::topo_node_children}},
    {VQ_VALUE(array_orientation), .reset = [](Rep& r) { r.array_orientation_ = Node::horizontal; },
     .group = kArray, VQ_WRITTEN, .gdmo = Rep::topo_node_array_orientation, VQ_NUMBER(array_orientation)},
    {VQ_VALUE(array_num_columns), .reset = [](Rep& r) { r.array_num_columns_ = 0; }, .group = kArray,
     VQ_WRITTEN, .gdmo = Rep::topo_node_array_num_columns, VQ_NUMBER(array_num_columns)},
    {VQ_VALUE(array_cell_size), .reset = [](Rep& r) { r.array_cell_size_ = {0, 0}; }, .group = kArray,
     VQ_WRITTEN, .gdmo = Rep::topo_node_array_cell_size,
     .decode = vq_decode_struct<&Rep::array_cell_size_, VQArrayCellSizeCodec>,
     .value = vq_struct_value<&Rep::array_cell_size_, VQArrayCellSizeCodec>,
     .plain = vq_plain_struct<&Rep::array_cell_size_, VQArrayCellSizeCodec>},
    {VQ_LIST(bus_logical_locations), .group = Node::bus_attributes, VQ_WRITTEN,
     .gdmo = Rep::topo_node_bus_points,
     .decode = vq_decode_list<&Rep::bus_logical_locations_, hvx::TAG_SEQ, VQLocationCodec>,
     .value = vq_list_value<&Rep::bus_logical_locations_, hvx::TAG_SEQ, VQLocationCodec>,
     .plain = vq_plain_list<&Rep::bus_logical_locations_, kVQBerSequence, VQLocationCodec>},
    // Never printed: user data are opaque, the maximum follows from the type.
    {VQ_ROW(user_data), .reset = vq_clear<&Rep::user_data_>, .group = kNode, VQ_WRITTEN,
     .gdmo = Rep::topo_node_user_data, .decode = decode_user_data, .value = user_data_value,
     .plain = vq_plain_empty<&Rep::user_data_>, .encode_last = true},
    {VQ_ROW(monitor_max_visible_children), .group = kMonitor, .load_needs = {Rep::topo_node_type}},
  };
  // clang-format on
}

#undef VQ_ROW
#undef VQ_VALUE
#undef VQ_LIST
#undef VQ_OPTIONAL
#undef VQ_TEXT
#undef VQ_NUMBER
#undef VQ_IDS
#undef VQ_WRITTEN

std::vector<Row> VQTopoNodeRepAccess::rows() {
  std::vector<Row> rows = identity_rows();
  for (auto part : {state_rows, shape_rows}) {
    for (const Row& row : part()) rows.push_back(row);
  }
  return rows;
}

const VQAttributeTable<VQTopoNodeRep>& VQTopoNodeRepAccess::table() {
  static const VQAttributeTable<Rep> table("VQTopoNode::", rows(), 8,
                                           TOPO_NODE_GDMO_ATTRIBUTE_NAMES,
                                           Rep::gdmo_attribute_count, class_of);
  return table;
}

bool VQTopoNodeRepAccess::decode_plain(Rep& rep, int gdmo, std::string_view ber,
                                       const VQTopoNodeDn& parent) {
  VQPlainTlv value;
  if (!vq_take_plain(ber, value) || !ber.empty()) return false;
  // A position is the node's place in `parent`, which no row knows of.
  if (gdmo == Rep::topo_view_node_position) {
    VQTopoNode::Location at;
    if (!VQPlainElement<VQLocationCodec>::read(value, at)) return false;
    rep.logical_locations_.append(VQTopoNode::LocationInParent(parent, at));
    return true;
  }
  const Row* row = table().holder(class_of(gdmo), gdmo);
  return row != nullptr && row->plain != nullptr && row->plain(rep, value);
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
