#include "hvx/world.h"

#include <gtest/gtest.h>

#include "hvx/event.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/syntax.h"
#include "hvx/testing.h"
#include "topo_fixture.h"

namespace {

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

TEST_F(WorldTest, ResetLeavesOneFreshLocalServer) {
  ASSERT_TRUE(make_type("Gone"));
  world_->reset();
  EXPECT_EQ(world_->systems(), std::vector<std::string>{"L"});
  EXPECT_FALSE(exists("topoTypeDBId=NULL/topoTypeId=\"Gone\""));
  // What a server holds from its start is there again.
  EXPECT_TRUE(exists("topoTypeDBId=NULL/topoTypeId=\"Host\""));
}

// Every notification's information fits its catalogue syntax, so that it prints and parses
// back: creations, changes, deletions and connection states.
TEST_F(WorldTest, EventInformationFitsItsSyntaxAndParsesBack) {
  hvx::EventRecorder recorder(platform_);
  ASSERT_TRUE(make_type("T"));
  hvx::Image type("topoTypeDBId=NULL/topoTypeId=\"T\"", "topoType", platform_);
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
