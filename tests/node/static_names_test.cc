#include <gtest/gtest.h>

#include <string>

#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node_dn.h"

namespace {

// Built by a static initialiser, before main: the name constants must already exist.
const VQTopoNodeDn kBuiltEarly("/systemId=name:\"early\"", 3);
const std::string kFragmentSeenEarly = VQ_DN_TOPO_NODE_PART2;

TEST(StaticNamesTest, NameConstantsExistBeforeOtherStaticObjects) {
  EXPECT_EQ(kFragmentSeenEarly, "\"/topoNodeDBId=NULL/topoNodeId=");
  EXPECT_EQ(kBuiltEarly.system_name(), "early");
  EXPECT_EQ(kBuiltEarly.unique_id(), 3);
}

}  // namespace
