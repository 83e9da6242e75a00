#include <gtest/gtest.h>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_rep.h"

namespace {

void first(const VQTopoNodeCallbackData&) {}
void second(const VQTopoNodeCallbackData&) {}

TEST(TopoNodeCallbacksTest, RegistrationKeepsOneEntryPerEventAndCallback) {
  EXPECT_FALSE(VQTopoNodeRep::is_callbacks_initialized);
  int a = 0;
  int b = 0;
  VQTopoNode::register_callback(object_creation, &first, &a);
  EXPECT_TRUE(VQTopoNodeRep::is_callbacks_initialized);
  VQTopoNode::register_callback(object_deletion, &second, nullptr);
  VQTopoNode::register_callback(object_creation, &first, &b);  // replaces, moves last
  ASSERT_EQ(VQTopoNodeRep::callbacks.entries(), 2u);
  EXPECT_EQ(VQTopoNodeRep::callbacks[0].callback, &second);
  EXPECT_EQ(VQTopoNodeRep::callbacks[1].client_data, &b);

  VQTopoNode::register_callback(attribute_value_change, &first, nullptr);
  EXPECT_EQ(VQTopoNodeRep::callbacks.entries(), 3u);
  // Only the first registration of `first` goes, whatever its event.
  VQTopoNode::unregister_callback(&first, nullptr);
  ASSERT_EQ(VQTopoNodeRep::callbacks.entries(), 2u);
  EXPECT_EQ(VQTopoNodeRep::callbacks[1].event, attribute_value_change);
  VQTopoNode::unregister_callback(all_events, &first);
  VQTopoNode::unregister_callback(&first, nullptr);  // none left: nothing happens
  ASSERT_EQ(VQTopoNodeRep::callbacks.entries(), 1u);
  VQTopoNode::unregister_callback(&second, nullptr);
  EXPECT_TRUE(VQTopoNodeRep::callbacks.is_empty());
  EXPECT_TRUE(VQTopoNodeRep::is_callbacks_initialized);  // never cleared
}

}  // namespace
