// What the platform object summarises of a database: a system's node report in one action,
// and the agent that manages a managed object, the CMIP one from the agent map of every
// known system.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <iostream>
#include <ostream>
#include <string>

#include "core/event_names.h"
#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/album.h"
#include "hvx/names.h"
#include "platform/cmip_agent_map.h"

namespace {

using Code = VQStatus::Code;
using Rep = VQTopoPlatformRep;
using hvx::Asn1Value;

constexpr double kTimeout = hvx::DEFAULT_TIMEOUT;
constexpr char kReport[] = "VQTopoPlatform::get_node_report";

hvx::DataUnit du(const std::string& text) { return hvx::DataUnit(std::string_view(text)); }

// The identifier an agentId value holds: the text of its id alternative, or its aet
// alternative written as {1 2 3}.
std::string agent_identifier(const Asn1Value& value) {
  std::string text;
  if (value.decode_octets(text)) return text;
  hvx::Oid oid;
  if (!value.decode_oid(oid)) return text;
  std::string braced(1, '{');
  for (const std::uint64_t arc : oid.arcs()) {
    if (braced.size() > 1) braced.push_back(' ');
    braced += std::to_string(arc);
  }
  braced.push_back('}');
  return braced;
}

// The S of a name that is exactly /systemId=name:"S"; empty for any other.
std::string connected_system(const std::string& fdn) {
  char system[256] = {};
  if (std::sscanf(fdn.c_str(), "/systemId=name:\"%255[^\"]\"", system) != 1) return "";
  const std::string name(system);
  return fdn.size() == 17 + name.size() ? name : "";
}

// One { id, name, type, children } entry of a node report, its children named like
// `on_system`; false when it is malformed.
bool read_report(const Asn1Value& entry, const VQTopoNodeDn& on_system, VQTopoNodeReport& report) {
  if (entry.tag() != hvx::TAG_SEQ || !entry.is_constructed()) return false;
  long id = 0;
  std::string name;
  std::string type;
  const Asn1Value first = entry.first_component();
  const Asn1Value second = first.next_component();
  const Asn1Value third = second.next_component();
  const Asn1Value children = third.next_component();
  if (!first.decode_int(id) || !second.decode_octets(name) || !third.decode_octets(type) ||
      !children.is_constructed()) {
    return false;
  }
  report.set_id(static_cast<int>(id));
  report.set_name(name);
  report.set_type_name(type);
  VQTopoNodeDn child = on_system;
  for (Asn1Value item = children.first_component(); !item.is_null();
       item = item.next_component()) {
    long child_id = 0;
    if (!item.decode_int(child_id)) return false;
    child.unique_id(child_id);
    report.add_child(child);
  }
  return true;
}

}  // namespace

std::ostream& operator<<(std::ostream& os, const Rep::CmipAgentInfo& info) {
  os << "agent_dn = " << info.agent_dn << '\n';
  info.managed_objects.print(os, "managed_objects");
  os << "is_mmc = " << (info.is_mmc ? "YES" : "NO") << '\n';
  os << "mmc_system_name = " << info.mmc_system_name << '\n';
  return os;
}

// --- Node reports.

VQStatus Rep::gen_node_report(const std::string& system,
                              VQList<VQTopoNodeReport>& reports) const {
  try {
    hvx::Image db(du(topo_node_db_fdn(system)), du(VQ_OC_TOPO_NODE_DB),
                  hvx::Platform::default_platform());
    const hvx::DataUnit action = du(VQ_ACTION_TOPO_NODE_GET_NODE_REPORT);
    hvx::Morf argument(db.get_param_syntax(action));
    argument.set("NULL");
    const Asn1Value reply = db.call_raw(action, argument, kTimeout).get_value();
    // A reply the platform cannot read as a report is malformed; none at all adds nothing.
    if (reply.is_null() && db.get_error_code() == hvx::ErrorCode::invalid_attribute_value) {
      return VQStatus(Code::decode_error, kReport);
    }
    if (reply.is_null()) return VQStatus::success;
    if (reply.tag() != hvx::TAG_SET || !reply.is_constructed()) {
      return VQStatus(Code::decode_error, kReport);
    }
    reports.reserve(reports.entries() + reply.num_comps());
    VQTopoNodeDn node(system, 0);
    for (Asn1Value entry = reply.first_component(); !entry.is_null();
         entry = entry.next_component()) {
      VQTopoNodeReport& report = reports.emplace();
      if (!read_report(entry, node, report)) {
        reports.remove_at(reports.entries() - 1);
        return VQStatus(Code::decode_error, kReport);
      }
      // Without the graph the view children stay empty, and no status need be made.
      if (!view_graph_cached_) continue;
      node.unique_id(report.id());
      const VQStatus ignored =
          get_view_graph_node_view_children(node, report.access_view_children());
      (void)ignored;
    }
  } catch (const std::exception&) {
    // The platform failed on the way: the reports so far stay.
  }
  return VQStatus::success;
}

// --- The agent map.

const VQList<Rep::CmipAgentInfo>& Rep::cmip_agent_infos() const { return cmip_agents_->infos(); }

