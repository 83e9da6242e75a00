// Worlds of servers and their links, laid out as deployments are: servers that list each
// other, two routes to one server, links cut one at a time.
#include "hvx/world.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "hvx/event.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/syntax.h"
#include "hvx/testing.h"
#include "platform_fixture.h"

namespace {

using Links = std::vector<std::pair<std::string, std::string>>;
using Texts = std::vector<std::string>;
constexpr const char* kType = "topoTypeDBId=NULL/topoTypeId=\"T\"";
constexpr const char* kDb = "/topoTypeDBId=NULL";

std::string via(const Texts& systems) {
  std::string out;
  for (const std::string& s : systems) out += "/serverTableType=\"mis\"/misId=\"" + s + "\"";
  return out;
}

class WorldTest : public hvx_testing::PlatformTest {
 protected:
  void build(const Links& links) {
    world_->reset();
    for (const auto& [parent, remote] : links) {
      world_->add_server(parent);
      world_->add_server(remote);
      ASSERT_TRUE(world_->link(parent, remote)) << parent << "->" << remote;
    }
    platform_.dispatch_recursive(false);
  }
  // What the platform hears after `change`: the names of the events whose names end in
  // `filter`, with their information when `info`.
  Texts heard(const std::function<void()>& change, const std::string& filter, bool info) {
    platform_.dispatch_recursive(false);
    hvx::EventRecorder recorder(platform_);
    change();
    platform_.dispatch_recursive(false);
    Texts out;
    for (const hvx::CurrentEvent& event : recorder.events()) {
      const std::string name = event.get_objname().str();
      if (!name.ends_with(filter)) continue;
      out.push_back(info ? name + " " + event.get_info().str() : name);
    }
    return out;
  }
};

// A notification reaches the local clients once per route up the links that passes no
// server twice, named by that route.
TEST_F(WorldTest, EventsTravelEachRouteWithoutComingBack) {
  const std::string t = std::string("/") + kType;
  const std::tuple<Links, std::string, Texts> cases[] = {
      {{{"L", "B"}, {"B", "L"}}, "L", {kType}},
      {{{"L", "B"}, {"B", "C"}, {"C", "L"}}, "C", {via({"B", "C"}) + t}},
      {{{"L", "A"}, {"A", "B"}, {"B", "C"}, {"C", "A"}}, "B", {via({"A", "B"}) + t}},
      {{{"L", "B"}, {"L", "C"}, {"B", "D"}, {"C", "D"}},
       "D",
       {via({"B", "D"}) + t, via({"C", "D"}) + t}},
  };
  for (const auto& [links, on, names] : cases) {
    build(links);
    EXPECT_EQ(
        heard([&] { (void)hvx::create_object(*world_, on, "topoType", kType); }, kType, false),
        names)
        << on;
  }
}

// Requests follow the server-table components of the name, round a cycle too; a system
// object other than the server's own routes nowhere.
TEST_F(WorldTest, RequestsRouteThroughServerTablesOnly) {
  build({{"L", "B"}, {"B", "C"}, {"C", "L"}});
  for (const std::string& found :
       {std::string(kDb), "/systemId=name:\"L\"" + std::string(kDb),
        via({"B"}) + "/systemId=name:\"B\"" + kDb, via({"B", "C", "L", "B"}) + kDb}) {
    EXPECT_TRUE(exists(found)) << found;
  }
  for (const std::string& not_found :
       {"/systemId=name:\"B\"" + std::string(kDb), via({"B"}) + "/systemId=name:\"C\"" + kDb,
        via({"C"}) + kDb}) {
    EXPECT_FALSE(exists(not_found)) << not_found;
  }
}

// A server as a whole, or one link to it, cut and mended: requests over a cut link fail,
// notifications up it are lost, each parent whose link changed reports it.
TEST_F(WorldTest, LinksAreCutOneAtATimeOrAllTogether) {
  build({{"L", "B"}, {"L", "C"}, {"B", "D"}, {"C", "D"}});
  auto routes = [&] {
    return Texts{exists(via({"B", "D"}) + kDb) ? "B" : "",
                 exists(via({"C", "D"}) + kDb) ? "C" : ""};
  };
  auto state = [](const std::string& parent, const std::string& state) {
    return via({parent}) + "/serverTableType=\"mis\" {misId : \"D\",currentState " + state +
           ",agentList { }}";
  };
  auto cut = [&](const std::string& parent, bool connected) {
    return heard(
        [&] {
          EXPECT_TRUE(parent.empty() ? world_->set_connected("D", connected)
                                     : world_->set_link_connected(parent, "D", connected));
        },
        "serverTableType=\"mis\"", true);
  };
  EXPECT_EQ(cut("B", false), Texts{state("B", "notConnected")});
  EXPECT_EQ(routes(), (Texts{"", "C"}));
  EXPECT_EQ(heard([&] { (void)hvx::create_object(*world_, "D", "topoType", kType); }, kType, false),
            Texts{via({"C", "D"}) + "/" + kType});
  EXPECT_EQ(cut("B", false), Texts{}) << "cut already";
  EXPECT_EQ(cut("", false), Texts{state("C", "notConnected")});
  EXPECT_EQ(routes(), (Texts{"", ""}));
  EXPECT_EQ(cut("", true), (Texts{state("B", "connected"), state("C", "connected")}));
  EXPECT_EQ(routes(), (Texts{"B", "C"}));
  EXPECT_FALSE(world_->set_link_connected("L", "D", false));
  EXPECT_FALSE(world_->set_connected("L", false));

  // A fault plan cuts one link before the k-th request.
  install_plan().disconnect_link(2, "C", "D").reconnect_link(3, "C", "D");
  EXPECT_EQ(routes(), (Texts{"B", ""}));
  EXPECT_EQ(routes(), (Texts{"B", "C"}));
}

// Registrations name a system, or a route to it from the server as the platform object
// derives it, checked link by link.
TEST_F(WorldTest, ConnectionManagerAcceptsRoutes) {
  build({{"L", "B"}, {"B", "C"}});
  hvx::Image manager("subsystemId=\"VQ-MIS\"/connectMgrId=\"ConnectMgr\"", "connectMgr", platform_);
  auto call = [&](const char* action, const std::string& system) {
    const hvx::Morf reply = manager.call(action, hvx::DataUnit("{\"" + system + "\",7}"));
    return reply.has_value() ? reply.get_long() : -1;
  };
  // That a route and the system's name are one registration, the discovery tests show.
  EXPECT_EQ(call("registerConnection", "/L/B/C"), 1);
  EXPECT_EQ(call("registerConnection", "L/B"), 2);
  for (const char* refused : {"/L/C", "/B/C", "L/B/", "/L//B", "/", "L/B/C/L"}) {
    EXPECT_EQ(call("registerConnection", refused), -1) << refused;
  }
}

// Addresses answer for the world the default platform is connected to: at first the
// default world, whose local server is the logical host.
TEST_F(WorldTest, AddressesAreOfTheConnectedWorld) {
  hvx::Platform& platform = hvx::Platform::default_platform();
  EXPECT_EQ(&platform, &hvx::Platform::def_platform);
  EXPECT_EQ(platform.get_prop("PLATFORM_OBJNAME").str(), "/systemId=name:\"testhost\"");
  std::uint32_t address = 0;
  EXPECT_TRUE(hvx::hvx_get_ip_addr("testhost", address));
  EXPECT_EQ(address, 0x0100007fu);
  build({{"L", "B"}});
  EXPECT_FALSE(hvx::hvx_get_ip_addr("B", address));
  platform = world_->connect();
  ASSERT_TRUE(hvx::hvx_get_ip_addr("B", address));
  EXPECT_EQ(address, 0x0200007fu);
}

TEST_F(WorldTest, RefusesDuplicateServersSelfLinksAndUnlinkedSystems) {
  build({{"L", "B"}, {"B", "C"}});
  EXPECT_FALSE(world_->add_server("B"));
  EXPECT_FALSE(world_->add_server(""));
  EXPECT_FALSE(world_->link("C", "C"));
  EXPECT_FALSE(world_->link("L", "B"));
  EXPECT_FALSE(world_->link("L", "nowhere"));
  EXPECT_EQ(world_->linked_under("B"), std::vector<std::string>{"C"});
  // Only a linked system has a connection to change.
  EXPECT_FALSE(world_->set_connected("Nowhere", true));
  EXPECT_TRUE(world_->set_connected("C", true)) << "connected already";
}

// Every notification's information fits its catalogue syntax, so that it prints and parses
// back: creations, changes, deletions and connection states.
TEST_F(WorldTest, EventInformationFitsItsSyntaxAndParsesBack) {
  build({{"L", "B"}});
  hvx::EventRecorder recorder(platform_);
  ASSERT_TRUE(make_type("T"));
  hvx::Image type("topoTypeDBId=NULL/topoTypeId=\"T\"", "topoType", platform_);
  ASSERT_TRUE(type.set_str("topoTypeDefaultLayer", "x") && type.store() && type.destroy());
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
