// The queries that answer node names, over the three systems: the order and system names
// of what they find, and what a system that fails, does not answer or answers garbage
// costs each of them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dedavuz_api/topo_type.h"
#include "hvx/testing.h"
#include "platform_world.h"

namespace {

using platform_testing::kManaged;
using platform_testing::kThreeSystems;
using platform_testing::QueryWorldTest;
using platform_testing::SystemNodes;
using Dns = VQList<VQTopoNodeDn>;
using Systems = VQList<std::string>;

struct NameQuery {
  const char* label;
  std::function<VQStatus(const VQTopoPlatform&, Dns&, const Systems&)> run;
  VQTopoNodeDn SystemNodes::*found;
  // A system that does not answer fails the whole query (and empties the result).
  bool strict = false;
};

const NameQuery kQueries[] = {
    {"by_name",
     [](const VQTopoPlatform& p, Dns& out, const Systems& s) {
       return p.find_nodes_by_name("alpha", out, s);
     },
     &SystemNodes::alpha},
    {"by_quoted_name",
     [](const VQTopoPlatform& p, Dns& out, const Systems& s) {
       return p.find_nodes_by_name("\"beta\"", out, s);
     },
     &SystemNodes::beta},
    {"by_type",
     [](const VQTopoPlatform& p, Dns& out, const Systems& s) {
       return p.find_nodes_by_type("Network", out, s);
     },
     &SystemNodes::net},
    {"by_managed_object",
     [](const VQTopoPlatform& p, Dns& out, const Systems& s) {
       return p.find_nodes_by_managed_object(kManaged, out, s);
     },
     &SystemNodes::alpha},
    {"by_MO_set",
     [](const VQTopoPlatform& p, Dns& out, const Systems& s) {
       return p.find_nodes_by_MO_set({"/systemId=name:\"Z\"", kManaged}, out, s);
     },
     &SystemNodes::alpha, true},
    {"root_nodes",
     [](const VQTopoPlatform& p, Dns& out, const Systems& s) { return p.find_root_nodes(out, s); },
     &SystemNodes::root},
};

void PrintTo(const NameQuery& query, std::ostream* out) { *out << query.label; }

class NameQueryTest : public QueryWorldTest, public ::testing::WithParamInterface<NameQuery> {
 protected:
  // What the query should find on the systems of kThreeSystems at `positions`.
  Dns expected(std::initializer_list<std::size_t> positions) const {
    Dns dns;
    for (const std::size_t i : positions) dns.append(nodes_[i].*GetParam().found);
    return dns;
  }
  static std::vector<VQTopoNodeDn> in_order(const Dns& dns) { return {dns.begin(), dns.end()}; }
};

TEST_P(NameQueryTest, EverySystemInDiscoveryOrderOrTheGivenOrder) {
  Dns found{VQTopoNodeDn("stale", 9)};
  ASSERT_VQ_OK(GetParam().run(*topo_, found, {}));
  EXPECT_EQ(in_order(found), in_order(expected({0, 1, 2})));
  for (std::size_t i = 0; i < found.entries(); ++i) {
    EXPECT_EQ(found[i].system_name(), kThreeSystems[i]);
  }
  ASSERT_VQ_OK(GetParam().run(*topo_, found, {"/L/B/C", "L"}));
  EXPECT_EQ(in_order(found), in_order(expected({2, 0})));
}

TEST_P(NameQueryTest, ASystemThatDoesNotAnswer) {
  // Each fault of the shared plans, then B disconnected before the k-th request.
  for (int f = 0; f <= 3; ++f) {
    const bool disconnect = f == 3;
    // Discovery asked B and C through L: only the query's own requests are counted.
    for (int k = disconnect ? 2 : 1; k <= 3; ++k) {
      SCOPED_TRACE(::testing::Message() << "fault " << f << " k " << k);
      auto plan = std::make_shared<hvx::FaultPlan>();
      if (disconnect) plan->disconnect_server(k, "B");
      if (!disconnect) plan = vq_testing::fault_at(k, vq_testing::kFaults[f]);
      hvx::install_fault_plan(platform(), plan);
      Dns found;
      const VQStatus status = GetParam().run(*topo_, found, {});
      hvx::remove_fault_plan(platform());
      if (disconnect) {
        ASSERT_TRUE(world_->set_connected("B", true));
      }
      // Disconnecting B loses C as well, which is reached through it.
      Dns answered = expected({0, 1, 2});
      if (disconnect) {
        answered = k == 2 ? expected({0}) : expected({0, 1});
      } else {
        answered.remove(expected({static_cast<std::size_t>(k - 1)}).first());
      }
      if (GetParam().strict) {
        EXPECT_VQ_ERROR(status, VQStatus::Code::object_does_not_exist);
        EXPECT_TRUE(found.is_empty());
        EXPECT_EQ(plan->requests_seen(), k);
      } else {
        EXPECT_VQ_OK(status);
        EXPECT_EQ(in_order(found), in_order(answered));
        EXPECT_EQ(plan->requests_seen(), 3);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Queries, NameQueryTest, ::testing::ValuesIn(kQueries),
                         [](const auto& info) { return std::string(info.param.label); });

using NodeQueryTest = QueryWorldTest;

// A name quoted at one end only is quoted again and no longer reads as one string; a
// managed object that does not parse is refused; neither reaches a server.
TEST_F(NodeQueryTest, ArgumentsThatCannotBeSent) {
  record_requests();
  Dns found;
  EXPECT_VQ_ERROR(topo_->find_nodes_by_name("\"alpha", found, {"L"}),
                  VQStatus::Code::object_does_not_exist);
  EXPECT_VQ_ERROR(topo_->find_nodes_by_managed_object("no name", found, {}),
                  VQStatus::Code::encode_error);
  EXPECT_VQ_ERROR(topo_->find_nodes_by_MO_set({kManaged, "no name"}, found, {}),
                  VQStatus::Code::object_does_not_exist);
  EXPECT_EQ(requests_seen(), 0);
}

TEST_F(NodeQueryTest, ManagedObjectsOfNodesAreAppended) {
  VQList<long> ids{99};
  VQList<std::string> mos;
  const long alpha = nodes_[1].alpha.unique_id();
  ASSERT_VQ_OK(
      topo_->find_mos_by_nodes(true, "/L/B", {nodes_[1].beta.unique_id(), alpha}, ids, mos));
  EXPECT_EQ(std::vector<long>(ids.begin(), ids.end()), (std::vector<long>{99, alpha}));
  EXPECT_EQ(mos, VQList<std::string>{kManaged});
  ASSERT_VQ_OK(topo_->find_mos_by_nodes(false, "L", {alpha}, ids, mos));
  EXPECT_EQ(ids.entries() + mos.entries(), 4u);
  record_requests();
  ASSERT_VQ_OK(topo_->find_mos_by_nodes(true, "L", {}, ids, mos));
  EXPECT_EQ(requests_seen(), 0);
}

TEST_F(NodeQueryTest, ViewsAndTypes) {
  // The type database refuses: both lists fail, and a later call asks again.
  vq_testing::installed_plan(platform())
      ->fail_request(1, hvx::ErrorCode::processing_failure)
      .fail_request(2, hvx::ErrorCode::processing_failure);
  VQList<VQTopoTypeDn> types{VQTopoTypeDn("L", "stale")};
  EXPECT_VQ_ERROR(topo_->find_root_types(types), VQStatus::Code::hvx_error);
  EXPECT_VQ_ERROR(topo_->find_all_types(types), VQStatus::Code::hvx_error);
  hvx::remove_fault_plan(platform());
  EXPECT_TRUE(topo_->is_view(nodes_[1].net));
  EXPECT_FALSE(topo_->is_view(nodes_[1].alpha));
  EXPECT_FALSE(topo_->is_view(VQTopoNodeDn("L", 777)));

  ASSERT_VQ_OK(topo_->find_root_types(types));
  EXPECT_EQ(types, (VQList<VQTopoTypeDn>{{"L", "Container"},
                                         {"L", "Device"},
                                         {"L", "Link"},
                                         {"L", "Monitor"},
                                         {"L", "Array"},
                                         {"L", "Bus"}}));

  ASSERT_VQ_OK(topo_->find_all_types(types));
  std::vector<std::string> all;
  for (const VQTopoTypeDn& type : types) all.push_back(type.unique_name());
  // Devices first, then links, containers, monitors, arrays, buses, each in the order the
  // server lists them; each type once.
  const std::vector<std::string> expected = {
      "Hub",     "Host",    "Bridge",     "Device",     "Router",     "Server",
      "Link",    "Network", "Universe",   "Container",  "Subnetwork", "Circle",
      "Hexagon", "Monitor", "Hexagon120", "OmniSector", "Array",      "Bus"};
  EXPECT_EQ(all, expected);
}

}  // namespace
