#include "dedavuz_api/topo_node_rep.h"

#include <exception>
#include <string>
#include <utility>

#include "core/attribute_codecs.h"
#include "core/local_system.h"
#include "core/name_scan.h"
#include "core/system_path.h"
#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_type_dn.h"
#include "hvx/names.h"

namespace {

using Code = VQStatus::Code;
using Node = VQTopoNode;

// Display statuses are named in the singular wherever one is missing.
VQStatus display_status_not_set() {
  return VQStatus(Code::attribute_not_set, "VQTopoNode::display_status");
}

VQStatus too_many_visible_children() {
  return VQStatus(
      Code::cannot_set_attribute,
      "VQTopoNode::monitor_visible_children, because max number of visible children is exceeded");
}

// Keyed lists: the first entry whose `Key` member equals a key answers for it.
template <auto Key>
auto* find_keyed(auto& list, const VQTypeOf<Key>& key) {
  return list.find_if([&](const VQRepOf<Key>& entry) { return entry.*Key == key; });
}

// The `Value` of the entry with `key`; code 6 with `shown` when there is none.
template <auto Key, auto Value>
VQStatus keyed_value(const VQList<VQRepOf<Key>>& list, const VQTypeOf<Key>& key,
                     VQTypeOf<Value>& out, const std::string& shown) {
  const auto* found = find_keyed<Key>(list, key);
  if (found == nullptr) return VQStatus(Code::key_not_found, shown);
  out = found->*Value;
  return VQStatus::success;
}

// Takes every entry with `key`; code 6 with it when there is none.
template <auto Key>
VQStatus remove_keyed(VQList<VQRepOf<Key>>& list, const std::string& key) {
  if (list.remove_if([&](const VQRepOf<Key>& entry) { return entry.*Key == key; }) == 0) {
    return VQStatus(Code::key_not_found, key);
  }
  return VQStatus::success;
}

// Whether the platform can convert `dn` into a name; code 1 only if it could not try.
VQStatus check_convertible(const std::string& dn) {
  try {
    if (hvx::fdn2oi(dn).is_null()) return VQStatus(Code::invalid_argument, dn);
    return VQStatus::success;
  } catch (const std::exception& e) {
    return VQStatus(Code::hvx_error, e.what());
  }
}

}  // namespace

VQTopoNodeRep::VQTopoNodeRep() : active_(Node::attribute_count) {}

VQTopoNodeRep::VQTopoNodeRep(const VQTopoNodeDn& dn) : dn_(dn), active_(Node::attribute_count) {
  active_.add(Node::dn);
}

VQStatus VQTopoNodeRep::create_with_all_attributes() {
  return create_with_some_attributes(active_ &
                                     get_valid_attributes(create, Node::all_attribute_types));
}

VQStatus VQTopoNodeRep::load_all_attributes() {
  return load_some_attributes(get_valid_attributes(load, Node::all_attribute_types));
}

VQStatus VQTopoNodeRep::store_all_attributes() {
  return store_some_attributes(active_ & get_valid_attributes(store, Node::all_attribute_types));
}

VQStatus VQTopoNodeRep::load_all_defaults() {
  return load_some_defaults(get_valid_attributes(load, Node::all_attribute_types));
}

void VQTopoNodeRep::get_active_attributes(VQIntegerSet& attributes) const { attributes = active_; }

void VQTopoNodeRep::clear_all_attributes() { active_ = false; }

void VQTopoNodeRep::clear_some_attributes(const VQIntegerSet& attributes) {
  // Member by member, so that a set of another capacity clears only its own members.
  VQIntegerSetIterator it(attributes);
  while (it.next()) active_.remove(it.member());
}

template <typename T>
VQStatus VQTopoNodeRep::get(Attribute attribute, const T& field, T& out) const {
  if (!is_active(attribute)) return not_set(attribute);
  out = field;
  return VQStatus::success;
}

