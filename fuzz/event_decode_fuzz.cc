// Arbitrary bytes delivered as server notifications to an initialised library with node and
// type callbacks registered: every event is decoded or dropped, never a crash, leak or hang.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <memory>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_type.h"
#include "hvx/testing.h"
#include "hvx/world.h"

namespace {

void on_node(const VQTopoNodeCallbackData& data) {
  VQIntegerSet active;
  data.node.get_active_attributes(active);
}
void on_type(const VQTopoTypeCallbackData&) {}

hvx::Platform& setup() {
  static const std::shared_ptr<hvx::World> world = [] {
    auto w = hvx::World::create("L");
    w->add_server("B");
    w->link("L", "B");
    hvx::Platform::default_platform() = w->connect();
    VQTopoPlatform::initialize(hvx::Platform::default_platform(), false);
    VQTopoNode::register_callback(all_events, &on_node, nullptr);
    VQTopoType::register_callback(all_events, &on_type, nullptr);
    // The diagnostics of dropped events are expected here by the thousand.
    std::cerr.setstate(std::ios::failbit);
    return w;
  }();
  (void)world;
  return hvx::Platform::default_platform();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  hvx::Platform& platform = setup();
  hvx::inject_pdu(platform, hvx::DataUnit(data, size));
  platform.dispatch_recursive(true);
  return 0;
}
