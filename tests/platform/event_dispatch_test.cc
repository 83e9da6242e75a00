#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "node/node_world.h"
#include "platform_world.h"
#include "support/helpers.h"
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
  VQTopoNodeDn inner;
  if (!node_testing::make_node("inner", "Host", {VQTopoNodeDn("L", 1)}, inner)) {
    heard.push_back("inner create failed");
  }
}

void on_system(const VQTopoPlatform::MisConnectionCallbackData& data) {
  heard.push_back((data.event == VQTopoPlatform::system_added ? "added " : "removed ") +
                  data.system_name);
}

using vq_testing::drain;

class EventDispatchTest : public PlatformWorldTest {
 protected:
  void SetUp() override {
    PlatformWorldTest::SetUp();
    heard.clear();
    ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false, true));
    VQTopoNode::register_callback(object_creation, &on_node, nullptr);
  }
};

TEST_F(EventDispatchTest, ReleaseFromACallbackDuringTheReplayDoesNotNest) {
  for (const char* name : {"a", "b"}) node_testing::make(name, "Host", {VQTopoNodeDn("L", 1)});
  drain();
  release_inside = true;
  VQTopoPlatform::hold_events(false);
  // A nested replay would hear the second node at depth 2.
  EXPECT_EQ(heard, (std::vector<std::string>{"node 0 2 depth 1", "node 0 3 depth 1"}));
}

TEST_F(EventDispatchTest, CallbacksMayChangeTheRegistrationsAndTheServerWhileCalled) {
  VQTopoPlatform::hold_events(false);
  VQTopoNode::unregister_callback(&on_node, nullptr);
  VQTopoNode::register_callback(object_creation, &creating_once, nullptr);
  for (const char* name : {"a", "b"}) node_testing::make(name, "Host", {VQTopoNodeDn("L", 1)});
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
