// The node and type queries of the platform object that answer names: nodes by name, type,
// managed object or set of managed objects, the managed objects of nodes, root nodes,
// whether a node is a view, and the types.
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "dedavuz_api/topo_type.h"
#include "dedavuz_api/topo_type_rep.h"
#include "hvx/album.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/names.h"

namespace {

using Code = VQStatus::Code;
using Rep = VQTopoPlatformRep;

constexpr double kTimeout = hvx::DEFAULT_TIMEOUT;

hvx::DataUnit du(const std::string& text) { return hvx::DataUnit(std::string_view(text)); }

const std::string& action_name(Rep::GetTopoNodeDBAction action) {
  static const std::string names[] = {
      VQ_ACTION_TOPO_NODE_GET_BY_NAME, VQ_ACTION_TOPO_NODE_GET_BY_TYPE,
      VQ_ACTION_TOPO_NODE_GET_BY_MO, VQ_ACTION_TOPO_NODE_GET_BY_MO_SET};
  return names[action];
}

// A name or type goes in double quotes unless it already begins and ends with one.
std::string quoted(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text;
  return '"' + text + '"';
}

// The node ids of a reply, as names on `system`; elements that are not integers are
// passed over.
void append_ids(const hvx::Morf& reply, const std::string& system, VQList<VQTopoNodeDn>& nodes) {
  const hvx::Asn1Value& ids = reply.get_value();
  if (ids.is_null() || !ids.is_constructed()) return;
  for (hvx::Asn1Value id = ids.first_component(); !id.is_null(); id = id.next_component()) {
    long n = 0;
    if (id.decode_int(n)) nodes.append(VQTopoNodeDn(system, n));
  }
}

}  // namespace

VQList<std::string> Rep::systems_asked(const VQList<std::string>& systems) const {
  return systems.is_empty() ? system_names_ : systems;
}

VQStatus Rep::find_nodes(GetTopoNodeDBAction action, const std::string& argument,
                         VQList<VQTopoNodeDn>& nodes, const VQList<std::string>& systems) const {
  nodes.clear();
  for (const std::string& system : systems_asked(systems)) {
    VQ_RETURN_IF_ERROR(find_nodes_on_system(action, argument, nodes, system));
  }
  return VQStatus::success;
}

VQStatus Rep::find_root_nodes(VQList<VQTopoNodeDn>& roots,
                              const VQList<std::string>& systems) const {
  if (view_graph_cached_ && systems.is_empty()) {
    roots = root_nodes_;
    return VQStatus::success;
  }
  return find_nodes(by_name, "Root", roots, systems);
}

VQStatus Rep::find_nodes_by_MO_set(const VQList<std::string>& mo_fdns, VQList<VQTopoNodeDn>& nodes,
                                   const VQList<std::string>& systems) const {
  nodes.clear();
  for (const std::string& system : systems_asked(systems)) {
    const VQStatus status = find_nodes_on_system(by_mo_set, mo_fdns, nodes, system);
    if (!status) {
      nodes.clear();
      return status;
    }
  }
  return VQStatus::success;
}

VQStatus Rep::find_nodes_on_system(GetTopoNodeDBAction action, const std::string& argument,
                                   VQList<VQTopoNodeDn>& nodes, const std::string& system) const {
  if (action == by_mo_set) return VQStatus(Code::not_supported_by_platform, "Unsupported Action");
  hvx::Image db(du(topo_node_db_fdn(system)), hvx::DataUnit(), platform_);
  const std::string& name = action_name(action);
  hvx::Morf value;
  if (action == by_managed_object) {
    value = hvx::Morf(std::string_view("CMIP-1.ObjectInstance"), platform_);
    const hvx::Asn1Value instance = hvx::fdn2oi(argument);
    if (instance.is_null()) return VQStatus(Code::encode_error, argument);
    value.set_value(instance);
  } else {
    value = hvx::Morf(db.get_param_syntax(du(name)));
    value.set(quoted(argument));
  }
  if (!value.has_value()) return VQStatus(Code::object_does_not_exist, value.get_error_string());
  // A server that does not answer adds nothing.
  append_ids(db.call_raw(du(name), value, kTimeout), system, nodes);
  return VQStatus::success;
}

