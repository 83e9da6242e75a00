#include "hvx/world.h"

#include <gtest/gtest.h>

#include "hvx/event.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/syntax.h"
#include "hvx/testing.h"
#include "mis/server.h"
#include "platform_fixture.h"

namespace {

using hvx::DataUnit;
using hvx::Image;

class WorldTest : public hvx_testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    ASSERT_TRUE(world_->add_server("B"));
    ASSERT_TRUE(world_->add_server("C"));
    ASSERT_TRUE(world_->link("L", "B"));
    ASSERT_TRUE(world_->link("B", "C"));
    platform_.dispatch_recursive(false);  // the notifications of the links
  }

  static constexpr const char* kB = "/serverTableType=\"mis\"/misId=\"B\"/";
  static constexpr const char* kC =
      "/serverTableType=\"mis\"/misId=\"B\"/serverTableType=\"mis\"/misId=\"C\"/";
};

TEST_F(WorldTest, RefusesDuplicateServersAndCyclicLinks) {
  EXPECT_FALSE(world_->add_server("B"));
  EXPECT_FALSE(world_->add_server(""));
  EXPECT_FALSE(world_->link("C", "L"));
  EXPECT_FALSE(world_->link("L", "B"));
  EXPECT_FALSE(world_->link("L", "nowhere"));
  EXPECT_EQ(world_->linked_under("B"), std::vector<std::string>{"C"});
}

TEST_F(WorldTest, ObjectsOnEachServerAreKeptApart) {
  for (const std::string& prefix : {std::string(), std::string(kB), std::string(kC)}) {
    SCOPED_TRACE(prefix);
    ASSERT_TRUE(make_type("Only", "", prefix));
  }
  // Three objects of the same relative name, one per server.
  Image on_c(DataUnit(std::string(kC) + "topoTypeDBId=NULL/topoTypeId=\"Only\""), "topoType",
             platform_);
  ASSERT_TRUE(on_c.set_str("topoTypeDefaultLayer", "c-layer"));
  ASSERT_TRUE(on_c.store()) << on_c.get_error_string();
  Image on_l("topoTypeDBId=NULL/topoTypeId=\"Only\"", "topoType", platform_);
  ASSERT_TRUE(on_l.boot());
  EXPECT_FALSE(on_l.get_str("topoTypeDefaultLayer").str() == "c-layer");
  ASSERT_TRUE(on_c.boot());
  EXPECT_EQ(on_c.get_str("topoTypeDefaultLayer").str(), "c-layer");
  EXPECT_EQ(world_->server("C")->size(), world_->server("B")->size() - 3);
}

TEST_F(WorldTest, LinkObjectsSupportDiscovery) {
  // The agent entity of the link names the remote system.
  Image agent("agentTableType=\"CMIP\"/agentId=id:\"B\"", "", platform_);
  ASSERT_TRUE(agent.boot(hvx::DUArray{"networkSAP", "managedDNs"}));
  ASSERT_TRUE(agent.exists());
  EXPECT_EQ(agent.get_str("networkSAP").str(), "mis:B");
  // The FDN table lists the linked system with the route through that agent.
  Image fdns("/systemId=name:\"L\"/subsystemId=\"VQ-MIS\"/subsystemId=\"FdnTable\"", "vqFdn",
             platform_);
  hvx::Morf reply = fdns.call("vqListFdns", "NULL");
  ASSERT_TRUE(reply.has_value()) << fdns.get_error_string();
  ASSERT_EQ(reply.num_elements(), 1u);
  const hvx::Asn1Value entry = reply.get_value().first_component();
  EXPECT_NE(hvx::oi2fdn(entry.component(0)).find("name:\"B\""), std::string::npos);
  std::string agent_instance;
  ASSERT_TRUE(entry.component(1).first_component().component(2).decode_octets(agent_instance));
  hvx::Asn1Value decoded;
  ASSERT_TRUE(hvx::Asn1Value::decode(DataUnit(agent_instance), decoded).ok());
  EXPECT_EQ(hvx::oi2fdn(decoded), "/agentTableType=\"CMIP\"/agentId=id:\"B\"");
  // B's table lists C.
  Image b_fdns(DataUnit(std::string(kB) + "subsystemId=\"VQ-MIS\"/subsystemId=\"FdnTable\""),
               "vqFdn", platform_);
  EXPECT_EQ(b_fdns.call("vqListFdns", "NULL").num_elements(), 1u);
}

