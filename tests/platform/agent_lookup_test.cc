// The agent map and the node report over the three-server world: the first agent in load
// order wins a prefix match, agents follow their creation and deletion events on any
// system, and server connections are recognised.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/ber.h"
#include "hvx/names.h"
#include "platform_world.h"
#include "support/asn1_values.h"

namespace platform_testing {
namespace {

using Code = VQStatus::Code;
using Rep = VQTopoPlatformRep;
using vq_testing::drain;
using vq_testing::printed;

std::string system_fdn(const std::string& system) { return "/systemId=name:\"" + system + "\""; }

// Files agent `id` (id:"x", or aet:{1 2 3} when it starts with "{") on `system`, naming
// `managed` and reached at `nsap`.
void make_agent(hvx::World& world, const std::string& system, const std::string& id,
                const std::vector<std::string>& managed, const std::string& nsap = "x") {
  hvx::Asn1Value objects = hvx::ber::set();
  for (const std::string& fdn : managed) objects.add_component(hvx::fdn2oi(fdn));
  const std::string rdn = id.front() == '{' ? "aet:" + id : "id:\"" + id + "\"";
  ASSERT_TRUE(hvx::create_object(world, system, "cmipAgentEntity",
                                 "agentTableType=\"CMIP\"/agentId=" + rdn,
                                 {{"managedDNs", objects},
                                  {"networkSAP", hvx::ber::octets(nsap, hvx::TAG_GRAPHSTR)}})
                  .ok());
}

std::string cmip_agent_of(const std::string& mo_fdn) {
  VQCmipAgentDn agent("stale", "stale");
  const VQStatus status = VQTopoPlatform::instance()->managed_object_to_cmip_agent(mo_fdn, agent);
  return status ? printed(agent) : printed(status.code()) + " " + status.message() + " " +
                                       printed(agent);
}

class AgentLookupTest : public PlatformWorldTest {
 protected:
  void SetUp() override {
    PlatformWorldTest::SetUp();
    // Loaded at initialize in this order: B (the world's link), then these.
    make_agent(*world_, "L", "first", {system_fdn("A")});
    make_agent(*world_, "L", "longer", {system_fdn("A") + "/topoNodeDBId=NULL", system_fdn("D")});
    make_agent(*world_, "L", "not-a-link", {system_fdn("B") + "/topoNodeDBId=NULL"}, "mis:B");
    make_agent(*world_, "L", "{1 3 9}", {system_fdn("T")});
    ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  }
};

TEST_F(AgentLookupTest, FirstAgentInLoadOrderWhoseObjectIsAPrefix) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {system_fdn("A") + "/topoNodeDBId=NULL/x", "L:first"},  // not the longer prefix
      {system_fdn("D"), "L:longer"},
      {system_fdn("T"), "L:{1 3 9}"},
      {"/systemId=name:\"", "6 VQTopoPlatform::managed_object_to_cmip_agent NULL"},
      {system_fdn("E"), "6 VQTopoPlatform::managed_object_to_cmip_agent NULL"},
  };
  for (const auto& [mo, agent] : cases) EXPECT_EQ(cmip_agent_of(mo), agent) << mo;

  VQSnmpAgentDn snmp;
  EXPECT_VQ_ERROR_TEXT(VQTopoPlatform::instance()->managed_object_to_snmp_agent("/x=1", snmp),
                       Code::invalid_argument,
                       "VQTopoPlatform::derive_snmp_agents_from_managed_objects");
  VQRpcAgentDn rpc;
  EXPECT_VQ_ERROR_TEXT(VQTopoPlatform::instance()->managed_object_to_rpc_agent("/x=1", rpc),
                       Code::invalid_argument,
                       "VQTopoPlatform::derive_rpc_agents_from_managed_objects");
  EXPECT_TRUE(rpc.is_null());
}

