// VQTopoPlatformRep: the state behind the platform object: the connection, the local
// system's name, the systems discovered through the servers' FDN tables with their full
// names, and the system-connection callbacks. One per process, made by initialize.
#ifndef DEDAVUZ_API_TOPO_PLATFORM_REP_H_
#define DEDAVUZ_API_TOPO_PLATFORM_REP_H_

#include <deque>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/rpc_agent_dn.h"
#include "dedavuz_api/snmp_agent_dn.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_dn.h"
#include "dedavuz_api/topo_node_report.h"
#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_type_dn.h"
#include "dedavuz_api/val_dag.h"
#include "hvx/asn1.h"
#include "hvx/event.h"
#include "hvx/image.h"
#include "hvx/message.h"
#include "hvx/morf.h"
#include "hvx/platform.h"

class VQCmipAgentMap;
class VQTopoNodeRep;
class VQTopoPlatformRep;
struct VQTopoNodeCallbackData;

// One outstanding fetch of a system's view graph, from its request to its final reply.
// Node events of the system that arrive meanwhile wait here and are applied over the
// fetched views; a fetch whose system has left since is `dropped` and adds nothing.
struct VQTopoPlatformRepContext {
  std::string system_name;
  VQTopoPlatformRep* rep = nullptr;
  bool dropped = false;
  std::vector<VQTopoNodeCallbackData> deferred;
};

class VQTopoPlatformRep {
 public:
  // What the view graph holds for one view. A view named only as another's parent or child
  // holds the defaults until its own entry arrives.
  struct ViewInfo {
    std::string name;
    bool has_view_attributes = false;  // the server sent the view's files and extras
    std::string map_file_name;
    std::string background_file_name;
    std::string extra_name;
    int extra_number_1 = 0;
    int extra_number_2 = 0;

    bool operator==(const ViewInfo&) const = default;
  };
  using ViewGraph = VQTValDAG<ViewInfo, VQTopoNodeDn>;

  // One CMIP agent of the agent map: its name, the managed objects it names, and whether
  // it is the local server's connection to another server (and that server's name).
  struct CmipAgentInfo {
    VQCmipAgentDn agent_dn;
    VQList<std::string> managed_objects;
    bool is_mmc = false;
    std::string mmc_system_name;

    bool operator==(const CmipAgentInfo&) const = default;
  };

  struct CallbackEntry {
    VQTopoPlatform::MisConnectionCallback callback = nullptr;
    void* client_data = nullptr;

    // The function alone identifies an entry.
    bool operator==(const CallbackEntry& other) const { return callback == other.callback; }
    bool operator!=(const CallbackEntry& other) const { return !(*this == other); }
  };

  // The topoNodeDB actions that answer a list of node ids.
  enum GetTopoNodeDBAction { by_name = 0, by_type = 1, by_managed_object = 2, by_mo_set = 3 };

  // Node ids met in one exchange. Open addressing: thousands of children cost no
  // allocation each.
  class SeenIds {
   public:
    // True when `id` was not in the set (it is then).
    bool insert(long id);

   private:
    void grow();

    std::vector<long> slots_;  // 0 for a free slot; id 0 is kept apart
    std::size_t count_ = 0;
    bool zero_ = false;
  };

  // One load_nodes_in_view exchange, as its reply callback sees it. The children are
  // appended to `nodes` as they arrive; `seen` holds their ids, so that a reply that comes
  // twice adds nothing.
  struct NodesInView {
    int done = 0;
    VQList<VQTopoNode>& nodes;
    const VQTopoNodeDn& view_dn;
    const VQIntegerSet& attributes;
    const VQIntegerSet& gdmo_attributes;
    hvx::MessageSAP* sap = nullptr;
    SeenIds seen;
  };

  // What add_system does besides listing a system.
  enum SystemRegisterActions { list_only = 0, list_and_register = 1 };
  enum RegisterImplOptions { register_option = 0, deregister_option = 1 };

  // Makes the representation once; true when it exists afterwards. A failed construction
  // is not kept.
  static bool initialize(hvx::Platform& platform, bool view_graph_cached);
  // Null until initialize has succeeded.
  static VQTopoPlatformRep* instance();

  VQTopoPlatformRep(const VQTopoPlatformRep&) = delete;
  VQTopoPlatformRep& operator=(const VQTopoPlatformRep&) = delete;

