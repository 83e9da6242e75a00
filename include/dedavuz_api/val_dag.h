// VQTValDAG<Data, Key>: a directed acyclic graph of values keyed by name, each node knowing
// its parents and its children in the order they were linked. Holds the cached view graph.
#ifndef DEDAVUZ_API_VAL_DAG_H_
#define DEDAVUZ_API_VAL_DAG_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "dedavuz_api/list.h"

// The arcs of one node, in link order. Most views sit in one parent, so one arc is held in
// place and only a second one costs an allocation.
template <typename Node>
class VQTValDAGArcs {
 public:
  VQTValDAGArcs() = default;
  VQTValDAGArcs(const VQTValDAGArcs&) = delete;
  VQTValDAGArcs& operator=(const VQTValDAGArcs&) = delete;
  ~VQTValDAGArcs() {
    if (capacity_ > 1) delete[] many_;
  }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  Node* const* begin() const { return data(); }
  Node* const* end() const { return data() + size_; }
  Node* operator[](std::size_t i) const { return data()[i]; }

  bool contains(const Node* node) const { return std::find(begin(), end(), node) != end(); }
  void push_back(Node* node) {
    if (size_ == capacity_) grow();
    data()[size_++] = node;
  }
  // Removes the first arc to `node`, keeping the order of the others.
  void erase(const Node* node) {
    Node** first = data();
    Node** last = first + size_;
    Node** at = std::find(first, last, node);
    if (at == last) return;
    std::move(at + 1, last, at);
    --size_;
  }
  template <typename Pred>
  void erase_if(Pred pred) {
    Node** first = data();
    size_ = static_cast<std::uint32_t>(std::remove_if(first, first + size_, pred) - first);
  }

 private:
  Node** data() { return capacity_ > 1 ? many_ : &one_; }
  Node* const* data() const { return capacity_ > 1 ? many_ : &one_; }
  void grow() {
    const std::uint32_t capacity = capacity_ * 2;
    Node** grown = new Node*[capacity];
    std::copy(data(), data() + size_, grown);
    if (capacity_ > 1) delete[] many_;
    many_ = grown;
    capacity_ = capacity;
  }

  union {
    Node* one_ = nullptr;
    Node** many_;
  };
  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = 1;
};

// One node: the arcs from its parents, the arcs to its children, its key and its value.
template <typename Data, typename Key>
struct VQTValDAGNode {
  VQTValDAGArcs<VQTValDAGNode> in_nodes;
  VQTValDAGArcs<VQTValDAGNode> out_nodes;
  Key key;
  Data data;

  VQTValDAGNode(const Key& k, const Data& d) : key(k), data(d) {}
};

// The graph owns its nodes. Naming an unknown parent or child makes a placeholder node
// holding a default Data. Every arc is recorded at both ends. Lookups hash the key with
// Hash; no operation's output depends on the hash order.
template <typename Data, typename Key, typename Hash = std::hash<Key>>
class VQTValDAG {
 public:
  using Node = VQTValDAGNode<Data, Key>;

  VQTValDAG() : slots_(kInitialSlots, nullptr) {}
  VQTValDAG(const VQTValDAG&) = delete;
  VQTValDAG& operator=(const VQTValDAG&) = delete;
  ~VQTValDAG() {
    for (Node* node : slots_) {
      if (node != nullptr) node->~Node();
    }
  }

  std::size_t size() const { return count_; }

  // False when the key exists (nothing changes); otherwise the node is made and linked
  // below each in-key and above each out-key, unknown ones made as placeholders.
  bool add_node(const Key& key, const Data& data, const VQList<Key>& in_keys,
                const VQList<Key>& out_keys) {
    if (find(key) != nullptr) return false;
    Node* node = insert(key, data);
    for (const Key& in : in_keys) link(find_or_add(in), node);
    for (const Key& out : out_keys) link(node, find_or_add(out));
    return true;
  }
  // Links each listed parent that is not one already.
  bool add_in_nodes(const Key& key, const VQList<Key>& in_keys) {
    Node* node = find(key);
    if (node == nullptr) return false;
    for (const Key& in : in_keys) {
      Node* parent = find_or_add(in);
      if (!node->in_nodes.contains(parent)) link(parent, node);
    }
    return true;
  }
  // Unlinks each listed parent that is linked.
  bool remove_in_nodes(const Key& key, const VQList<Key>& in_keys) {
    Node* node = find(key);
    if (node == nullptr) return false;
    for (const Key& in : in_keys) {
      Node* parent = find(in);
      if (parent == nullptr || !node->in_nodes.contains(parent)) continue;
      node->in_nodes.erase(parent);
      parent->out_nodes.erase(node);
    }
    return true;
  }
  bool remove_node(const Key& key) {
    Node* node = find(key);
    if (node == nullptr) return false;
    for (Node* parent : node->in_nodes) parent->out_nodes.erase(node);
    for (Node* child : node->out_nodes) child->in_nodes.erase(node);
    erase(node);
    return true;
  }
  // Removes every node the predicate holds for; true if any went. The arcs of the nodes
  // that stay are pruned once, so removing a whole system costs the size of the graph.
  bool remove_node(bool (*predicate)(const Key&, const Data&, void*), void* argument) {
    std::vector<Node*> doomed;
    for (Node* node : slots_) {
      if (node != nullptr && predicate(node->key, node->data, argument)) doomed.push_back(node);
    }
    if (doomed.empty()) return false;
    std::sort(doomed.begin(), doomed.end());
    const auto gone = [&doomed](const Node* node) {
      return std::binary_search(doomed.begin(), doomed.end(), node);
    };
    for (Node* node : doomed) {
      for (Node* parent : node->in_nodes) {
        if (!gone(parent)) parent->out_nodes.erase_if(gone);
      }
      for (Node* child : node->out_nodes) {
        if (!gone(child)) child->in_nodes.erase_if(gone);
      }
    }
    for (Node* node : doomed) erase(node);
    return true;
  }

