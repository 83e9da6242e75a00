// The topology database at size: creating nodes under one view (each one joins the view's
// children and gets its place there), the server's memory per node, finding nodes by name in
// a large database, and the attributes of every child of a large view in linked replies.
// Each is set beside a smaller case, so that the figures show how the cost grows.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <ctime>
#include <memory>
#include <string>

#include "hvx/ber.h"
#include "hvx/image.h"
#include "hvx/message.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/world.h"
#include "schema.h"
#include "server.h"
#include "topo/identifiers.h"

namespace {

namespace topo = hvx::mis::topo;

// A node made directly on the server, as if an application had made it; its id (0 when
// refused).
long make(hvx::mis::Server& server, const std::string& name, const std::string& type, long parent) {
  const topo::Identifiers& ids = topo::Identifiers::get();
  hvx::Asn1Value parents = hvx::ber::set();
  parents.add_component(hvx::ber::integer(parent));
  const hvx::mis::ManagedObject* created = nullptr;
  server
      .create("topoNode", {}, ids.node_db(),
              {{ids.node(topo::kName), hvx::ber::octets(name, hvx::TAG_GRAPHSTR)},
               {ids.node(topo::kType), hvx::ber::octets(type, hvx::TAG_GRAPHSTR)},
               {ids.node(topo::kParents), parents}},
              &created)
      .IgnoreError();  // a refused node leaves `created` null, and the id 0
  long id = 0;
  if (created != nullptr) created->find(ids.node(topo::kNodeId))->decode_int(id);
  return id;
}

// `count` hosts spread over views of `per_view` each, every view under the root.
void fill(hvx::mis::Server& server, long count, long per_view) {
  long view = 0;
  for (long i = 0; i < count; ++i) {
    if (i % per_view == 0) view = make(server, "view", "Network", 1);
    std::string name = "alpha";
    if (i % 10000 != 0) name = std::to_string(i);
    make(server, name, "Host", view);
  }
}

// The local server's database filled directly, then a client connected to it.
struct Database {
  Database(long count, long per_view) : world(hvx::World::create("L")) {
    server = world->server("L");
    fill(*server, count, per_view);
    platform = world->connect();
  }

