// A world of one server, L, with the platform object initialised over it.
#ifndef DEDAVUZ_TESTS_AGENT_AGENT_WORLD_H_
#define DEDAVUZ_TESTS_AGENT_AGENT_WORLD_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dedavuz_api/topo_platform.h"
#include "hvx/testing.h"
#include "hvx/world.h"
#include "support/request_faults.h"
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

  std::shared_ptr<hvx::World> world_;
};

}  // namespace agent_testing

#endif  // DEDAVUZ_TESTS_AGENT_AGENT_WORLD_H_
