// Node attribute values as the server's topoNode, topoView and topoViewNode objects hold
// them: encoding from the fields into an image, decoding from its values into the fields.
#include <string>
#include <string_view>

#include "core/local_system.h"
#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node_rep.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/asn1.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/oid_registry.h"
#include "hvx/platform.h"

namespace {

using Code = VQStatus::Code;
using Node = VQTopoNode;
using Rep = VQTopoNodeRep;
using hvx::Asn1Value;

const std::string& gdmo_name(int attribute) { return TOPO_NODE_GDMO_ATTRIBUTE_NAMES[attribute]; }

hvx::DataUnit du(const std::string& text) { return hvx::DataUnit(std::string_view(text)); }

VQStatus wrong_size() { return VQStatus(Code::invalid_argument, "VQIntegerSet wrong size"); }

VQStatus error(Code code, const char* attribute) {
  return VQStatus(code, std::string("VQTopoNode::") + attribute);
}

// Which server class holds a server attribute.
Rep::GdmoObjectClass class_of(int attribute) {
  if (attribute == Rep::topo_view_node_position) return Rep::topo_view_node;
  if (attribute >= Rep::topo_view_background_image) return Rep::topo_view;
  return Rep::topo_node;
}

// --- Building values.

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

Asn1Value unsigned_integer(unsigned long n) {
  Asn1Value value;
  value.encode_unsigned(n);
  return value;
}

Asn1Value real(double d) {
  Asn1Value value;
  value.encode_real(d);
  return value;
}

Asn1Value octets(const std::string& text) {
  Asn1Value value;
  value.encode_octets(std::string_view(text), hvx::TAG_GRAPHSTR);
  return value;
}

Asn1Value null_value() {
  Asn1Value value;
  value.encode_null();
  return value;
}

// The unique ids of the names; a node's references never leave its own system.
Asn1Value id_set(const VQList<VQTopoNodeDn>& names) {
  Asn1Value set = constructed(hvx::TAG_SET);
  for (const VQTopoNodeDn& name : names) set.add_component(integer(name.unique_id()));
  return set;
}

Asn1Value location_value(const Node::Location& location) {
  Asn1Value value = constructed(hvx::TAG_SEQ);
  value.add_component(integer(location.x));
  value.add_component(integer(location.y));
  value.add_component(integer(location.z));
  return value;
}

// Stages a constructed value in replace mode, through a Morf of the attribute's syntax.
bool write_value(hvx::Image& image, int attribute, const Asn1Value& value) {
  hvx::Morf morf(gdmo_name(attribute), hvx::Platform::def_platform);
  return morf.set_value(value) && image.set_raw(du(gdmo_name(attribute)), morf, hvx::REPLACE);
}

bool write_string(hvx::Image& image, int attribute, const std::string& text) {
  return image.set_str(du(gdmo_name(attribute)), du(text), hvx::REPLACE, 0);
}

bool write_long(hvx::Image& image, int attribute, long n) {
  return image.set_long(du(gdmo_name(attribute)), n, hvx::REPLACE);
}

// --- Reading values. Each reader is false, leaving its output alone, when the component is
// not of its kind (or missing).

bool read_long(const Asn1Value& value, long& out) { return value.decode_int(out); }

bool read_text(const Asn1Value& value, std::string& out) { return value.decode_octets(out); }

bool read_location(const Asn1Value& value, Node::Location& out) {
  Node::Location location;
  const Asn1Value x = value.first_component();
  const Asn1Value y = x.next_component();
  const Asn1Value z = y.next_component();
  if (!read_long(x, location.x) || !read_long(y, location.y) || !read_long(z, location.z)) {
    return false;
  }
  out = location;
  return true;
}

bool is(const Asn1Value& value, hvx::Asn1Tag tag) {
  return !value.is_null() && value.tag() == tag && value.is_constructed();
}

bool is_null_value(const Asn1Value& value) { return value.decode_null(); }

}  // namespace

// --- Decoding.

