// Node change notification: server events about topoNode, topoView and topoViewNode
// objects decoded into the node they concern and handed to the registered callbacks.
#include <iostream>
#include <string>
#include <unordered_map>

#include "core/callback_list.h"
#include "core/event_names.h"
#include "core/local_system.h"
#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_rep.h"
#include "hvx/event.h"
#include "hvx/image.h"
#include "hvx/names.h"
#include "hvx/oid_registry.h"
#include "hvx/syntax.h"

namespace {

using GdmoObjectClass = VQTopoNodeRep::GdmoObjectClass;

// The identifiers an event's name is read by, as their encoded contents.
struct NamingIds {
  std::string system_id = hvx::Oid{2, 9, 3, 2, 7, 4}.ber();
  std::string topo_node_id = vq_topology_oid({40, 7, 9});
  std::string server_table = registered("serverTableType");
  std::string mis_id = registered("misId");
  std::string classes[3] = {vq_topology_oid({40, 3, 1}), vq_topology_oid({40, 3, 7}),
                            vq_topology_oid({40, 3, 5})};

  static std::string registered(const char* name) {
    hvx::Oid id;
    return hvx::OidNameRegistry::find_oid_by_name(name, id) ? id.ber() : std::string();
  }
  static const NamingIds& get() {
    static const NamingIds ids;
    return ids;
  }
};

// The node class of the event's object, numbered as GdmoObjectClass; -1 for any other.
int node_class_of(const hvx::CurrentEvent& event) {
  const NamingIds& ids = NamingIds::get();
  for (int i = 0; i < 3; ++i) {
    if (vq_event_class_is(event, ids.classes[i])) return i;
  }
  return -1;
}

// The first assertion of a naming component: its attribute (as encoded) and value.
bool assertion(const hvx::Asn1Value& rdn, hvx::Asn1Value& attribute, hvx::Asn1Value& value) {
  const hvx::Asn1Value pair = rdn.first_component();
  attribute = pair.first_component();
  if (!attribute || attribute.tag() != hvx::TAG_OID) return false;
  value = attribute.next_component();
  return static_cast<bool>(value);
}

std::string octets_of(const hvx::Asn1Value& value) {
  std::string octets;
  (void)value.decode_octets(octets);
  return octets;
}

// The system an event's object lives on, from the leading naming components.
std::string system_of(const hvx::Asn1Value& instance) {
  const NamingIds& ids = NamingIds::get();
  hvx::Asn1Value attribute;
  hvx::Asn1Value value;
  hvx::Asn1Value rdn = instance.first_component();
  if (!assertion(rdn, attribute, value)) return vq_local_system_name();
  if (vq_oid_is(attribute, ids.system_id)) return octets_of(value);
  if (!vq_oid_is(attribute, ids.server_table)) return vq_local_system_name();
  std::string path;
  bool rooted = false;
  for (rdn = rdn.next_component(); rdn; rdn = rdn.next_component()) {
    if (!assertion(rdn, attribute, value)) continue;
    if (vq_oid_is(attribute, ids.system_id)) {
      rooted = true;
    } else if (vq_oid_is(attribute, ids.mis_id)) {
      path += "/" + octets_of(value);
    }
  }
  return (rooted ? "/" : "") + vq_local_system_name() + path;
}

// The node id of a naming component, which must be topoNodeId.
bool node_id_of(const hvx::Asn1Value& rdn, long& id) {
  hvx::Asn1Value attribute;
  hvx::Asn1Value value;
  if (!assertion(rdn, attribute, value) || !vq_oid_is(attribute, NamingIds::get().topo_node_id) ||
      !value.decode_int(id)) {
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
  return "VQTopoNode::" + VQTopoNodeRep::get_attribute_name(
                              static_cast<VQTopoNode::Attribute>(first < 0 ? 0 : first));
}

// What a changed attribute identifier stands for in a node class: the server attribute and
// the syntax of its values. Every change of every event asks, so the answers are kept, by
// class and identifier (only known ones: the server's attributes are few, what arrives is not).
struct ChangeTarget {
  VQTopoNodeRep::GdmoAttribute attribute;
  hvx::Syntax syntax;
};

const ChangeTarget* change_target(GdmoObjectClass object_class, const hvx::Asn1Value& id) {
  static std::unordered_map<std::string, ChangeTarget> known;
  if (id.tag() != hvx::TAG_OID) return nullptr;
  std::string key(1, static_cast<char>(object_class));
  key.append(id.contents().view());
  if (const auto it = known.find(key); it != known.end()) return &it->second;
  hvx::Oid oid;
  std::string name;
  VQTopoNodeRep::GdmoAttribute attribute;
  if (!id.decode_oid(oid) || !hvx::OidNameRegistry::find_name_by_oid(oid, name) ||
      !VQTopoNodeRep::map_gdmo_name_to_enum(
          object_class, hvx::Platform::get_shortname(hvx::DataUnit(name)).str(), attribute)) {
    return nullptr;
  }
  const ChangeTarget target{attribute, hvx::Morf(name, hvx::Platform::def_platform).syntax()};
  return &known.emplace(std::move(key), target).first->second;
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
    const ChangeTarget* target = change_target(object_class, change.first_component());
    if (target == nullptr) continue;
    const GdmoAttribute attribute = target->attribute;
    if (attribute == topo_node_type && change.component(1) == change.component(2)) continue;

    hvx::Morf value(target->syntax);
    const bool position = attribute == topo_view_node_position;
    VQStatus decoded =
        value.set_value(change.component(2)) &&
                (!position || decode_position_event(instance, value))
            ? VQStatus::success
            : VQStatus(VQStatus::Code::hvx_error, qualified_name(object_class, attribute));
    if (decoded && attribute == topo_node_mo_set) {
      // Managed objects are kept as the server names them, even on a remote system.
      managed_objects_.clear();
      for (const hvx::Morf& element : value.split_array()) {
        managed_objects_.append(hvx::oi2fdn(element.get_value()));
      }
    } else if (decoded && !position) {
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
  const int object_class = node_class_of(event);
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

  const int type = vq_event_type_of(event);
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
    const hvx::DataUnit position_name(VQ_TOPO_VIEW_NODE_POSITION);
    if (!image.boot({position_name}, hvx::DEFAULT_TIMEOUT) || !image.exists()) return;
    hvx::Morf position = image.get_raw(position_name);
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

  vq_call_callbacks(callbacks, data);
}
