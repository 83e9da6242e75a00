#include "node_world.h"

#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_type.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace node_testing {

VQIntegerSet attributes(std::initializer_list<long> members) {
  return vq_testing::set_of(VQTopoNode::attribute_count, members);
}

void NodeWorldTest::SetUp() {
  world_ = hvx::World::create("L");
  ASSERT_TRUE(world_->add_server("B"));
  ASSERT_TRUE(world_->link("L", "B"));
  hvx::Platform::default_platform() = world_->connect();
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  // The type categories are read from the server on first use; read them now, so that the
  // tests count only the requests of the operations they run.
  (void)VQTopoType::is_view("Network");
}

}  // namespace node_testing
