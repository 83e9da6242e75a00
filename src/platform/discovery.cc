// Server discovery through the FDN tables, the list of known systems, and the registrations
// with the connection manager.
#include <arpa/inet.h>
#include <netinet/in.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "core/name_scan.h"
#include "core/system_path.h"
#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/asn1.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/oid.h"
#include "hvx/oid_registry.h"

namespace {

constexpr std::string_view kConnectMgrPart =
    "\"/subsystemId=\"VQ-MIS\" /connectMgrId=\"ConnectMgr\"";
constexpr std::string_view kAgentIdPrefix = "agentId=id:";
constexpr double kRegisterBootTimeout = 120.0;

bool contains(std::string_view s, std::string_view what) {
  return s.find(what) != std::string_view::npos;
}

// Whether s[0, end) ends in digits "." digits "." digits "." digits: the regular expression
// [0-9]*[.][0-9]*[.][0-9]*[.][0-9]* anchored at `end`. Read backwards, each digit run is
// scanned once per ":" that follows it, so a whole search stays linear.
bool ends_in_dotted_address(std::string_view s, std::size_t end) {
  std::size_t i = end;
  for (int dot = 0; dot < 3; ++dot) {
    while (i > 0 && std::isdigit(static_cast<unsigned char>(s[i - 1]))) --i;
    if (i == 0 || s[i - 1] != '.') return false;
    --i;
  }
  return true;
}

// Whether `nsap` holds a dotted address followed by a colon anywhere.
bool holds_dotted_address(std::string_view nsap) {
  for (std::size_t colon = nsap.find(':'); colon != std::string_view::npos;
       colon = nsap.find(':', colon + 1)) {
    if (ends_in_dotted_address(nsap, colon)) return true;
  }
  return false;
}

void diagnose(const std::string& line) { std::cerr << line << std::endl; }

// An attribute/value pair of an RDN: its attribute's registered and short names, and its
// value.
struct Assertion {
  std::string name;        // qualified; empty when the registry does not know it
  std::string short_name;  // empty when the registry does not know it
  hvx::Asn1Value value;
};

// The first pair of an RDN (a SET OF SEQUENCE { attribute, value }); false when it is not
// one.
bool first_assertion(const hvx::Asn1Value& rdn, Assertion& out) {
  const hvx::Asn1Value pair = rdn.first_component();
  hvx::Oid attribute;
  if (!pair || !pair.component(0).decode_oid(attribute) || !pair.component(1)) return false;
  out.value = pair.component(1);
  if (hvx::OidNameRegistry::find_name_by_oid(attribute, out.name)) {
    out.short_name = hvx::Platform::get_shortname(hvx::DataUnit(out.name)).str();
  }
  return true;
}

// The text of a naming attribute's value, as the attribute's syntax prints it.
bool value_text(const Assertion& assertion, std::string& text) {
  hvx::Morf morf(assertion.name);
  if (!morf || !morf.set_value(assertion.value)) return false;
  text = morf.get_str(0);
  return true;
}

// What discovery reads from one entry of an FDN table.
struct FdnEntry {
  enum Form { skipped, system_id, mis_id };
  Form form = skipped;
  std::string system;  // the system the entry names
  std::string agent;   // the full name of the CMIP agent entity that leads to it
};

// Reads an entry: SEQUENCE { fdn, routes }, whose fdn's last RDN names the system by
// systemId, or by agentTableType below a misId RDN; the third element of the first route
// holds the agent entity's encoded name. False when the entry does not decode.
bool read_fdn_entry(const hvx::Asn1Value& entry, FdnEntry& out) {
  const hvx::Asn1Value fdn = entry.first_component();
  if (!fdn || !fdn.is_constructed()) return false;
  hvx::Asn1Value last;
  hvx::Asn1Value next_to_last;
  for (hvx::Asn1Value rdn = fdn.first_component(); rdn; rdn = rdn.next_component()) {
    next_to_last = last;
    last = rdn;
  }
  Assertion l;
  if (!last || !first_assertion(last, l)) return false;
  Assertion p;
  const bool has_p = next_to_last && first_assertion(next_to_last, p);
  if (l.short_name == "systemId") {
    out.form = FdnEntry::system_id;
    if (!value_text(l, out.system)) return false;
  } else if (l.short_name == "agentTableType" && has_p && p.short_name == "misId") {
    out.form = FdnEntry::mis_id;
    if (!value_text(p, out.system)) return false;
  } else {
    out.form = FdnEntry::skipped;
    return true;
  }
  std::string instance;
  if (!entry.component(1).first_component().component(2).decode_octets(instance)) return false;
  hvx::Asn1Value name;
  if (!hvx::Asn1Value::decode(hvx::DataUnit(std::move(instance)), name).ok()) return false;
  out.agent = hvx::oi2fdn(name);
  return !out.agent.empty();
}

// The network address of the agent entity named `name`; "" when it cannot be read.
std::string read_network_sap(const std::string& name, bool* exists = nullptr) {
  hvx::Image agent(hvx::DataUnit(name), "", hvx::Platform::default_platform());
  agent.boot(hvx::DEFAULT_TIMEOUT);
  if (exists != nullptr) *exists = agent.exists();
  return agent.exists() ? agent.get_str(hvx::DataUnit(VQ_CMIP_AGENT_NETWORK_SAP)).str()
                        : std::string();
}

}  // namespace

