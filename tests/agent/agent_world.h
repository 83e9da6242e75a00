// A world of one server, L, with the platform object initialised over it, and the fault
// loop the agent operations are run through.
#ifndef DEDAVUZ_TESTS_AGENT_AGENT_WORLD_H_
#define DEDAVUZ_TESTS_AGENT_AGENT_WORLD_H_

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "dedavuz_api/topo_platform.h"
#include "hvx/testing.h"
#include "hvx/world.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace agent_testing {

class AgentWorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world_ = hvx::World::create("L");
    platform() = world_->connect();
    ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  }
  static hvx::Platform& platform() { return hvx::Platform::default_platform(); }

  // Runs `operation` with its k-th request refused, for k = 1, 2, ... until a run makes
  // fewer than k requests; `after` checks each refused run's status. Gives the number of
  // requests of the run that went through, whose status must be success.
  int fault_loop(const std::function<VQStatus()>& operation,
                 const std::function<void(const VQStatus&)>& after) {
    for (int k = 1; k < 20; ++k) {
      SCOPED_TRACE("request " + std::to_string(k));
      const auto plan = vq_testing::fault_at(k, vq_testing::Fault::fail);
      hvx::install_fault_plan(platform(), plan);
      const VQStatus status = operation();
      hvx::remove_fault_plan(platform());
      if (plan->requests_seen() < k) {
        EXPECT_VQ_OK(status);
        return k - 1;
      }
      EXPECT_VQ_ERROR_TEXT(status, VQStatus::Code::hvx_error, "processingFailure: injected");
      after(status);
    }
    ADD_FAILURE() << "the operation never went through";
    return -1;
  }

  std::shared_ptr<hvx::World> world_;
};

}  // namespace agent_testing

#endif  // DEDAVUZ_TESTS_AGENT_AGENT_WORLD_H_
