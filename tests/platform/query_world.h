// The three-server world with the platform object made and the same small topology on
// every system: a Network view "net" under the root, holding the router "alpha" (which
// refers to kManaged) and the hub "beta".
#ifndef DEDAVUZ_TESTS_PLATFORM_QUERY_WORLD_H_
#define DEDAVUZ_TESTS_PLATFORM_QUERY_WORLD_H_

#include <string>
#include <vector>

#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "node/node_world.h"
#include "platform_world.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace platform_testing {

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

#endif  // DEDAVUZ_TESTS_PLATFORM_QUERY_WORLD_H_