  const std::string& local_system_name() const { return local_system_name_; }
  std::string system_fdn_str(const std::string& system);
  std::string fdn_system_str(const std::string& fdn);
  const VQList<std::string>& system_names() const { return system_names_; }
  hvx::Platform& platform() { return platform_; }
  bool is_view_graph_cached() const { return view_graph_cached_; }
  // What discovery could not do (an FDN table that did not answer or sent an entry that
  // does not decode, a registration the connection manager refused), one line each, in
  // order. Kept here rather than printed: the library writes only its fixed diagnostics.
  const VQList<std::string>& discovery_problems() const { return discovery_problems_; }

  static void register_mis_connection_callback(VQTopoPlatform::MisConnectionCallback callback,
                                               void* client_data);
  static void unregister_mis_connection_callback(VQTopoPlatform::MisConnectionCallback callback);
  // The registered callbacks, in calling order.
  static const VQList<CallbackEntry>& mis_connection_callbacks() { return callbacks; }

  // Event delivery. Every raw event of the platform enters through hvx_raw_event_cb; unless
  // events are held it goes to hvx_raw_event, which hands it to this representation, then
  // to the types, then to the nodes. Held events queue and are replayed in arrival order
  // when delivery is released.
  static void hold_events(bool hold);
  static bool is_holding_events() { return holding_events; }
  static void hvx_raw_event_cb(void* client_data, void* raw_event);
  static void hvx_raw_event(hvx::CurrentEvent& event);
  static void process_queued_events();
  // This representation's own share: agent creations and deletions, and the connection
  // reports of remote servers. Nothing until the agent map has been loaded.
  void raw_event_cb(hvx::CurrentEvent& event);

  // --- Discovery.

  // Reads the local system's name from the platform's PLATFORM_OBJNAME: the text after its
  // first quote, less one trailing quote (all of it when it holds no quote). False, with
  // the name unchanged, when the property is empty.
  bool derive_system_name();

  // Lists `hint` (the local system when empty), then every system its FDN table names that
  // a CMIP agent entity leads to, recursively. Fails only when the starting system cannot
  // be added. Agent entities that cannot be read, FDN tables that do not answer and entries
  // that do not decode are skipped, each with a line on the standard error stream.
  //
  // Cycles: servers whose tables name each other would make the paths grow without end,
  // so discovery does not descend into a path whose last system already appears earlier in
  // it (/L/B/L), nor into a path that is already known; such a path is neither listed nor
  // registered again.
  VQStatus get_systems(const std::string& hint);

  // Whether the network address `nsap` is that of the management server `system`: it must
  // hold a ":"; an address with a dotted IPv4 part before a ":" must hold the system's
  // resolved address, any other must hold the system's name.
  static bool is_nsap_a_mis(const std::string& nsap, const std::string& system);

  // Lists `name` if it is new (notifying the callbacks when `notify`), then, with
  // list_and_register, registers with the connection manager for its last component.
  VQStatus add_system(const std::string& name, bool notify, SystemRegisterActions action);
  // Forgets `name` (or its variant with the leading "/" added or removed), notifies when
  // `notify`, and deregisters it unless it is the local system.
  VQStatus remove_system(const std::string& name, bool notify);

  // Registration of this application for `system` with the local connection manager.
  VQStatus register_connection(const std::string& system);
  VQStatus deregister_connection(const std::string& system);

  // --- Queries of the node databases; VQTopoPlatform documents the public ones.

  VQStatus find_root_nodes(VQList<VQTopoNodeDn>& roots, const VQList<std::string>& systems) const;
  // Actions 0 to 2 (find_nodes_by_name, _by_type, _by_managed_object) over the systems.
  VQStatus find_nodes(GetTopoNodeDBAction action, const std::string& argument,
                      VQList<VQTopoNodeDn>& nodes, const VQList<std::string>& systems) const;
  VQStatus find_nodes_by_MO_set(const VQList<std::string>& mo_fdns, VQList<VQTopoNodeDn>& nodes,
                                const VQList<std::string>& systems) const;
  VQStatus find_mos_by_nodes(bool with_mos, const std::string& system,
                             const VQList<long>& node_ids, VQList<long>& ids,
                             VQList<std::string>& mos) const;
  VQStatus load_nodes_in_view(const VQTopoNodeDn& view, const VQIntegerSet& attributes,
                              VQList<VQTopoNode>& nodes);
  VQStatus get_attributes_by_mo(const VQList<std::string>& mo_fdns, const VQIntegerSet& attributes,
                                VQList<VQTopoNode>& nodes, const VQList<std::string>& systems);
  VQStatus set_attributes_by_mo(const VQList<std::string>& mo_fdns, const VQIntegerSet& attributes,
                                const VQTopoNode& values, VQList<VQTopoNode>& nodes,
                                const VQList<std::string>& systems);
  bool is_view(const VQTopoNodeDn& node) const;
  VQStatus find_root_types(VQList<VQTopoTypeDn>& types) const;

