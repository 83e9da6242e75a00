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

// The names of an agent class's attributes and of the number after the last, by blanks.
template <typename Agent>
std::string attribute_names() {
  std::string names;
  for (int n = 0; n <= Agent::attribute_count; ++n) {
    names += (n ? " " : "") + Agent::get_attribute_name(static_cast<typename Agent::Attribute>(n));
  }
  return names;
}

class AgentWorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world_ = hvx::World::create("L");
    platform() = world_->connect();
    ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  }
  static hvx::Platform& platform() { return hvx::Platform::default_platform(); }

  // Every request of a creation, a load, a store and a destruction of an agent holding
  // what a creation needs refused in turn (k = 1, 2, ... until a run makes fewer than k
  // requests): code 1 with the platform's text, the server and the loading handle as they
  // were. Each operation is one request. `change` gives the stored agent something new.
  template <typename Agent, typename Dn>
  void expect_each_request_refused_cleanly(const Agent& creatable, const Dn& dn,
                                           const std::function<VQStatus(Agent&)>& change) {
    VQIntegerSet name(Agent::attribute_count);
    name.add(Agent::dn);
    const auto on_server = [&] {
      Agent fresh(dn);
      EXPECT_VQ_OK(fresh.load_all_attributes());
      fresh.clear_some_attributes(name);
      return vq_testing::printed(fresh);
    };
    for (int operation = 0; operation < 4; ++operation) {
      Agent agent = creatable;
      if (operation != 0) {
        ASSERT_VQ_OK(agent.create_with_all_attributes());
      }
      const std::string before = operation == 0 ? "" : on_server();
      ASSERT_VQ_OK(change(agent));
      Agent loaded(dn);
      const std::function<VQStatus()> operations[] = {
          [&] { return agent.create_with_all_attributes(); },
          [&] { return loaded.load_all_attributes(); },
          [&] { return agent.store_all_attributes(); }, [&] { return agent.destroy(); }};
      for (int k = 1;; ++k) {
        SCOPED_TRACE("operation " + std::to_string(operation) + ", request " + std::to_string(k));
        const auto plan = vq_testing::fault_at(k, vq_testing::Fault::fail);
        hvx::install_fault_plan(platform(), plan);
        const VQStatus status = operations[operation]();
        hvx::remove_fault_plan(platform());
        if (plan->requests_seen() < k) {
          EXPECT_VQ_OK(status);
          EXPECT_EQ(k, 2);
          break;
        }
        ASSERT_LT(k, 2) << "more than one request";
        EXPECT_VQ_ERROR_TEXT(status, VQStatus::Code::hvx_error, "processingFailure: injected");
        VQIntegerSet active;
        loaded.get_active_attributes(active);
        EXPECT_EQ(active, name);
        EXPECT_EQ(agent.exists(), operation != 0);
        if (operation != 0) {
          EXPECT_EQ(on_server(), before);
        }
      }
      if (agent.exists()) {
        ASSERT_VQ_OK(agent.destroy());
      }
    }
  }

  std::shared_ptr<hvx::World> world_;
};

}  // namespace agent_testing

#endif  // DEDAVUZ_TESTS_AGENT_AGENT_WORLD_H_
