#include "topo/graph_node.h"

#include <algorithm>
#include <functional>
#include <mutex>
#include <set>

#include "topo/node_graph.h"

namespace hvx::mis::topo {

namespace {

// Keeps a node in one 96-byte chunk of a std::map.
static_assert(sizeof(GraphNode) <= 48);

// Type names, each held once for the life of the process: there are few, and a node
// refers to its own by address. Elements of a std::set never move.
const std::string* intern(std::string_view type) {
  static std::mutex* const mutex = new std::mutex();
  static std::set<std::string, std::less<>>* const names = new std::set<std::string, std::less<>>();
  const std::lock_guard<std::mutex> lock(*mutex);
  auto it = names->find(type);
  if (it == names->end()) it = names->emplace(type).first;
  return &*it;
}

const std::vector<long>& no_ids() {
  static const std::vector<long>* const kNone = new std::vector<long>();
  return *kNone;
}

void erase_one(std::vector<long>& ids, long id) {
  const auto it = std::find(ids.begin(), ids.end(), id);
  if (it != ids.end()) ids.erase(it);
}

}  // namespace

GraphNode::GraphNode() : severity_(kCleared), propagated_(kCleared) {
  static const std::string* const kNoType = intern("");
  type_ = kNoType;
}

GraphNode::GraphNode(const GraphNode& other)
    : name_(other.name_),
      type_(other.type_),
      lists_(other.lists_ ? std::make_unique<Lists>(*other.lists_) : nullptr),
      parents_(other.parents_),
      severity_(other.severity_),
      propagated_(other.propagated_),
      view_(other.view_),
      propagate_up_(other.propagate_up_) {}

GraphNode& GraphNode::operator=(const GraphNode& other) {
  if (this != &other) *this = GraphNode(other);
  return *this;
}

const std::vector<long>& GraphNode::children() const {
  return lists_ ? lists_->children : no_ids();
}

const std::vector<long>& GraphNode::peers() const { return lists_ ? lists_->peers : no_ids(); }

const std::vector<long>& GraphNode::propagate_peers() const {
  return lists_ ? lists_->propagate_peers : no_ids();
}

const std::vector<std::string>& GraphNode::managed_objects() const {
  static const std::vector<std::string>* const kNone = new std::vector<std::string>();
  return lists_ ? lists_->managed_objects : *kNone;
}

void GraphNode::set_type(std::string_view type) {
  if (*type_ != type) type_ = intern(type);
}

GraphNode::Lists& GraphNode::lists() {
  if (!lists_) lists_ = std::make_unique<Lists>();
  return *lists_;
}

void GraphNode::trim() {
  if (lists_ && lists_->children.empty() && lists_->peers.empty() &&
      lists_->propagate_peers.empty() && lists_->managed_objects.empty()) {
    lists_.reset();
  }
}

void GraphNode::set_peers(std::vector<long> peers) {
  if (peers.empty() && !lists_) return;
  lists().peers = std::move(peers);
  trim();
}

void GraphNode::set_propagate_peers(std::vector<long> peers) {
  if (peers.empty() && !lists_) return;
  lists().propagate_peers = std::move(peers);
  trim();
}

void GraphNode::set_managed_objects(std::vector<std::string> keys) {
  if (keys.empty() && !lists_) return;
  lists().managed_objects = std::move(keys);
  trim();
}

void GraphNode::add_child(long id) { lists().children.push_back(id); }

void GraphNode::clear_children() {
  if (!lists_) return;
  lists_->children.clear();
  trim();
}

void GraphNode::remove_child(long id) {
  if (!lists_) return;
  erase_one(lists_->children, id);
  trim();
}

void GraphNode::remove_peer(long id) {
  if (!lists_) return;
  erase_one(lists_->peers, id);
  trim();
}

void GraphNode::remove_propagate_peer(long id) {
  if (!lists_) return;
  erase_one(lists_->propagate_peers, id);
  trim();
}

}  // namespace hvx::mis::topo
