// A fresh world for end-to-end node tests: local server L with B linked under it, the
// default platform connected to L and the platform object initialised over it. Every test
// runs in its own process, so each initialises the platform object once.
#ifndef DEDAVUZ_TESTS_NODE_NODE_WORLD_H_
#define DEDAVUZ_TESTS_NODE_NODE_WORLD_H_

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_dn.h"
#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_type.h"
#include "hvx/platform.h"
#include "hvx/world.h"
#include "node/populated_node.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace node_testing {

// The node numbers of a selection, capacity 36.
inline VQIntegerSet attributes(std::initializer_list<long> members) {
  return vq_testing::set_of(VQTopoNode::attribute_count, members);
}

// Creates a node with its name, type, parents and managed objects; the null name when that
// fails (the test has then failed too).
inline VQTopoNodeDn make(const std::string& name, const std::string& type,
                         const VQTopoNode::DnList& parents,
                         const VQList<std::string>& managed = {}) {
  VQTopoNodeDn dn;
  EXPECT_VQ_OK(make_node(name, type, parents, dn, managed)) << name;
  return dn;
}

class NodeWorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world_ = hvx::World::create("L");
    ASSERT_TRUE(world_->add_server("B"));
    ASSERT_TRUE(world_->link("L", "B"));
    hvx::Platform::default_platform() = world_->connect();
    ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
    // The type categories are read from the server on first use; read them now, so that
    // the tests count only the requests of the operations they run.
    (void)VQTopoType::is_view("Network");
  }

  hvx::Platform& platform() { return hvx::Platform::default_platform(); }
  // The root view every database starts with.
  static VQTopoNodeDn root() { return VQTopoNodeDn("L", 1); }

  std::shared_ptr<hvx::World> world_;
};

}  // namespace node_testing

#endif  // DEDAVUZ_TESTS_NODE_NODE_WORLD_H_
