// Agent lookup and node reports at size: the CMIP agent of a managed object among 100,000
// managed objects under 1,000 agents, beside the first-match scan it must agree with; and a
// node report of 10,000 nodes beside loading the same values node by node.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/ber.h"
#include "hvx/image.h"
#include "hvx/names.h"
#include "hvx/platform.h"
#include "hvx/testing.h"
#include "hvx/world.h"

namespace {

using Rep = VQTopoPlatformRep;

constexpr int kAgents = 1000;
constexpr int kObjectsPerAgent = 100;
constexpr long kNodes = 10000;

[[noreturn]] void fail(const std::string& what) { bench_support::fail("agent_lookup_bench", what); }

using bench_support::numbered;

// The managed object `i` of agent `agent`.
std::string managed_object(int agent, int i) {
  std::string fdn = "/systemId=name:\"";
  fdn += numbered("S", agent);
  fdn += "\"/topoNodeDBId=NULL/topoNodeId=";
  fdn += std::to_string(i);
  return fdn;
}

struct Database {
  Database() : world(hvx::World::create("L")) {
    hvx::Platform::default_platform() = world->connect();
    for (int agent = 0; agent < kAgents; ++agent) {
      hvx::Asn1Value objects = hvx::ber::set();
      for (int i = 0; i < kObjectsPerAgent; ++i) {
        objects.add_component(hvx::fdn2oi(managed_object(agent, i)));
      }
      std::string name = "agentTableType=\"CMIP\"/agentId=id:\"";
      name += numbered("a", agent);
      name.push_back('"');
      if (!hvx::create_object(*world, "L", "cmipAgentEntity", name, {{"managedDNs", objects}})
               .ok()) {
        fail("agent");
      }
    }
    for (long i = 0; i < kNodes; ++i) {
      hvx::Image node("NONE", "topoNode", hvx::Platform::default_platform());
      node.set_str("topoNodeName", hvx::DataUnit(numbered("n", i)));
      node.set_str("topoNodeType", hvx::DataUnit(std::string("Host")));
      node.set_str("topoNodeParents", hvx::DataUnit(std::string("{1}")));
      if (!node.create_within("/systemId=name:\"L\"/topoNodeDBId=NULL", hvx::Image())) {
        fail("node");
      }
      nodes.emplace_back("L", node.get_long("topoNodeId"));
      if (i % 500 == 0) hvx::Platform::default_platform().dispatch_recursive(false);
    }
    if (!VQTopoPlatform::initialize(hvx::Platform::default_platform(), false)) fail("initialize");
    for (int agent = 0; agent < kAgents; agent += 7) {
      for (int i = 0; i < kObjectsPerAgent; i += 13) {
        queries.push_back(managed_object(agent, i) + "/x=1");
      }
    }
  }

  static Database& get() {
    static Database database;
    return database;
  }

  std::shared_ptr<hvx::World> world;
  std::vector<VQTopoNodeDn> nodes;
  std::vector<std::string> queries;
};

void BM_CmipAgentLookup(benchmark::State& state) {
  Database& db = Database::get();
  const VQTopoPlatform& topo = *VQTopoPlatform::instance();
  VQCmipAgentDn agent;
  std::size_t i = 0;
  for (auto _ : state) {
    if (!topo.managed_object_to_cmip_agent(db.queries[i], agent)) fail("lookup");
    if (++i == db.queries.size()) i = 0;
  }
}
BENCHMARK(BM_CmipAgentLookup);

// The reference: the first record, in cache order, one of whose objects is a prefix.
void BM_CmipAgentScan(benchmark::State& state) {
  Database& db = Database::get();
  VQCmipAgentDn found;
  if (!VQTopoPlatform::instance()->managed_object_to_cmip_agent(db.queries[0], found)) {
    fail("load");
  }
  const VQList<Rep::CmipAgentInfo>& infos = Rep::instance()->cmip_agent_infos();
  std::size_t i = 0;
  for (auto _ : state) {
    std::string& query = db.queries[i];
    const Rep::CmipAgentInfo* first = nullptr;
    for (const Rep::CmipAgentInfo& info : infos) {
      if (Rep::cmip_agent_infos_tester(info, &query)) {
        first = &info;
        break;
      }
    }
    if (first == nullptr) fail("scan");
    VQCmipAgentDn agent;
    if (!VQTopoPlatform::instance()->managed_object_to_cmip_agent(query, agent) ||
        !(agent == first->agent_dn)) {
      fail("the lookup and the scan disagree");
    }
    if (++i == db.queries.size()) i = 0;
  }
}
BENCHMARK(BM_CmipAgentScan);

void BM_GenNodeReport(benchmark::State& state) {
  Database::get();
  for (auto _ : state) {
    VQList<VQTopoNodeReport> reports;
    if (!VQTopoPlatform::instance()->gen_node_report("L", reports)) fail("report");
    benchmark::DoNotOptimize(reports.entries());
  }
  state.SetItemsProcessed(state.iterations() * (kNodes + 1));
}
BENCHMARK(BM_GenNodeReport)->Unit(benchmark::kMillisecond);

// The reference: the report's values loaded node by node.
void BM_LoadEachNode(benchmark::State& state) {
  Database& db = Database::get();
  VQIntegerSet wanted(VQTopoNode::attribute_count);
  for (const int attribute : {VQTopoNode::name, VQTopoNode::type_name, VQTopoNode::children}) {
    wanted.add(attribute);
  }
  for (auto _ : state) {
    for (const VQTopoNodeDn& dn : db.nodes) {
      VQTopoNode node(dn);
      if (!node.load_some_attributes(wanted)) fail("load");
    }
  }
  state.SetItemsProcessed(state.iterations() * kNodes);
}
BENCHMARK(BM_LoadEachNode)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