  // One action of actions 0 to 2 on one system: its ids appended as names on `system`.
  // Code 10 for a managed object that does not parse, 2 when no argument can be built.
  VQStatus find_nodes_on_system(GetTopoNodeDBAction action, const std::string& argument,
                                VQList<VQTopoNodeDn>& nodes, const std::string& system) const;
  // Action 3 only (code 16 "Unsupported Action" for the others); code 2 when no reply came.
  VQStatus find_nodes_on_system(GetTopoNodeDBAction action, const VQList<std::string>& mo_fdns,
                                VQList<VQTopoNodeDn>& nodes, const std::string& system) const;

  // Replaces `gdmo` (capacity 29) with the server attributes that hold the node attributes
  // of `interface`; view_children maps to none, topoNodeManaged and topoNodeIsManaged are
  // never asked for. An interface set of capacity 0 maps to nothing.
  static void map_interface_to_gdmo_attributes(const VQIntegerSet& interface, VQIntegerSet& gdmo);
  // Appends a node for each { id, SET OF { attribute, value } } pair of `reply`, named on
  // `system`, filled with its attributes selected in `gdmo`; stops at the first element
  // that is not a pair.
  static VQStatus parse_action_output(hvx::Morf& reply, const VQTopoNodeDn& parent,
                                      const std::string& system, const VQIntegerSet& gdmo,
                                      VQList<VQTopoNode>& nodes);
  // Decodes one attribute value into `node` when its identifier (the contents of an OBJECT
  // IDENTIFIER, whatever its tag) is that of a server attribute selected in `gdmo`; any
  // other leaves the node alone. `parent` is the view a position is in. A value that does
  // not decode gives the decoder's status and leaves that attribute partly filled.
  static VQStatus fill_in_node_with_the_attribute(const VQTopoNodeDn& parent,
                                                  const hvx::Asn1Value& id,
                                                  const hvx::Asn1Value& value,
                                                  const VQIntegerSet& gdmo, VQTopoNode& node);
  // The children of `view` as a linked reply of its children's attributes carries them:
  // SET OF SEQUENCE { id INTEGER, SET OF SEQUENCE { identifier, value } }. Appends a node
  // of the view's system for each id not yet in `seen` (adding it), filled with its server
  // attributes selected in `gdmo` as fill_in_node_with_the_attribute fills them, with the
  // node attributes `active` made active (what derives from them is left to the caller).
  //
  // From the reply's BER: values of the forms the server stores are read in place. Bytes
  // not of that shape (only definite lengths and one-octet tags, each child a pair of an
  // INTEGER of at most eight octets and a SET, each attribute a pair of a primitive
  // identifier and one value) give code 9 naming the offset, with nothing appended.
  static VQStatus decode_view_children(std::string_view ber, const VQTopoNodeDn& view,
                                       const VQIntegerSet& gdmo, const VQIntegerSet& active,
                                       SeenIds& seen, VQList<VQTopoNode>& nodes);
  // The same from the reply's value, of any shape: an element that is not such a pair is
  // passed over.
  static void decode_view_children(const hvx::Asn1Value& children, const VQTopoNodeDn& view,
                                   const VQIntegerSet& gdmo, const VQIntegerSet& active,
                                   SeenIds& seen, VQList<VQTopoNode>& nodes);
  // Appends SEQUENCE { [0] IMPLICIT identifier, value } to `out` for each selected server
  // attribute a write can carry, in ascending order.
  static VQStatus get_attributes_values_from_node(const VQIntegerSet& gdmo, VQTopoNodeRep& node,
                                                  hvx::Asn1Value& out);

  // --- Node reports and agent lookup.

