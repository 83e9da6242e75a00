// VQTopoPlatform: the library's one platform object. An application makes it once, with
// initialize, over the platform's connection; every class that talks to a server reaches the
// connection, the local system's name and the known systems through instance().
#ifndef DEDAVUZ_API_TOPO_PLATFORM_H_
#define DEDAVUZ_API_TOPO_PLATFORM_H_

#include <string>

#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/rpc_agent_dn.h"
#include "dedavuz_api/snmp_agent_dn.h"
#include "dedavuz_api/topo_node_dn.h"
#include "dedavuz_api/topo_node_report.h"
#include "dedavuz_api/topo_type_dn.h"
#include "hvx/platform.h"

class VQTopoPlatformRep;

class VQTopoPlatform {
 public:
  // What a system-connection callback is told.
  enum MisConnectionEvent { system_added = 0, system_removed = 1 };
  struct MisConnectionCallbackData {
    int event = system_added;  // a MisConnectionEvent
    std::string system_name;
    void* client_data = nullptr;
  };
  using MisConnectionCallback = void (*)(const MisConnectionCallbackData&);

  // Makes the platform object once: the local system's name, every server reached through
  // the FDN tables, a registration with the connection manager for each remote one. True
  // when it exists afterwards; a second call returns true and changes nothing. After a
  // failure nothing is kept and a later call starts again. `hold_events` starts event
  // delivery held.
  static bool initialize(hvx::Platform& platform, bool view_graph_cached);
  static bool initialize(hvx::Platform& platform, bool view_graph_cached, bool hold_events);
  // Null until initialize has succeeded.
  static VQTopoPlatform* instance();

  // Builds the representation if there is none yet; when that fails the object answers
  // empty texts and lists (initialize does not keep such an object).
  VQTopoPlatform(hvx::Platform& platform, bool view_graph_cached);
  // Releases nothing: the representation lives until the process ends.
  ~VQTopoPlatform();
  VQTopoPlatform(const VQTopoPlatform&) = delete;
  VQTopoPlatform& operator=(const VQTopoPlatform&) = delete;

  const std::string& local_system_name() const;
  // The full name of a known system, and the known system a full name stands for; "" when
  // the name is not known.
  std::string system_fdn_str(const std::string& system) const;
  std::string fdn_system_str(const std::string& fdn) const;
  // The known systems in discovery order, the local one first.
  VQList<std::string> system_names() const;
  // The connection given to initialize (the default platform without a representation).
  hvx::Platform& platform();

  // Called with system_added or system_removed as systems join or leave the known ones
  // (never for the local system). Registering a function again replaces its client datum
  // and moves it last.
  static void register_mis_connection_callback(MisConnectionCallback callback, void* client_data);
  static void unregister_mis_connection_callback(MisConnectionCallback callback);

  // Holds (true) or releases (false) the delivery of server events.
  static void hold_events(bool hold);

  // Queries of the node databases. `systems` names the systems asked, in order; an empty
  // list asks every known system in discovery order. The result list is emptied first and
  // each system's answers are appended; the first failing system ends the query with its
  // status, keeping what earlier systems answered (find_nodes_by_MO_set empties it). A
  // system that sends no answer adds nothing.
  VQStatus find_root_nodes(VQList<VQTopoNodeDn>& roots, const VQList<std::string>& systems) const;
  VQStatus find_nodes_by_name(const std::string& name, VQList<VQTopoNodeDn>& nodes,
                              const VQList<std::string>& systems) const;
  VQStatus find_nodes_by_type(const std::string& type_name, VQList<VQTopoNodeDn>& nodes,
                              const VQList<std::string>& systems) const;
  // `mo_fdn`: a managed object's full name; code 10 when it does not parse.
  VQStatus find_nodes_by_managed_object(const std::string& mo_fdn, VQList<VQTopoNodeDn>& nodes,
                                        const VQList<std::string>& systems) const;
  // The nodes that refer to any of the managed objects; code 2 when a system sends no
  // answer.
  VQStatus find_nodes_by_MO_set(const VQList<std::string>& mo_fdns, VQList<VQTopoNodeDn>& nodes,
                                const VQList<std::string>& systems) const;
  // One entry per managed object of each listed node of `system`: its id in `ids` and,
  // with `with_mos`, the object's full name in `mos`. Appends; never fails.
  VQStatus find_mos_by_nodes(bool with_mos, std::string system, VQList<long> node_ids,
                             VQList<long>& ids, VQList<std::string>& mos) const;
  // Every child of `view` with the selected attributes, in one exchange: appended to
  // `nodes`, each once, named on the view's system, with `attributes` active. A reply
  // that never comes, an error reply or a damaged one ends the exchange with what arrived
  // before it; the operation itself succeeds.
  VQStatus load_nodes_in_view(const VQTopoNodeDn& view, const VQIntegerSet& attributes,
                              VQList<VQTopoNode>& nodes);
  // The selected attributes of every node that refers to any of the managed objects.
  VQStatus get_attributes_by_mo(const VQList<std::string>& mo_fdns, const VQIntegerSet& attributes,
                                VQList<VQTopoNode>& nodes, const VQList<std::string>& systems);
  // Writes the selected attributes of `values` into every node that refers to any of the
  // managed objects; `nodes` gets what those nodes then hold.
  VQStatus set_attributes_by_mo(const VQList<std::string>& mo_fdns, const VQIntegerSet& attributes,
                                const VQTopoNode& values, VQList<VQTopoNode>& nodes,
                                const VQList<std::string>& systems);
  // One report per node of `system`, appended (the list is not emptied): id, name, type,
  // children, and the view children when the view graph is cached. Code 9 for a reply
  // that is not a set of reports.
  VQStatus gen_node_report(const std::string& system, VQList<VQTopoNodeReport>& reports) const;
  // The agent managing a managed object: for CMIP the first agent, in the order the agents
  // were read, one of whose managed objects is a prefix of `mo_fdn` (code 6 when none);
  // for SNMP and RPC the agent the name itself names (code 14 when it names none).
  VQStatus managed_object_to_cmip_agent(const std::string& mo_fdn, VQCmipAgentDn& agent) const;
  VQStatus managed_object_to_snmp_agent(const std::string& mo_fdn, VQSnmpAgentDn& agent) const;
  VQStatus managed_object_to_rpc_agent(const std::string& mo_fdn, VQRpcAgentDn& agent) const;

  // Every route from a root view down to `view` through the cached view graph, as the
  // views' names joined by "/" and starting with "/" (/Root/Campus/Building4): one path
  // name per route. Code 17 without the cache, 14 for a view the graph does not hold.
  VQStatus view_topology_pathnames(const VQTopoNodeDn& view, VQList<std::string>& paths) const;
  // The same, each followed by "/" and `leaf`.
  VQStatus topology_pathnames(const VQTopoNodeDn& view, const std::string& leaf,
                              VQList<std::string>& paths) const;
  // Whether the node is a view (with the view graph cached: whether the graph holds it);
  // false when it cannot be read.
  bool is_view(const VQTopoNodeDn& node) const;
  // The local system's types that derive from none, and all of them.
  VQStatus find_root_types(VQList<VQTopoTypeDn>& types) const;
  VQStatus find_all_types(VQList<VQTopoTypeDn>& types) const;

 private:
  static VQTopoPlatform* the_topo_platform;
  static bool valid_flag;

  VQTopoPlatformRep* rep_ = nullptr;
};

#endif  // DEDAVUZ_API_TOPO_PLATFORM_H_
