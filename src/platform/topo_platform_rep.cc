#include "dedavuz_api/topo_platform_rep.h"

#include <exception>
#include <string_view>

#include "core/local_system.h"
#include "core/system_path.h"
#include "dedavuz_api/mit_names.h"
#include "platform/cmip_agent_map.h"
#include "hvx/oid.h"
#include "hvx/oid_registry.h"

VQTopoPlatformRep* VQTopoPlatformRep::the_topo_platform_rep = nullptr;
bool VQTopoPlatformRep::valid_flag = false;
VQList<VQTopoPlatformRep::CallbackEntry> VQTopoPlatformRep::callbacks;
std::deque<hvx::CurrentEvent> VQTopoPlatformRep::the_queued_events;
int VQTopoPlatformRep::pending_view_graph_requests = 0;
bool VQTopoPlatformRep::holding_events = false;
bool VQTopoPlatformRep::processing_events = false;

bool VQTopoPlatformRep::initialize(hvx::Platform& platform, bool view_graph_cached) {
  if (the_topo_platform_rep != nullptr) return true;
  VQTopoPlatformRep* rep = nullptr;
  try {
    rep = new VQTopoPlatformRep(platform, view_graph_cached);
  } catch (const std::exception&) {
    valid_flag = false;
  }
  if (!valid_flag) {
    delete rep;
    the_topo_platform_rep = nullptr;
    return false;
  }
  the_topo_platform_rep = rep;
  return true;
}

VQTopoPlatformRep* VQTopoPlatformRep::instance() { return the_topo_platform_rep; }

VQTopoPlatformRep::VQTopoPlatformRep(hvx::Platform& platform, bool view_graph_cached)
    : platform_(platform),
      view_graph_cached_(view_graph_cached),
      cmip_agents_(std::make_unique<VQCmipAgentMap>()) {
  valid_flag = false;
  if (!derive_system_name()) return;
  // Visible from here on, so that the names built during discovery start from the local
  // name just derived rather than from the default platform's; initialize withdraws it
  // again if construction fails.
  the_topo_platform_rep = this;

  // Warms the registry; the answers are not needed.
  for (const char* name :
       {"topoNode", "topoNodeDBId", "topoViewDBId", "topoViewNode", "topoView"}) {
    hvx::Oid ignored;
    hvx::OidNameRegistry::find_oid_by_name(name, ignored);
  }
  for (const std::string* name : {&VQ_OC_TOPO_NODE_FULL, &VQ_OC_TOPO_VIEW_NODE_FULL,
                                  &VQ_OC_TOPO_VIEW_FULL, &VQ_OC_TOPO_TYPE_FULL}) {
    platform_.precache_class_mdr(hvx::DataUnit(*name));
  }

  if (!get_systems("")) return;
  valid_flag = true;

  const VQStatus ignored = is_managed_object_to_cmip_agent_mapping_cached(true);
  (void)ignored;
  subscribe_raw_events();
  if (view_graph_cached_) register_view_event_callbacks();
}

VQTopoPlatformRep::~VQTopoPlatformRep() = default;

bool VQTopoPlatformRep::derive_system_name() {
  const std::string objname = platform_.get_prop("PLATFORM_OBJNAME").str();
  if (objname.empty()) return false;
  const std::size_t quote = objname.find('"');
  // Without a quote there is no systemId value to read; the property is taken as the name.
  std::string name = quote == std::string::npos ? objname : objname.substr(quote + 1);
  if (!name.empty() && name.back() == '"') name.pop_back();
  local_system_name_ = std::move(name);
  return true;
}

// --- Known systems and their full names.

std::string VQTopoPlatformRep::system_fdn_str(const std::string& system) {
  const std::size_t i = system_names_.index(system);
  return i < system_fdns_.entries() ? system_fdns_[i] : std::string();
}

std::string VQTopoPlatformRep::fdn_system_str(const std::string& fdn) {
  const std::size_t i = system_fdns_.index(fdn);
  return i < system_names_.entries() ? system_names_[i] : std::string();
}

std::string VQTopoPlatformRep::system_fdn(const std::string& name) {
  std::string fdn;
  if (name.find('/') == std::string::npos) {
    fdn = LOCAL_SYSTEM_PART + name + '"';
    return fdn;
  }
  // The first component is where the path starts, and is not addressed.
  std::string_view last;
  bool first = true;
  vq_for_each_component(name, [&](std::string_view component) {
    last = component;
    if (!first) vq_append_server_table(fdn, component);
    first = false;
  });
  if (name.front() == '/') {
    fdn += LOCAL_SYSTEM_PART;
    fdn += last;
  }
  fdn += '"';
  return fdn;
}

namespace {

// The local name the builders compare against: the platform object's, or else the default
// platform's own.
std::string builder_local_name() {
  const VQTopoPlatformRep* rep = VQTopoPlatformRep::instance();
  return rep != nullptr ? rep->local_system_name() : vq_platform_system_name();
}

std::string database_fdn(const std::string& system, const std::string& fragment) {
  return vq_slash_form(system, builder_local_name(), fragment, "");
}

}  // namespace

std::string VQTopoPlatformRep::topo_node_db_fdn(const std::string& system) {
  return database_fdn(system, VQ_DN_TOPO_NODE_DB_PART2);
}

std::string VQTopoPlatformRep::topo_type_db_fdn(const std::string& system) {
  return database_fdn(system, VQ_DN_TOPO_TYPE_DB_PART2);
}

std::string VQTopoPlatformRep::cmip_agent_table_fdn(const std::string& system) {
  return database_fdn(system, VQ_DN_CMIP_AGENT_TABLE_PART2);
}

std::string VQTopoPlatformRep::fdn_table_fdn(const std::string& system) {
  return database_fdn(system, VQ_DN_FDN_TABLE_PART2);
}

// --- System-connection callbacks.

void VQTopoPlatformRep::register_mis_connection_callback(
    VQTopoPlatform::MisConnectionCallback callback, void* client_data) {
  const CallbackEntry entry{callback, client_data};
  try {
    callbacks.remove(entry);
    callbacks.append(entry);
  } catch (const std::exception&) {
    // Out of memory: the callback stays unregistered.
  }
}

void VQTopoPlatformRep::unregister_mis_connection_callback(
    VQTopoPlatform::MisConnectionCallback callback) {
  callbacks.remove(CallbackEntry{callback, nullptr});
}

void VQTopoPlatformRep::notify_callbacks(VQTopoPlatform::MisConnectionEvent event,
                                         const std::string& name) {
  // A callback may register or unregister callbacks: the list is walked as it was.
  const VQList<CallbackEntry> now = callbacks;
  for (const CallbackEntry& entry : now) {
    if (entry.callback != nullptr) entry.callback({event, name, entry.client_data});
  }
}
