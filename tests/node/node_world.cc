#include "node_world.h"

#include "dedavuz_api/topo_platform.h"
#include "support/vq_test.h"

namespace node_testing {

VQIntegerSet attributes(std::initializer_list<int> members) {
  VQIntegerSet set(VQTopoNode::attribute_count);
  for (const int member : members) set.add(member);
  return set;
}

void NodeWorldTest::SetUp() {
  world_ = hvx::World::create("L");
  ASSERT_TRUE(world_->add_server("B"));
  ASSERT_TRUE(world_->link("L", "B"));
  hvx::Platform::default_platform() = world_->connect();
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
}

VQTopoNodeDn NodeWorldTest::make(const std::string& name, const std::string& type,
                                 const VQTopoNode::DnList& parents) {
  VQTopoNode node;
  EXPECT_VQ_OK(node.set_name(name));
  EXPECT_VQ_OK(node.set_type_name(type));
  EXPECT_VQ_OK(node.set_parents(parents));
  const VQStatus status = node.create_with_all_attributes();
  EXPECT_VQ_OK(status);
  VQTopoNodeDn dn;
  if (status) {
    EXPECT_VQ_OK(node.get_dn(dn));
  }
  return dn;
}

}  // namespace node_testing