  std::shared_ptr<hvx::World> world;
  hvx::mis::Server* server = nullptr;
  hvx::Platform platform;
};

// Seconds of processor time (client and servers share the process; other work on the
// machine does not count) to create `count` nodes through the client, each inside the node
// database as the node handle does, all under one view or spread over views of 100.
double seconds_to_create(long count, bool one_view) {
  Database database(0, 1);
  long view = make(*database.server, "view", "Network", 1);
  const std::clock_t start = std::clock();
  for (long i = 0; i < count; ++i) {
    if (!one_view && i % 100 == 0) view = make(*database.server, "view", "Network", 1);
    hvx::Image node("NONE", "topoNode", database.platform);
    node.set_str("topoNodeName", "host");
    node.set_str("topoNodeType", "Host");
    std::string parents = std::to_string(view);
    parents.insert(parents.begin(), '{');
    parents.push_back('}');
    node.set_str("topoNodeParents", hvx::DataUnit(parents));
    if (!node.create_within("/systemId=name:\"L\"/topoNodeDBId=NULL", hvx::Image())) return -1;
    // The application reads its notifications as they come.
    if (i % 100 == 99) database.platform.dispatch_recursive(false);
  }
  database.platform.dispatch_recursive(false);
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// range(0) nodes created under one view beside the same number in views of 100: the time
// of one creation should not grow with the size of its view. The time reported is the one
// view's.
void BM_CreateNodes(benchmark::State& state) {
  const long count = state.range(0);
  for (auto _ : state) {
    const double one_view = seconds_to_create(count, true);
    const double spread = seconds_to_create(count, false);
    if (one_view < 0 || spread < 0) {
      state.SkipWithError("a creation failed");
      break;
    }
    state.SetIterationTime(one_view);
    state.counters["one_view_ms"] = one_view * 1e3;
    state.counters["views_of_100_ms"] = spread * 1e3;
    state.counters["ratio"] = one_view / spread;
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_CreateNodes)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The heap the allocator has handed out and not had back.
std::size_t heap_in_use() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// What the server holds per node in a database of range(0) hosts in views of range(1)
// (their views' nodes and places included), no client connected.
void BM_ServerMemoryPerNode(benchmark::State& state) {
  const long count = state.range(0);
  double per_node = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::shared_ptr<hvx::World> world = hvx::World::create("L");
    hvx::mis::Server& server = *world->server("L");
    const std::size_t before = heap_in_use();
    state.ResumeTiming();
    fill(server, count, state.range(1));
    state.PauseTiming();
    per_node = static_cast<double>(heap_in_use() - before) / static_cast<double>(count);
    world.reset();
    state.ResumeTiming();
  }
  state.counters["bytes_per_node"] = per_node;
}
BENCHMARK(BM_ServerMemoryPerNode)
    ->Args({100000, 100})
    ->Args({100000, 100000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// topoNodeGetByName in a database of range(0) nodes, as the platform object calls it; the
// name matches one node in every 10,000.
void BM_GetByName(benchmark::State& state) {
  Database database(state.range(0), 100);
  hvx::Image db("/systemId=name:\"L\"/topoNodeDBId=NULL", "", database.platform);
  hvx::Morf argument(db.get_param_syntax("topoNodeGetByName"));
  argument.set("\"alpha\"");
  size_t found = 0;
  for (auto _ : state) {
    const hvx::Morf reply = db.call_raw("topoNodeGetByName", argument);
    found = reply.num_elements();
    benchmark::DoNotOptimize(found);
  }
  if (found != static_cast<size_t>((state.range(0) + 9999) / 10000)) {
    state.SkipWithError("wrong number of nodes found");
  }
  state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_GetByName)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

struct Exchange {
  hvx::MessageSAP* sap = nullptr;
  size_t entries = 0;
  bool done = false;

  static void on_reply(void* client, void* raw) {
    auto* exchange = static_cast<Exchange*>(client);
    hvx::Message* message = exchange->sap->decode(raw);
    if (message == nullptr) return;
    exchange->entries += message->get_result_info().num_comps();
    if (message->is_final_reply()) exchange->done = true;
    delete message;
  }
};

// topoNodeChildAttrsByView of a view with range(0) children, asking for their names, types
// and places, as a view's nodes are loaded: the request on the raw service, the linked
// replies read as they arrive.
void BM_ChildAttributesOfAView(benchmark::State& state) {
  const long children = state.range(0);
  Database database(children, children);
  const hvx::mis::Schema& schema = hvx::mis::Schema::get();
  hvx::Message request(hvx::Message::ACTION_REQUEST);
  request.set_object_class(
      hvx::ber::oid(schema.oid_of("topoNodeDB"), hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 0)));
  hvx::Asn1Value instance = hvx::fdn2oi("/systemId=name:\"L\"/topoNodeDBId=NULL");
  instance.set_tag(hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 2));
  request.set_object_instance(instance);
  request.set_action_type(hvx::ber::oid(schema.oid_of("topoNodeChildAttrsByView"),
                                        hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 2)));
  hvx::Asn1Value info = hvx::ber::sequence();
  info.add_component(hvx::ber::integer(2));  // the first view
  hvx::Asn1Value ids = hvx::ber::set();
  for (const char* name : {"topoNodeName", "topoNodeType", "topoViewNodePosition"}) {
    ids.add_component(hvx::ber::oid(schema.oid_of(name)));
  }
  info.add_component(ids);
  request.set_action_info(info);
  size_t entries = 0;
  for (auto _ : state) {
    Exchange exchange;
    exchange.sap = database.platform.get_raw_sap();
    request.set_id(hvx::MessageSAP::new_id());
    exchange.sap->send(request, hvx::Callback(&Exchange::on_reply, &exchange), 2147483647.0);
    while (!exchange.done) database.platform.dispatch_recursive(true);
    entries = exchange.entries;
  }
  if (entries != static_cast<size_t>(children)) state.SkipWithError("children missing");
  state.SetItemsProcessed(state.iterations() * children);
}
BENCHMARK(BM_ChildAttributesOfAView)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
