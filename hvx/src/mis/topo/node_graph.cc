#include "topo/node_graph.h"

#include <algorithm>
#include <limits>
#include <span>

namespace hvx::mis::topo {

namespace {

// Worst ranks highest.
int rank(int severity) {
  switch (severity) {
    case kCritical:
      return 5;
    case kMajor:
      return 4;
    case kMinor:
      return 3;
    case kWarning:
      return 2;
    case kIndeterminate:
      return 1;
    default:
      return 0;
  }
}

const std::set<long>& none() {
  static const std::set<long>* const kNone = new std::set<long>();
  return *kNone;
}

// What `after` holds and `before` does not.
std::vector<long> missing_from(std::span<const long> before, std::span<const long> after) {
  std::vector<long> out;
  const std::set<long> held(before.begin(), before.end());
  for (const long id : after) {
    if (held.count(id) == 0) out.push_back(id);
  }
  return out;
}

}  // namespace

bool is_severity(long value) { return value >= kIndeterminate && value <= kCleared; }

int worse(int a, int b) { return rank(b) > rank(a) ? b : a; }

void NodeGraph::clear() {
  nodes_.clear();
  by_name_.clear();
  by_type_.clear();
  by_managed_object_.clear();
  peer_of_.clear();
  propagate_peer_of_.clear();
  views_.clear();
}

const NodeGraph::Node* NodeGraph::find(long id) const {
  const auto it = nodes_.find(id);
  return it == nodes_.end() ? nullptr : &it->second;
}

NodeGraph::Node* NodeGraph::get(long id) {
  const auto it = nodes_.find(id);
  return it == nodes_.end() ? nullptr : &it->second;
}

template <typename Map, typename Key>
void NodeGraph::unindex(Map& index, const Key& key, long id) {
  const auto it = index.find(key);
  if (it == index.end()) return;
  it->second.erase(id);
  if (it->second.empty()) index.erase(it);
}

void NodeGraph::insert(long id, Node node) {
  node.clear_children();
  for (const long parent : node.parents()) {
    if (Node* p = get(parent)) p->add_child(id);
  }
  for (const long peer : node.peers()) peer_of_[peer].insert(id);
  for (const long peer : node.propagate_peers()) propagate_peer_of_[peer].insert(id);
  by_type_[node.type()].insert(id);
  for (const std::string& key : node.managed_objects()) by_managed_object_[key].insert(id);
  if (node.view()) views_.insert(id);
  const auto held = nodes_.try_emplace(id).first;
  by_name_.erase(ByName::Key{held->second.name(), id});
  held->second = std::move(node);
  by_name_.insert(&*held);
}

void NodeGraph::erase(long id) {
  const auto it = nodes_.find(id);
  if (it == nodes_.end()) return;
  by_name_.erase(ByName::Key{it->second.name(), id});
  const Node node = std::move(it->second);
  nodes_.erase(it);
  for (const long parent : node.parents()) {
    if (Node* p = get(parent)) p->remove_child(id);
  }
  for (const long child : node.children()) {
    if (Node* c = get(child)) c->remove_parent(id);
  }
  if (const auto listing = peer_of_.find(id); listing != peer_of_.end()) {
    for (const long other : listing->second) {
      if (Node* o = get(other)) o->remove_peer(id);
    }
    peer_of_.erase(listing);
  }
  if (const auto listing = propagate_peer_of_.find(id); listing != propagate_peer_of_.end()) {
    for (const long other : listing->second) {
      if (Node* o = get(other)) o->remove_propagate_peer(id);
    }
    propagate_peer_of_.erase(listing);
  }
  for (const long peer : node.peers()) unindex(peer_of_, peer, id);
  for (const long peer : node.propagate_peers()) unindex(propagate_peer_of_, peer, id);
  unindex(by_type_, node.type(), id);
  for (const std::string& key : node.managed_objects()) unindex(by_managed_object_, key, id);
  views_.erase(id);
}

void NodeGraph::set_name(long id, const std::string& name) {
  const auto it = nodes_.find(id);
  if (it == nodes_.end() || it->second.name() == name) return;
  by_name_.erase(ByName::Key{it->second.name(), id});
  it->second.set_name(name);
  by_name_.insert(&*it);
}

void NodeGraph::set_type(long id, const std::string& type, bool view) {
  Node* node = get(id);
  if (node == nullptr) return;
  if (node->type() != type) {
    unindex(by_type_, node->type(), id);
    node->set_type(type);
    by_type_[type].insert(id);
  }
  set_view(id, view);
}

void NodeGraph::set_view(long id, bool view) {
  Node* node = get(id);
  if (node == nullptr) return;
  node->set_view(view);
  if (view) {
    views_.insert(id);
  } else {
    views_.erase(id);
  }
}

void NodeGraph::set_managed_objects(long id, std::vector<std::string> keys) {
  Node* node = get(id);
  if (node == nullptr) return;
  for (const std::string& key : node->managed_objects()) unindex(by_managed_object_, key, id);
  node->set_managed_objects(std::move(keys));
  for (const std::string& key : node->managed_objects()) by_managed_object_[key].insert(id);
}

void NodeGraph::set_parents(long id, const std::vector<long>& parents) {
  Node* node = get(id);
  if (node == nullptr) return;
  for (const long gone : missing_from(parents, node->parents())) {
    if (Node* p = get(gone)) p->remove_child(id);
  }
  for (const long added : missing_from(node->parents(), parents)) {
    if (Node* p = get(added)) p->add_child(id);
  }
  node->set_parents(parents);
}

void NodeGraph::set_peers(long id, const std::vector<long>& peers) {
  Node* node = get(id);
  if (node == nullptr) return;
  for (const long peer : node->peers()) unindex(peer_of_, peer, id);
  node->set_peers(peers);
  for (const long peer : peers) peer_of_[peer].insert(id);
}

void NodeGraph::set_propagate_peers(long id, const std::vector<long>& peers) {
  Node* node = get(id);
  if (node == nullptr) return;
  for (const long peer : node->propagate_peers()) unindex(propagate_peer_of_, peer, id);
  node->set_propagate_peers(peers);
  for (const long peer : peers) propagate_peer_of_[peer].insert(id);
}

void NodeGraph::set_propagate_up(long id, bool up) {
  if (Node* node = get(id)) node->set_propagate_up(up);
}

void NodeGraph::set_severity(long id, int severity) {
  if (Node* node = get(id)) node->set_severity(severity);
}

std::set<long> NodeGraph::named(std::string_view name) const {
  std::set<long> out;
  by_name_.visit_from(ByName::Key{name, std::numeric_limits<long>::min()}, [&](const Entry* entry) {
    if (entry->second.name() != name) return false;
    out.insert(out.end(), entry->first);
    return true;
  });
  return out;
}

std::set<long> NodeGraph::of_type(const std::string& type) const {
  std::set<long> out;
  const auto it = by_type_.find(type);
  if (it != by_type_.end()) it->second.visit([&out](long id) { out.insert(out.end(), id); });
  return out;
}

long NodeGraph::first_of_type(const std::string& type) const {
  long first = 0;
  const auto it = by_type_.find(type);
  if (it != by_type_.end()) {
    it->second.visit_from(std::numeric_limits<long>::min(), [&first](long id) {
      first = id;
      return false;
    });
  }
  return first;
}

const std::set<long>& NodeGraph::managing(const std::string& key) const {
  const auto it = by_managed_object_.find(key);
  return it == by_managed_object_.end() ? none() : it->second;
}

const std::set<long>& NodeGraph::listing_as_peer(long id) const {
  const auto it = peer_of_.find(id);
  return it == peer_of_.end() ? none() : it->second;
}

const std::set<long>& NodeGraph::listing_as_propagate_peer(long id) const {
  const auto it = propagate_peer_of_.find(id);
  return it == propagate_peer_of_.end() ? none() : it->second;
}

bool NodeGraph::reaches_up(long id, long ancestor) const {
  std::set<long> seen;
  std::vector<long> pending{id};
  while (!pending.empty()) {
    const long current = pending.back();
    pending.pop_back();
    if (current == ancestor) return true;
    if (!seen.insert(current).second) continue;
    if (const Node* node = find(current)) {
      const std::span<const long> parents = node->parents();
      pending.insert(pending.end(), parents.begin(), parents.end());
    }
  }
  return false;
}

template <typename F>
void NodeGraph::for_each_target(long id, const Node& node, F&& f) const {
  if (!node.propagate_up()) return;
  for (const long parent : node.parents()) f(parent);
  for (const long other : listing_as_propagate_peer(id)) f(other);
}

int NodeGraph::inflow(long id) const {
  const Node* node = find(id);
  if (node == nullptr) return kCleared;
  int value = node->severity();
  for (const auto* list : {&node->children(), &node->propagate_peers()}) {
    for (const long source : *list) {
      const Node* s = find(source);
      if (s != nullptr && s->propagate_up()) value = worse(value, s->propagated());
    }
  }
  return value;
}

// The propagated values of everything `lowered` flows into (listed in `discovered`, in
// the order found): the least values closed under the flow inside that region, from the
// inflow from outside it.
std::map<long, int> NodeGraph::settle_lowered(const std::vector<long>& lowered,
                                              std::vector<long>& discovered) const {
  std::set<long> region;
  std::vector<long> pending(lowered.rbegin(), lowered.rend());
  while (!pending.empty()) {
    const long id = pending.back();
    pending.pop_back();
    const Node* node = find(id);
    if (node == nullptr || !region.insert(id).second) continue;
    discovered.push_back(id);
    for_each_target(id, *node, [&pending](long target) { pending.push_back(target); });
  }
  std::map<long, int> value;
  for (const long id : region) {
    const Node& node = *find(id);
    int v = node.severity();
    for (const auto* list : {&node.children(), &node.propagate_peers()}) {
      for (const long source : *list) {
        const Node* s = find(source);
        if (s != nullptr && s->propagate_up() && region.count(source) == 0) {
          v = worse(v, s->propagated());
        }
      }
    }
    value[id] = v;
  }
  std::vector<long> work(region.begin(), region.end());
  while (!work.empty()) {
    const long id = work.back();
    work.pop_back();
    const int v = value[id];
    for_each_target(id, *find(id), [&](long target) {
      const auto it = value.find(target);
      if (it != value.end() && worse(it->second, v) != it->second) {
        it->second = v;
        work.push_back(target);
      }
    });
  }
  return value;
}

std::vector<long> NodeGraph::propagate(const std::vector<long>& lowered,
                                       const std::vector<long>& raised) {
  std::map<long, int> before;
  std::vector<long> order;
  auto touch = [&before, &order](long id, const Node& node) {
    if (before.emplace(id, node.propagated()).second) order.push_back(id);
  };

  // What may have fallen is worked out again from scratch over everything it flows into:
  // from the inflow from outside that region, the least values that are closed under the
  // flow inside it. Cycles of propagate peers then cannot keep an old value alive.
  if (!lowered.empty()) {
    std::vector<long> discovered;
    std::map<long, int> value = settle_lowered(lowered, discovered);
    for (const long id : discovered) {
      Node* node = get(id);
      touch(id, *node);
      node->set_propagated(value[id]);
    }
  }

  // What may have risen only pushes upwards while it raises something.
  std::vector<long> work;
  for (const long id : raised) {
    Node* node = get(id);
    if (node == nullptr) continue;
    touch(id, *node);
    node->set_propagated(worse(node->propagated(), node->severity()));
    work.push_back(id);
  }
  while (!work.empty()) {
    const long id = work.back();
    work.pop_back();
    const int v = find(id)->propagated();
    for_each_target(id, *find(id), [&](long target) {
      Node* t = get(target);
      if (t == nullptr || worse(t->propagated(), v) == t->propagated()) return;
      touch(target, *t);
      t->set_propagated(v);
      work.push_back(target);
    });
  }

  std::vector<long> changed;
  for (const long id : order) {
    const Node* node = find(id);
    if (node != nullptr && node->propagated() != before[id]) changed.push_back(id);
  }
  return changed;
}

}  // namespace hvx::mis::topo
