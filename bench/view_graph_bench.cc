// The view graph cache at size: fetching 100,000 views (and the memory each takes), a
// cached lookup by name beside one std::unordered_map lookup on the same keys, and path
// names whose cost follows the number of routes returned, not the size of the graph.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench_support.h"
#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/image.h"
#include "hvx/platform.h"
#include "hvx/world.h"

namespace {

using Rep = VQTopoPlatformRep;

constexpr long kViews = 100000;
constexpr long kPerRegion = 1000;
constexpr int kLatticeLevels = 12;

[[noreturn]] void fail(const std::string& what) { bench_support::fail("view_graph_bench", what); }

using bench_support::numbered;

long make_view(const std::string& name, const std::vector<long>& parents) {
  hvx::Image node("NONE", "topoNode", hvx::Platform::default_platform());
  std::string list = "{";
  for (const long parent : parents) {
    if (list.size() > 1) list.push_back(',');
    list += std::to_string(parent);
  }
  list.push_back('}');
  node.set_str("topoNodeName", hvx::DataUnit(name));
  node.set_str("topoNodeType", hvx::DataUnit(std::string("Network")));
  node.set_str("topoNodeParents", hvx::DataUnit(list));
  if (!node.create_within("/systemId=name:\"L\"/topoNodeDBId=NULL", hvx::Image())) {
    fail(std::string("create: ") + node.get_error_string());
  }
  return node.get_long("topoNodeId");
}

// One world: 100,000 views in regions of 1,000 under the root, and a lattice of two views
// per level, each under both views of the level above, so that a view of level n has 2^n
// routes from the root.
struct Views {
  Views() : world(hvx::World::create("L")) {
    hvx::Platform::default_platform() = world->connect();
    long region = 0;
    for (long i = 0; i < kViews; ++i) {
      if (i % kPerRegion == 0) region = make_view(numbered("region", i), {1});
      ids.push_back(make_view(numbered("v", i), {region}));
      if (i % 500 == 0) hvx::Platform::default_platform().dispatch_recursive(false);
    }
    std::vector<long> above = {1};
    for (int level = 1; level <= kLatticeLevels; ++level) {
      std::vector<long> here;
      for (int k = 0; k < 2; ++k) here.push_back(make_view(numbered("l", k), above));
      lattice.push_back(here[0]);
      above = here;
    }
    hvx::Platform::default_platform().dispatch_recursive(false);
    const std::size_t before = heap_in_use();
    if (!VQTopoPlatform::initialize(hvx::Platform::default_platform(), true)) fail("initialize");
    rep = Rep::instance();
    // Names of up to 15 bytes are held in place: what grows is the graph.
    bytes_per_view = static_cast<double>(heap_in_use() - before) /
                     static_cast<double>(rep->view_graph().size());
  }

  static Views& get() {
    static Views views;
    return views;
  }

  // Drops the local system's views and fetches them again.
  void fetch() {
    if (!rep->remove_system("L", false) || !rep->add_system("L", false, Rep::list_only)) {
      fail("fetch");
    }
    while (Rep::pending_view_graph_requests_count() > 0) {
      hvx::Platform::default_platform().dispatch_recursive(true);
    }
  }

  static std::size_t heap_in_use() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
  }

  std::shared_ptr<hvx::World> world;
  double bytes_per_view = 0;
  std::vector<long> ids;
  std::vector<long> lattice;  // one view per level, from level 1
  Rep* rep = nullptr;
};

void BM_FetchViews(benchmark::State& state) {
  Views& views = Views::get();
  for (auto _ : state) views.fetch();
  state.counters["views"] = static_cast<double>(views.rep->view_graph().size());
  // Measured on the first fetch, into an empty graph.
  state.counters["bytes_per_view"] = views.bytes_per_view;
  state.SetItemsProcessed(state.iterations() * static_cast<long>(views.rep->view_graph().size()));
}
BENCHMARK(BM_FetchViews)->Unit(benchmark::kMillisecond)->Iterations(3);

std::vector<VQTopoNodeDn> shuffled_keys() {
  std::vector<VQTopoNodeDn> keys;
  for (const long id : Views::get().ids) keys.emplace_back("L", id);
  std::shuffle(keys.begin(), keys.end(), std::mt19937(3));
  return keys;
}

void BM_CachedLookupByName(benchmark::State& state) {
  const Rep& rep = *Views::get().rep;
  const std::vector<VQTopoNodeDn> keys = shuffled_keys();
  std::string name;
  std::size_t i = 0;
  for (auto _ : state) {
    if (!rep.get_view_graph_node_name(keys[i], name)) fail("lookup " + std::to_string(keys[i].unique_id()) + " of " + std::to_string(rep.view_graph().size()));
    benchmark::DoNotOptimize(name.data());
    if (++i == keys.size()) i = 0;
  }
}
BENCHMARK(BM_CachedLookupByName);

// The reference: one std::unordered_map lookup on the same keys, giving the name.
void BM_UnorderedMapLookup(benchmark::State& state) {
  const std::vector<VQTopoNodeDn> keys = shuffled_keys();
  // Filled in id order, as the fetch fills the graph, and read in the same shuffled order.
  std::unordered_map<VQTopoNodeDn, std::string> names;
  for (const long id : Views::get().ids) names.emplace(VQTopoNodeDn("L", id), numbered("v", id));
  std::string name;
  std::size_t i = 0;
  for (auto _ : state) {
    const auto found = names.find(keys[i]);
    if (found == names.end()) fail("map lookup");
    name = found->second;
    benchmark::DoNotOptimize(name.data());
    if (++i == keys.size()) i = 0;
  }
}
BENCHMARK(BM_UnorderedMapLookup);

// The path names of a lattice view of level n: 2^n routes, in a graph of 100,000 views.
void BM_ViewTopologyPathnames(benchmark::State& state) {
  Views& views = Views::get();
  const VQTopoNodeDn view("L", views.lattice[static_cast<std::size_t>(state.range(0)) - 1]);
  VQList<std::string> paths;
  for (auto _ : state) {
    if (!views.rep->view_topology_pathnames(view, paths)) fail("pathnames");
    benchmark::DoNotOptimize(paths.entries());
  }
  state.counters["paths"] = static_cast<double>(paths.entries());
  state.SetItemsProcessed(state.iterations() * static_cast<long>(paths.entries()));
}
BENCHMARK(BM_ViewTopologyPathnames)->DenseRange(2, kLatticeLevels, 2);

}  // namespace


BENCHMARK_MAIN();
