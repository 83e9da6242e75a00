// A fresh world for the platform object: local server L, B linked under L and C under B (C
// is reached only through B), with the default platform connected to L. Every test runs in
// its own process, so each may initialise the platform object once.
#ifndef DEDAVUZ_TESTS_PLATFORM_PLATFORM_WORLD_H_
#define DEDAVUZ_TESTS_PLATFORM_PLATFORM_WORLD_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/oid.h"
#include "hvx/oid_registry.h"
#include "hvx/platform.h"
#include "hvx/testing.h"
#include "hvx/world.h"
#include "node/node_world.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace platform_testing {

// The systems discovery finds in the three-server world, in order.
inline const std::vector<std::string> kThreeSystems = {"L", "/L/B", "/L/B/C"};

class PlatformWorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world_ = hvx::World::create("L");
    ASSERT_TRUE(world_->add_server("B"));
    ASSERT_TRUE(world_->add_server("C"));
    ASSERT_TRUE(world_->link("L", "B"));
    ASSERT_TRUE(world_->link("B", "C"));
    hvx::Platform::default_platform() = world_->connect();
  }

  hvx::Platform& platform() { return hvx::Platform::default_platform(); }

  // The systems registered with L's connection manager, in registration order.
  std::vector<std::string> registrations() {
    hvx::Image manager("/systemId=name:\"L\"/subsystemId=\"VQ-MIS\"/connectMgrId=\"ConnectMgr\"",
                       "connectMgr", platform());
    std::vector<std::string> systems;
    if (!manager.boot(hvx::DUArray{"registrations"}) || !manager.exists()) return systems;
    for (const hvx::Morf& entry : manager.get_raw("registrations").split_array()) {
      systems.push_back(entry.extract("systemName").get_str(0));
    }
    return systems;
  }

  // Records, from now on, every registration request the platform sends, as
  // "registerConnection <system> <application number>" (or deregisterConnection); and
  // counts every request in requests_seen().
  void record_requests() {
    plan_ = std::make_shared<hvx::FaultPlan>();
    const std::shared_ptr<std::vector<std::string>> sent = sent_;
    plan_->fail_requests_where(
        [sent](const hvx::Message& request) {
          hvx::Oid action;
          std::string name;
          if (request.type() != hvx::Message::ACTION_REQUEST ||
              !request.get_action_type().decode_oid(action) ||
              !hvx::OidNameRegistry::find_name_by_oid(action, name)) {
            return false;
          }
          name = hvx::get_shortname(name);
          std::string system;
          long number = 0;
          const hvx::Asn1Value& info = request.get_action_info();
          if ((name == "registerConnection" || name == "deregisterConnection") &&
              info.component(0).decode_octets(system) && info.component(1).decode_int(number)) {
            sent->push_back(name + " " + system + " " + std::to_string(number));
          }
          return false;
        },
        hvx::ErrorCode::processing_failure);
    hvx::install_fault_plan(platform(), plan_);
  }
  const std::vector<std::string>& sent_registrations() const { return *sent_; }
  int requests_seen() const { return plan_->requests_seen(); }
  // The application number the platform's APPLICATION_OBJNAME ends with.
  std::string application_number() {
    const std::string name = platform().get_prop("APPLICATION_OBJNAME").str();
    return name.substr(name.rfind('=') + 1);
  }

  std::shared_ptr<hvx::World> world_;
  std::shared_ptr<hvx::FaultPlan> plan_;
  std::shared_ptr<std::vector<std::string>> sent_ = std::make_shared<std::vector<std::string>>();
};

inline std::vector<std::string> to_vector(const VQList<std::string>& list) {
  return std::vector<std::string>(list.begin(), list.end());
}

inline const std::string kManaged = "/systemId=name:\"L\"/subsystemId=\"VQ-MIS\"";

struct SystemNodes {
  VQTopoNodeDn root;
  VQTopoNodeDn net;
  VQTopoNodeDn alpha;
  VQTopoNodeDn beta;
};

// Each node of `nodes` holds exactly `selection`, as a single load of it gives.
inline void expect_as_loaded(const VQList<VQTopoNode>& nodes, const VQIntegerSet& selection) {
  for (const VQTopoNode& node : nodes) {
    const VQTopoNodeDn dn = vq_testing::got(node, &VQTopoNode::get_dn);
    VQTopoNode loaded(dn);
    ASSERT_VQ_OK(loaded.load_some_attributes(selection));
    VQIntegerSet expected_active = selection;
    expected_active.add(VQTopoNode::dn);
    EXPECT_EQ(vq_testing::active_of(node), expected_active) << dn;
    VQIntegerSet differing(VQTopoNode::attribute_count);
    EXPECT_FALSE(node.diff_some_attributes(loaded, selection, differing)) << dn << differing;
  }
}

// The three-server world with the platform object made and the same small topology on
// every system: a Network view "net" under the root, holding the router "alpha" (which
// refers to kManaged) and the hub "beta".
class QueryWorldTest : public PlatformWorldTest {
 protected:
  void SetUp() override {
    PlatformWorldTest::SetUp();
    ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
    topo_ = VQTopoPlatform::instance();
    for (const std::string& system : kThreeSystems) {
      SystemNodes n;
      n.root = VQTopoNodeDn(system, 1);
      n.net = node_testing::make("net", "Network", {n.root});
      n.alpha = node_testing::make("alpha", "Router", {n.net}, {kManaged});
      n.beta = node_testing::make("beta", "Hub", {n.net});
      nodes_.push_back(n);
    }
  }

  static VQIntegerSet selection(std::initializer_list<long> members) {
    return vq_testing::set_of(VQTopoNode::attribute_count, members);
  }

  VQTopoPlatform* topo_ = nullptr;
  std::vector<SystemNodes> nodes_;  // per system of kThreeSystems
};

}  // namespace platform_testing

#endif  // DEDAVUZ_TESTS_PLATFORM_PLATFORM_WORLD_H_