template <typename T>
VQStatus VQTopoNodeRep::set(Attribute attribute, T& field, const T& value) {
  field = value;
  active_.add(attribute);
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::add_dn(Attribute attribute, DnList& list, const VQTopoNodeDn& dn) {
  if (!is_active(attribute)) {
    // Whatever an inactive list still holds is stale.
    list.clear();
    active_.add(attribute);
  } else if (list.contains(dn)) {
    return VQStatus(Code::already_exists, dn.slash_form());
  }
  list.append(dn);
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::remove_dn(Attribute attribute, DnList& list, const VQTopoNodeDn& dn) {
  if (!is_active(attribute)) return not_set(attribute);
  if (list.remove_all(dn) == 0) return VQStatus(Code::does_not_exist, dn.slash_form());
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::get_hidden(Attribute attribute, const DnList& visible, DnList& out) const {
  if (!is_active(attribute)) return not_set(attribute);
  for (const VQTopoNodeDn& child : children_) {
    if (!visible.contains(child)) out.append(child);
  }
  return VQStatus::success;
}

template <auto Key, typename T>
VQStatus VQTopoNodeRep::add_keyed(Attribute attribute, VQList<T>& list, const T& entry) {
  if (!is_active(attribute)) return set(attribute, list, VQList<T>{entry});
  if (T* found = find_keyed<Key>(list, entry.*Key)) {
    *found = entry;
  } else {
    list.append(entry);
  }
  return VQStatus::success;
}

long VQTopoNodeRep::monitor_visible_limit() const {
  if (type_name_ == VQTopoTypeDn::omnisector) return 1;
  if (type_name_ == VQTopoTypeDn::hexagon) return 6;
  if (type_name_ == VQTopoTypeDn::hexagon120) return 3;
  return 36;
}

// The plain accessors; the others follow.
#define VQ_NODE_GET(attribute, T)                           \
  VQStatus VQTopoNodeRep::get_##attribute(T& value) const { \
    return get(Node::attribute, attribute##_, value);       \
  }
#define VQ_NODE_SET(attribute, T)                              \
  VQStatus VQTopoNodeRep::set_##attribute(VQNodeIn<T> value) { \
    return set(Node::attribute, attribute##_, value);          \
  }
#define VQ_NODE_DN_LIST(attribute, one)                          \
  VQ_NODE_GET_SET(attribute, DnList)                             \
  VQStatus VQTopoNodeRep::add_##one(const VQTopoNodeDn& dn) {    \
    return add_dn(Node::attribute, attribute##_, dn);            \
  }                                                              \
  VQStatus VQTopoNodeRep::remove_##one(const VQTopoNodeDn& dn) { \
    return remove_dn(Node::attribute, attribute##_, dn);         \
  }
#define VQ_NODE_HIDDEN(attribute, visible)                          \
  VQStatus VQTopoNodeRep::get_##attribute(DnList& children) const { \
    return get_hidden(Node::attribute, visible##_, children);       \
  }
#include "node/topo_node_accessors.def"

VQStatus VQTopoNodeRep::set_managed_objects(const VQList<std::string>& managed_objects) {
  managed_objects_.clear();
  for (const std::string& managed_object : managed_objects) {
    std::string canonical;
    VQ_RETURN_IF_ERROR(vq_get_canonical_dn(managed_object, canonical));
    managed_objects_.append(std::move(canonical));
  }
  active_.add(Node::managed_objects);
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::add_managed_object(const std::string& managed_object) {
  const bool active = is_active(Node::managed_objects);
  if (active && managed_objects_.contains(managed_object)) {
    return VQStatus(Code::already_exists, managed_object);
  }
  // Checked before anything changes, so that a refused name leaves the list as it was.
  VQ_RETURN_IF_ERROR(check_convertible(managed_object));
  if (!active) {
    managed_objects_.clear();
    active_.add(Node::managed_objects);
  }
  managed_objects_.append(managed_object);
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::remove_managed_object(const std::string& managed_object) {
  if (!is_active(Node::managed_objects)) return not_set(Node::managed_objects);
  std::string canonical;
  VQ_RETURN_IF_ERROR(vq_get_canonical_dn(managed_object, canonical));
  if (managed_objects_.remove_all(canonical) == 0) {
    return VQStatus(Code::does_not_exist, managed_object);
  }
  return VQStatus::success;
}

// The server computes a node's severity from its alarms; nothing here can change it.
VQStatus VQTopoNodeRep::set_severity(Severity) { return VQStatus::success; }

VQStatus VQTopoNodeRep::get_display_statuses(VQList<DisplayStatus>& statuses) const {
  if (!is_active(Node::display_statuses)) return display_status_not_set();
  statuses = display_statuses_;
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::get_display_status(const std::string& label, long& value) const {
  if (!is_active(Node::display_statuses)) return display_status_not_set();
  return keyed_value<&DisplayStatus::label, &DisplayStatus::value>(display_statuses_, label, value,
                                                                   label);
}

VQStatus VQTopoNodeRep::add_display_status(const std::string& label, long value) {
  return add_keyed<&DisplayStatus::label>(Node::display_statuses, display_statuses_,
                                          DisplayStatus(label, value));
}

VQStatus VQTopoNodeRep::remove_display_status(const std::string& label) {
  if (!is_active(Node::display_statuses)) return display_status_not_set();
  return remove_keyed<&DisplayStatus::label>(display_statuses_, label);
}

VQStatus VQTopoNodeRep::get_geographical_location(GeoLocation& location, bool& absent) const {
  if (!is_active(Node::geographical_location)) return not_set(Node::geographical_location);
  absent = geographical_location_absent_;
  if (!absent) location = geographical_location_;
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::set_geographical_location(const GeoLocation& location, bool absent) {
  geographical_location_absent_ = absent;
  if (!absent) geographical_location_ = location;
  active_.add(Node::geographical_location);
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::get_user_datum(const std::string& name, hvx::Morf& value) const {
  if (!is_active(Node::user_data)) return not_set(Node::user_data);
  return keyed_value<&UserDatum::name, &UserDatum::value>(user_data_, name, value, name);
}

VQStatus VQTopoNodeRep::add_user_datum(const std::string& name, const hvx::Morf& value) {
  return add_keyed<&UserDatum::name>(Node::user_data, user_data_, UserDatum(name, value));
}

VQStatus VQTopoNodeRep::remove_user_datum(const std::string& name) {
  if (!is_active(Node::user_data)) return not_set(Node::user_data);
  return remove_keyed<&UserDatum::name>(user_data_, name);
}

VQStatus VQTopoNodeRep::get_logical_location(const VQTopoNodeDn& parent, Location& location) const {
  if (!is_active(Node::logical_locations)) return not_set(Node::logical_locations);
  return keyed_value<&LocationInParent::parent, &LocationInParent::location>(
      logical_locations_, parent, location, parent.slash_form());
}

VQStatus VQTopoNodeRep::set_logical_location(const VQTopoNodeDn& parent, const Location& location) {
  if (!is_active(Node::logical_locations)) {
    return set(Node::logical_locations, logical_locations_,
               VQList<LocationInParent>{LocationInParent(parent, location)});
  }
  // A node is placed in a parent by the server; here it can only move there.
  LocationInParent* found = find_keyed<&LocationInParent::parent>(logical_locations_, parent);
  if (found == nullptr) return VQStatus(Code::key_not_found, parent.slash_form());
  found->location = location;
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::get_view_default_geo_area(GeoLocation& centre, double& extent,
                                                  bool& absent) const {
  if (!is_active(Node::view_default_geo_area)) return not_set(Node::view_default_geo_area);
  absent = view_default_geo_area_absent_;
  if (!absent) {
    centre = view_default_geo_area_;
    extent = view_default_geo_area_extent_;
  }
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::set_view_default_geo_area(const GeoLocation& centre, double extent,
                                                  bool absent) {
  view_default_geo_area_absent_ = absent;
  if (!absent) {
    view_default_geo_area_ = centre;
    view_default_geo_area_extent_ = extent;
  }
  active_.add(Node::view_default_geo_area);
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::get_view_config_datum(const std::string& name, std::string& value) const {
  if (!is_active(Node::view_config_data)) return not_set(Node::view_config_data);
  return keyed_value<&ViewConfigDatum::name, &ViewConfigDatum::value>(view_config_data_, name,
                                                                      value, name);
}

VQStatus VQTopoNodeRep::add_view_config_datum(const ViewConfigDatum& datum) {
  return add_keyed<&ViewConfigDatum::name>(Node::view_config_data, view_config_data_, datum);
}

VQStatus VQTopoNodeRep::remove_view_config_datum(const std::string& name) {
  if (!is_active(Node::view_config_data)) return not_set(Node::view_config_data);
  return remove_keyed<&ViewConfigDatum::name>(view_config_data_, name);
}

VQStatus VQTopoNodeRep::get_monitor_rotation(long& rotation, bool& absent) const {
  if (!is_active(Node::monitor_rotation)) return not_set(Node::monitor_rotation);
  absent = monitor_rotation_absent_;
  if (!absent) rotation = monitor_rotation_;
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::set_monitor_rotation(long rotation, bool absent) {
  monitor_rotation_absent_ = absent;
  if (!absent) monitor_rotation_ = rotation;
  active_.add(Node::monitor_rotation);
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::set_monitor_visible_children(const DnList& children) {
  if (static_cast<long>(children.entries()) > monitor_visible_limit()) {
    return too_many_visible_children();
  }
  return set(Node::monitor_visible_children, monitor_visible_children_, children);
}

VQStatus VQTopoNodeRep::add_monitor_visible_child(const VQTopoNodeDn& child) {
  // A full list refuses a new child, but a duplicate is reported as such first. The list
  // is compared with the limit for equality only: one that the type name outgrew later
  // still takes children.
  if (is_active(Node::monitor_visible_children) && !monitor_visible_children_.contains(child) &&
      static_cast<long>(monitor_visible_children_.entries()) == monitor_visible_limit()) {
    return too_many_visible_children();
  }
  return add_dn(Node::monitor_visible_children, monitor_visible_children_, child);
}

VQStatus VQTopoNodeRep::remove_monitor_visible_child(const VQTopoNodeDn& child) {
  return remove_dn(Node::monitor_visible_children, monitor_visible_children_, child);
}

VQStatus VQTopoNodeRep::get_monitor_max_visible_children(long& max) const {
  if (!is_active(Node::monitor_max_visible_children)) {
    return not_set(Node::monitor_max_visible_children);
  }
  // Unlike the limit on visible children, only the monitor types have an answer here.
  if (type_name_ == VQTopoTypeDn::omnisector) {
    max = 1;
  } else if (type_name_ == VQTopoTypeDn::hexagon) {
    max = 6;
  } else if (type_name_ == VQTopoTypeDn::hexagon120) {
    max = 3;
  } else if (type_name_ == VQTopoTypeDn::circle) {
    max = 36;
  } else {
    return VQStatus(Code::invalid_argument, type_name_);
  }
  return VQStatus::success;
}

namespace {

// The local system of view names, from the platform when there is no platform object yet.
std::string view_local_system_name() { return vq_view_local_system_name(); }

// Scans a per-view name with its relative or its full format.
VQTopoNodeDn parse_view_name(const std::string& text, const std::string& relative_format,
                             const std::string& full_format) {
  try {
    if (text.empty() || text.front() != '/') {
      const VQScanResult scan = vq_scan(text, relative_format);
      if (scan.items != 1) return VQTopoNodeDn();
      VQTopoNodeDn dn;
      dn.system_name(vq_local_system_name());
      dn.unique_id(scan.numbers[0]);
      return dn;
    }
    const VQScanResult scan = vq_scan(text, full_format);
    if (scan.items != 2) return VQTopoNodeDn();
    return VQTopoNodeDn(scan.strings[0], scan.numbers[0]);
  } catch (...) {
    return VQTopoNodeDn();
  }
}

}  // namespace

std::string VQTopoNodeRep::topo_view_dn_slash_form(const VQTopoNodeDn& view) {
  return vq_slash_form(view.system_name(), view_local_system_name(), VQ_DN_TOPO_VIEW_PART2,
                       std::to_string(view.unique_id()));
}

std::string VQTopoNodeRep::topo_view_node_dn_slash_form(const VQTopoNodeDn& view,
                                                        const VQTopoNodeDn& node) {
  return topo_view_dn_slash_form(view) + "/" + VQ_TOPO_NODE_ID + "=" +
         std::to_string(node.unique_id());
}

VQTopoNodeDn VQTopoNodeRep::topo_view_dn(const std::string& text) {
  return parse_view_name(text, VQ_DN_TOPO_VIEW_LDN_SCANF, VQ_DN_TOPO_VIEW_SCANF);
}

VQTopoNodeDn VQTopoNodeRep::topo_view_node_dn(const std::string& text) {
  return parse_view_name(text, VQ_DN_TOPO_VIEW_NODE_LDN_SCANF, VQ_DN_TOPO_VIEW_NODE_SCANF);
}