TEST_F(WorldTest, RemoteNotificationsArriveWithNamesSeenFromTheLocalServer) {
  hvx::EventRecorder recorder(platform_);
  ASSERT_TRUE(make_type("T", "", kC));
  ASSERT_TRUE(make_type("U"));
  EXPECT_TRUE(recorder.events().empty()) << "delivered outside dispatching";
  platform_.dispatch_recursive(true);
  EXPECT_EQ(recorder.summary(),
            (std::vector<std::string>{
                "objectCreation /serverTableType=\"mis\"/misId=\"B\"/serverTableType=\"mis\"/"
                "misId=\"C\"/topoTypeDBId=NULL/topoTypeId=\"T\"",
                "objectCreation topoTypeDBId=NULL/topoTypeId=\"U\""}));
}

TEST_F(WorldTest, DisconnectFailsRequestsAndReportsTheState) {
  hvx::EventRecorder recorder(platform_);
  ASSERT_TRUE(world_->set_connected("B", false));
  Image through_b(DataUnit(std::string(kC) + "topoTypeDBId=NULL"), "", platform_);
  EXPECT_FALSE(through_b.boot());
  EXPECT_EQ(through_b.get_error_code(), hvx::ErrorCode::not_connected);
  ASSERT_TRUE(world_->set_connected("B", true));
  EXPECT_TRUE(through_b.boot());
  EXPECT_TRUE(through_b.exists());

  platform_.dispatch_recursive(true);
  std::vector<std::string> infos;
  for (const hvx::CurrentEvent& event : recorder.events()) {
    if (hvx::get_shortname(event.get_name().view()) == "connectionStateChange") {
      infos.push_back(event.get_objname().str() + " " + event.get_info().str());
    }
  }
  EXPECT_EQ(infos, (std::vector<std::string>{
                       "serverTableType=\"mis\" {misId : \"B\",currentState notConnected,"
                       "agentList { \"C\" }}",
                       "serverTableType=\"mis\" {misId : \"B\",currentState connected,"
                       "agentList { \"C\" }}"}));
}

TEST_F(WorldTest, ResetLeavesOneFreshLocalServer) {
  ASSERT_TRUE(make_type("Gone"));
  world_->reset();
  EXPECT_EQ(world_->systems(), std::vector<std::string>{"L"});
  Image gone("topoTypeDBId=NULL/topoTypeId=\"Gone\"", "", platform_);
  ASSERT_TRUE(gone.boot());
  EXPECT_FALSE(gone.exists());
  // What a server holds from its start is there again.
  Image host("topoTypeDBId=NULL/topoTypeId=\"Host\"", "", platform_);
  ASSERT_TRUE(host.boot());
  EXPECT_TRUE(host.exists());
}

}  // namespace

namespace {
// Every notification's information fits its catalogue syntax, so that it prints and parses
// back: creations, changes, deletions and connection states.
TEST_F(WorldTest, EventInformationFitsItsSyntaxAndParsesBack) {
  hvx::EventRecorder recorder(platform_);
  ASSERT_TRUE(make_type("T"));
  Image type("topoTypeDBId=NULL/topoTypeId=\"T\"", "topoType", platform_);
  ASSERT_TRUE(type.set_str("topoTypeDefaultLayer", "x"));
  ASSERT_TRUE(type.store());
  ASSERT_TRUE(type.destroy());
  ASSERT_TRUE(world_->set_connected("B", false));
  platform_.dispatch_recursive(true);
  std::vector<std::string> kinds;
  for (const hvx::CurrentEvent& event : recorder.events()) {
    kinds.push_back(hvx::get_shortname(event.get_name().view()));
    SCOPED_TRACE(kinds.back());
    const hvx::Syntax syntax = hvx::Syntax::of_notification(event.get_name().view());
    const hvx::Asn1Value info = event.get_message().get_event_info();
    EXPECT_TRUE(syntax.check(info)) << info;
    const hvx::Morf printed(syntax, info);
    for (int format : {1, 2}) {
      hvx::Morf again(syntax);
      EXPECT_TRUE(again.set(printed.get_str(format)))
          << printed.get_str(format) << ": " << again.get_error_string();
      EXPECT_EQ(again.get_value(), info) << format;
    }
  }
  EXPECT_EQ(kinds,
            (std::vector<std::string>{"objectCreation", "attributeValueChange", "objectDeletion",
                                      "attributeValueChange", "connectionStateChange"}));
}
}  // namespace
