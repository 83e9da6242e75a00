// Discovery over worlds laid out as deployments are: servers that list each other, two
// routes to one server, FDN tables in either entry form; and registrations withdrawn by
// the names the platform object derives.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/image.h"
#include "platform_world.h"

namespace platform_testing {
namespace {

using Form = hvx::World::FdnForm;
constexpr Form kSys = Form::system_id;
constexpr Form kMis = Form::mis_id;
using Links = std::vector<std::tuple<std::string, std::string, Form>>;

class DeploymentDiscoveryTest : public PlatformWorldTest {
 protected:
  void build(const Links& links) {
    world_->reset();
    for (const auto& [parent, remote, form] : links) {
      world_->add_server(parent);
      world_->add_server(remote);
      ASSERT_TRUE(world_->link(parent, remote, form)) << parent << "->" << remote;
    }
  }
};

struct Layout {
  const char* name;
  Links links;
  std::vector<std::string> systems;        // in discovery order
  std::vector<std::string> registrations;  // held by L's connection manager
};

void PrintTo(const Layout& layout, std::ostream* out) { *out << layout.name; }

class DiscoveryLayoutTest : public DeploymentDiscoveryTest,
                            public ::testing::WithParamInterface<Layout> {};

// Each server is found under every path discovery gives it, its FDN table is reached by
// each, and it is registered once.
TEST_P(DiscoveryLayoutTest, FindsEachServerByItsPaths) {
  const Layout& layout = GetParam();
  build(layout.links);
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  VQTopoPlatform* const topo = VQTopoPlatform::instance();
  EXPECT_EQ(to_vector(topo->system_names()), layout.systems);
  EXPECT_EQ(registrations(), layout.registrations);
  for (const std::string& system : layout.systems) {
    hvx::Image table(hvx::DataUnit(VQTopoPlatformRep::fdn_table_fdn(system)), "vqFdn", platform());
    EXPECT_TRUE(table.boot() && table.exists()) << system << ": " << table.get_error_string();
  }
  EXPECT_TRUE(VQTopoPlatformRep::instance()->discovery_problems().is_empty());
}

INSTANTIATE_TEST_SUITE_P(
    Deployments, DiscoveryLayoutTest,
    ::testing::Values(
        Layout{"TwoRing", {{"L", "B", kSys}, {"B", "L", kSys}}, {"L", "/L/B"}, {"B"}},
        Layout{"ThreeRingWithTail",
               {{"L", "A", kSys}, {"A", "B", kSys}, {"B", "C", kSys}, {"C", "A", kSys}},
               {"L", "/L/A", "/L/A/B", "/L/A/B/C"},
               {"A", "B", "C"}},
        Layout{"Diamond",
               {{"L", "B", kSys}, {"L", "C", kSys}, {"B", "D", kSys}, {"C", "D", kSys}},
               {"L", "/L/B", "/L/B/D", "/L/C", "/L/C/D"},
               {"B", "D", "C"}},
        Layout{"MisIdDiamond",
               {{"L", "B", kMis}, {"L", "C", kSys}, {"B", "D", kMis}, {"C", "D", kMis}},
               {"L", "L/B", "L/B/D", "/L/C", "L/C/D"},
               {"B", "D", "C"}}),
    [](const ::testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

// A server that goes away is deregistered under the path the platform object names it by,
// and registered again when it comes back.
TEST_F(DeploymentDiscoveryTest, RegistrationsAreWithdrawnAndRenewed) {
  record_requests();
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  ASSERT_EQ(registrations(), (std::vector<std::string>{"B", "C"}));
  ASSERT_TRUE(world_->set_connected("B", false));
  platform().dispatch_recursive(false);
  EXPECT_EQ(registrations(), std::vector<std::string>{});
  ASSERT_TRUE(world_->set_connected("B", true));
  platform().dispatch_recursive(false);
  EXPECT_EQ(registrations(), (std::vector<std::string>{"B", "C"}));
  const std::string app = application_number();
  EXPECT_EQ(sent_registrations(),
            (std::vector<std::string>{
                "registerConnection B " + app, "registerConnection C " + app,
                "deregisterConnection /L/B " + app, "deregisterConnection /L/B/C " + app,
                "registerConnection B " + app, "registerConnection C " + app}));
  EXPECT_TRUE(VQTopoPlatformRep::instance()->discovery_problems().is_empty());
}

}  // namespace
}  // namespace platform_testing
