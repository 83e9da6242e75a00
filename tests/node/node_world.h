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
#include "hvx/platform.h"
#include "hvx/world.h"

namespace node_testing {

// The node numbers of a selection, capacity 36.
VQIntegerSet attributes(std::initializer_list<long> members);

class NodeWorldTest : public ::testing::Test {
 protected:
  void SetUp() override;

  hvx::Platform& platform() { return hvx::Platform::default_platform(); }
  // The root view every database starts with.
  static VQTopoNodeDn root() { return VQTopoNodeDn("L", 1); }

  // Creates a node with its name, type and parents; the null name when that fails (the
  // test has then failed too).
  VQTopoNodeDn make(const std::string& name, const std::string& type,
                    const VQTopoNode::DnList& parents);

  std::shared_ptr<hvx::World> world_;
};

}  // namespace node_testing

#endif  // DEDAVUZ_TESTS_NODE_NODE_WORLD_H_