  bool contains(const Key& key) const { return find(key) != nullptr; }
  // The node under `key`, null when there is none; valid until the graph next changes.
  const Node* find_node(const Key& key) const { return find(key); }
  bool get_node_data(const Key& key, Data& data) const {
    const Node* node = find(key);
    if (node == nullptr) return false;
    data = node->data;
    return true;
  }
  bool set_node_data(const Key& key, const Data& data) const {
    Node* node = find(key);
    if (node == nullptr) return false;
    node->data = data;
    return true;
  }
  bool get_node_in_nodes(const Key& key, VQList<Key>& in_keys) const {
    in_keys.clear();
    const Node* node = find(key);
    if (node == nullptr) return false;
    keys_of(node->in_nodes, in_keys);
    return true;
  }
  bool get_node_out_nodes(const Key& key, VQList<Key>& out_keys) const {
    out_keys.clear();
    const Node* node = find(key);
    if (node == nullptr) return false;
    keys_of(node->out_nodes, out_keys);
    return true;
  }
  bool get_node(const Key& key, Data& data, VQList<Key>& in_keys, VQList<Key>& out_keys) const {
    in_keys.clear();
    out_keys.clear();
    const Node* node = find(key);
    if (node == nullptr) return false;
    data = node->data;
    keys_of(node->in_nodes, in_keys);
    keys_of(node->out_nodes, out_keys);
    return true;
  }

  // Calls `visit` with every node, in no defined order.
  template <typename Visit>
  void for_each_node(Visit visit) const {
    for (const Node* node : slots_) {
      if (node != nullptr) visit(*node);
    }
  }

  static void keys_of(const VQTValDAGArcs<Node>& arcs, VQList<Key>& keys) {
    keys.reserve(arcs.size());
    for (const Node* node : arcs) keys.append(node->key);
  }

 private:
  static constexpr std::size_t kInitialSlots = 64;

  // Open addressing with linear probing over a power-of-two table at most three quarters
  // full: a slot is one pointer, and a lookup touches one cache line in the common case.
  std::size_t home(const Key& key) const {
    const std::uint64_t mixed = static_cast<std::uint64_t>(Hash()(key)) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(mixed >> 32) & (slots_.size() - 1);
  }
  Node* find(const Key& key) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = home(key);; i = (i + 1) & mask) {
      Node* node = slots_[i];
      if (node == nullptr || node->key == key) return node;
    }
  }
  Node* find_or_add(const Key& key) {
    Node* node = find(key);
    return node != nullptr ? node : insert(key, Data());
  }
  Node* insert(const Key& key, const Data& data) {
    if ((count_ + 1) * 4 > slots_.size() * 3) rehash(slots_.size() * 2);
    Node* made = new (allocate()) Node(key, data);
    place(made);
    ++count_;
    return made;
  }
  // Nodes live in blocks, handed out in order and reused once released: a graph filled
  // at once lies together in memory, and a node costs no allocation of its own. Blocks
  // double from 16 nodes up to 4,096.
  void* allocate() {
    if (!released_.empty()) {
      void* room = released_.back();
      released_.pop_back();
      return room;
    }
    if (blocks_.empty() || used_ == blocks_.back().count) {
      const std::size_t count =
          blocks_.empty() ? 16 : std::min<std::size_t>(blocks_.back().count * 2, 4096);
      blocks_.push_back(Block{std::make_unique<Room[]>(count), count});
      used_ = 0;
    }
    return &blocks_.back().rooms[used_++];
  }
  void place(Node* node) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = home(node->key);
    while (slots_[i] != nullptr) i = (i + 1) & mask;
    slots_[i] = node;
  }
  void rehash(std::size_t size) {
    std::vector<Node*> old(size, nullptr);
    old.swap(slots_);
    for (Node* node : old) {
      if (node != nullptr) place(node);
    }
  }
  // Takes the node out of the table (shifting back the entries that probed past it) and
  // releases it.
  void erase(Node* node) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t hole = home(node->key);
    while (slots_[hole] != node) hole = (hole + 1) & mask;
    for (std::size_t i = (hole + 1) & mask; slots_[i] != nullptr; i = (i + 1) & mask) {
      const std::size_t want = home(slots_[i]->key);
      // Moves back unless its home lies cyclically in (hole, i].
      const bool stays = hole <= i ? (hole < want && want <= i) : (hole < want || want <= i);
      if (stays) continue;
      slots_[hole] = slots_[i];
      hole = i;
    }
    slots_[hole] = nullptr;
    --count_;
    node->~Node();
    released_.push_back(node);
  }
  static void link(Node* parent, Node* child) {
    parent->out_nodes.push_back(child);
    child->in_nodes.push_back(parent);
  }

  struct Room {
    alignas(Node) unsigned char bytes[sizeof(Node)];
  };
  struct Block {
    std::unique_ptr<Room[]> rooms;
    std::size_t count;
  };

  std::vector<Node*> slots_;
  std::size_t count_ = 0;
  std::vector<Block> blocks_;
  std::size_t used_ = 0;  // of the last block
  std::vector<void*> released_;
};

#endif  // DEDAVUZ_API_VAL_DAG_H_