VQStatus Rep::is_managed_object_to_cmip_agent_mapping_cached(bool load) const {
  if (!load || agent_mapping_cached_) return VQStatus::success;
  // A load after one that failed starts again, so that no agent is filed twice.
  cmip_agents_->clear();
  const hvx::DUArray attributes{du(VQ_CMIP_AGENT_ID), du(VQ_CMIP_AGENT_MANAGED_DNS),
                                du(VQ_CMIP_AGENT_NETWORK_SAP)};
  for (const std::string& system : system_names_) {
    std::string name = cmip_agent_table_fdn(system);
    name += "/*";
    hvx::Album album(du(name), hvx::Platform::default_platform());
    if (!album.set_derivation(du(name)) || !album.set_prop("AUTOIMAGE", "YES") ||
        !album.derive(attributes, kTimeout)) {
      return VQStatus(Code::hvx_error, album.get_error_string());
    }
    for (hvx::AlbumImage image = album.first_image(); image; image.next_image()) {
      cache_cmip_agent(image.image(), system);
    }
  }
  agent_mapping_cached_ = true;
  return VQStatus::success;
}

Rep::CmipAgentInfo Rep::cache_cmip_agent(hvx::Image& image, const std::string& system) const {
  CmipAgentInfo info;
  const Asn1Value id = image.get_raw(du(VQ_CMIP_AGENT_ID)).get_value();
  // An agent is named on the system whose table holds it, in the spelling the system is
  // known by, so that its deletion event finds it whichever spelling the event uses.
  const std::string known = known_system_name(system);
  info.agent_dn = VQCmipAgentDn(known.empty() ? system : known, agent_identifier(id));
  const Asn1Value objects = image.get_raw(du(VQ_CMIP_AGENT_MANAGED_DNS)).get_value();
  for (Asn1Value object = objects.is_constructed() ? objects.first_component() : Asn1Value();
       !object.is_null(); object = object.next_component()) {
    info.managed_objects.append(hvx::oi2fdn(object));
  }
  if (info.managed_objects.entries() == 1 && info.agent_dn.system_name() == local_system_name_) {
    const std::string server = connected_system(info.managed_objects.first());
    const std::string nsap = image.get_str(du(VQ_CMIP_AGENT_NETWORK_SAP)).str();
    std::string id_text;
    if (!server.empty() && id.decode_octets(id_text) && is_nsap_a_mis(nsap, id_text)) {
      info.is_mmc = true;
      info.mmc_system_name = server;
    }
  }
  cmip_agents_->append(info);
  return info;
}

bool Rep::cmip_agent_infos_tester(const CmipAgentInfo& info, void* mo_fdn) {
  const std::string& fdn = *static_cast<const std::string*>(mo_fdn);
  for (const std::string& object : info.managed_objects) {
    if (fdn.compare(0, object.size(), object) == 0 && fdn.size() >= object.size()) return true;
  }
  return false;
}

bool Rep::cmip_agent_infos_match_dn(const CmipAgentInfo& info, void* agent_dn) {
  return info.agent_dn == *static_cast<const VQCmipAgentDn*>(agent_dn);
}

void Rep::cmip_agent_event(hvx::CurrentEvent& event) {
  const std::string name = event.get_objname().str();
  VQCmipAgentDn agent(name);
  if (agent.is_null()) return;
  const std::string known = known_system_name(agent.system_name());
  if (!known.empty()) agent.system_name(known);
  const int type = vq_event_type_of(event);
  if (type == object_deletion) {
    cmip_agents_->remove_first(&cmip_agent_infos_match_dn, &agent);
    return;
  }
  if (type != object_creation) return;
  // A creation reported after the load that already read the agent files nothing twice:
  // a second record would outlive the agent's deletion.
  for (const CmipAgentInfo& info : cmip_agents_->infos()) {
    if (info.agent_dn == agent) return;
  }
  hvx::Image image(du(name), event.get_objclass(), platform_);
  const hvx::DUArray attributes{du(VQ_CMIP_AGENT_ID), du(VQ_CMIP_AGENT_MANAGED_DNS),
                                du(VQ_CMIP_AGENT_NETWORK_SAP)};
  if (!image.boot(attributes, kTimeout)) {
    std::cerr << "Error: VQTopoPlatformRep::raw_event_cb() - image boot failed!" << std::endl;
    return;
  }
  cache_cmip_agent(image, agent.system_name());
}

// --- Lookups.

VQStatus Rep::managed_object_to_cmip_agent(const std::string& mo_fdn,
                                           VQCmipAgentDn& agent) const {
  VQ_RETURN_IF_ERROR(is_managed_object_to_cmip_agent_mapping_cached(true));
  const CmipAgentInfo* found = cmip_agents_->find_first(mo_fdn);
  if (found == nullptr) {
    agent.make_null();
    return VQStatus(Code::key_not_found, "VQTopoPlatform::managed_object_to_cmip_agent");
  }
  agent = found->agent_dn;
  return VQStatus::success;
}

VQStatus Rep::managed_object_to_snmp_agent(const std::string& mo_fdn,
                                           VQSnmpAgentDn& agent) const {
  agent = VQSnmpAgentDn(mo_fdn);
  if (!agent.is_null()) return VQStatus::success;
  return VQStatus(Code::invalid_argument, "VQTopoPlatform::derive_snmp_agents_from_managed_objects");
}

VQStatus Rep::managed_object_to_rpc_agent(const std::string& mo_fdn, VQRpcAgentDn& agent) const {
  agent = VQRpcAgentDn(mo_fdn);
  if (!agent.is_null()) return VQStatus::success;
  return VQStatus(Code::invalid_argument, "VQTopoPlatform::derive_rpc_agents_from_managed_objects");
}
