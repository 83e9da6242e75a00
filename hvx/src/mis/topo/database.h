// Database: the topology database of one server: the objects it holds from its start
// (the node, view and type databases, the predefined types, the root view, the agent
// tables), and what every change to nodes, views and types does besides: the inverse
// relations, the view and placement objects, the derived type attributes and severities,
// each with its notification. The queries live beside it (node_queries, node_attributes,
// view_graph), as do the agents and the connection manager.
//
// Rules kept after every change:
//   - topoNodeChildren of a node lists exactly the nodes whose topoNodeParents name it;
//   - a node has its topoView object exactly while its type is a view type (one with legal
//     children of its own or inherited), and only view nodes are parents;
//   - a topoViewNode object exists for every parent and node, the node's place there;
//   - parents never make a cycle; peers, propagate peers and visible children name
//     existing nodes (visible children: children of the node);
//   - a type's derived attributes follow its bases and legal children; its base exists.
// A change that breaks one of these is refused before anything changes.
#ifndef HVX_SRC_MIS_TOPO_DATABASE_H_
#define HVX_SRC_MIS_TOPO_DATABASE_H_

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "server.h"
#include "topo/encoded_objects.h"
#include "topo/identifiers.h"
#include "topo/kept_replies.h"
#include "topo/node_graph.h"
#include "topo/type_tree.h"

namespace hvx::mis::topo {

class Database : public Extension {
 public:
  static constexpr std::string_view kExtension = "topology";

  // Gives `server` its topology database, with every hook and action.
  static void install(Server& server);
  // The database of a server that has one; nullptr otherwise.
  static Database* of(const Server& server);

  void restart(Server& server) override;

  const NodeGraph& graph() const { return graph_; }
  const TypeTree& types() const { return types_; }
  Server& server() const { return server_; }
  // The stored objects of node `id` and of its view; nullptr for none. Found in the tree
  // once and then kept by id, until the object is deleted or the server restarts (a tree
  // entry stays where it is while it exists).
  const ManagedObject* node_object(long id) const;
  const ManagedObject* view_object(long id) const;
  // Their values encoded as the attribute actions answer them; nullptr for no object.
  const EncodedObjects::Encoded* encoded_node(long id) const;
  const EncodedObjects::Encoded* encoded_view(long id) const;
  // The encoding of the place of node `id` in view `view`; nullptr for none. The places of
  // a view are found in the tree once and kept until one of them is made or deleted.
  const EncodedObjects::Encoded* encoded_place(long view, long id) const;
  // The same of any other object.
  const EncodedObjects::Encoded& encoded(const ManagedObject& object) const {
    return encoded_.of(object);
  }

  // The replies to view-children requests, kept while the tree does not change.
  KeptReplies& children_replies() const { return children_replies_; }

  // Whether replacing these values of node `id` keeps the rules (what a set of them would
  // be refused for).
  Status check_node_change(long id, const std::vector<Modification>& modifications) const;

  // Alarms on managed objects (any name; the nodes that list it take their severity from
  // it): perceived severities 0 indeterminate, 1 critical, 2 major, 3 minor, 4 warning.
  Status raise_alarm(const Asn1Value& managed_object, int severity, long& alarm);
  Status clear_alarm(long alarm);

 private:
  explicit Database(Server& server);

  // Internal changes (derived ones) run with the hooks standing aside.
  class Internal {
   public:
    explicit Internal(int& depth) : depth_(depth) { ++depth_; }
    ~Internal() { --depth_; }
    Internal(const Internal&) = delete;
    Internal& operator=(const Internal&) = delete;

   private:
    int& depth_;
  };

  void register_hooks();
  void file_base_objects();

