// The queries that answer filled nodes: the children of a view in linked replies, and the
// attributes of the nodes of managed objects, read and written; each checked against what
// single loads of the same nodes give, and with its replies lost, repeated or refused.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dedavuz_api/topo_type.h"
#include "hvx/testing.h"
#include "platform_world.h"

namespace {

using node_testing::make;
using platform_testing::expect_as_loaded;
using platform_testing::kManaged;
using platform_testing::QueryWorldTest;
using Node = VQTopoNode;
using Nodes = VQList<VQTopoNode>;

// Three linked replies of 100, 100 and 50 children, then the final reply.
constexpr int kChildren = 250;

using node_testing::loadable_without_view_graph;

std::vector<long> ids_of(const Nodes& nodes) {
  std::vector<long> ids;
  for (const Node& node : nodes) {
    const VQTopoNodeDn dn = vq_testing::got(node, &Node::get_dn);
    EXPECT_EQ(dn.system_name(), "/L/B");
    ids.push_back(dn.unique_id());
  }
  return ids;
}

class ViewChildrenTest : public QueryWorldTest {
 protected:
  void SetUp() override {
    QueryWorldTest::SetUp();
    view_ = make("big", "Network", {nodes_[1].root});
    for (int i = 0; i < kChildren; ++i) {
      Node child;
      ASSERT_VQ_ALL_OK(
          child.set_name(vq_testing::numbered("c", i)),
          child.set_type_name(i % 3 == 0 ? "Router" : "Network"), child.set_parents({view_}),
          child.set_state(i), child.set_layer_name("layer " + std::to_string(i % 7)),
          child.set_display_statuses({{"up", i}, {"load", -i}}),
          child.set_logical_locations({{view_, {i, -i, 3}}}), child.create_with_all_attributes());
      children_.push_back(vq_testing::got(child, &Node::get_dn).unique_id());
    }
    // The first event delivered fills the type cache; fill it now, so that the exchanges
    // below make their own requests only.
    (void)VQTopoType::is_view("Network");
  }

