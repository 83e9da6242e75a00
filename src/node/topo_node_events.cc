// Node change notification: server events about topoNode, topoView and topoViewNode
// objects decoded into the node they concern and handed to the registered callbacks.
#include <iostream>
#include <string>

#include "core/event_names.h"
#include "core/local_system.h"
#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_rep.h"
#include "hvx/event.h"
#include "hvx/image.h"
#include "hvx/names.h"
#include "hvx/oid_registry.h"

namespace {

using GdmoObjectClass = VQTopoNodeRep::GdmoObjectClass;

const hvx::Oid kSystemId{2, 9, 3, 2, 7, 4};
const hvx::Oid kTopoNodeId{1, 3, 6, 1, 4, 1, 7351, 2, 2, 2, 40, 7, 9};

// The node classes by identifier: topoNode, topoViewNode, topoView; -1 for any other.
int node_class_of(const hvx::Oid& id) {
  if (vq_is_topology_oid(id, {40, 3, 1})) return VQTopoNodeRep::topo_node;
  if (vq_is_topology_oid(id, {40, 3, 7})) return VQTopoNodeRep::topo_view_node;
  if (vq_is_topology_oid(id, {40, 3, 5})) return VQTopoNodeRep::topo_view;
  return -1;
}

const hvx::Oid& registered(const char* name, hvx::Oid& slot) {
  if (!slot.valid()) hvx::OidNameRegistry::find_oid_by_name(name, slot);
  return slot;
}

// The first assertion of a naming component.
bool assertion(const hvx::Asn1Value& rdn, hvx::Oid& attribute, hvx::Asn1Value& value) {
  const hvx::Asn1Value pair = rdn.first_component();
  if (pair.num_comps() < 2 || !pair.first_component().decode_oid(attribute)) return false;
  value = pair.first_component().next_component();
  return true;
}

// The system an event's object lives on, from the leading naming components.
std::string system_of(const hvx::Asn1Value& instance) {
  static hvx::Oid server_table;
  static hvx::Oid mis_id;
  hvx::Oid attribute;
  hvx::Asn1Value value;
  hvx::Asn1Value rdn = instance.first_component();
  if (!assertion(rdn, attribute, value)) return vq_local_system_name();
  if (attribute == kSystemId) {
    std::string name;
    (void)value.decode_octets(name);
    return name;
  }
  if (attribute != registered("serverTableType", server_table)) return vq_local_system_name();
  std::string path;
  bool rooted = false;
  for (rdn = rdn.next_component(); rdn; rdn = rdn.next_component()) {
    if (!assertion(rdn, attribute, value)) continue;
    if (attribute == kSystemId) {
      rooted = true;
    } else if (attribute == registered("misId", mis_id)) {
      std::string id;
      (void)value.decode_octets(id);
      path += "/" + id;
    }
  }
  return (rooted ? "/" : "") + vq_local_system_name() + path;
}

// The node id of a naming component, which must be topoNodeId.
bool node_id_of(const hvx::Asn1Value& rdn, long& id) {
  hvx::Oid attribute;
  hvx::Asn1Value value;
  if (!assertion(rdn, attribute, value) || attribute != kTopoNodeId || !value.decode_int(id)) {
    std::cerr << "topo_node: wrong oi" << std::endl;
    return false;
  }
  return true;
}

// "VQTopoNode::<attribute>" for the interface attribute a server attribute holds.
std::string qualified_name(GdmoObjectClass object_class, VQTopoNodeRep::GdmoAttribute attribute) {
  VQIntegerSet gdmo(VQTopoNodeRep::gdmo_attribute_count);
  gdmo.add(attribute);
  VQIntegerSet held(VQTopoNode::attribute_count);
  VQTopoNodeRep::map_gdmo_to_interface_attributes(object_class, gdmo, held);
  const long first = held.next_member(1);
  return "VQTopoNode::" +
         VQTopoNodeRep::get_attribute_name(static_cast<VQTopoNode::Attribute>(first < 0 ? 0 : first));
}

void report_dropped(const VQStatus& status) {
  std::cerr << "dropped event: "
            << (status.code() == VQStatus::Code::attribute_not_registered
                    ? "attribute_not_registered :"
                    : "")
            << status.message() << std::endl;
}

}  // namespace

bool VQTopoNodeRep::decode_position_event(const hvx::Asn1Value& instance, hvx::Morf& position) {
  const std::size_t count = instance.num_comps();
  long parent = 0;
  if (count < 2 || !node_id_of(instance.component(count - 2), parent)) return false;
  return static_cast<bool>(get_position_in_morf(position, VQTopoNodeDn(dn_.system_name(), parent)));
}

