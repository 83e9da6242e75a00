// Server events through the library: a node's rename as the server reports it, delivered
// through dispatch to the node callbacks, with 1 and with 100 callbacks registered, and the
// same events held and then released. Beside them, the platform's own delivery of the same
// events to one raw subscriber, with no library decoding.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <memory>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_rep.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/testing.h"
#include "hvx/world.h"

namespace {

long heard = 0;
void on_change(const VQTopoNodeCallbackData&) { ++heard; }

// One world and one platform object for the run, and the bytes of one real change event.
struct Stage {
  Stage() : world(hvx::World::create("L")) {
    hvx::Platform::default_platform() = world->connect();
    hvx::Platform& platform = hvx::Platform::default_platform();
    VQTopoNode node;
    VQTopoNodeDn dn;
    if (!VQTopoPlatform::initialize(platform, false) || !node.set_name("n") ||
        !node.set_type_name("Host") || !node.set_parents({VQTopoNodeDn("L", 1)}) ||
        !node.create_with_all_attributes() || !node.get_dn(dn)) {
      std::cerr << "events_bench: the stage could not be built\n";
      std::exit(1);
    }
    drain();
    hvx::EventRecorder recorder(platform);
    VQIntegerSet name(VQTopoNode::attribute_count);
    name.add(VQTopoNode::name);
    if (!node.set_name("renamed") || !node.store_some_attributes(name)) std::exit(1);
    drain();
    if (recorder.events().size() != 1) std::exit(1);
    change = recorder.events()[0].get_message().encode();
  }

  static Stage& get() {
    static Stage stage;
    return stage;
  }

  static void drain() {
    while (hvx::dispatch_recursive(true)) {
    }
  }

  std::shared_ptr<hvx::World> world;
  hvx::DataUnit change;
};

constexpr int kBatch = 10000;

void queue_batch(int count) {
  Stage& stage = Stage::get();
  for (int i = 0; i < count; ++i) hvx::inject_pdu(hvx::Platform::default_platform(), stage.change);
}

// Exactly `count` registrations of the change callback (the list is the library's own,
// filled directly so that one function can stand for many).
void register_callbacks(int count) {
  VQTopoNode::register_callback(attribute_value_change, &on_change, nullptr);
  while (static_cast<int>(VQTopoNodeRep::callbacks.entries()) < count) {
    VQTopoNodeRep::callbacks.append({attribute_value_change, &on_change, nullptr});
  }
  while (static_cast<int>(VQTopoNodeRep::callbacks.entries()) > count) {
    VQTopoNodeRep::callbacks.remove_at(0);
  }
}

void BM_ChangeEventsToNodeCallbacks(benchmark::State& state) {
  Stage::get();
  register_callbacks(static_cast<int>(state.range(0)));
  heard = 0;
  for (auto _ : state) {
    state.PauseTiming();
    queue_batch(kBatch);
    state.ResumeTiming();
    Stage::drain();
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
  state.counters["calls_per_event"] =
      static_cast<double>(heard) / static_cast<double>(state.iterations() * kBatch);
}
BENCHMARK(BM_ChangeEventsToNodeCallbacks)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_HeldAndReleased(benchmark::State& state) {
  Stage::get();
  register_callbacks(1);
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    VQTopoPlatform::hold_events(true);
    queue_batch(count);
    state.ResumeTiming();
    Stage::drain();
    VQTopoPlatform::hold_events(false);
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_HeldAndReleased)->Arg(100000)->Unit(benchmark::kMillisecond);

long raw_heard = 0;
void on_raw(void*, void*) { ++raw_heard; }

// The reference: the platform's delivery alone, to one raw subscriber.
void BM_PlatformDeliveryAlone(benchmark::State& state) {
  Stage& stage = Stage::get();
  const std::shared_ptr<hvx::World> world = hvx::World::create("R");
  hvx::Platform platform = world->connect();
  platform.when(hvx::DataUnit("RAW_EVENT"), hvx::Callback(&on_raw, nullptr));
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < kBatch; ++i) hvx::inject_pdu(platform, stage.change);
    state.ResumeTiming();
    while (platform.dispatch_recursive(true)) {
    }
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_PlatformDeliveryAlone)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
