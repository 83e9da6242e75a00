// The graph template against a plain model: random insertions, arc changes and removals,
// with keys that share hashes across systems so that the table's probing and backward
// shifting on removal are exercised.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "dedavuz_api/topo_node_dn.h"
#include "dedavuz_api/val_dag.h"

namespace {

using Key = VQTopoNodeDn;
using Graph = VQTValDAG<int, Key>;
using Keys = VQList<Key>;

struct ModelNode {
  int data = 0;
  std::vector<Key> in;
  std::vector<Key> out;
};
using Model = std::map<Key, ModelNode>;

std::vector<Key> as_vector(const Keys& keys) { return {keys.begin(), keys.end()}; }

void expect_same(const Graph& graph, const Model& model) {
  ASSERT_EQ(graph.size(), model.size());
  for (const auto& [key, node] : model) {
    int data = -1;
    Keys in;
    Keys out;
    ASSERT_TRUE(graph.get_node(key, data, in, out)) << key;
    EXPECT_EQ(data, node.data) << key;
    EXPECT_EQ(as_vector(in), node.in) << key;    // link order
    EXPECT_EQ(as_vector(out), node.out) << key;
  }
}

void model_link(Model& model, const Key& parent, const Key& child) {
  model[parent].out.push_back(child);
  model[child].in.push_back(parent);
}

void model_unlink(Model& model, const Key& parent, const Key& child) {
  std::erase(model[parent].out, child);
  std::erase(model[child].in, parent);
}

void model_remove(Model& model, const Key& key) {
  for (const Key& parent : model[key].in) std::erase(model[parent].out, key);
  for (const Key& child : model[key].out) std::erase(model[child].in, key);
  model.erase(key);
}

bool on_system_b(const Key& key, const int&, void*) { return key.system_name() == "B"; }

TEST(ValDagTest, PlaceholderGetsItsDataAndKeepsItsArcs) {
  Graph graph;
  ASSERT_TRUE(graph.add_node(Key("L", 5), 50, {Key("L", 1)}, {}));
  int data = -1;
  ASSERT_TRUE(graph.get_node_data(Key("L", 1), data));
  EXPECT_EQ(data, 0);  // made as a placeholder
  EXPECT_FALSE(graph.add_node(Key("L", 1), 10, {}, {}));
  ASSERT_TRUE(graph.set_node_data(Key("L", 1), 10));
  Keys children;
  ASSERT_TRUE(graph.get_node_out_nodes(Key("L", 1), children));
  EXPECT_EQ(as_vector(children), std::vector<Key>{Key("L", 5)});
  EXPECT_FALSE(graph.get_node_in_nodes(Key("L", 9), children));
  EXPECT_TRUE(children.is_empty());
}

TEST(ValDagTest, RandomChangesMatchTheModel) {
  std::mt19937 random(7);
  Graph graph;
  Model model;
  // Ids 0..39 on two systems: every id's hash is shared by two keys.
  const auto any_key = [&] {
    return Key(random() % 2 ? "L" : "B", static_cast<long>(random() % 40));
  };
  for (int step = 0; step < 3000; ++step) {
    const Key key = any_key();
    const Key other = any_key();
    const bool known = model.count(key) > 0;
    switch (random() % 5) {
      case 0: {  // a node with a parent and a child, made or refused
        const Key child = any_key();
        if (other == key || child == key) break;
        const bool added = graph.add_node(key, step, {other}, {child});
        ASSERT_EQ(added, !known);
        if (added) {
          model[key].data = step;
          model_link(model, other, key);
          model_link(model, key, child);
        }
        break;
      }
      case 1: {  // a parent added, linked once however often it is named
        ASSERT_EQ(graph.add_in_nodes(key, {other, other}), known);
        const bool linked = known && std::count(model[key].in.begin(), model[key].in.end(), other);
        if (known && !linked) model_link(model, other, key);
        break;
      }
      case 2:
        ASSERT_EQ(graph.remove_in_nodes(key, {other}), known);
        if (known && model.count(other) > 0) model_unlink(model, other, key);
        break;
      case 3:
        ASSERT_EQ(graph.remove_node(key), known);
        if (known) model_remove(model, key);
        break;
      default:
        if (step % 50 != 0) break;
        // A whole system goes; the other keeps its nodes and loses only arcs to it.
        graph.remove_node(&on_system_b, nullptr);
        for (auto it = model.begin(); it != model.end();) {
          const Key gone = it->first;
          ++it;
          if (gone.system_name() == "B") model_remove(model, gone);
        }
    }
    if (step % 100 == 0) expect_same(graph, model);
  }
  expect_same(graph, model);
}

}  // namespace