bool VQTopoNodeRep::decode_change_event(GdmoObjectClass object_class,
                                        const hvx::Asn1Value& instance,
                                        const hvx::Asn1Value& changes, VQIntegerSet& gdmo) {
  for (hvx::Asn1Value change = changes.first_component(); change;
       change = change.next_component()) {
    hvx::Oid id;
    std::string name;
    if (!change.first_component().decode_oid(id) ||
        !hvx::OidNameRegistry::find_name_by_oid(id, name)) {
      continue;
    }
    GdmoAttribute attribute;
    const std::string short_name = hvx::Platform::get_shortname(hvx::DataUnit(name)).str();
    if (!map_gdmo_name_to_enum(object_class, short_name, attribute)) continue;
    const hvx::Asn1Value old_value = change.component(1);
    const hvx::Asn1Value new_value = change.component(2);
    if (attribute == topo_node_type && old_value == new_value) continue;

    hvx::Morf value(name, hvx::Platform::def_platform);
    VQStatus decoded = value.set_value(new_value)
                           ? VQStatus::success
                           : VQStatus(VQStatus::Code::hvx_error,
                                      qualified_name(object_class, attribute));
    if (decoded && attribute == topo_view_node_position) {
      if (!decode_position_event(instance, value)) {
        report_dropped(VQStatus(VQStatus::Code::hvx_error, qualified_name(object_class, attribute)));
        return false;
      }
    } else if (decoded && attribute == topo_node_mo_set) {
      // Managed objects are kept as the server names them, even on a remote system.
      managed_objects_.clear();
      for (const hvx::Morf& element : value.split_array()) {
        managed_objects_.append(hvx::oi2fdn(element.get_value()));
      }
    } else if (decoded) {
      decoded = get_attribute_from_morf(object_class, attribute, value);
    }
    if (!decoded) {
      report_dropped(decoded);
      return false;
    }
    gdmo.add(attribute);
  }
  return true;
}

void VQTopoNodeRep::raw_event_cb(hvx::CurrentEvent& event) {
  if (!is_callbacks_initialized || !event.valid()) return;
  const hvx::Message& message = event.get_message();
  const int object_class = node_class_of(vq_event_class(event));
  if (object_class < 0) return;
  const auto gdmo_class = static_cast<GdmoObjectClass>(object_class);

  const hvx::Asn1Value& instance = message.get_object_instance();
  long id = 0;
  if (instance.num_comps() == 0 || !node_id_of(instance.component(instance.num_comps() - 1), id)) {
    return;
  }
  VQTopoNodeCallbackData data;
  data.dn = VQTopoNodeDn(system_of(instance), id);
  if (data.dn.is_null()) return;
  VQTopoNodeRep& node = *data.node.rep_;
  node.active_ = false;
  node.dn_ = data.dn;

  const int type = vq_event_type_of(event.get_name().str());
  data.event = static_cast<VQEventType>(type);
  VQIntegerSet gdmo(gdmo_attribute_count);
  if (type == attribute_value_change) {
    if (!node.decode_change_event(gdmo_class, instance, message.get_event_info().component(2),
                                  gdmo)) {
      return;
    }
  } else if (type == object_creation && gdmo_class == topo_view_node) {
    hvx::Image image(event.get_objname(), hvx::DataUnit(VQ_OC_TOPO_VIEW_NODE),
                     hvx::Platform::def_platform);
    if (!image.boot({hvx::DataUnit(VQ_TOPO_VIEW_NODE_POSITION)}, hvx::DEFAULT_TIMEOUT) || !image.exists()) return;
    hvx::Morf position = image.get_raw(hvx::DataUnit(VQ_TOPO_VIEW_NODE_POSITION));
    if (!node.decode_position_event(instance, position)) return;
    gdmo.add(topo_view_node_position);
    // A placement in a view reaches callbacks as a change of the node's locations.
    data.event = attribute_value_change;
  } else if (!(type == object_creation && gdmo_class == topo_node) &&
             !(type == object_deletion && gdmo_class == topo_node)) {
    return;
  }
  VQIntegerSet changed(VQTopoNode::attribute_count);
  map_gdmo_to_interface_attributes(gdmo_class, gdmo, changed);
  changed.remove(VQTopoNode::dn);
  node.active_ = changed;

  // A callback may register or unregister callbacks: the list is walked as it was.
  const VQList<CallbackEntry> now = callbacks;
  for (const CallbackEntry& entry : now) {
    if (entry.event != data.event && entry.event != all_events) continue;
    data.client_data = entry.client_data;
    if (entry.callback != nullptr) entry.callback(data);
  }
}