  // Appends one report per node of `system` (the list is not emptied). No answer adds
  // nothing; a malformed one gives code 9, keeping the reports before the fault.
  VQStatus gen_node_report(const std::string& system, VQList<VQTopoNodeReport>& reports) const;
  // The first agent, in the map's order, one of whose managed objects is a prefix of
  // `mo_fdn`; code 6 (and a null name) when there is none. Loads the map if needed.
  VQStatus managed_object_to_cmip_agent(const std::string& mo_fdn, VQCmipAgentDn& agent) const;
  // The agent the managed object's own name names; code 14 when it names none.
  VQStatus managed_object_to_snmp_agent(const std::string& mo_fdn, VQSnmpAgentDn& agent) const;
  VQStatus managed_object_to_rpc_agent(const std::string& mo_fdn, VQRpcAgentDn& agent) const;
  // The agent map, in load order; empty until loaded.
  const VQList<CmipAgentInfo>& cmip_agent_infos() const;
  // With `load`, reads the CMIP agents of every known system unless the map is loaded
  // (code 1 with the platform's error when a system's agents cannot be read; the map then
  // stays unloaded). Otherwise only answers success.
  VQStatus is_managed_object_to_cmip_agent_mapping_cached(bool load) const;
  // Files the agent `image` holds (booted for agentId, managedDNs and networkSAP), found on
  // `system`; gives the record filed.
  CmipAgentInfo cache_cmip_agent(hvx::Image& image, const std::string& system) const;
  CmipAgentInfo cache_cmip_agent(hvx::Image& image) const {
    return cache_cmip_agent(image, local_system_name_);
  }
  // Whether one of the agent's managed objects is a prefix of the text `mo_fdn` points to.
  static bool cmip_agent_infos_tester(const CmipAgentInfo& info, void* mo_fdn);
  // Whether the agent's name is the VQCmipAgentDn `agent_dn` points to.
  static bool cmip_agent_infos_match_dn(const CmipAgentInfo& info, void* agent_dn);

  // --- The view graph: without it each fails with code 17, and a view it does not hold
  // gives code 14; the message names the operation. Lists are emptied first.

  VQStatus get_view_graph_node_parents(const VQTopoNodeDn& view,
                                       VQList<VQTopoNodeDn>& parents) const;
  VQStatus get_view_graph_node_view_children(const VQTopoNodeDn& view,
                                             VQList<VQTopoNodeDn>& children) const;
  // A placeholder (empty name) counts as absent.
  VQStatus get_view_graph_node_info(const VQTopoNodeDn& view, ViewInfo& info) const;
  VQStatus get_view_graph_node_name(const VQTopoNodeDn& view, std::string& name) const;
  // A view whose files the server did not send counts as absent.
  VQStatus get_view_graph_background_file_name(const VQTopoNodeDn& view,
                                               std::string& name) const;
  VQStatus get_view_graph_map_file_name(const VQTopoNodeDn& view, std::string& name) const;
  VQStatus get_view_graph_node(const VQTopoNodeDn& view, std::string& name,
                               VQList<VQTopoNodeDn>& view_children,
                               VQList<VQTopoNodeDn>& parents) const;
  // Every route from a root of the graph down to `view`, as "/"-joined names starting
  // with "/": one path name per route.
  VQStatus view_topology_pathnames(const VQTopoNodeDn& view, VQList<std::string>& paths) const;
  // The same with "/" + `leaf` appended to each.
  VQStatus topology_pathnames(const VQTopoNodeDn& view, const std::string& leaf,
                              VQList<std::string>& paths) const;
  // The graph itself, for those that walk it whole.
  const ViewGraph& view_graph() const { return view_graph_; }
  // Views named "Root", in the order their entries arrived.
  const VQList<VQTopoNodeDn>& root_nodes() const { return root_nodes_; }
  static int pending_view_graph_requests_count() { return pending_view_graph_requests; }

  // --- Full names of systems and of their databases and tables. A system name is a plain
  // name or a "/"-separated path from the local system; the local name is the platform
  // object's, or else the default platform's.

  // /systemId=name:"A" for a plain name; for a path, a server-table component for every
  // component after the first, then the last one's systemId component when the path
  // starts with "/", else a single closing quote.
  static std::string system_fdn(const std::string& name);
  static std::string topo_node_db_fdn(const std::string& system);
  static std::string topo_type_db_fdn(const std::string& system);
  static std::string cmip_agent_table_fdn(const std::string& system);
  static std::string fdn_table_fdn(const std::string& system);

 private:
  VQTopoPlatformRep(hvx::Platform& platform, bool view_graph_cached);
  ~VQTopoPlatformRep();

