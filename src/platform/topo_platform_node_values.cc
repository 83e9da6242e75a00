// The node queries of the platform object that answer attribute values: the children of a
// view with selected attributes in one exchange of linked replies, and the selected
// attributes of every node that refers to given managed objects, read or written.
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node_rep.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/image.h"
#include "hvx/message.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "node/topo_node_rep_access.h"
#include "platform/gdmo_attributes.h"
#include "platform/node_db_request.h"

namespace {

using Code = VQStatus::Code;
using Node = VQTopoNode;
using NodeRep = VQTopoNodeRep;
using Rep = VQTopoPlatformRep;
using hvx::Asn1Tag;
using hvx::Asn1Value;

constexpr double kTimeout = hvx::DEFAULT_TIMEOUT;
const hvx::Oid kViewChildrenAction("1.3.6.1.4.1.7351.2.2.2.40.9.9");

hvx::DataUnit du(const std::string& text) { return hvx::DataUnit(std::string_view(text)); }

const VQGdmoAttributes& gdmo_attributes() { return vq_gdmo_attributes(); }
int gdmo_index(std::string_view oid_contents) { return vq_gdmo_index(oid_contents); }

Asn1Value oid_value(const hvx::Oid& oid, Asn1Tag tag = hvx::TAG_OID) {
  Asn1Value value;
  value.encode_oid(oid, tag);
  return value;
}

Asn1Value constructed(Asn1Tag tag) {
  Asn1Value value;
  value.start_construct(tag);
  return value;
}

Asn1Value explicitly(unsigned number, Asn1Value inner) {
  inner.make_explicit_tagged(Asn1Tag(Asn1Tag::CONTEXT, number));
  return inner;
}

// The managed objects as a SET OF object instances; code 10 with the first that does
// not parse.
VQStatus instances(const VQList<std::string>& mo_fdns, Asn1Value& set) {
  set.start_construct(hvx::TAG_SET, static_cast<int>(mo_fdns.entries()));
  for (const std::string& fdn : mo_fdns) {
    const Asn1Value instance = hvx::fdn2oi(fdn);
    if (instance.is_null()) return VQStatus(Code::encode_error, fdn);
    set.add_component(instance);
  }
  return VQStatus::success;
}

}  // namespace

void Rep::map_interface_to_gdmo_attributes(const VQIntegerSet& interface, VQIntegerSet& gdmo) {
  VQTopoNodeRepAccess::map_bulk_read(interface, gdmo);
}

VQStatus Rep::fill_in_node_with_the_attribute(const VQTopoNodeDn& parent, const Asn1Value& id,
                                              const Asn1Value& value, const VQIntegerSet& gdmo,
                                              VQTopoNode& node) {
  const int g = gdmo_index(id.contents().view());
  if (g < 0 || !gdmo.is_member(g)) return VQStatus::success;
  NodeRep& rep = *node.rep_;
  const VQGdmoAttribute& attribute = gdmo_attributes()[g];
  if (g == NodeRep::topo_node_id) {
    long n = 0;
    if (!value.decode_int(n)) return VQStatus(Code::hvx_error, "VQTopoNode::dn");
    VQTopoNodeDn dn;
    (void)rep.get_dn(dn);
    return rep.set_dn(VQTopoNodeDn(dn.system_name(), n));
  }
  hvx::Morf morf(attribute.syntax, value);
  if (g == NodeRep::topo_view_node_position) return rep.get_position_in_morf(morf, parent);
  return rep.get_attribute_from_morf(attribute.object_class, static_cast<NodeRep::GdmoAttribute>(g),
                                     morf);
}

VQStatus Rep::parse_action_output(hvx::Morf& reply, const VQTopoNodeDn& parent,
                                  const std::string& system, const VQIntegerSet& gdmo,
                                  VQList<VQTopoNode>& nodes) {
  const Asn1Value& entries = reply.get_value();
  if (entries.is_null() || !entries.is_constructed()) return VQStatus::success;
  for (Asn1Value entry = entries.first_component(); !entry.is_null();
       entry = entry.next_component()) {
    long id = 0;
    if (entry.num_comps() != 2 || !entry.first_component().decode_int(id)) break;
    nodes.append(VQTopoNode(VQTopoNodeDn(system, id)));
    VQTopoNode& node = nodes[nodes.entries() - 1];
    // Without a view named, the server gives the place in the node's first parent.
    VQTopoNodeDn place_in = parent;
    const Asn1Value list = entry.first_component().next_component();
    for (Asn1Value item = list.first_component(); !item.is_null(); item = item.next_component()) {
      const Asn1Value id_value = item.first_component();
      const Asn1Value value = id_value.next_component();
      long first_parent = 0;
      if (parent.is_null() &&
          gdmo_index(id_value.contents().view()) == NodeRep::topo_node_parents &&
          value.first_component().decode_int(first_parent)) {
        place_in = VQTopoNodeDn(system, first_parent);
      }
      // A value that does not decode costs that attribute only.
      const VQStatus ignored =
          fill_in_node_with_the_attribute(place_in, id_value, value, gdmo, node);
      (void)ignored;
    }
  }
  return VQStatus::success;
}

void Rep::complete_node(const VQIntegerSet& attributes, VQTopoNode& node) const {
  NodeRep& rep = *node.rep_;
  if (attributes.is_member(Node::view_children) && view_graph_cached_) {
    const VQStatus ignored = get_view_graph_node_view_children(rep.dn_, rep.view_children_);
    (void)ignored;
  }
  // Without the graph the path names fail; the other derived attributes do not need it.
  const VQStatus ignored = rep.get_derived_topo_node_attributes(attributes);
  (void)ignored;
  rep.active_ |= attributes;
}

