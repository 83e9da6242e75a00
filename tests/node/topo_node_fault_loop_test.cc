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
#include "support/helpers.h"
#include "support/vq_test.h"

namespace {

using node_testing::attributes;
using node_testing::Neighbours;
using node_testing::NodeWorldTest;
using Code = VQStatus::Code;
using N = VQTopoNode;

enum class Operation { create, load, store };
using vq_testing::Fault;
using vq_testing::fault_at;

// The requests each operation makes on the populated node, in order: the create (or the
// topoNode store, or boot), one per parent view for the positions, then for a create or
// store the boot that finds the topoView object and its store; a load boots it once.
constexpr int kRequests[] = {5, 4, 5};
// The step whose failure is not an error: the view attributes of a node whose topoView
// object cannot be found have nowhere to go.
constexpr int kViewBoot = 4;

const char* const kOperations[] = {"create", "load", "store"};
void PrintTo(Operation operation, std::ostream* out) { *out << kOperations[int(operation)]; }

class NodeFaultTest : public NodeWorldTest {
 protected:
  void SetUp() override {
    NodeWorldTest::SetUp();
    ASSERT_VQ_ALL_OK(node_testing::make_neighbours(root(), n_),
                     node_testing::populate_view_node(n_, node_));
  }

  // Runs `operation` on the populated node (created beforehand for a load or a store)
  // with `plan` in place; counts the requests it made.
  VQStatus run(Operation operation, const std::shared_ptr<hvx::FaultPlan>& plan) {
    if (operation != Operation::create) {
      EXPECT_VQ_ALL_OK(node_.create_with_all_attributes(), node_.get_dn(dn_));
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
  const auto plan = fault_at(k, fault);
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

  using vq_testing::active_of;
  if (operation == Operation::load) {
    EXPECT_EQ(active_of(loaded_), attributes({N::dn}));  // nothing of a failed load
    return;
  }
  if (fault != Fault::fail) return;  // a lost reply leaves the outcome to the server

  VQTopoNode::Location where;
  if (operation == Operation::create && k == 1) {
    // Nothing was created, and the handle has no name.
    EXPECT_EQ(nodes_in_database(), before);
    EXPECT_FALSE(active_of(node_).is_member(N::dn));
    return;
  }
  if (operation == Operation::create) {
    // The topoNode object stays, and the handle carries its name.
    EXPECT_EQ(nodes_in_database(), before + 1);
    ASSERT_VQ_OK(node_.get_dn(dn_));
    EXPECT_TRUE(node_.exists());
  }
  const N server = server_view(dn_);
  EXPECT_EQ(vq_testing::got(server, &N::get_name),
            operation == Operation::store && k > 1 ? "stored" : "B\xe2timent \xc3\xa9-7\xff");
  // Positions are written parent by parent, the view's attributes last.
  const bool campus_placed = operation == Operation::store || k > 2;
  EXPECT_VQ_OK(server.get_logical_location(n_.campus, where));
  EXPECT_EQ(where, campus_placed ? VQTopoNode::Location(-10, 20, -30) : VQTopoNode::Location());
  const bool annex_placed = operation == Operation::store || k > 3;
  EXPECT_VQ_OK(server.get_logical_location(n_.annex, where));
  EXPECT_EQ(where, annex_placed ? VQTopoNode::Location(2147483647, -2147483647, 0)
                                : VQTopoNode::Location());
  EXPECT_EQ(vq_testing::got(server, &N::get_view_background_image_filename),
            operation == Operation::store ? "/maps/b\xe2timent.png" : "");

  // A store never changes what is active.
  if (operation == Operation::store) {
    EXPECT_TRUE(active_of(node_).is_member(N::dn) &&
                active_of(node_).is_member(N::bus_logical_locations));
  }
}

std::string name_of(const ::testing::TestParamInfo<std::tuple<Operation, int, Fault>>& info) {
  const auto [operation, k, fault] = info.param;
  return std::string(kOperations[static_cast<int>(operation)]) + "_" + std::to_string(k) + "_" +
         vq_testing::fault_name(fault);
}

#define EVERY_REQUEST_OF(operation)                                                     \
  INSTANTIATE_TEST_SUITE_P(                                                             \
      operation, NodeRequestFaultTest,                                                  \
      ::testing::Combine(::testing::Values(Operation::operation),                       \
                         ::testing::Range(1, kRequests[int(Operation::operation)] + 1), \
                         ::testing::ValuesIn(vq_testing::kFaults)),                     \
      name_of)
EVERY_REQUEST_OF(create);
EVERY_REQUEST_OF(load);
EVERY_REQUEST_OF(store);

}  // namespace
