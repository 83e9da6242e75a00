// The platform object's node queries at size: every attribute of the 10,000 children of a
// view in one exchange (asked again, and after a change) against one load per child, and
// nodes by type and by name as the database grows from 1,000 to 100,000 nodes (time per
// node found should stay flat).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/image.h"
#include "hvx/platform.h"
#include "hvx/world.h"

namespace {

using Node = VQTopoNode;

constexpr long kViewChildren = 10000;
constexpr long kPerView = 1000;

// One world and one platform object for the whole run.
struct Campus {
  Campus() : world(hvx::World::create("L")) {
    hvx::Platform::default_platform() = world->connect();
    if (!VQTopoPlatform::initialize(hvx::Platform::default_platform(), false)) fail("initialize");
    big_view = make("big", "Network", 1, {});
    for (long i = 0; i < kViewChildren; ++i) {
      big_children.push_back(make(std::to_string(i), i % 2 ? "Router" : "Subnetwork",
                                  big_view,
                                  {{"topoNodeState", std::to_string(i)},
                                   {"topoNodeLayer", "\"backbone\""},
                                   {"topoNodeDisplayStatus", "{{\"up\",1},{\"load\",7}}"},
                                   {"topoNodeMOSet", "{}"}}));
    }
  }

  static Campus& get() {
    static Campus campus;
    return campus;
  }

  static void fail(const std::string& what) {
    std::cerr << "query_bench: " << what << " failed\n";
    std::exit(1);
  }

  // A node made directly through the platform, as an application would; its id.
  long make(const std::string& name, const std::string& type, long parent,
            const std::vector<std::pair<std::string, std::string>>& more) {
    hvx::Image node("NONE", "topoNode", hvx::Platform::default_platform());
    node.set_str("topoNodeName", hvx::DataUnit(name));
    node.set_str("topoNodeType", hvx::DataUnit(type));
    std::string parents = std::to_string(parent);
    parents.insert(parents.begin(), '{');
    parents.push_back('}');
    node.set_str("topoNodeParents", hvx::DataUnit(parents));
    for (const auto& [attribute, value] : more) {
      node.set_str(hvx::DataUnit(attribute), hvx::DataUnit(value), hvx::REPLACE, 1);
    }
    if (!node.create_within("/systemId=name:\"L\"/topoNodeDBId=NULL", hvx::Image())) {
      fail(std::string("create: ") + node.get_error_string());
    }
    // Notifications are read as they come, so that they do not pile up.
    if (++made % 200 == 0) hvx::Platform::default_platform().dispatch_recursive(false);
    return node.get_long("topoNodeId");
  }

  // Grows the rest of the database to `count` nodes, in views of kPerView: one node in a
  // hundred is a Bridge, one in fifty is named "alpha".
  void grow_to(long count) {
    while (grown < count) {
      if (grown % kPerView == 0) view = make("view", "Network", 1, {});
      std::string name = std::to_string(grown);
      if (grown % 50 == 0) name = "alpha";
      make(name, grown % 100 == 0 ? "Bridge" : "Host", view, {});
      ++grown;
    }
  }

  std::shared_ptr<hvx::World> world;
  long made = 0;
  long big_view = 0;
  std::vector<long> big_children;
  long grown = 0;
  long view = 0;
};

VQIntegerSet loadable() {
  VQIntegerSet set(Node::attribute_count, true);
  set.remove(Node::topology_pathnames);
  set.remove(Node::view_children);
  return set;
}

void BM_ViewChildrenInOneExchange(benchmark::State& state) {
  Campus& campus = Campus::get();
  const VQTopoNodeDn view("L", campus.big_view);
  const VQIntegerSet selection = loadable();
  for (auto _ : state) {
    VQList<Node> nodes;
    if (!VQTopoPlatform::instance()->load_nodes_in_view(view, selection, nodes) ||
        nodes.entries() != static_cast<std::size_t>(kViewChildren)) {
      state.SkipWithError("children missing");
    }
  }
  state.SetItemsProcessed(state.iterations() * kViewChildren);
}
BENCHMARK(BM_ViewChildrenInOneExchange)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The same with one child changed before each exchange: the server cannot answer what it
// kept, and makes its answer again from each object's encoding.
void BM_ViewChildrenAfterAChange(benchmark::State& state) {
  Campus& campus = Campus::get();
  const VQTopoNodeDn view("L", campus.big_view);
  const VQIntegerSet selection = loadable();
  VQIntegerSet state_only(Node::attribute_count);
  state_only.add(Node::state);
  long round = 0;
  for (auto _ : state) {
    Node changed(VQTopoNodeDn("L", campus.big_children.front()));
    VQList<Node> nodes;
    if (!changed.set_state(++round) || !changed.store_some_attributes(state_only) ||
        !VQTopoPlatform::instance()->load_nodes_in_view(view, selection, nodes) ||
        nodes.entries() != static_cast<std::size_t>(kViewChildren)) {
      state.SkipWithError("children missing");
    }
  }
  state.SetItemsProcessed(state.iterations() * kViewChildren);
}
BENCHMARK(BM_ViewChildrenAfterAChange)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_ViewChildrenOneLoadEach(benchmark::State& state) {
  Campus& campus = Campus::get();
  const VQIntegerSet selection = loadable();
  for (auto _ : state) {
    for (const long id : campus.big_children) {
      Node node(VQTopoNodeDn("L", id));
      if (!node.load_some_attributes(selection)) state.SkipWithError("load failed");
    }
  }
  state.SetItemsProcessed(state.iterations() * kViewChildren);
}
BENCHMARK(BM_ViewChildrenOneLoadEach)->Unit(benchmark::kMillisecond)->Iterations(1);

// Nodes by type (range(1) 0: one node in a hundred) or by name (1: one in fifty) in a
// database of range(0) nodes; nodes found per second is the figure to compare across
// sizes.
void BM_FindNodes(benchmark::State& state) {
  Campus::get().grow_to(state.range(0));
  const bool by_name = state.range(1) == 1;
  std::size_t found = 0;
  for (auto _ : state) {
    VQList<VQTopoNodeDn> nodes;
    const VQTopoPlatform& topo = *VQTopoPlatform::instance();
    if (!(by_name ? topo.find_nodes_by_name("alpha", nodes, {"L"})
                  : topo.find_nodes_by_type("Bridge", nodes, {"L"}))) {
      state.SkipWithError("query failed");
    }
    found = nodes.entries();
  }
  if (found != static_cast<std::size_t>(state.range(0) / (by_name ? 50 : 100))) {
    state.SkipWithError("wrong count");
  }
  state.SetLabel(by_name ? "by name" : "by type");
  state.SetItemsProcessed(state.iterations() * static_cast<long>(found));
}
BENCHMARK(BM_FindNodes)
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
