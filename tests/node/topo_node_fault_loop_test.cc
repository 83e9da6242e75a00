// Every server request of a create, a load and a store of a fully populated view node
// failed, dropped or damaged in turn: each gives the status its step reports, and leaves
// the database and the handle as that step leaves them.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <tuple>

#include "dedavuz_api/topo_node.h"
#include "hvx/testing.h"
#include "node_world.h"
#include "populated_node.h"
#include "support/vq_test.h"

namespace {

using node_testing::attributes;
using node_testing::Neighbours;
using node_testing::NodeWorldTest;
using Code = VQStatus::Code;
using N = VQTopoNode;

enum class Operation { create, load, store };
enum class Fault { fail, drop, corrupt };

// The requests each operation makes on the populated node, in order: the create (or the
// topoNode store, or boot), one per parent view for the positions, then for a create or
// store the boot that finds the topoView object and its store; a load boots it once.
constexpr int kRequests[] = {5, 4, 5};
// The step whose failure is not an error: the view attributes of a node whose topoView
// object cannot be found have nowhere to go.
constexpr int kViewBoot = 4;

void PrintTo(Operation operation, std::ostream* out) {
  static const char* const kNames[] = {"create", "load", "store"};
  *out << kNames[static_cast<int>(operation)];
}

void PrintTo(Fault fault, std::ostream* out) {
  static const char* const kNames[] = {"fail", "drop", "corrupt"};
  *out << kNames[static_cast<int>(fault)];
}

class NodeFaultTest : public NodeWorldTest {
 protected:
  void SetUp() override {
    NodeWorldTest::SetUp();
    ASSERT_VQ_OK(node_testing::make_neighbours(root(), n_));
    ASSERT_VQ_OK(node_testing::populate_view_node(n_, node_));
  }

  // Runs `operation` on the populated node (created beforehand for a load or a store)
  // with `plan` in place; counts the requests it made.
  VQStatus run(Operation operation, const std::shared_ptr<hvx::FaultPlan>& plan) {
    if (operation != Operation::create) {
      EXPECT_VQ_OK(node_.create_with_all_attributes());
      EXPECT_VQ_OK(node_.get_dn(dn_));
    }
    loaded_ = N(dn_);
    if (operation == Operation::store) {
      EXPECT_VQ_OK(node_.set_name("stored"));
    }
    hvx::install_fault_plan(platform(), plan);
    VQStatus status;
    switch (operation) {
      case Operation::create:
        status = node_.create_with_all_attributes();
        break;
      case Operation::load:
        status = loaded_.load_some_attributes(node_testing::loadable_without_view_graph());
        break;
      case Operation::store:
        status = node_.store_all_attributes();
        break;
    }
    hvx::remove_fault_plan(platform());
    return status;
  }

  std::size_t nodes_in_database() { return hvx::topology_node_count(*world_, "L"); }

  // What the server holds now for the node, read through a fresh handle.
  N server_view(const VQTopoNodeDn& dn) {
    N node(dn);
    EXPECT_VQ_OK(node.load_some_attributes(
        attributes({N::name, N::logical_locations, N::view_background_image_filename})));
    return node;
  }