VQStatus VQTopoNodeRep::get_some_attributes_in_image(GdmoObjectClass object_class,
                                                     hvx::Image& image, const VQIntegerSet& gdmo) {
  if (gdmo.max_members() != gdmo_attribute_count) return wrong_size();
  VQIntegerSetIterator it(gdmo);
  while (it.next()) {
    hvx::Morf value = image.get_raw(du(gdmo_name(it.member())));
    VQ_RETURN_IF_ERROR(
        get_attribute_from_morf(object_class, static_cast<GdmoAttribute>(it.member()), value));
  }
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::get_attribute_from_morf(GdmoObjectClass object_class,
                                                GdmoAttribute attribute, hvx::Morf& value) {
  switch (object_class) {
    case topo_node:
      return get_topo_node_attribute(attribute, value);
    case topo_view:
      return get_topo_view_attribute(attribute, value);
    default:
      // A position needs its parent: get_position_in_morf.
      return VQStatus::success;
  }
}

void VQTopoNodeRep::decode_ids(const hvx::Morf& value, DnList& list) const {
  list.clear();
  if (value.num_elements() == 0) return;
  for (const hvx::Morf& element : value.split_array()) {
    list.append(VQTopoNodeDn(dn_.system_name(), element.get_long()));
  }
}

std::string VQTopoNodeRep::managed_object_seen_locally(const std::string& name) const {
  if (dn_.system_name() == vq_local_system_name()) return name;
  // The server names the object from its own system: its first component gives way to
  // the full name of that system seen from here.
  const std::size_t next = name.empty() ? std::string::npos : name.find('/', 1);
  const std::string rest = next == std::string::npos ? std::string() : name.substr(next);
  VQTopoPlatform* platform = VQTopoPlatform::instance();
  const std::string prefix =
      platform == nullptr ? std::string() : platform->system_fdn_str(dn_.system_name());
  return prefix + rest;
}

VQStatus VQTopoNodeRep::get_topo_node_attribute(GdmoAttribute attribute, const hvx::Morf& value) {
  const Asn1Value& v = value.get_value();
  switch (attribute) {
    case topo_node_name:
      name_ = value.get_str(0);
      break;
    case topo_node_type:
      type_name_ = value.get_str(0);
      break;
    case topo_node_layer:
      layer_name_ = value.get_str(0);
      break;
    case topo_node_mo_set:
      managed_objects_.clear();
      for (const hvx::Morf& element : value.split_array()) {
        managed_objects_.append(managed_object_seen_locally(hvx::oi2fdn(element.get_value())));
      }
      break;
    case topo_node_parents:
      decode_ids(value, parents_);
      break;
    case topo_node_children:
      decode_ids(value, children_);
      break;
    case topo_node_peers:
      decode_ids(value, links_);
      break;
    case topo_node_propagate_peers:
      decode_ids(value, propagate_peers_);
      break;
    case topo_node_array_visible_children:
      decode_ids(value, array_visible_children_);
      break;
    case topo_node_state:
      state_ = value.get_long();
      break;
    case topo_node_severity:
      severity_ = static_cast<Severity>(value.get_long());
      break;
    case topo_node_propagated_severity:
      propagated_severity_ = static_cast<Severity>(value.get_long());
      break;
    case topo_node_array_orientation:
      array_orientation_ = static_cast<ArrayOrientation>(value.get_long());
      break;
    case topo_node_array_num_columns:
      array_num_columns_ = static_cast<unsigned long>(value.get_long());
      break;
    case topo_node_propagate_up:
      is_severity_propagated_ = value.get_long() != 0;
      break;
    case topo_node_display_status:
      display_statuses_.clear();
      // Anything but a set of statuses is taken as none.
      if (value.num_elements() == 0 || !is(v, hvx::TAG_SET)) break;
      for (Asn1Value item = v.first_component(); !item.is_null(); item = item.next_component()) {
        DisplayStatus status;
        if (!is(item, hvx::TAG_SEQ) || !read_text(item.first_component(), status.label) ||
            !read_long(item.first_component().next_component(), status.value)) {
          return error(Code::hvx_error, "display_statuses");
        }
        display_statuses_.append(status);
      }
      break;
    case topo_node_geo_location: {
      if (is_null_value(v)) {
        geographical_location_absent_ = true;
        break;
      }
      geographical_location_absent_ = false;
      GeoLocation location;
      if (!is(v, hvx::TAG_SEQ) || !v.first_component().decode_real(location.latitude) ||
          !v.first_component().next_component().decode_real(location.longitude)) {
        return error(Code::hvx_error, "geographical_location");
      }
      geographical_location_ = location;
      break;
    }
    case topo_node_monitor: {
      monitor_visible_children_.clear();
      if (is_null_value(v)) {
        monitor_rotation_absent_ = true;
        break;
      }
      monitor_rotation_absent_ = false;
      long rotation = 0;
      if (!is(v, hvx::TAG_SEQ) || !read_long(v.first_component(), rotation)) {
        return error(Code::decode_error, "monitor_rotation");
      }
      // The remainder keeps the sign: -30 stays -30.
      monitor_rotation_ = rotation % 360;
      const Asn1Value visible = v.first_component().next_component();
      for (Asn1Value item = visible.first_component(); !item.is_null();
           item = item.next_component()) {
        long id = 0;
        if (!read_long(item, id)) return error(Code::decode_error, "monitor_rotation");
        monitor_visible_children_.append(VQTopoNodeDn(dn_.system_name(), id));
      }
      break;
    }
    case topo_node_user_data:
      user_data_.clear();
      if (is_null_value(v)) break;
      if (!is(v, hvx::TAG_SET)) return error(Code::decode_error, "user_data");
      for (Asn1Value item = v.first_component(); !item.is_null(); item = item.next_component()) {
        hvx::Oid oid;
        if (!is(item, hvx::TAG_SEQ) || !item.first_component().decode_oid(oid)) {
          return error(Code::decode_error, "user_data");
        }
        std::string name;
        if (!hvx::OidNameRegistry::find_name_by_oid(oid, name)) {
          return VQStatus(Code::attribute_not_registered, oid.format());
        }
        hvx::Morf datum(name, hvx::Platform::def_platform);
        if (!datum.set_value(item.first_component().next_component())) {
          return error(Code::decode_error, "user_data");
        }
        user_data_.append(UserDatum(name, datum));
      }
      break;
    case topo_node_array_cell_size: {
      ArrayCellSize size;
      if (!is(v, hvx::TAG_SEQ) || !v.first_component().decode_unsigned(size.width) ||
          !v.first_component().next_component().decode_unsigned(size.height)) {
        return error(Code::hvx_error, "array_cell_size");
      }
      array_cell_size_ = size;
      break;
    }
    case topo_node_bus_points:
      bus_logical_locations_.clear();
      if (value.num_elements() == 0 || !is(v, hvx::TAG_SEQ)) break;
      for (Asn1Value item = v.first_component(); !item.is_null(); item = item.next_component()) {
        Location location;
        if (!is(item, hvx::TAG_SEQ) || !read_location(item, location)) {
          return error(Code::hvx_error, "bus_logical_locations");
        }
        bus_logical_locations_.append(location);
      }
      break;
    default:
      // The name, whether the node is managed, and the other classes' attributes.
      break;
  }
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::get_topo_view_attribute(GdmoAttribute attribute, const hvx::Morf& value) {
  const Asn1Value& v = value.get_value();
  switch (attribute) {
    case topo_view_background_image:
      view_background_image_filename_ = value.get_str(0);
      break;
    case topo_view_map_config_file:
      view_map_config_filename_ = value.get_str(0);
      break;
    case topo_view_map_initial_geo_area: {
      if (is_null_value(v)) {
        view_default_geo_area_absent_ = true;
        break;
      }
      view_default_geo_area_absent_ = false;
      GeoLocation centre;
      double extent = 0.0;
      const Asn1Value latitude = v.first_component();
      const Asn1Value longitude = latitude.next_component();
      if (!is(v, hvx::TAG_SEQ) || !latitude.decode_real(centre.latitude) ||
          !longitude.decode_real(centre.longitude) ||
          !longitude.next_component().decode_real(extent)) {
        return error(Code::hvx_error, "default_geo_area");
      }
      view_default_geo_area_ = centre;
      view_default_geo_area_extent_ = extent;
      break;
    }
    case topo_view_config_data:
      view_config_data_.clear();
      if (value.num_elements() == 0 || !is(v, hvx::TAG_SET)) break;
      for (Asn1Value item = v.first_component(); !item.is_null(); item = item.next_component()) {
        ViewConfigDatum datum;
        if (!is(item, hvx::TAG_SEQ) || !read_text(item.first_component(), datum.name) ||
            !read_text(item.first_component().next_component(), datum.value)) {
          return error(Code::hvx_error, "view_config_data");
        }
        view_config_data_.append(datum);
      }
      break;
    default:
      break;
  }
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::get_position_in_morf(hvx::Morf& value, const VQTopoNodeDn& parent) {
  const Asn1Value& v = value.get_value();
  Location location;
  if (!is(v, hvx::TAG_SEQ) || !read_location(v, location)) {
    return error(Code::hvx_error, "logical_locations");
  }
  logical_locations_.append(LocationInParent(parent, location));
  return VQStatus::success;
}

// --- Encoding.

VQStatus VQTopoNodeRep::set_some_attributes_in_image(GdmoObjectClass object_class,
                                                     hvx::Image& image,
                                                     const VQIntegerSet& gdmo) const {
  if (gdmo.max_members() != gdmo_attribute_count) return wrong_size();
  if (object_class == topo_node) {
    // User data go last: their names are looked up, and they fail in their own ways.
    static constexpr GdmoAttribute kOrder[] = {
        topo_node_name,
        topo_node_type,
        topo_node_mo_set,
        topo_node_parents,
        topo_node_peers,
        topo_node_propagate_peers,
        topo_node_state,
        topo_node_propagated_severity,
        topo_node_propagate_up,
        topo_node_display_status,
        topo_node_geo_location,
        topo_node_layer,
        topo_node_monitor,
        topo_node_array_visible_children,
        topo_node_array_orientation,
        topo_node_array_num_columns,
        topo_node_array_cell_size,
        topo_node_bus_points,
        topo_node_user_data,
    };
    for (const GdmoAttribute attribute : kOrder) {
      if (gdmo[attribute]) VQ_RETURN_IF_ERROR(set_topo_node_attribute(attribute, image));
    }
  } else if (object_class == topo_view) {
    VQIntegerSetIterator it(gdmo);
    while (it.next()) {
      if (class_of(it.member()) != topo_view) continue;
      VQ_RETURN_IF_ERROR(set_topo_view_attribute(static_cast<GdmoAttribute>(it.member()), image));
    }
  }
  // A position is written per parent: set_position_in_topo_view_node_image.
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::set_topo_node_attribute(GdmoAttribute attribute, hvx::Image& image) const {
  bool written = false;
  const char* failed = "";
  switch (attribute) {
    case topo_node_name:
      written = write_string(image, attribute, name_);
      failed = "name";
      break;
    case topo_node_type:
      written = write_string(image, attribute, type_name_);
      failed = "type_name";
      break;
    case topo_node_mo_set: {
      Asn1Value set = constructed(hvx::TAG_SET);
      written = true;
      for (const std::string& managed_object : managed_objects_) {
        written = written && set.add_component(hvx::fdn2oi(managed_object));
      }
      written = written && write_value(image, attribute, set);
      failed = "managed_objects";
      break;
    }
    case topo_node_parents:
      written = write_value(image, attribute, id_set(parents_));
      failed = "parents";
      break;
    case topo_node_peers:
      written = write_value(image, attribute, id_set(links_));
      failed = "links";
      break;
    case topo_node_propagate_peers:
      written = write_value(image, attribute, id_set(propagate_peers_));
      failed = "propagate_peers";
      break;
    case topo_node_state:
      written = write_long(image, attribute, state_);
      failed = "state";
      break;
    case topo_node_propagated_severity:
      written = write_long(image, attribute, propagated_severity_);
      failed = "propagated_severity";
      break;
    case topo_node_propagate_up:
      written = write_long(image, attribute, is_severity_propagated_ ? 1 : 0);
      failed = "is_severity_propagated";
      break;
    case topo_node_display_status: {
      Asn1Value set = constructed(hvx::TAG_SET);
      for (const DisplayStatus& status : display_statuses_) {
        Asn1Value entry = constructed(hvx::TAG_SEQ);
        entry.add_component(octets(status.label));
        entry.add_component(integer(status.value));
        set.add_component(entry);
      }
      written = write_value(image, attribute, set);
      failed = "display_statuses";
      break;
    }
    case topo_node_geo_location: {
      Asn1Value value = null_value();
      if (!geographical_location_absent_) {
        value = constructed(hvx::TAG_SEQ);
        value.add_component(real(geographical_location_.latitude));
        value.add_component(real(geographical_location_.longitude));
      }
      written = write_value(image, attribute, value);
      failed = "geographical_location";
      break;
    }
    case topo_node_layer:
      written = write_string(image, attribute, layer_name_);
      failed = "layer_name";
      break;
    case topo_node_monitor: {
      Asn1Value value = null_value();
      // An absent rotation still carries visible children, with the stored rotation.
      if (!monitor_rotation_absent_ || !monitor_visible_children_.is_empty()) {
        value = constructed(hvx::TAG_SEQ);
        value.add_component(integer(monitor_rotation_));
        value.add_component(id_set(monitor_visible_children_));
      }
      written = write_value(image, attribute, value);
      failed = "monitor";
      break;
    }
    case topo_node_array_visible_children:
      written = write_value(image, attribute, id_set(array_visible_children_));
      failed = "array_visible_children";
      break;
    case topo_node_array_orientation:
      written = write_long(image, attribute, array_orientation_);
      failed = "array_orientation";
      break;
    case topo_node_array_num_columns:
      written = write_long(image, attribute, static_cast<long>(array_num_columns_));
      failed = "array_num_columns";
      break;
    case topo_node_array_cell_size: {
      Asn1Value value = constructed(hvx::TAG_SEQ);
      value.add_component(unsigned_integer(array_cell_size_.width));
      value.add_component(unsigned_integer(array_cell_size_.height));
      written = write_value(image, attribute, value);
      failed = "array_cell_size";
      break;
    }
    case topo_node_bus_points: {
      Asn1Value value = constructed(hvx::TAG_SEQ);
      for (const Location& location : bus_logical_locations_) {
        value.add_component(location_value(location));
      }
      written = write_value(image, attribute, value);
      failed = "bus_logical_locations";
      break;
    }
    case topo_node_user_data: {
      Asn1Value set = constructed(hvx::TAG_SET);
      for (const UserDatum& datum : user_data_) {
        hvx::Oid oid;
        if (!hvx::OidNameRegistry::find_oid_by_name(datum.name, oid)) {
          return VQStatus(Code::attribute_not_registered, datum.name);
        }
        if (!datum.value.has_value()) {
          return error(Code::cannot_set_attribute, "object description data invalid");
        }
        Asn1Value entry = constructed(hvx::TAG_SEQ);
        Asn1Value id;
        id.encode_oid(oid);
        entry.add_component(id);
        entry.add_component(datum.value.get_value());
        set.add_component(entry);
      }
      written = write_value(image, attribute, set);
      failed = "user_data";
      break;
    }
    default:
      // The name, the children and the severity belong to the server.
      return VQStatus::success;
  }
  return written ? VQStatus::success : error(Code::encode_error, failed);
}

VQStatus VQTopoNodeRep::set_topo_view_attribute(GdmoAttribute attribute, hvx::Image& image) const {
  bool written = false;
  const char* failed = "";
  switch (attribute) {
    case topo_view_background_image:
      written = write_string(image, attribute, view_background_image_filename_);
      failed = "view_background_image_filename";
      break;
    case topo_view_map_config_file:
      written = write_string(image, attribute, view_map_config_filename_);
      failed = "view_map_config_filename";
      break;
    case topo_view_map_initial_geo_area: {
      Asn1Value value = null_value();
      if (!view_default_geo_area_absent_) {
        value = constructed(hvx::TAG_SEQ);
        value.add_component(real(view_default_geo_area_.latitude));
        value.add_component(real(view_default_geo_area_.longitude));
        value.add_component(real(view_default_geo_area_extent_));
      }
      written = write_value(image, attribute, value);
      failed = "view_default_geo_area";
      break;
    }
    case topo_view_config_data: {
      Asn1Value set = constructed(hvx::TAG_SET);
      for (const ViewConfigDatum& datum : view_config_data_) {
        Asn1Value entry = constructed(hvx::TAG_SEQ);
        entry.add_component(octets(datum.name));
        entry.add_component(octets(datum.value));
        set.add_component(entry);
      }
      written = write_value(image, attribute, set);
      failed = "view_config_data";
      break;
    }
    default:
      return VQStatus::success;
  }
  return written ? VQStatus::success : error(Code::encode_error, failed);
}

VQStatus VQTopoNodeRep::set_position_in_topo_view_node_image(hvx::Image& image,
                                                             const Location& location) {
  if (!write_value(image, topo_view_node_position, location_value(location))) {
    return error(Code::encode_error, "logical_locations");
  }
  return VQStatus::success;
}