bool VQTopoPlatformRep::is_nsap_a_mis(const std::string& nsap, const std::string& system) {
  if (!contains(nsap, ":")) return false;
  if (!holds_dotted_address(nsap)) return contains(nsap, system);
  std::uint32_t address = 0;
  if (!hvx::hvx_get_ip_addr(system.c_str(), address)) return false;
  in_addr in{};
  in.s_addr = address;
  char dotted[INET_ADDRSTRLEN] = {};
  if (inet_ntop(AF_INET, &in, dotted, sizeof dotted) == nullptr) return false;
  return contains(nsap, dotted);
}

bool VQTopoPlatformRep::should_descend(const std::string& path) const {
  if (system_names_.contains(path)) return false;
  std::string_view last;
  std::size_t seen = 0;
  vq_for_each_component(path, [&](std::string_view component) {
    last = component;
    ++seen;
  });
  std::size_t index = 0;
  bool repeated = false;
  vq_for_each_component(path, [&](std::string_view component) {
    if (++index < seen && component == last) repeated = true;
  });
  return !repeated;
}

VQStatus VQTopoPlatformRep::get_systems(const std::string& hint) {
  std::string current;
  if (!hint.empty()) {
    VQ_RETURN_IF_ERROR(add_system(hint, true, list_and_register));
    current = hint;
  } else {
    VQ_RETURN_IF_ERROR(add_system(local_system_name_, false, list_only));
    current = local_system_name_;
  }

  const std::string table = fdn_table_fdn(current);
  hvx::Image fdns(hvx::DataUnit(table), hvx::DataUnit(VQ_OC_FDN_TABLE),
                  hvx::Platform::default_platform());
  const hvx::Morf reply =
      fdns.call(hvx::DataUnit(VQ_ACTION_FDN_TABLE_LIST_FDNS), "NULL", hvx::DEFAULT_TIMEOUT);
  if (fdns.has_error()) {
    note_problem("fdn table image:" + table + "  vqListFdns failed: " + fdns.get_error_string());
  }
  if (reply.num_elements() == 0) {
    // Even a server that names no other has its own views fetched before discovery ends.
    wait_for_view_graphs();
    return VQStatus::success;
  }

  for (hvx::Asn1Value item = reply.get_value().first_component(); item;
       item = item.next_component()) {
    FdnEntry entry;
    if (!read_fdn_entry(item, entry)) {
      note_problem("fdn table image:" + table + "  entry undecodable!");
      continue;
    }
    if (entry.form == FdnEntry::skipped) continue;

    std::string nsap;
    if (current == local_system_name_) {
      nsap = read_network_sap(entry.agent);
    } else {
      const std::size_t at = entry.agent.find(kAgentIdPrefix);
      const std::string id =
          at == std::string::npos ? std::string() : entry.agent.substr(at + kAgentIdPrefix.size());
      std::string suffix = "/";
      suffix.append(kAgentIdPrefix).append(id);
      bool exists = false;
      nsap = read_network_sap(cmip_agent_table_fdn(current) + suffix, &exists);
      if (!exists) {
        // The route may address the system with or without its systemId component.
        current = !current.empty() && current.front() == '/' ? current.substr(1) : "/" + current;
        nsap = read_network_sap(cmip_agent_table_fdn(current) + suffix);
      }
    }
    if (nsap.empty()) {
      note_problem("agent table image:" + entry.agent + "  boot failed!");
      diagnose("Error: VQTopoPlatformRep::get_systems - agent table image:" + entry.agent +
               "  boot failed!");
      continue;
    }

    if (!current.empty() && current.front() == '/') current.erase(0, 1);
    if (!is_nsap_a_mis(nsap, entry.system)) continue;
    const std::string path = entry.form == FdnEntry::mis_id ? current + "/" + entry.system
                                                            : "/" + current + "/" + entry.system;
    if (!should_descend(path)) continue;
    const VQStatus ignored = get_systems(path);
    (void)ignored;
  }

  wait_for_view_graphs();
  return VQStatus::success;
}

