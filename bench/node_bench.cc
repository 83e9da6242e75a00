// Node persistence against the embedded server, one node at a time: create, load and store
// of a fully populated view node, and the load of 10,000 nodes one by one. These are what
// the bulk queries are measured against.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "../tests/node/populated_node.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/platform.h"
#include "hvx/world.h"

namespace {

using node_testing::Neighbours;
using N = VQTopoNode;

// One world and one platform object for the whole run: the platform object is made once
// per process.
struct Campus {
  Campus() : world(hvx::World::create("L")) {
    hvx::Platform::default_platform() = world->connect();
    if (!VQTopoPlatform::initialize(hvx::Platform::default_platform(), false) ||
        !node_testing::make_neighbours(root, neighbours)) {
      std::cerr << "node_bench: the campus could not be built\n";
      std::exit(1);
    }
  }

  static Campus& get() {
    static Campus campus;
    return campus;
  }

  std::shared_ptr<hvx::World> world;
  const VQTopoNodeDn root{"L", 1};
  Neighbours neighbours;
};

N populated() {
  N node;
  if (!node_testing::populate_view_node(Campus::get().neighbours, node)) std::exit(1);
  return node;
}

void BM_CreatePopulatedViewNode(benchmark::State& state) {
  const N prototype = populated();
  for (auto _ : state) {
    N node = prototype;
    if (!node.create_with_all_attributes()) state.SkipWithError("create failed");
    // The database stays the same size from one iteration to the next.
    state.PauseTiming();
    if (!node.destroy()) state.SkipWithError("destroy failed");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreatePopulatedViewNode);

void BM_LoadPopulatedViewNode(benchmark::State& state) {
  N node = populated();
  VQTopoNodeDn dn;
  if (!node.create_with_all_attributes() || !node.get_dn(dn)) std::exit(1);
  const VQIntegerSet selection = node_testing::loadable_without_view_graph();
  for (auto _ : state) {
    N loaded(dn);
    if (!loaded.load_some_attributes(selection)) state.SkipWithError("load failed");
  }
}
BENCHMARK(BM_LoadPopulatedViewNode);

void BM_StorePopulatedViewNode(benchmark::State& state) {
  N node = populated();
  if (!node.create_with_all_attributes()) std::exit(1);
  for (auto _ : state) {
    if (!node.store_all_attributes()) state.SkipWithError("store failed");
  }
}
BENCHMARK(BM_StorePopulatedViewNode);

// 10,000 routers in 100 views; each iteration loads every one of them into its own
// handle, with every attribute a load can read without the view graph.
void BM_Load10000NodesOneByOne(benchmark::State& state) {
  static std::vector<VQTopoNodeDn> nodes;
  if (nodes.empty()) {
    for (int v = 0; v < 100; ++v) {
      VQTopoNodeDn view;
      if (!node_testing::make_node("view-" + std::to_string(v), "Network",
                                   {Campus::get().neighbours.campus}, view)) {
        std::exit(1);
      }
      for (int i = 0; i < 100; ++i) {
        VQTopoNodeDn dn;
        if (!node_testing::make_node("router-" + std::to_string(v) + "-" + std::to_string(i),
                                     "Router", {view}, dn)) {
          std::exit(1);
        }
        nodes.push_back(dn);
      }
    }
  }
  const VQIntegerSet selection = node_testing::loadable_without_view_graph();
  for (auto _ : state) {
    for (const VQTopoNodeDn& dn : nodes) {
      N loaded(dn);
      if (!loaded.load_some_attributes(selection)) state.SkipWithError("load failed");
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(nodes.size()));
}
BENCHMARK(BM_Load10000NodesOneByOne)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