// --- The children of a view.

VQStatus Rep::load_nodes_in_view(const VQTopoNodeDn& view, const VQIntegerSet& attributes,
                                 VQList<VQTopoNode>& nodes) {
  try {
    VQIntegerSet gdmo;
    map_interface_to_gdmo_attributes(attributes, gdmo);
    Asn1Value info = constructed(hvx::TAG_SEQ);
    Asn1Value id;
    id.encode_int(view.unique_id());
    info.add_component(id);
    Asn1Value wanted;
    wanted.start_construct(hvx::TAG_SET, static_cast<int>(gdmo.num_members()));
    VQIntegerSetIterator it(gdmo);
    while (it.next()) wanted.add_component(oid_value(gdmo_attributes()[it.member()].oid));
    info.add_component(wanted);
    const hvx::Message request =
        vq_node_db_action_request(view.system_name(), kViewChildrenAction, info);

    hvx::MessageSAP* sap = platform_.get_raw_sap();
    NodesInView context{0, nodes, view, attributes, gdmo, sap, {}};
    if (!sap->send(request, hvx::Callback(&load_nodes_in_view_cb, &context), kVQRawTimeout)) {
      return VQStatus::success;
    }
    // Ends with the final reply: the server's, its error reply, or the platform's timeout.
    while (context.done == 0) platform_.dispatch_recursive(true);
  } catch (const std::exception&) {
    // The platform failed on the way: what arrived is kept.
  }
  return VQStatus::success;
}

void Rep::load_nodes_in_view_cb(void* client, void* raw) {
  NodesInView& context = *static_cast<NodesInView*>(client);
  const std::unique_ptr<hvx::Message> message(context.sap->decode(raw));
  if (message == nullptr) return;
  const Rep* self = instance();
  if (message->type() == hvx::Message::ACTION_RESULT) {
    const std::size_t first = context.nodes.entries();
    // The reply's bytes are read in place; a reply of another shape goes through its value.
    const hvx::DataUnit info = message->encoded(hvx::Message::INFO);
    if (!decode_view_children(info.view(), context.view_dn, context.gdmo_attributes,
                              context.attributes, context.seen, context.nodes)) {
      decode_view_children(message->get_result_info(), context.view_dn, context.gdmo_attributes,
                           context.attributes, context.seen, context.nodes);
    }
    if (self != nullptr) {
      for (std::size_t i = first; i < context.nodes.entries(); ++i) {
        self->complete_node(context.attributes, context.nodes[i]);
      }
    }
  }
  const int base = message->base_type();
  if ((base == hvx::Message::RESULT || base == hvx::Message::ERROR) && message->linked_id() == 0) {
    context.done = 1;
  }
}

// --- Attributes of the nodes of managed objects.

VQStatus Rep::get_attributes_by_mo(const VQList<std::string>& mo_fdns,
                                   const VQIntegerSet& attributes, VQList<VQTopoNode>& nodes,
                                   const VQList<std::string>& systems) {
  return attributes_by_mo(VQ_ACTION_GET_ATTRS_BY_MO_SET.c_str(), mo_fdns, attributes, nullptr,
                          nodes, systems);
}

VQStatus Rep::set_attributes_by_mo(const VQList<std::string>& mo_fdns,
                                   const VQIntegerSet& attributes, const VQTopoNode& values,
                                   VQList<VQTopoNode>& nodes, const VQList<std::string>& systems) {
  return attributes_by_mo(VQ_ACTION_SET_ATTRS_BY_MO_SET.c_str(), mo_fdns, attributes, &values,
                          nodes, systems);
}

VQStatus Rep::attributes_by_mo(const char* action, const VQList<std::string>& mo_fdns,
                               const VQIntegerSet& attributes, const VQTopoNode* values,
                               VQList<VQTopoNode>& nodes, const VQList<std::string>& systems) {
  nodes.clear();
  VQIntegerSet gdmo;
  map_interface_to_gdmo_attributes(attributes, gdmo);
  Asn1Value objects;
  VQ_RETURN_IF_ERROR(instances(mo_fdns, objects));
  Asn1Value selected;
  selected.start_construct(hvx::TAG_SET);
  if (values == nullptr) {
    VQIntegerSetIterator it(gdmo);
    while (it.next()) {
      selected.add_component(
          oid_value(gdmo_attributes()[it.member()].oid, Asn1Tag(Asn1Tag::CONTEXT, 0)));
    }
  } else if (!get_attributes_values_from_node(gdmo, *values->rep_, selected)) {
    return VQStatus(Code::hvx_error, "VQTopoPlatformRep::get_attributes_values_from_node");
  }
  Asn1Value argument = constructed(hvx::TAG_SEQ);
  argument.add_component(explicitly(1, objects));
  if (gdmo.num_members() > 0) argument.add_component(explicitly(2, selected));

  for (const std::string& system : systems_asked(systems)) {
    hvx::Image db(du(topo_node_db_fdn(system)), hvx::DataUnit(), platform_);
    hvx::Morf value(db.get_param_syntax(action));
    if (!value) return VQStatus(Code::hvx_error, db.get_error_string());
    if (!value.set_value(argument)) return VQStatus(Code::hvx_error, value.get_error_string());
    hvx::Morf reply = db.call_raw(action, value, kTimeout);
    if (db.has_error()) return VQStatus(Code::hvx_error, db.get_error_string());
    const std::size_t first = nodes.entries();
    VQ_RETURN_IF_ERROR(parse_action_output(reply, VQTopoNodeDn(), system, gdmo, nodes));
    for (std::size_t i = first; i < nodes.entries(); ++i) complete_node(attributes, nodes[i]);
  }
  return VQStatus::success;
}
