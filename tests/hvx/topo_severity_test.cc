// Severities: alarms raised on managed objects through the world give the nodes that list
// them their severity. How severities propagate through children and propagate peers, and
// follow moves and deletions, is checked by the random walk of topo_property_test.cc.
#include <gtest/gtest.h>

#include "topo_fixture.h"

namespace {

constexpr int kCritical = 1;
constexpr int kMajor = 2;
constexpr int kCleared = 5;

constexpr const char* kM1 = "/systemId=name:\"M1\"";
constexpr const char* kM2 = "/systemId=name:\"M2\"";

class TopoSeverityTest : public hvx_testing::TopoTest {
 protected:
  long severity(long id) { return read(node(id), "topoNodeSeverity").get_long(); }
  long propagated(long id) { return read(node(id), "topoNodePropagatedSeverity").get_long(); }
};

// Every pair of alarms on the managed objects of one node: the worse is its severity, and
// the root's propagated severity, whichever was raised first.
TEST_F(TopoSeverityTest, TheWorstAlarmWinsInTheRankingOrder) {
  const int worst_first[] = {1, 2, 3, 4, 0};  // critical, major, minor, warning, indeterminate
  const long host = make_node("h", "Host", {1}, "L", {{"topoNodeMOSet", braced({kM1, kM2})}});
  ASSERT_NE(host, 0) << last_error_;
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 5; ++j) {
      SCOPED_TRACE(std::to_string(worst_first[i]) + " with " + std::to_string(worst_first[j]));
      const long first = world_->raise_alarm("L", kM1, worst_first[i]);
      const long second = world_->raise_alarm("L", kM2, worst_first[j]);
      ASSERT_TRUE(first != 0 && second != 0);
      EXPECT_EQ(severity(host), worst_first[std::min(i, j)]);
      EXPECT_EQ(propagated(1), worst_first[std::min(i, j)]);
      ASSERT_TRUE(world_->clear_alarm("L", second));
      EXPECT_EQ(severity(host), worst_first[i]);
      ASSERT_TRUE(world_->clear_alarm("L", first));
      EXPECT_EQ(severity(host), kCleared);
    }
  }
}

TEST_F(TopoSeverityTest, AlarmsAreRefusedWithoutASystemAnObjectOrASeverity) {
  EXPECT_EQ(world_->raise_alarm("Nowhere", kM1, kMajor), 0);
  EXPECT_EQ(world_->raise_alarm("L", "not a name", kMajor), 0);
  EXPECT_EQ(world_->raise_alarm("L", kM1, kCleared), 0);
  EXPECT_EQ(world_->raise_alarm("L", kM1, -1), 0);
  EXPECT_EQ(world_->raise_alarm("L", kM1, 9), 0);
  EXPECT_FALSE(world_->clear_alarm("L", 12345));
  EXPECT_FALSE(world_->clear_alarm("Nowhere", 1));
  const long raised = world_->raise_alarm("L", kM1, kMajor);
  ASSERT_NE(raised, 0);
  EXPECT_FALSE(world_->clear_alarm("B", raised)) << "alarms are kept per system";
  EXPECT_TRUE(world_->clear_alarm("L", raised));
  EXPECT_FALSE(world_->clear_alarm("L", raised));
}

// A managed object is the same in any spelling of its name; a node is managed while it is
// told so and lists at least one object; its severity reaches the nodes it flows into.
TEST_F(TopoSeverityTest, ManagedObjectsMatchInAnySpellingAndMakeTheNodeManaged) {
  const long host = make_node("h", "Host", {1}, "L", {{"topoNodeMOSet", braced({kM1})}});
  ASSERT_NE(host, 0) << last_error_;
  EXPECT_EQ(read(node(host), "topoNodeIsManaged").get_str(0), "TRUE");
  ASSERT_NE(world_->raise_alarm("L", "/systemId=M1", kCritical), 0);
  EXPECT_EQ(severity(host), kCritical);
  // A parent gained takes the severity at once; a node listing it as a propagate peer
  // holds it while it lists it.
  const long view = make_node("v", "Network", {1});
  ASSERT_TRUE(store_node(host, "topoNodeParents", ids_text({1, view}))) << last_error_;
  EXPECT_EQ(propagated(view), kCritical);
  const long peer =
      make_node("p", "Host", {1}, "L", {{"topoNodePropagatePeers", ids_text({host})}});
  EXPECT_EQ(propagated(peer), kCritical);
  ASSERT_TRUE(store_node(peer, "topoNodePropagatePeers", "{}"));
  EXPECT_EQ(propagated(peer), kCleared);
  // Unless it does not propagate up, from its creation on or until told to.
  const long shelf = make_node("s", "Network", {1});
  const long quiet = make_node("q", "Host", {shelf}, "L",
                               {{"topoNodeMOSet", braced({kM1})}, {"topoNodePropagateUp", "0"}});
  EXPECT_EQ(severity(quiet), kCritical);
  EXPECT_EQ(propagated(shelf), kCleared);
  ASSERT_TRUE(store_node(quiet, "topoNodePropagateUp", "1"));
  EXPECT_EQ(propagated(shelf), kCritical);
  ASSERT_TRUE(store_node(host, "topoNodeManaged", "FALSE"));
  EXPECT_EQ(read(node(host), "topoNodeIsManaged").get_str(0), "FALSE");
  ASSERT_TRUE(store_node(host, "topoNodeManaged", "TRUE"));
  ASSERT_TRUE(store_node(host, "topoNodeMOSet", "{}"));
  EXPECT_EQ(read(node(host), "topoNodeIsManaged").get_str(0), "FALSE");
  EXPECT_EQ(severity(host), kCleared);
}

// A change is notified where it happens, upwards from the node whose alarm changed.
TEST_F(TopoSeverityTest, SeverityChangesAreNotifiedOnRemoteSystemsToo) {
  const long host = make_node("h", "Host", {1}, "B", {{"topoNodeMOSet", braced({kM1})}});
  ASSERT_NE(host, 0) << last_error_;
  platform_.dispatch_recursive(false);
  hvx::EventRecorder recorder(platform_);
  ASSERT_NE(world_->raise_alarm("B", kM1, kMajor), 0);
  EXPECT_EQ(propagated(1), kCleared);
  platform_.dispatch_recursive(false);
  const std::string change =
      "attributeValueChange /serverTableType=\"mis\"/misId=\"B\"/topoNodeDBId=NULL/topoNodeId=";
  const std::string on_host = change + std::to_string(host);
  EXPECT_EQ(recorder.summary(), (std::vector<std::string>{on_host, on_host, change + "1"}));
  EXPECT_EQ(recorder.events()[0].get_image(1).get_long("topoNodeSeverity"), kMajor);
  EXPECT_EQ(recorder.events()[1].get_image(1).get_long("topoNodePropagatedSeverity"), kMajor);
  EXPECT_EQ(recorder.events()[2].get_image(1).get_long("topoNodePropagatedSeverity"), kMajor);
}

}  // namespace
