// NodeGraph: the topology nodes of one database as the server keeps them beside its tree:
// what each node refers to, the inverse relations, an index per query key, and the
// propagation of severities up the graph.
#ifndef HVX_SRC_MIS_TOPO_NODE_GRAPH_H_
#define HVX_SRC_MIS_TOPO_NODE_GRAPH_H_

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "topo/block_set.h"
#include "topo/graph_node.h"

namespace hvx::mis::topo {

// Perceived severities (X.733), as topoNodeSeverity holds them.
enum Severity : int {
  kIndeterminate = 0,
  kCritical = 1,
  kMajor = 2,
  kMinor = 3,
  kWarning = 4,
  kCleared = 5,
};
// Whether a number is a severity, and which of two is worse: critical, major, minor,
// warning, indeterminate, cleared, from worst to best.
bool is_severity(long value);
int worse(int a, int b);

class NodeGraph {
 public:
  using Node = GraphNode;

  NodeGraph() = default;
  // The name index holds the addresses of its nodes: a copy would point at the original's.
  NodeGraph(const NodeGraph&) = delete;
  NodeGraph& operator=(const NodeGraph&) = delete;
  NodeGraph(NodeGraph&&) = default;
  NodeGraph& operator=(NodeGraph&&) = default;

  void clear();
  const Node* find(long id) const;
  const std::map<long, Node>& nodes() const { return nodes_; }
  std::size_t size() const { return nodes_.size(); }

  // Adds a node whose parents, peers and propagate peers exist; each parent gains it as
  // its last child. Its children are ignored (a new node has none).
  void insert(long id, Node node);
  // Removes a node and every reference other nodes hold to it.
  void erase(long id);

  void set_name(long id, const std::string& name);
  void set_type(long id, const std::string& type, bool view);
  void set_view(long id, bool view);
  void set_managed_objects(long id, std::vector<std::string> keys);
  // Parents keep the given order; children lists follow.
  void set_parents(long id, const std::vector<long>& parents);
  void set_peers(long id, const std::vector<long>& peers);
  void set_propagate_peers(long id, const std::vector<long>& peers);
  void set_propagate_up(long id, bool up);
  void set_severity(long id, int severity);

  // Index lookups, ascending ids.
  std::set<long> named(std::string_view name) const;
  std::set<long> of_type(const std::string& type) const;
  // The lowest id of a node of `type`; 0 when there is none.
  long first_of_type(const std::string& type) const;
  const std::set<long>& managing(const std::string& key) const;
  const std::set<long>& views() const { return views_; }
  const std::set<long>& listing_as_peer(long id) const;
  const std::set<long>& listing_as_propagate_peer(long id) const;

  // Whether `ancestor` is `id` or is reached from it through parents.
  bool reaches_up(long id, long ancestor) const;

  // The propagated severity of a node from its own severity and what flows into it: the
  // propagated severities of its children and propagate peers that propagate up.
  int inflow(long id) const;
  // Brings propagated severities up to date: `lowered` are nodes whose inflow may have
  // fallen (an edge into them went, their own severity fell), `raised` are nodes whose
  // value may have risen or that gained an edge upwards. Returns the ids whose propagated
  // severity changed, in the order the change reached them: upwards from where it started.
  std::vector<long> propagate(const std::vector<long>& lowered, const std::vector<long>& raised);

 private:
  std::map<long, int> settle_lowered(const std::vector<long>& lowered,
                                     std::vector<long>& discovered) const;
  using Index = std::map<std::string, std::set<long>>;
  using Entry = std::map<long, Node>::value_type;
  // Names are mostly each a node's own: one entry per node, the address of the node's map
  // entry (which never moves), ordered by name, then id.
  struct ByName {
    using Key = std::pair<std::string_view, long>;
    static Key key(const Entry* entry) { return {entry->second.name(), entry->first}; }
    static const Key& key(const Key& k) { return k; }
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
      return key(a) < key(b);
    }
  };
  using NameIndex = BlockSet<const Entry*, ByName>;
  using TypeIndex = std::map<std::string, BlockSet<long>, std::less<>>;
  using Reverse = std::map<long, std::set<long>>;

  Node* get(long id);
  // The nodes a node's severity flows into.
  template <typename F>
  void for_each_target(long id, const Node& node, F&& f) const;
  template <typename Map, typename Key>
  static void unindex(Map& index, const Key& key, long id);

  std::map<long, Node> nodes_;
  NameIndex by_name_;
  TypeIndex by_type_;
  Index by_managed_object_;
  Reverse peer_of_;
  Reverse propagate_peer_of_;
  std::set<long> views_;
};

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_NODE_GRAPH_H_