  // Nodes.
  Status before_node_create(ManagedObject& object);
  void after_node_create(const ManagedObject& object);
  Status before_node_set(const ManagedObject& object, const std::vector<Change>& changes);
  void after_node_set(const ManagedObject& object, const std::vector<Change>& changes);
  void after_node_delete(const ManagedObject& object);
  // Checks a node's values (all of them, or those `changed` marks) and fills in what is
  // missing and what the server derives.
  Status check_node(long id, const ObjectValues& values, const std::vector<bool>& changed) const;
  Status check_node_list(long id, NodeAttribute attribute, const std::vector<long>& list) const;
  Status check_visible_children(long id, const ObjectValues& values,
                                const std::vector<bool>& changed) const;
  void complete_node(long id, ManagedObject& object) const;
  NodeGraph::Node graph_node(const ManagedObject& object) const;

  // Types.
  Status before_type_create(ManagedObject& object);
  void after_type_create(const ManagedObject& object);
  Status before_type_set(const ManagedObject& object, const std::vector<Change>& changes);
  void after_type_set(const ManagedObject& object, const std::vector<Change>& changes);
  Status before_type_delete(const ManagedObject& object) const;
  void after_type_delete(const ManagedObject& object);
  // The tree after a type's given parts change; a refusal when that breaks a rule.
  Status next_types(const std::string& id, const ObjectValues& values, TypeTree& next) const;
  Status check_view_types(const TypeTree& next) const;
  void complete_type(const std::string& id, const TypeTree& tree, ManagedObject& object) const;
  // Takes `next` as the types, with the changes of derived attributes and view objects.
  void adopt_types(TypeTree next);

  // Derived changes.
  void modify(const dn::Rdns& name, const Oid& attribute, const Asn1Value& value);
  void create_view(long id);
  void delete_view(long id);
  void create_view_node(long view, long id);
  void delete_view_node(long view, long id);
  void add_child(long parent, long child);
  void write_children(long parent);
  void drop_visible_child(long parent, long child);
  void write_ids(long id, NodeAttribute attribute, const std::vector<long>& ids);
  void write_is_managed(long id);
  void update_severity(long id, std::vector<long>& lowered, std::vector<long>& raised);
  void propagate(const std::vector<long>& lowered, const std::vector<long>& raised);
  int severity_of(const std::vector<std::string>& managed_objects) const;

  // A node or view object as kept, with its encoding; nullptr for none.
  struct Kept {
    const ManagedObject* object = nullptr;
    EncodedObjects::Encoded encoded;
  };
  Kept* kept(std::unordered_map<long, Kept>& objects, long id, bool of_view) const;
  const EncodedObjects::Encoded* encoded(Kept* kept) const;
  // Drops what is kept of a node that is being deleted, and of its view.
  void forget_objects(const ManagedObject& node);

  // Values every node holds, one of each shared by all of them (a change replaces the
  // node's value; a child added copies the empty list first).
  struct SharedValues {
    SharedValues();
    Asn1Value severity(int value) const;
    const Asn1Value& boolean(bool value) const { return value ? yes : no; }

    Asn1Value no_children;
    Asn1Value yes;
    Asn1Value no;
    std::array<Asn1Value, kCleared + 1> severities;
  };

  Server& server_;
  const SharedValues shared_;
  NodeGraph graph_;
  mutable std::unordered_map<long, Kept> node_objects_;
  mutable std::unordered_map<long, Kept> view_objects_;
  // By view, the places of its children by child.
  mutable std::unordered_map<long, std::unordered_map<long, Kept>> places_;
  mutable EncodedObjects encoded_;
  mutable KeptReplies children_replies_;
  TypeTree types_;
  long next_id_ = 1;
  int internal_ = 0;
  // Alarms: by id, and per managed object key the severities of those raised on it.
  std::map<long, std::pair<std::string, int>> alarms_;
  std::map<std::string, std::map<long, int>> alarms_by_object_;
  long next_alarm_ = 1;
  // Values of a new node's attributes when not given.
  std::vector<std::pair<NodeAttribute, Asn1Value>> node_defaults_;
  std::vector<std::pair<TypeAttribute, Asn1Value>> type_defaults_;
  std::vector<std::pair<NodeAttribute, Asn1Value>> view_defaults_;
};

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_DATABASE_H_
