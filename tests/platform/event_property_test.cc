// Property: whatever the mix of node and type changes on three servers, alarms, and holds
// and releases of delivery, every callback hears each change once, in the order the servers
// made them, and the type categories follow the server.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_type.h"
#include "hvx/image.h"
#include "node/populated_node.h"
#include "platform_world.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace platform_testing {
namespace {

std::vector<std::string> heard;

// The last component of a system path: events name a remote system by its route ("L/B"),
// creations by the discovered name ("/L/B").
std::string server_of(const std::string& system) { return system.substr(system.rfind('/') + 1); }
std::string who(const VQTopoNodeDn& dn) {
  return server_of(dn.system_name()) + vq_testing::numbered(":", dn.unique_id());
}

void on_node(const VQTopoNodeCallbackData& data) {
  const std::string who = platform_testing::who(data.dn);
  std::string name;
  if (data.event == object_creation) heard.push_back("create " + who);
  if (data.event == object_deletion) heard.push_back("delete " + who);
  if (data.event == attribute_value_change && data.node.get_name(name)) {
    heard.push_back("rename " + who + " " + name);
  }
}

void on_type(const VQTopoTypeCallbackData& data) {
  if (data.event != attribute_value_change) {
    heard.push_back((data.event == object_creation ? "type+ " : "type- ") + data.dn.unique_name());
  }
}

using vq_testing::drain;

using EventPropertyTest = PlatformWorldTest;

TEST_F(EventPropertyTest, CallbacksHearEveryChangeOnceInServerOrder) {
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  VQTopoNode::register_callback(all_events, &on_node, nullptr);
  VQTopoType::register_callback(all_events, &on_type, nullptr);
  std::mt19937 random(20261207);
  const std::vector<std::string> systems = kThreeSystems;
  std::vector<VQTopoNodeDn> live;
  std::vector<std::string> types;
  std::vector<std::string> expected;
  bool held = false;

  for (int step = 0; step < 160; ++step) {
    switch (random() % 7) {
      case 0:
      case 1: {
        const std::string& system = systems[random() % systems.size()];
        VQTopoNodeDn dn;
        ASSERT_VQ_OK(node_testing::make_node(vq_testing::numbered("n", step), "Host",
                                             {VQTopoNodeDn(system, 1)}, dn));
        live.push_back(dn);
        expected.push_back("create " + who(dn));
        break;
      }
      case 2:
      case 3: {
        if (live.empty()) break;
        VQTopoNode node(live[random() % live.size()]);
        const std::string name = vq_testing::numbered("r", step);
        ASSERT_VQ_ALL_OK(node.set_name(name),
                         node.store_some_attributes(
                             vq_testing::set_of(VQTopoNode::attribute_count, {VQTopoNode::name})));
        expected.push_back("rename " + who(vq_testing::got(node, &VQTopoNode::get_dn)) + " " +
                           name);
        break;
      }
      case 4: {
        if (live.empty()) break;
        const std::size_t i = random() % live.size();
        VQTopoNode node(live[i]);
        ASSERT_VQ_OK(node.destroy());
        expected.push_back("delete " + who(live[i]));
        live.erase(live.begin() + static_cast<long>(i));
        break;
      }
      case 5: {
        const std::string name = vq_testing::numbered("T", step);
        hvx::Image type(hvx::DataUnit("topoTypeDBId=NULL/topoTypeId=\"" + name + "\""),
                        hvx::DataUnit("topoType"), platform());
        if (!types.empty() && random() % 2 == 0) {
          ASSERT_TRUE(
              type.set_str("topoTypeDerivedFrom", hvx::DataUnit("{\"" + types.back() + "\"}")));
        } else {
          ASSERT_TRUE(type.set_str("topoTypeDerivedFrom", "{\"Link\"}"));
        }
        ASSERT_TRUE(type.create(hvx::Image()));
        types.push_back(name);
        expected.push_back("type+ " + name);
        break;
      }
      default: {
        if (!live.empty()) {
          // Severity changes are heard too, but carry no name: they must not disturb the rest.
          world_->raise_alarm(server_of(live.back().system_name()), "/systemId=name:\"x\"", 1);
        }
        held = !held;
        VQTopoPlatform::hold_events(held);
        break;
      }
    }
    if (random() % 3 == 0) drain();
  }
  drain();
  VQTopoPlatform::hold_events(false);
  EXPECT_EQ(heard, expected);
  for (const std::string& type : types) EXPECT_TRUE(VQTopoType::is_link(type)) << type;
}

}  // namespace
}  // namespace platform_testing
