// Node attribute values as the server's topoNode, topoView and topoViewNode objects hold
// them: the table's codecs move them between the fields and an image.
#include <string>

#include "core/local_system.h"
#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_platform.h"
#include "node/topo_node_codecs.h"
#include "node/topo_node_rep_access.h"

namespace {

using Code = VQStatus::Code;

const VQAttributeTable<VQTopoNodeRep>& table() { return VQTopoNodeRepAccess::table(); }

VQStatus wrong_size() { return VQStatus(Code::invalid_argument, "VQIntegerSet wrong size"); }

const std::string& gdmo_name(int attribute) { return TOPO_NODE_GDMO_ATTRIBUTE_NAMES[attribute]; }

}  // namespace

VQStatus VQTopoNodeRep::get_some_attributes_in_image(GdmoObjectClass object_class,
                                                     hvx::Image& image, const VQIntegerSet& gdmo) {
  if (gdmo.max_members() != gdmo_attribute_count) return wrong_size();
  VQIntegerSetIterator it(gdmo);
  while (it.next()) {
    hvx::Morf value = image.get_raw(vq_du(gdmo_name(it.member())));
    VQ_RETURN_IF_ERROR(
        get_attribute_from_morf(object_class, static_cast<GdmoAttribute>(it.member()), value));
  }
  return VQStatus::success;
}

// A position needs its parent: get_position_in_morf.
VQStatus VQTopoNodeRep::get_attribute_from_morf(GdmoObjectClass object_class,
                                                GdmoAttribute attribute, hvx::Morf& value) {
  return table().decode(*this, object_class, attribute, value);
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

VQStatus VQTopoNodeRep::get_position_in_morf(hvx::Morf& value, const VQTopoNodeDn& parent) {
  Location location;
  if (!VQLocationCodec::decode(value.get_value(), location)) {
    return VQStatus(Code::hvx_error, "VQTopoNode::logical_locations");
  }
  logical_locations_.append(LocationInParent(parent, location));
  return VQStatus::success;
}

// User data go last: their names are looked up, and they fail in their own ways. A
// position is written per parent: set_position_in_topo_view_node_image.
VQStatus VQTopoNodeRep::set_some_attributes_in_image(GdmoObjectClass object_class,
                                                     hvx::Image& image,
                                                     const VQIntegerSet& gdmo) const {
  if (gdmo.max_members() != gdmo_attribute_count) return wrong_size();
  return table().encode_gdmo(*this, object_class, gdmo, image);
}

VQStatus VQTopoNodeRep::set_position_in_topo_view_node_image(hvx::Image& image,
                                                             const Location& location) {
  return vq_written(vq_write_value(image, gdmo_name(topo_view_node_position),
                                   VQLocationCodec::encode(location)),
                    "VQTopoNode::logical_locations");
}
