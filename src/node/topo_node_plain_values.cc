// Server attribute values read in place from their BER, for the forms the server stores:
// a bulk read of many nodes then builds no value tree and checks no syntax per value. A
// value of any other form is left to the table's codecs, which give the same result for
// the forms read here.
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "core/plain_ber.h"
#include "node/topo_node_rep_access.h"

namespace {

using Rep = VQTopoNodeRep;
using Tlv = VQPlainTlv;

// Calls `each` on every value of `contents`; false when one is not plain or is refused.
template <typename Each>
bool each_plain(std::string_view contents, Each each) {
  while (!contents.empty()) {
    Tlv element;
    if (!vq_take_plain(contents, element) || !each(element)) return false;
  }
  return true;
}

// The components of a SEQUENCE of exactly N values.
template <std::size_t N>
bool components(const Tlv& value, std::array<Tlv, N>& out) {
  if (value.identifier != kVQBerSequence) return false;
  std::string_view in = value.contents;
  for (Tlv& component : out) {
    if (!vq_take_plain(in, component)) return false;
  }
  return in.empty();
}

bool text(const Tlv& value, std::string& out) {
  if (value.identifier != kVQBerGraphicString) return false;
  out.assign(value.contents);
  return true;
}

template <typename T>
bool number(const Tlv& value, T& out) {
  long n = 0;
  if (!vq_plain_long(value, n)) return false;
  out = static_cast<T>(n);
  return true;
}

bool location(const Tlv& value, VQTopoNode::Location& out) {
  std::array<Tlv, 3> c;
  return components(value, c) && vq_plain_long(c[0], out.x) && vq_plain_long(c[1], out.y) &&
         vq_plain_long(c[2], out.z);
}

// A constructed value of `identifier` whose elements `read` makes into list entries; the
// list is replaced only when every element is read.
template <typename T, typename Read>
bool list(const Tlv& value, unsigned char identifier, VQList<T>& out, Read read) {
  if (value.identifier != identifier) return false;
  std::size_t count = 0;
  if (!each_plain(value.contents, [&count](const Tlv&) { return ++count != 0; })) return false;
  VQList<T> made;
  made.reserve(count);
  const bool read_all = each_plain(value.contents, [&](const Tlv& element) {
    T entry;
    if (!read(element, entry)) return false;
    made.append(std::move(entry));
    return true;
  });
  if (!read_all) return false;
  out = std::move(made);
  return true;
}

bool ids(const Tlv& value, const std::string& system, Rep::DnList& out) {
  return list(value, kVQBerSet, out, [&system](const Tlv& element, VQTopoNodeDn& dn) {
    long id = 0;
    if (!vq_plain_long(element, id)) return false;
    dn = VQTopoNodeDn(system, id);
    return true;
  });
}

bool empty_set(const Tlv& value) { return value.identifier == kVQBerSet && value.contents.empty(); }
bool null(const Tlv& value) { return value.identifier == kVQBerNull && value.contents.empty(); }

}  // namespace

