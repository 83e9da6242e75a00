// Create, load, store, destroy and exists, end to end against the embedded server.
#include <gtest/gtest.h>

#include <string>

#include "dedavuz_api/topo_node.h"
#include "node_world.h"
#include "support/vq_test.h"

namespace {

using node_testing::attributes;
using node_testing::NodeWorldTest;
using Code = VQStatus::Code;
using N = VQTopoNode;

using PersistenceTest = NodeWorldTest;

TEST_F(PersistenceTest, TheRootViewIsThere) {
  VQTopoNode node(root());
  EXPECT_TRUE(node.exists());
  ASSERT_VQ_OK(node.load_some_attributes(attributes({N::name, N::type_name, N::parents})));
  std::string name;
  EXPECT_VQ_OK(node.get_name(name));
  EXPECT_EQ(name, "Root");
}

}  // namespace