  Neighbours n_;
  N node_;
  N loaded_;
  VQTopoNodeDn dn_;
};

class NodeCleanRunTest : public NodeFaultTest, public ::testing::WithParamInterface<Operation> {};

TEST_P(NodeCleanRunTest, FitsTheLoop) {
  const auto plan = std::make_shared<hvx::FaultPlan>();
  EXPECT_VQ_OK(run(GetParam(), plan));
  EXPECT_EQ(plan->requests_seen(), kRequests[static_cast<int>(GetParam())]);
}

INSTANTIATE_TEST_SUITE_P(Operations, NodeCleanRunTest,
                         ::testing::Values(Operation::create, Operation::load, Operation::store));

class NodeRequestFaultTest
    : public NodeFaultTest,
      public ::testing::WithParamInterface<std::tuple<Operation, int, Fault>> {};

TEST_P(NodeRequestFaultTest, GivesItsStepsStatus) {
  const auto [operation, k, fault] = GetParam();
  const auto plan = std::make_shared<hvx::FaultPlan>();
  switch (fault) {
    case Fault::fail:
      plan->fail_request(k, hvx::ErrorCode::processing_failure, "injected");
      break;
    case Fault::drop:
      plan->drop_reply(k);
      break;
    case Fault::corrupt:
      plan->corrupt_reply(k);
      break;
  }
  const std::size_t before = nodes_in_database();
  const VQStatus status = run(operation, plan);
  if (operation != Operation::load && k == kViewBoot) {
    EXPECT_VQ_OK(status);
  } else {
    EXPECT_VQ_ERROR(status, Code::hvx_error);
    if (fault == Fault::fail) {
      EXPECT_EQ(status.message(), "processingFailure: injected");
    }
  }

  VQIntegerSet active;
  if (operation == Operation::load) {
    // Nothing of a failed load is made active.
    loaded_.get_active_attributes(active);
    EXPECT_EQ(active, attributes({N::dn}));
    return;
  }
  if (fault != Fault::fail) return;  // a lost reply leaves the outcome to the server

  std::string name;
  VQTopoNode::Location where;
  std::string background;
  if (operation == Operation::create && k == 1) {
    // Nothing was created, and the handle has no name.
    EXPECT_EQ(nodes_in_database(), before);
    node_.get_active_attributes(active);
    EXPECT_FALSE(active.is_member(N::dn));
    return;
  }
  if (operation == Operation::create) {
    // The topoNode object stays, and the handle carries its name.
    EXPECT_EQ(nodes_in_database(), before + 1);
    ASSERT_VQ_OK(node_.get_dn(dn_));
    EXPECT_TRUE(node_.exists());
  }
  const N server = server_view(dn_);
  EXPECT_VQ_OK(server.get_name(name));
  EXPECT_EQ(name, operation == Operation::store && k == 1 ? "B\xe2timent \xc3\xa9-7\xff"
                  : operation == Operation::store         ? "stored"
                                                          : "B\xe2timent \xc3\xa9-7\xff");
  // Positions are written parent by parent, the view's attributes last.
  const bool campus_placed = operation == Operation::store || k > 2;
  EXPECT_VQ_OK(server.get_logical_location(n_.campus, where));
  EXPECT_EQ(where, campus_placed ? VQTopoNode::Location(-10, 20, -30) : VQTopoNode::Location());
  const bool annex_placed = operation == Operation::store || k > 3;
  EXPECT_VQ_OK(server.get_logical_location(n_.annex, where));
  EXPECT_EQ(where, annex_placed ? VQTopoNode::Location(2147483647, -2147483647, 0)
                                : VQTopoNode::Location());
  EXPECT_VQ_OK(server.get_view_background_image_filename(background));
  EXPECT_EQ(background, operation == Operation::store ? "/maps/b\xe2timent.png" : "");

  // A store never changes what is active.
  if (operation == Operation::store) {
    node_.get_active_attributes(active);
    EXPECT_TRUE(active.is_member(N::dn));
    EXPECT_TRUE(active.is_member(N::bus_logical_locations));
  }
}

std::string name_of(const ::testing::TestParamInfo<std::tuple<Operation, int, Fault>>& info) {
  static const char* const kOperations[] = {"create", "load", "store"};
  static const char* const kFaults[] = {"fail", "drop", "corrupt"};
  const auto [operation, k, fault] = info.param;
  return std::string(kOperations[static_cast<int>(operation)]) + "_" + std::to_string(k) + "_" +
         kFaults[static_cast<int>(fault)];
}

INSTANTIATE_TEST_SUITE_P(
    Create, NodeRequestFaultTest,
    ::testing::Combine(::testing::Values(Operation::create), ::testing::Range(1, kRequests[0] + 1),
                       ::testing::Values(Fault::fail, Fault::drop, Fault::corrupt)),
    name_of);
INSTANTIATE_TEST_SUITE_P(
    Load, NodeRequestFaultTest,
    ::testing::Combine(::testing::Values(Operation::load), ::testing::Range(1, kRequests[1] + 1),
                       ::testing::Values(Fault::fail, Fault::drop, Fault::corrupt)),
    name_of);
INSTANTIATE_TEST_SUITE_P(
    Store, NodeRequestFaultTest,
    ::testing::Combine(::testing::Values(Operation::store), ::testing::Range(1, kRequests[2] + 1),
                       ::testing::Values(Fault::fail, Fault::drop, Fault::corrupt)),
    name_of);

}  // namespace