  // The reply callback of load_nodes_in_view; `context` is its NodesInView.
  static void load_nodes_in_view_cb(void* context, void* raw);
  // What a node read in bulk derives locally: view children from the graph when cached,
  // the derived attributes, and `attributes` made active.
  void complete_node(const VQIntegerSet& attributes, VQTopoNode& node) const;
  // The systems a query asks: `systems`, or every known one when it is empty.
  VQList<std::string> systems_asked(const VQList<std::string>& systems) const;
  VQStatus attributes_by_mo(const char* action, const VQList<std::string>& mo_fdns,
                            const VQIntegerSet& attributes, const VQTopoNode* values,
                            VQList<VQTopoNode>& nodes, const VQList<std::string>& systems);

  VQStatus register_implement(const std::string& system, RegisterImplOptions option);
  // Whether discovery goes on into `path` (see get_systems).
  bool should_descend(const std::string& path) const;
  void notify_callbacks(VQTopoPlatform::MisConnectionEvent event, const std::string& name);
  void note_problem(const std::string& line) { discovery_problems_.append(line); }

  // The name under which `name` is known: itself, or its variant with the leading "/"
  // added or removed (discovery and events spell a remote system both ways); "" if neither.
  std::string known_system_name(const std::string& name) const;
  // An agent creation files the agent in the map; a deletion removes its first record.
  void cmip_agent_event(hvx::CurrentEvent& event);
  // A connection report of the server-table class: systems added or removed.
  void connection_event(hvx::CurrentEvent& event);
  // Whether the topology node database of `system` answers.
  bool has_topo_node_db(const std::string& system);

  void subscribe_raw_events();
  void register_view_event_callbacks();
  VQStatus add_view_graph(const std::string& system);
  VQStatus remove_view_graph(const std::string& system);
  // Dispatches until every view-graph fetch has had its final reply.
  void wait_for_view_graphs();
  // The reply callback of a view-graph fetch; `context` is its VQTopoPlatformRepContext.
  static void add_view_graph_cb(void* context, void* raw);
  // Files one view entry of a fetch; false when the entry is malformed.
  bool add_view_entry(const std::string& system, const hvx::Asn1Value& entry);
  static void view_event_cb_wrapper(const VQTopoNodeCallbackData& data);
  void view_event_cb(const VQTopoNodeCallbackData& data);
  void view_created(const VQTopoNodeDn& dn);
  void view_changed(const VQTopoNodeDn& dn, const VQTopoNode& node);
  // `dn` under the system name the graph keys it by: discovery's spelling of its system.
  VQTopoNodeDn view_key(const VQTopoNodeDn& dn) const;
  // The graph's node for `view`, whichever spelling of the system it uses; null if none.
  const ViewGraph::Node* find_view(const VQTopoNodeDn& view) const;
  VQStatus find_view(const VQTopoNodeDn& view, const char* operation,
                     const ViewGraph::Node*& node) const;
  VQStatus pathnames_above(const ViewGraph::Node& node, VQList<std::string>& paths,
                           std::size_t depth) const;

  hvx::Platform& platform_;
  std::string local_system_name_;
  bool view_graph_cached_ = false;
  // The agent map is a cache: filled on first use by const lookups as well.
  mutable bool agent_mapping_cached_ = false;
  std::unique_ptr<VQCmipAgentMap> cmip_agents_;
  VQList<std::string> system_names_;
  VQList<std::string> system_fdns_;  // entry i is the full name of system_names_[i]
  VQList<std::string> discovery_problems_;
  ViewGraph view_graph_;
  VQList<VQTopoNodeDn> root_nodes_;
  std::vector<VQTopoPlatformRepContext*> fetches_;  // outstanding, in request order

  static VQTopoPlatformRep* the_topo_platform_rep;
  static bool valid_flag;
  static VQList<CallbackEntry> callbacks;
  static std::deque<hvx::CurrentEvent> the_queued_events;
  static int pending_view_graph_requests;
  static bool holding_events;
  static bool processing_events;
};

// "agent_dn = <name>", the managed objects in the list print form labelled
// "managed_objects", "is_mmc = YES" (or NO) and "mmc_system_name = <name>", a line each.
std::ostream& operator<<(std::ostream& os, const VQTopoPlatformRep::CmipAgentInfo& info);

#endif  // DEDAVUZ_API_TOPO_PLATFORM_REP_H_
