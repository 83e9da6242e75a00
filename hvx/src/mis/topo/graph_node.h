// GraphNode: one topology node as the node graph keeps it, laid out for size: a short name
// and one parent inline, the type interned, and the lists only some nodes have (children,
// peers, propagate peers, managed objects) in a side part that exists while one is non-empty.
#ifndef HVX_SRC_MIS_TOPO_GRAPH_NODE_H_
#define HVX_SRC_MIS_TOPO_GRAPH_NODE_H_

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "topo/id_list.h"
#include "topo/short_string.h"

namespace hvx::mis::topo {

class GraphNode {
 public:
  GraphNode();
  GraphNode(const GraphNode& other);
  GraphNode& operator=(const GraphNode& other);
  GraphNode(GraphNode&&) noexcept = default;
  GraphNode& operator=(GraphNode&&) noexcept = default;
  ~GraphNode() = default;

  std::string_view name() const { return name_.view(); }
  const std::string& type() const { return *type_; }
  bool view() const { return view_; }
  std::span<const long> parents() const { return parents_.ids(); }  // as topoNodeParents lists them
  const std::vector<long>& children() const;  // in the order they were attached
  const std::vector<long>& peers() const;
  const std::vector<long>& propagate_peers() const;
  const std::vector<std::string>& managed_objects() const;  // name keys
  bool propagate_up() const { return propagate_up_; }
  int severity() const { return severity_; }
  int propagated() const { return propagated_; }

  void set_name(std::string_view name) { name_ = ShortString(name); }
  void set_type(std::string_view type);
  void set_view(bool view) { view_ = view; }
  void set_parents(std::span<const long> parents) { parents_.assign(parents); }
  void set_peers(std::vector<long> peers);
  void set_propagate_peers(std::vector<long> peers);
  void set_managed_objects(std::vector<std::string> keys);
  void set_propagate_up(bool up) { propagate_up_ = up; }
  // Severities are the small numbers of the Severity enumeration.
  void set_severity(int severity) { severity_ = static_cast<std::int8_t>(severity); }
  void set_propagated(int severity) { propagated_ = static_cast<std::int8_t>(severity); }

  // What the graph keeps in step with the other nodes: each removes the first occurrence.
  void add_child(long id);
  void clear_children();
  void remove_child(long id);
  void remove_parent(long id) { parents_.erase(id); }
  void remove_peer(long id);
  void remove_propagate_peer(long id);

 private:
  struct Lists {
    std::vector<long> children;
    std::vector<long> peers;
    std::vector<long> propagate_peers;
    std::vector<std::string> managed_objects;
  };
  Lists& lists();
  // Frees the side part once every list in it is empty.
  void trim();

  ShortString name_;
  const std::string* type_;
  std::unique_ptr<Lists> lists_;
  // Shares its tail padding with the small fields below.
  [[no_unique_address]] IdList parents_;
  std::int8_t severity_;
  std::int8_t propagated_;
  bool view_ = false;
  bool propagate_up_ = true;
};

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_GRAPH_NODE_H_
