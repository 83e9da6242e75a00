#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_type.h"
#include "hvx/image.h"
#include "platform_world.h"
#include "support/vq_test.h"

namespace platform_testing {
namespace {

// What the callbacks heard, in order, with the depth of replays each was heard at.
std::vector<std::string> heard;
int depth = 0;
bool release_inside = false;

void on_node(const VQTopoNodeCallbackData& data) {
  ++depth;
  heard.push_back("node " + std::to_string(data.event) + " " + std::to_string(data.dn.unique_id()) +
                  " depth " + std::to_string(depth));
  if (release_inside) {
    release_inside = false;
    VQTopoPlatform::hold_events(false);
  }
  --depth;
}

// Heard once: creates a node of its own, and hands over to on_node for later events.
void creating_once(const VQTopoNodeCallbackData& data) {
  heard.push_back("once " + std::to_string(data.dn.unique_id()));
  VQTopoNode::unregister_callback(&creating_once, nullptr);
  VQTopoNode::register_callback(object_creation, &on_node, nullptr);
  VQTopoNode node;
  if (!node.set_name("inner") || !node.set_type_name("Host") ||
      !node.set_parents({VQTopoNodeDn("L", 1)}) || !node.create_with_all_attributes()) {
    heard.push_back("inner create failed");
  }
}

void on_type(const VQTopoTypeCallbackData& data) {
  heard.push_back("type " + std::to_string(data.event) + " " + data.dn.unique_name());
}

void on_system(const VQTopoPlatform::MisConnectionCallbackData& data) {
  heard.push_back((data.event == VQTopoPlatform::system_added ? "added " : "removed ") +
                  data.system_name);
}

void drain() {
  while (hvx::dispatch_recursive(true)) {
  }
}

class EventDispatchTest : public PlatformWorldTest {
 protected:
  void SetUp() override {
    PlatformWorldTest::SetUp();
    heard.clear();
    ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false, true));
    VQTopoNode::register_callback(object_creation, &on_node, nullptr);
    VQTopoType::register_callback(all_events, &on_type, nullptr);
  }

  // Creates a node under the root view of L; its id.
  long make_node(const std::string& name) {
    VQTopoNode node;
    EXPECT_VQ_OK(node.set_name(name));
    EXPECT_VQ_OK(node.set_type_name("Host"));
    EXPECT_VQ_OK(node.set_parents({VQTopoNodeDn("L", 1)}));
    EXPECT_VQ_OK(node.create_with_all_attributes());
    VQTopoNodeDn dn;
    EXPECT_VQ_OK(node.get_dn(dn));
    return dn.unique_id();
  }

  // Creates the type `name` derived from Device on L, through the platform alone.
  void make_type(const std::string& name) {
    hvx::Image type(hvx::DataUnit("topoTypeDBId=NULL/topoTypeId=\"" + name + "\""),
                    hvx::DataUnit("topoType"), platform());
    ASSERT_TRUE(type.set_str("topoTypeDerivedFrom", "{\"Device\"}"));
    ASSERT_TRUE(type.create(hvx::Image())) << type.get_error_string();
  }
};

TEST_F(EventDispatchTest, HeldEventsWaitForTheReleaseAndArriveInOrder) {
  const long first = make_node("a");
  make_type("Gateway");
  const long second = make_node("b");
  drain();
  EXPECT_TRUE(heard.empty());
  VQTopoPlatform::hold_events(false);
  EXPECT_EQ(heard, (std::vector<std::string>{"node 0 " + std::to_string(first) + " depth 1",
                                             "type 0 Gateway", "type 2 Device",
                                             "node 0 " + std::to_string(second) + " depth 1"}));
  // Released: later events go straight through, and the cache has kept up.
  EXPECT_TRUE(VQTopoType::is_device("Gateway"));
  heard.clear();
  make_node("c");
  drain();
  EXPECT_EQ(heard.size(), 1u);
}

TEST_F(EventDispatchTest, ReleaseFromACallbackDuringTheReplayDoesNotNest) {
  make_node("a");
  make_node("b");
  drain();
  release_inside = true;
  VQTopoPlatform::hold_events(false);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_NE(heard[0].find("depth 1"), std::string::npos);
  EXPECT_NE(heard[1].find("depth 1"), std::string::npos) << "a nested replay ran inside the first";
}

TEST_F(EventDispatchTest, CallbacksMayChangeTheRegistrationsAndTheServerWhileCalled) {
  VQTopoPlatform::hold_events(false);
  VQTopoNode::unregister_callback(&on_node, nullptr);
  VQTopoNode::register_callback(object_creation, &creating_once, nullptr);
  make_node("a");
  make_node("b");
  drain();
  // The event being delivered is not heard again by the new registration; the inner
  // creation queues behind the outer ones.
  EXPECT_EQ(heard, (std::vector<std::string>{"once 2", "node 0 3 depth 1", "node 0 4 depth 1"}));
}

TEST_F(EventDispatchTest, ConnectionReportsKeepTheSystemListCurrent) {
  VQTopoPlatform::hold_events(false);
  VQTopoPlatform::register_mis_connection_callback(&on_system, nullptr);
  ASSERT_TRUE(world_->set_connected("B", false));
  drain();
  EXPECT_EQ(to_vector(VQTopoPlatform::instance()->system_names()), std::vector<std::string>{"L"});
  ASSERT_TRUE(world_->set_connected("B", true));
  drain();
  // A report names the server by its route, as L/B, where discovery said /L/B.
  EXPECT_EQ(heard, (std::vector<std::string>{"removed /L/B", "removed /L/B/C", "added L/B",
                                             "added L/B/C"}));
  EXPECT_EQ(to_vector(VQTopoPlatform::instance()->system_names()),
            (std::vector<std::string>{"L", "L/B", "L/B/C"}));
  // Either spelling is the same system: a second report adds nothing, and a disconnection
  // removes what the list holds.
  heard.clear();
  ASSERT_TRUE(world_->set_connected("B", false));
  drain();
  EXPECT_EQ(heard, (std::vector<std::string>{"removed L/B", "removed L/B/C"}));
}

}  // namespace
}  // namespace platform_testing
