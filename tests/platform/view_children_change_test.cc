// The children of a view read again after they change: the server keeps each node's values
// encoded between exchanges, and every exchange must still answer the values as they are
// then, whether an application changed them or the database derived the change itself.
#include <gtest/gtest.h>

#include <string>

#include "dedavuz_api/topo_type.h"
#include "platform_world.h"

namespace {

using node_testing::make;
using vq_testing::got;
using platform_testing::QueryWorldTest;
using Node = VQTopoNode;
using Nodes = VQList<VQTopoNode>;

class ViewChildrenChangeTest : public QueryWorldTest {
 protected:
  // The children of `view_` in one exchange, each checked against a single load of it;
  // the child named `name`.
  Node child_named(const std::string& name) {
    Nodes nodes;
    const VQIntegerSet loadable = node_testing::loadable_without_view_graph();
    EXPECT_VQ_OK(topo_->load_nodes_in_view(view_, loadable, nodes));
    platform_testing::expect_as_loaded(nodes, loadable);
    Node found;
    for (const Node& node : nodes) {
      std::string own;
      if (node.get_name(own) && own == name) found = node;
    }
    return found;
  }

  VQTopoNodeDn view_;
};

TEST_F(ViewChildrenChangeTest, EachExchangeSeesTheChangesMadeBeforeIt) {
  view_ = make("v", "Network", {nodes_[1].root});
  const VQTopoNodeDn host = make("h", "Host", {view_});
  const VQTopoNodeDn sub = make("s", "Network", {view_});
  (void)VQTopoType::is_view("Network");
  EXPECT_EQ(got(child_named("h"), &Node::get_state), 0);

  // Set by an application: a value of the view object, not of the node.
  Node map(sub);
  ASSERT_VQ_ALL_OK(map.set_view_map_config_filename("city.map"),
                   map.store_some_attributes(selection({Node::view_map_config_filename})));
  EXPECT_EQ(got(child_named("s"), &Node::get_view_map_config_filename), "city.map");

  // Derived by the database: a new child joins the children of `sub`, and the severity
  // of a child flows up into its propagated severity.
  make("leaf", "Host", {sub}, {platform_testing::kManaged});
  const std::string system = view_.system_name();
  ASSERT_NE(world_->raise_alarm(system.substr(system.rfind('/') + 1), platform_testing::kManaged,
                                Node::critical),
            0);
  EXPECT_EQ(got(child_named("s"), &Node::get_children).entries(), 1u);
  EXPECT_EQ(got(child_named("s"), &Node::get_propagated_severity), Node::critical);

  // A node that becomes a view gains a view object; one deleted and another made in its
  // place must not answer the old one's values.
  Node retyped(host);
  ASSERT_VQ_ALL_OK(retyped.set_type_name("Network"),
                   retyped.store_some_attributes(selection({Node::type_name})));
  got(child_named("h"), &Node::get_view_map_config_filename);
  ASSERT_VQ_OK(Node(sub).destroy());
  make("s2", "Host", {view_});
  EXPECT_EQ(got(child_named("s2"), &Node::get_state), 0);
}

}  // namespace