TEST_F(AgentLookupTest, RecordsPrintAndKnowServerConnections) {
  const VQList<Rep::CmipAgentInfo>& infos = Rep::instance()->cmip_agent_infos();
  std::string all;
  for (const Rep::CmipAgentInfo& info : infos) all += printed(info);
  EXPECT_EQ(all,
            "agent_dn = L:B\nmanaged_objects{ /systemId=name:\"B\" }\nis_mmc = YES\n"
            "mmc_system_name = B\n"
            "agent_dn = L:{1 3 9}\nmanaged_objects{ /systemId=name:\"T\" }\nis_mmc = NO\n"
            "mmc_system_name = \n"
            "agent_dn = L:first\nmanaged_objects{ /systemId=name:\"A\" }\nis_mmc = NO\n"
            "mmc_system_name = \n"
            "agent_dn = L:longer\nmanaged_objects{ /systemId=name:\"A\"/topoNodeDBId=NULL "
            "/systemId=name:\"D\" }\nis_mmc = NO\nmmc_system_name = \n"
            "agent_dn = L:not-a-link\nmanaged_objects{ /systemId=name:\"B\"/topoNodeDBId=NULL "
            "}\nis_mmc = NO\nmmc_system_name = \n"
            "agent_dn = /L/B:C\nmanaged_objects{ /systemId=name:\"C\" }\nis_mmc = NO\n"
            "mmc_system_name = \n");
}

TEST_F(AgentLookupTest, AgentsFollowTheirEventsOnEverySystem) {
  make_agent(*world_, "L", "again", {system_fdn("A")});  // filed last: "first" still wins
  make_agent(*world_, "B", "remote", {system_fdn("R")});
  drain();
  EXPECT_EQ(cmip_agent_of(system_fdn("A")), "L:first");
  EXPECT_EQ(cmip_agent_of(system_fdn("R")), "/L/B:remote");
  ASSERT_TRUE(hvx::remove_object(*world_, "L", "agentTableType=\"CMIP\"/agentId=id:\"first\"").ok());
  ASSERT_TRUE(hvx::remove_object(*world_, "B", "agentTableType=\"CMIP\"/agentId=id:\"remote\"").ok());
  drain();
  EXPECT_EQ(cmip_agent_of(system_fdn("A")), "L:again");
  EXPECT_EQ(cmip_agent_of(system_fdn("R")), "6 VQTopoPlatform::managed_object_to_cmip_agent NULL");
}

class NodeReportTest : public QueryWorldTest {};

TEST_F(NodeReportTest, OneReportPerNodeAppendedEachTime) {
  VQList<VQTopoNodeReport> reports;
  ASSERT_VQ_OK(topo_->gen_node_report("/L/B", reports));
  ASSERT_VQ_OK(topo_->gen_node_report("/L/B", reports));
  ASSERT_EQ(reports.entries(), 8u);  // root, net, alpha, beta, twice
  const VQTopoNodeReport& net = reports[1];
  EXPECT_EQ(net.id(), nodes_[1].net.unique_id());
  EXPECT_EQ(net.name(), "net");
  EXPECT_EQ(net.type_name(), "Network");
  EXPECT_EQ(net.children(), (VQList<VQTopoNodeDn>{nodes_[1].alpha, nodes_[1].beta}));
  EXPECT_TRUE(net.view_children().is_empty());  // no view graph
  EXPECT_EQ(reports[5], net);
}

TEST_F(NodeReportTest, AMalformedReportKeepsTheReportsBefore) {
  ASSERT_TRUE(hvx::answer_action(*world_, "B", "topoNodeDB", "topoGetNodeReport",
                                 [](const std::string&, const hvx::Asn1Value&) {
                                   using vq_testing::seq;
                                   return vq_testing::set(
                                       {seq({hvx::ber::integer(7), hvx::ber::octets("n"),
                                             hvx::ber::octets("Host"), hvx::ber::set()}),
                                        hvx::ber::integer(1)});
                                 })
                  .ok());
  VQList<VQTopoNodeReport> reports;
  ASSERT_VQ_OK(topo_->gen_node_report("L", reports));
  EXPECT_EQ(printed(reports[0]), "1 Root Universe\nchildren{ " + printed(nodes_[0].net) +
                                     " }\nview_children{ }\n");
  EXPECT_VQ_ERROR_TEXT(topo_->gen_node_report("/L/B", reports), Code::decode_error,
                       "VQTopoPlatform::get_node_report");
  EXPECT_EQ(reports.entries(), 4u);
}

}  // namespace
}  // namespace platform_testing
