// The topology database at size: creating nodes under one view (each one joins the view's
// children and gets its place there), finding nodes by name in a large database, and the
// attributes of every child of a large view in linked replies. Each is set beside a
// smaller case, so that the figures show how the cost grows.
#include <benchmark/benchmark.h>

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

// Fills the local server's database directly, as if applications had made the nodes: a
// view under the root, then `count` hosts spread over views of `per_view` each.
struct Database {
  Database(long count, long per_view) : world(hvx::World::create("L")) {
    server = world->server("L");
    long view = 0;
    for (long i = 0; i < count; ++i) {
      if (i % per_view == 0) view = make("view", "Network", 1);
      std::string name = "alpha";
      if (i % 10000 != 0) name = std::to_string(i);
      make(name, "Host", view);
    }
    platform = world->connect();
  }

  long make(const std::string& name, const std::string& type, long parent) {
    const topo::Identifiers& ids = topo::Identifiers::get();
    hvx::Asn1Value parents = hvx::ber::set();
    parents.add_component(hvx::ber::integer(parent));
    const hvx::mis::ManagedObject* created = nullptr;
    server
        ->create("topoNode", {}, ids.node_db(),
                 {{ids.node(topo::kName), hvx::ber::octets(name, hvx::TAG_GRAPHSTR)},
                  {ids.node(topo::kType), hvx::ber::octets(type, hvx::TAG_GRAPHSTR)},
                  {ids.node(topo::kParents), parents}},
                 &created)
        .IgnoreError();  // a refused node leaves `created` null, and the id 0
    long id = 0;
    if (created != nullptr) created->find(ids.node(topo::kNodeId))->decode_int(id);
    return id;
  }

  std::shared_ptr<hvx::World> world;
  hvx::mis::Server* server = nullptr;
  hvx::Platform platform;
};

// Creating nodes through the client, each inside the node database as the node handle does,
// all under one view (range(0) nodes) or spread over views of 100.
void BM_CreateNodes(benchmark::State& state, bool one_view) {
  const long count = state.range(0);
  for (auto _ : state) {
    state.PauseTiming();
    Database database(0, 1);
    long view = database.make("view", "Network", 1);
    state.ResumeTiming();
    for (long i = 0; i < count; ++i) {
      if (!one_view && i % 100 == 0) view = database.make("view", "Network", 1);
      hvx::Image node("NONE", "topoNode", database.platform);
      node.set_str("topoNodeName", "host");
      node.set_str("topoNodeType", "Host");
      std::string parents = std::to_string(view);
      parents.insert(parents.begin(), '{');
      parents.push_back('}');
      node.set_str("topoNodeParents", hvx::DataUnit(parents));
      if (!node.create_within("/systemId=name:\"L\"/topoNodeDBId=NULL", hvx::Image())) {
        state.SkipWithError(node.get_error_string());
        break;
      }
      // The application reads its notifications as they come.
      if (i % 100 == 99) database.platform.dispatch_recursive(false);
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK_CAPTURE(BM_CreateNodes, one_view, true)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreateNodes, views_of_100, false)
    ->Arg(1000)
    ->Arg(10000)
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