VQStatus VQTopoPlatformRep::add_system(const std::string& name, bool notify,
                                       SystemRegisterActions action) {
  // A remote system is spelt "/L/B" by discovery and "L/B" by connection reports: either
  // spelling of a known system is that system.
  if (known_system_name(name).empty()) {
    if (view_graph_cached_) VQ_RETURN_IF_ERROR(add_view_graph(name));
    system_names_.append(name);
    system_fdns_.append(system_fdn(name));
    if (notify) notify_callbacks(VQTopoPlatform::system_added, name);
  }
  if (action == list_and_register) {
    const std::size_t slash = name.rfind('/');
    const std::string system =
        slash == std::string::npos || slash == 0 ? name : name.substr(slash + 1);
    const VQStatus registered = register_connection(system);
    if (!registered) {
      note_problem("registerConnection " + system + " failed: " + registered.message());
    }
  }
  return VQStatus::success;
}

VQStatus VQTopoPlatformRep::remove_system(const std::string& name, bool notify) {
  std::string n = name;
  if (!system_names_.contains(n)) n = !n.empty() && n.front() == '/' ? n.substr(1) : "/" + n;
  const std::size_t i = system_names_.index(n);
  system_names_.remove_at(i);
  system_fdns_.remove_at(i);
  if (view_graph_cached_) {
    const VQStatus ignored = remove_view_graph(n);
    (void)ignored;
  }
  if (notify) notify_callbacks(VQTopoPlatform::system_removed, n);
  if (n != local_system_name_) {
    const VQStatus deregistered = deregister_connection(n);
    if (!deregistered) {
      note_problem("deregisterConnection " + n + " failed: " + deregistered.message());
    }
  }
  return VQStatus::success;
}

VQStatus VQTopoPlatformRep::register_connection(const std::string& system) {
  return register_implement(system, register_option);
}

VQStatus VQTopoPlatformRep::deregister_connection(const std::string& system) {
  return register_implement(system, deregister_option);
}

VQStatus VQTopoPlatformRep::register_implement(const std::string& system,
                                               RegisterImplOptions option) {
  const std::string name = LOCAL_SYSTEM_PART + local_system_name_ + std::string(kConnectMgrPart);
  hvx::Image manager(hvx::DataUnit(name), hvx::DataUnit(VQ_OC_CONNECT_MGR),
                     hvx::Platform::default_platform());
  const auto platform_error = [&manager] {
    return VQStatus(VQStatus::Code::hvx_error, manager.get_error_string());
  };
  if (manager.has_error()) return platform_error();
  if (!manager.boot(kRegisterBootTimeout)) return platform_error();
  if (!manager.exists()) {
    if (manager.has_error()) return platform_error();
    return VQStatus(VQStatus::Code::does_not_exist, "");
  }

  const std::string application = platform_.get_prop("APPLICATION_OBJNAME").str();
  const long number = vq_atoi(application.substr(application.rfind('=') + 1));
  const std::string argument = "{\"" + system + "\"," + std::to_string(number) + "}";
  const std::string& action = option == register_option
                                  ? VQ_ACTION_CONNECTION_MANAGER_REGISTER_CONNECTION
                                  : VQ_ACTION_CONNECTION_MANAGER_DEREGISTER_CONNECTION;
  const hvx::Morf reply =
      manager.call(hvx::DataUnit(action), hvx::DataUnit(argument), hvx::DEFAULT_TIMEOUT);
  if (!reply.has_value() || manager.has_error()) return platform_error();
  return VQStatus::success;
}
