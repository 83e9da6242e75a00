#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dedavuz_api/topo_node_dn.h"
#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/ber.h"
#include "hvx/names.h"
#include "hvx/testing.h"
#include "platform_world.h"
#include "support/asn1_values.h"

namespace {

// An FDN-table entry naming `fdn`, reached through the route "x" to the agent entity whose
// encoded name is `route_instance` (no route when that is empty).
hvx::Asn1Value fdn_entry(const std::string& fdn, const std::string& route_instance) {
  using vq_testing::seq;
  const hvx::Asn1Value route =
      seq({hvx::ber::octets("x", hvx::TAG_GRAPHSTR), hvx::ber::octets("mis:x", hvx::TAG_GRAPHSTR),
           hvx::ber::octets(route_instance)});
  return seq({hvx::fdn2oi(fdn), route_instance.empty() ? seq({}) : seq({route})});
}

std::string joined(const VQList<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

using platform_testing::kThreeSystems;
using platform_testing::PlatformWorldTest;
using platform_testing::to_vector;
using ::testing::HasSubstr;
using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

using DiscoveryTest = PlatformWorldTest;

TEST_F(DiscoveryTest, NamesFollowThePlatformObjectOnceItExists) {
  const std::string c_fdn =
      "/serverTableType=\"mis\"/misId=\"B\"/serverTableType=\"mis\"/misId=\"C\"/"
      "systemId=name:\"C\"";
  // Before: the environment's name, and the name read off the full name.
  EXPECT_EQ(VQTopoNodeDn("topoNodeDBId=NULL/topoNodeId=4").system_name(), "testhost");
  EXPECT_EQ(VQTopoNodeDn(c_fdn, 4).system_name(), "/testhost/B/C");
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  EXPECT_EQ(VQTopoNodeDn("topoNodeDBId=NULL/topoNodeId=4").system_name(), "L");
  EXPECT_EQ(VQTopoNodeDn(c_fdn, 4).system_name(), "/L/B/C");
  // A full name the platform object does not know stands for no system.
  EXPECT_EQ(VQTopoNodeDn("/systemId=name:\"Z\"", 4).system_name(), "");
}

TEST_F(DiscoveryTest, UnreachableServerIsListedButNotSearched) {
  ASSERT_TRUE(world_->add_server("D"));
  ASSERT_TRUE(world_->link("C", "D"));
  ASSERT_TRUE(world_->set_connected("C", false));
  CaptureStderr();
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  EXPECT_EQ(GetCapturedStderr(), "");
  // C's agent entity lives in B, so C is found; its own table cannot be read, so D is not.
  EXPECT_EQ(to_vector(VQTopoPlatform::instance()->system_names()), kThreeSystems);
  const std::string problems = joined(VQTopoPlatformRep::instance()->discovery_problems());
  EXPECT_THAT(problems, HasSubstr("fdn table image:"));
  EXPECT_THAT(problems, HasSubstr("notConnected"));
}

TEST_F(DiscoveryTest, MissingAgentEntityIsReportedAndSkipped) {
  ASSERT_TRUE(hvx::remove_object(*world_, "B", "agentTableType=\"CMIP\"/agentId=id:\"C\"").ok());
  CaptureStderr();
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  EXPECT_EQ(GetCapturedStderr(),
            "Error: VQTopoPlatformRep::get_systems - agent table image:"
            "/agentTableType=\"CMIP\"/agentId=id:\"C\"  boot failed!\n");
  EXPECT_EQ(to_vector(VQTopoPlatform::instance()->system_names()),
            (std::vector<std::string>{"L", "/L/B"}));
}

TEST_F(DiscoveryTest, NetworkAddressOfAnotherServerIsNotFollowed) {
  ASSERT_TRUE(
      hvx::replace_attributes(*world_, "L", "agentTableType=\"CMIP\"/agentId=id:\"B\"",
                              {{"networkSAP", hvx::ber::octets("mis:X", hvx::TAG_GRAPHSTR)}})
          .ok());
  CaptureStderr();
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_EQ(to_vector(VQTopoPlatform::instance()->system_names()), (std::vector<std::string>{"L"}));
}

// B's table answers entries that do not decode, or that name no system: each is skipped,
// the undecodable ones with a diagnostic, and the good entry after them is still followed;
// given twice, it is listed, heard of and registered once.
TEST_F(DiscoveryTest, GarbageEntriesAreSkipped) {
  const hvx::Status answering = hvx::answer_action(
      *world_, "B", "vqFdn", "vqListFdns", [](const std::string&, const hvx::Asn1Value&) {
        hvx::Asn1Value info = hvx::ber::set();
        const std::string good =
            hvx::fdn2oi("agentTableType=\"CMIP\"/agentId=id:\"C\"").encode().str();
        info.add_component(fdn_entry("/systemId=name:\"C\"", "\x30\x05garbage"));  // bad BER
        info.add_component(fdn_entry("/systemId=name:\"C\"", ""));                 // no route
        info.add_component(fdn_entry("/topoNodeDBId=NULL", good));  // names no system
        info.add_component(fdn_entry("/", good));                   // no RDN at all
        info.add_component(fdn_entry("/systemId=name:\"C\"", good));
        info.add_component(fdn_entry("/systemId=name:\"C\"", good));
        return info;
      });
  ASSERT_TRUE(answering.ok()) << answering;
  static std::vector<std::string> added;
  VQTopoPlatform::register_mis_connection_callback(
      [](const VQTopoPlatform::MisConnectionCallbackData& data) {
        added.push_back(data.system_name);
      },
      nullptr);
  CaptureStderr();
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_EQ(to_vector(VQTopoPlatform::instance()->system_names()), kThreeSystems);
  EXPECT_EQ(added, (std::vector<std::string>{"/L/B", "/L/B/C"}));
  EXPECT_EQ(registrations(), (std::vector<std::string>{"B", "C"}));
  const std::string line =
      "fdn table image:/serverTableType=\"mis\"/misId=\"B\"/systemId=name:\"B\"/"
      "subsystemId=\"VQ-MIS\"/subsystemId=\"FdnTable\"  entry undecodable!\n";
  EXPECT_EQ(joined(VQTopoPlatformRep::instance()->discovery_problems()), line + line + line);
}

}  // namespace