  VQTopoNodeDn view_;
  std::vector<long> children_;  // in the order they joined the view
};

TEST_F(ViewChildrenTest, EveryChildOnceWithTheAttributesASingleLoadGives) {
  Nodes nodes;
  ASSERT_VQ_OK(topo_->load_nodes_in_view(view_, loadable_without_view_graph(), nodes));
  EXPECT_EQ(ids_of(nodes), children_);
  expect_as_loaded(nodes, loadable_without_view_graph());

  // View children alone ask the server for no attribute: only the names come back.
  Nodes named;
  const VQIntegerSet only_view_children = selection({Node::view_children});
  ASSERT_VQ_OK(topo_->load_nodes_in_view(view_, only_view_children, named));
  EXPECT_EQ(ids_of(named), children_);
  std::string name;
  EXPECT_VQ_ERROR(named.first().get_name(name), VQStatus::Code::attribute_not_set);
}

struct ReplyFault {
  const char* label;
  void (*install)(hvx::FaultPlan&);
  // The children lost, as [first, last) positions.
  int lost_from;
  int lost_to;
};

const ReplyFault kReplyFaults[] = {
    {"first_part_lost", [](hvx::FaultPlan& p) { p.drop_reply_part(1, 1); }, 0, 100},
    {"middle_part_lost", [](hvx::FaultPlan& p) { p.drop_reply_part(1, 2); }, 100, 200},
    {"last_part_lost", [](hvx::FaultPlan& p) { p.drop_reply_part(1, 3); }, 200, 250},
    {"final_reply_lost", [](hvx::FaultPlan& p) { p.drop_reply_part(1, 4); }, 0, 0},
    {"every_part_twice",
     [](hvx::FaultPlan& p) {
       p.duplicate_reply_part(1, 1)
           .duplicate_reply_part(1, 2)
           .duplicate_reply_part(1, 3)
           .duplicate_reply_part(1, 4);
     },
     0, 0},
    {"refused", [](hvx::FaultPlan& p) { p.fail_request(1, hvx::ErrorCode::processing_failure); }, 0,
     250},
    {"no_reply", [](hvx::FaultPlan& p) { p.drop_reply(1); }, 0, 250},
    {"damaged", [](hvx::FaultPlan& p) { p.corrupt_reply(1); }, 0, 250},
};

void PrintTo(const ReplyFault& fault, std::ostream* out) { *out << fault.label; }

class ViewChildrenFaultTest : public ViewChildrenTest,
                              public ::testing::WithParamInterface<ReplyFault> {};

// The exchange always ends, keeps what arrived, in order, and never lists a child twice.
TEST_P(ViewChildrenFaultTest, KeepsWhatArrivedOnce) {
  const auto plan = vq_testing::installed_plan(platform());
  GetParam().install(*plan);
  Nodes nodes;
  const VQIntegerSet wanted = selection({Node::name, Node::state, Node::logical_locations});
  EXPECT_VQ_OK(topo_->load_nodes_in_view(view_, wanted, nodes));
  EXPECT_EQ(plan->requests_seen(), 1);
  hvx::remove_fault_plan(platform());
  std::vector<long> expected = children_;
  expected.erase(expected.begin() + GetParam().lost_from, expected.begin() + GetParam().lost_to);
  EXPECT_EQ(ids_of(nodes), expected);
  expect_as_loaded(nodes, wanted);
}

INSTANTIATE_TEST_SUITE_P(Faults, ViewChildrenFaultTest, ::testing::ValuesIn(kReplyFaults),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(ViewChildrenTest, NotificationsQueuedBeforeTheRepliesReachTheirSubscribers) {
  hvx::EventRecorder recorder(platform());
  Node changed(VQTopoNodeDn("/L/B", children_[5]));
  ASSERT_VQ_ALL_OK(changed.set_state(-1), changed.store_some_attributes(selection({Node::state})));
  ASSERT_TRUE(recorder.events().empty());
  Nodes nodes;
  ASSERT_VQ_OK(topo_->load_nodes_in_view(view_, selection({Node::state}), nodes));
  EXPECT_FALSE(recorder.events().empty());
  ASSERT_EQ(nodes.entries(), static_cast<std::size_t>(kChildren));
  EXPECT_EQ(vq_testing::got(nodes[5], &Node::get_state), -1);
}

using ManagedObjectAttributesTest = QueryWorldTest;

TEST_F(ManagedObjectAttributesTest, ReadOverEverySystemAndKeptUpToAFailure) {
  const VQIntegerSet wanted = selection({Node::name, Node::type_name, Node::state, Node::parents,
                                         Node::logical_locations, Node::managed_objects});
  Nodes nodes{Node()};
  ASSERT_VQ_OK(topo_->get_attributes_by_mo({kManaged}, wanted, nodes, {}));
  ASSERT_EQ(nodes.entries(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(vq_testing::got(nodes[i], &Node::get_dn), nodes_[i].alpha);
  }
  expect_as_loaded(nodes, wanted);

  for (int k = 1; k <= 3; ++k) {
    const auto plan = vq_testing::installed_plan(platform());
    plan->fail_request(k, hvx::ErrorCode::processing_failure, "refused here");
    EXPECT_VQ_ERROR(topo_->get_attributes_by_mo({kManaged}, wanted, nodes, {}),
                    VQStatus::Code::hvx_error);
    hvx::remove_fault_plan(platform());
    EXPECT_EQ(nodes.entries(), static_cast<std::size_t>(k - 1));
    EXPECT_EQ(plan->requests_seen(), k);
  }
}

// B refuses: L took the values and answers them, B and C did not take them.
TEST_F(ManagedObjectAttributesTest, WrittenOverEverySystemUpToAFailure) {
  Node values;
  ASSERT_VQ_ALL_OK(values.set_state(7), values.set_layer_name("core"),
                   values.set_is_severity_propagated(false),
                   values.set_display_statuses({{"x", 1}, {"y", -2}}),
                   values.set_geographical_location({1.25, -3.5}, false));
  const VQIntegerSet written =
      selection({Node::state, Node::layer_name, Node::is_severity_propagated,
                 Node::display_statuses, Node::geographical_location});
  vq_testing::installed_plan(platform())->fail_request(2, hvx::ErrorCode::processing_failure);
  Nodes nodes;
  EXPECT_VQ_ERROR(topo_->set_attributes_by_mo({kManaged}, written, values, nodes, {}),
                  VQStatus::Code::hvx_error);
  hvx::remove_fault_plan(platform());
  ASSERT_EQ(nodes.entries(), 1u);
  Node untouched(nodes_[2].alpha);
  ASSERT_VQ_OK(untouched.load_some_attributes(written));
  nodes.append(untouched);
  VQIntegerSet differing(Node::attribute_count);
  EXPECT_FALSE(nodes[0].diff_some_attributes(values, written, differing)) << differing;
  EXPECT_TRUE(nodes[1].diff_some_attributes(values, written, differing));
  expect_as_loaded(nodes, written);
}

TEST_F(ManagedObjectAttributesTest, ValuesThatCannotBeSentAreRefusedBeforeAnyRequest) {
  Node values;
  ASSERT_VQ_OK(values.add_user_datum("noSuchAttribute", hvx::Morf()));
  record_requests();
  Nodes nodes;
  EXPECT_VQ_ERROR_TEXT(
      topo_->set_attributes_by_mo({kManaged}, selection({Node::user_data}), values, nodes, {}),
      VQStatus::Code::hvx_error, "VQTopoPlatformRep::get_attributes_values_from_node");
  EXPECT_VQ_ERROR(topo_->get_attributes_by_mo({"no name"}, selection({Node::name}), nodes, {}),
                  VQStatus::Code::encode_error);
  EXPECT_EQ(requests_seen(), 0);
}

}  // namespace