bool VQTopoNodeRepAccess::decode_plain(Rep& rep, int gdmo, std::string_view ber,
                                       const VQTopoNodeDn& parent) {
  Tlv v;
  if (!vq_take_plain(ber, v) || !ber.empty()) return false;
  const std::string& system = rep.dn_.system_name();
  switch (gdmo) {
    case Rep::topo_node_id: {
      long id = 0;
      if (!vq_plain_long(v, id)) return false;
      VQTopoNodeDn dn;
      (void)rep.get_dn(dn);
      (void)rep.set_dn(VQTopoNodeDn(dn.system_name(), id));
      return true;
    }
    case Rep::topo_node_name:
      return text(v, rep.name_);
    case Rep::topo_node_type:
      return text(v, rep.type_name_);
    case Rep::topo_node_layer:
      return text(v, rep.layer_name_);
    case Rep::topo_view_background_image:
      return text(v, rep.view_background_image_filename_);
    case Rep::topo_view_map_config_file:
      return text(v, rep.view_map_config_filename_);
    case Rep::topo_node_state:
      return number(v, rep.state_);
    case Rep::topo_node_severity:
      return number(v, rep.severity_);
    case Rep::topo_node_propagated_severity:
      return number(v, rep.propagated_severity_);
    case Rep::topo_node_propagate_up:
      return number(v, rep.is_severity_propagated_);
    case Rep::topo_node_array_orientation:
      return number(v, rep.array_orientation_);
    case Rep::topo_node_array_num_columns:
      return number(v, rep.array_num_columns_);
    case Rep::topo_node_parents:
      return ids(v, system, rep.parents_);
    case Rep::topo_node_children:
      return ids(v, system, rep.children_);
    case Rep::topo_node_peers:
      return ids(v, system, rep.links_);
    case Rep::topo_node_propagate_peers:
      return ids(v, system, rep.propagate_peers_);
    case Rep::topo_node_array_visible_children:
      return ids(v, system, rep.array_visible_children_);
    case Rep::topo_node_mo_set:
      if (!empty_set(v)) return false;
      rep.managed_objects_.clear();
      return true;
    case Rep::topo_node_user_data:
      if (!empty_set(v)) return false;
      rep.user_data_.clear();
      return true;
    case Rep::topo_node_display_status:
      return list(v, kVQBerSet, rep.display_statuses_,
                  [](const Tlv& element, VQTopoNode::DisplayStatus& status) {
                    std::array<Tlv, 2> c;
                    return components(element, c) && text(c[0], status.label) &&
                           vq_plain_long(c[1], status.value);
                  });
    case Rep::topo_view_config_data:
      return list(v, kVQBerSet, rep.view_config_data_,
                  [](const Tlv& element, VQTopoNode::ViewConfigDatum& datum) {
                    std::array<Tlv, 2> c;
                    return components(element, c) && text(c[0], datum.name) &&
                           text(c[1], datum.value);
                  });
    case Rep::topo_node_bus_points:
      return list(v, kVQBerSequence, rep.bus_logical_locations_, location);
    case Rep::topo_view_node_position: {
      VQTopoNode::Location at;
      if (!location(v, at)) return false;
      rep.logical_locations_.append(VQTopoNode::LocationInParent(parent, at));
      return true;
    }
    case Rep::topo_node_array_cell_size: {
      std::array<Tlv, 2> c;
      long width = 0;
      long height = 0;
      // Sizes are unsigned: a negative one is left to the codec.
      if (!components(v, c) || !vq_plain_long(c[0], width) || !vq_plain_long(c[1], height) ||
          width < 0 || height < 0) {
        return false;
      }
      rep.array_cell_size_.width = static_cast<unsigned long>(width);
      rep.array_cell_size_.height = static_cast<unsigned long>(height);
      return true;
    }
    case Rep::topo_node_monitor: {
      if (null(v)) {
        rep.monitor_visible_children_.clear();
        rep.monitor_rotation_absent_ = true;
        return true;
      }
      std::array<Tlv, 2> c;
      long rotation = 0;
      if (!components(v, c) || !vq_plain_long(c[0], rotation) ||
          !ids(c[1], system, rep.monitor_visible_children_)) {
        return false;
      }
      rep.monitor_rotation_absent_ = false;
      // The remainder keeps the sign: -30 stays -30.
      rep.monitor_rotation_ = rotation % 360;
      return true;
    }
    // Locations and areas are read in place only when absent; their REALs take the codec.
    case Rep::topo_node_geo_location:
      if (!null(v)) return false;
      rep.geographical_location_absent_ = true;
      return true;
    case Rep::topo_view_map_initial_geo_area:
      if (!null(v)) return false;
      rep.view_default_geo_area_absent_ = true;
      return true;
    default:
      return false;
  }
}
