#include "hvx/world.h"

#include <gtest/gtest.h>

#include "hvx/event.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/syntax.h"
#include "hvx/testing.h"
#include "server.h"
#include "topo_fixture.h"

namespace {

using hvx::DataUnit;
using hvx::Image;

using WorldTest = hvx_testing::TopoTest;

TEST_F(WorldTest, RefusesDuplicateServersSelfLinksAndUnlinkedSystems) {
  EXPECT_FALSE(world_->add_server("B"));
  EXPECT_FALSE(world_->add_server(""));
  EXPECT_FALSE(world_->link("C", "C"));
  EXPECT_FALSE(world_->link("L", "B"));
  EXPECT_FALSE(world_->link("L", "nowhere"));
  EXPECT_EQ(world_->linked_under("B"), std::vector<std::string>{"C"});
  // Only a linked system has a connection to change.
  EXPECT_FALSE(world_->set_connected("L", false));
  EXPECT_FALSE(world_->set_connected("Nowhere", true));
  EXPECT_TRUE(world_->set_connected("C", true)) << "connected already";
}

TEST_F(WorldTest, DisconnectFailsRequestsAndReportsTheState) {
  hvx::EventRecorder recorder(platform_);
  ASSERT_TRUE(world_->set_connected("B", false));
  Image through_b(DataUnit(prefix("C") + "topoTypeDBId=NULL"), "", platform_);
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
