#include <gtest/gtest.h>

#include <memory>

#include "dedavuz_api/topo_node.h"
#include "hvx/testing.h"
#include "node_world.h"
#include "support/vq_test.h"

namespace node_testing {
namespace {

using ViewLoadTest = NodeWorldTest;

const VQIntegerSet kViewFiles =
    attributes({VQTopoNode::type_name, VQTopoNode::view_background_image_filename,
                VQTopoNode::view_config_data});

TEST_F(ViewLoadTest, ANodeOfAnotherTypeTakesTheDefaultsWithoutAskingForAView) {
  VQTopoNode node(make("h", "Host", {root()}));
  auto plan = std::make_shared<hvx::FaultPlan>();
  hvx::install_fault_plan(platform(), plan);
  EXPECT_VQ_OK(node.load_some_attributes(kViewFiles));
  EXPECT_EQ(plan->requests_seen(), 1);  // the topoNode object alone
  std::string file = "set";
  EXPECT_VQ_OK(node.get_view_background_image_filename(file));
  EXPECT_EQ(file, "");
}

TEST_F(ViewLoadTest, AViewWhoseViewObjectIsGoneIsMissingNotDefaulted) {
  const VQTopoNodeDn view = make("v", "Network", {root()});
  VQTopoNode node(view);
  // The second request, the boot of the view object, finds no object.
  auto plan = std::make_shared<hvx::FaultPlan>();
  plan->fail_request(2, hvx::ErrorCode::no_such_object_instance);
  hvx::install_fault_plan(platform(), plan);
  EXPECT_VQ_ERROR(node.load_some_attributes(kViewFiles), VQStatus::Code::object_does_not_exist);
}

}  // namespace
}  // namespace node_testing
