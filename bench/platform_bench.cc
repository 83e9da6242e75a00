// A confirmed request round trip to the embedded server (boot of one attribute) against the
// cost of encoding and decoding the same request and reply alone; notification fan-out to
// one RAW_EVENT subscriber.
#include <benchmark/benchmark.h>

#include "dn.h"
#include "hvx/ber.h"
#include "hvx/image.h"
#include "hvx/message.h"
#include "hvx/world.h"
#include "schema.h"
#include "server.h"

namespace {

struct Fixture {
  Fixture() : world(hvx::World::create("L")), platform(world->connect()) {
    hvx::Image type("topoTypeDBId=NULL/topoTypeId=\"R\"", "topoType", platform);
    type.set_str("topoTypeDefaultLayer", "net");
    type.create(hvx::Image());
    platform.dispatch_recursive(false);
  }
  std::shared_ptr<hvx::World> world;
  hvx::Platform platform;
};

void BM_BootOneAttributeRoundTrip(benchmark::State& state) {
  Fixture fixture;
  hvx::Image type("topoTypeDBId=NULL/topoTypeId=\"R\"", "topoType", fixture.platform);
  const hvx::DUArray attributes{"topoTypeDefaultLayer"};
  for (auto _ : state) {
    if (!type.boot(attributes)) state.SkipWithError("boot failed");
    benchmark::DoNotOptimize(type.exists());
  }
}
BENCHMARK(BM_BootOneAttributeRoundTrip);

// The same request and its reply through the codec only: request encoded and decoded,
// reply encoded and decoded.
void BM_BootOneAttributeCodecOnly(benchmark::State& state) {
  Fixture fixture;
  hvx::dn::Rdns name;
  hvx::dn::from_text("topoTypeDBId=NULL/topoTypeId=\"R\"", name);
  const hvx::Oid layer = hvx::mis::Schema::get().oid_of("topoTypeDefaultLayer");
  hvx::Message request(hvx::Message::GET_REQUEST);
  request.set_id(1);
  request.set_object_instance(hvx::dn::instance(name));
  hvx::Asn1Value ids = hvx::ber::set();
  ids.add_component(hvx::ber::oid(layer));
  request.set(hvx::Message::ATTRIBUTE_IDS, ids);
  hvx::Message reply(hvx::Message::GET_RESULT);
  reply.set_id(1);
  reply.set_object_instance(hvx::dn::instance(name));
  hvx::Asn1Value values = hvx::ber::set();
  hvx::Asn1Value pair = hvx::ber::sequence();
  pair.add_component(hvx::ber::oid(layer));
  pair.add_component(hvx::ber::octets("net", hvx::TAG_GRAPHSTR));
  values.add_component(pair);
  reply.set(hvx::Message::ATTRIBUTES, values);
  for (auto _ : state) {
    hvx::Message in;
    hvx::Message out;
    if (!hvx::Message::decode(request.encode(), in).ok() ||
        !hvx::Message::decode(reply.encode(), out).ok()) {
      state.SkipWithError("codec failed");
    }
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_BootOneAttributeCodecOnly);

void count_event(void* counter, void*) { ++*static_cast<long*>(counter); }

void BM_NotificationFanOut(benchmark::State& state) {
  Fixture fixture;
  long delivered = 0;
  fixture.platform.when("RAW_EVENT", hvx::Callback(&count_event, &delivered));
  hvx::mis::Server& server = *fixture.world->server("L");
  hvx::dn::Rdns name;
  hvx::dn::from_text("topoTypeDBId=NULL/topoTypeId=\"R\"", name);
  const hvx::mis::Schema& schema = hvx::mis::Schema::get();
  const hvx::Oid type_class = schema.find_class("topoType")->oid;
  const hvx::Oid change = schema.oid_of("attributeValueChange");
  const hvx::Asn1Value info = hvx::ber::sequence();
  constexpr int kBatch = 1000;
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) server.emit(type_class, name, change, info);
    fixture.platform.dispatch_recursive(true);
  }
  if (delivered != static_cast<long>(state.iterations()) * kBatch) {
    state.SkipWithError("notifications lost");
  }
  state.SetItemsProcessed(delivered);
}
BENCHMARK(BM_NotificationFanOut);

}  // namespace

BENCHMARK_MAIN();