VQStatus Rep::find_nodes_on_system(GetTopoNodeDBAction action, const VQList<std::string>& mo_fdns,
                                   VQList<VQTopoNodeDn>& nodes, const std::string& system) const {
  if (action != by_mo_set) return VQStatus(Code::not_supported_by_platform, "Unsupported Action");
  hvx::Image db(du(topo_node_db_fdn(system)), hvx::DataUnit(), platform_);
  hvx::Morf value(std::string_view("VQ-TOPO-ASN1.TopoNodeMOSet"), platform_);
  hvx::Asn1Value set;
  set.start_construct(hvx::TAG_SET, static_cast<int>(mo_fdns.entries()));
  std::string unparsed;
  for (const std::string& fdn : mo_fdns) {
    const hvx::Asn1Value instance = hvx::fdn2oi(fdn);
    if (instance.is_null() && unparsed.empty()) unparsed = fdn;
    if (!instance.is_null()) set.add_component(instance);
  }
  if (unparsed.empty()) value.set_value(set);
  if (!value.has_value()) {
    return VQStatus(Code::object_does_not_exist,
                    unparsed.empty() ? value.get_error_string() : unparsed);
  }
  const hvx::Morf reply = db.call_raw(du(action_name(action)), value, kTimeout);
  if (!reply.has_value()) {
    const std::string why = reply.get_error_string();
    return VQStatus(Code::object_does_not_exist, why.empty() ? db.get_error_string() : why);
  }
  append_ids(reply, system, nodes);
  return VQStatus::success;
}

VQStatus Rep::find_mos_by_nodes(bool with_mos, const std::string& system,
                                const VQList<long>& node_ids, VQList<long>& ids,
                                VQList<std::string>& mos) const {
  if (node_ids.is_empty()) return VQStatus::success;
  hvx::Image db(du(topo_node_db_fdn(system)), hvx::DataUnit(), platform_);
  const hvx::DataUnit action = du(VQ_ACTION_TOPO_GET_NODE_MO_DATA_BY_NODE_LIST);
  std::string text = with_mos ? "{TRUE,{" : "{FALSE,{";
  bool first = true;
  for (const long id : node_ids) {
    char number[24];
    std::snprintf(number, sizeof number, "%ld", id);
    if (!first) text += ',';
    text += number;
    first = false;
  }
  text += "}}";
  hvx::Morf value(db.get_param_syntax(action));
  value.set(text);
  const hvx::Asn1Value pairs = db.call_raw(action, value, kTimeout).get_value();
  if (pairs.is_null() || !pairs.is_constructed()) return VQStatus::success;
  for (hvx::Asn1Value pair = pairs.first_component(); !pair.is_null();
       pair = pair.next_component()) {
    long id = 0;
    if (!pair.first_component().decode_int(id)) continue;
    ids.append(id);
    if (with_mos) mos.append(hvx::oi2fdn(pair.first_component().next_component()));
  }
  return VQStatus::success;
}

bool Rep::is_view(const VQTopoNodeDn& node) const {
  if (view_graph_cached_) return find_view(node) != nullptr;
  try {
    VQTopoNode loaded(node);
    VQIntegerSet type_only(VQTopoNode::attribute_count);
    type_only.add(VQTopoNode::type_name);
    std::string type_name;
    if (!loaded.load_some_attributes(type_only) || !loaded.get_type_name(type_name)) return false;
    return VQTopoType::is_view(type_name);
  } catch (const std::exception&) {
    return false;
  }
}

VQStatus Rep::find_root_types(VQList<VQTopoTypeDn>& types) const {
  types.clear();
  const std::string derivation = VQ_LDN_TOPO_TYPE_DB + "/*";
  hvx::Album album(du(derivation), platform_);
  if (!album.set_derivation(du(derivation)) || !album.set_prop("AUTOIMAGE", "YES") ||
      !album.derive(hvx::DUArray{du(VQ_TOPO_TYPE_ID), du(VQ_TOPO_TYPE_DERIVED_FROM)}, kTimeout)) {
    return VQStatus(Code::hvx_error, album.get_error_string());
  }
  for (hvx::AlbumImage image = album.first_image(); image; image.next_image()) {
    if (image->get_raw(du(VQ_TOPO_TYPE_DERIVED_FROM)).num_elements() > 0) continue;
    types.append(VQTopoTypeDn(local_system_name_, image->get_str(du(VQ_TOPO_TYPE_ID), 0).str()));
  }
  return VQStatus::success;
}
