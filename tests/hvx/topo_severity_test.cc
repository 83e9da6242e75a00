// Severities: alarms raised on managed objects through the world give the nodes that list
// them their severity, which propagates up through children and propagate peers that
// propagate up.
#include <gtest/gtest.h>

#include "topo_fixture.h"

namespace {

constexpr int kIndeterminate = 0;
constexpr int kCritical = 1;
constexpr int kMajor = 2;
constexpr int kMinor = 3;
constexpr int kWarning = 4;
constexpr int kCleared = 5;

constexpr const char* kM1 = "/systemId=name:\"M1\"";
constexpr const char* kM2 = "/systemId=name:\"M2\"";

class TopoSeverityTest : public hvx_testing::TopoTest {
 protected:
  long severity(long id, const std::string& system = "L") {
    return read_long(node(id, system), "topoNodeSeverity");
  }
  long propagated(long id, const std::string& system = "L") {
    return read_long(node(id, system), "topoNodePropagatedSeverity");
  }
  std::string managing(std::initializer_list<const char*> objects) {
    return braced(std::vector<std::string>(objects.begin(), objects.end()));
  }
};

TEST_F(TopoSeverityTest, TheWorstAlarmOnAnyManagedObjectIsTheSeverity) {
  const long view = make_node("v", "Network", {1});
  const long host = make_node("h", "Host", {view}, "L", {{"topoNodeMOSet", managing({kM1, kM2})}});
  ASSERT_NE(host, 0) << last_error_;
  EXPECT_EQ(severity(host), kCleared);
  EXPECT_EQ(read(node(host), "topoNodeIsManaged").get_str(0), "TRUE");

  const long major = world_->raise_alarm("L", kM1, kMajor);
  ASSERT_NE(major, 0);
  EXPECT_EQ(severity(host), kMajor);
  for (const long id : {host, view, 1L}) EXPECT_EQ(propagated(id), kMajor) << id;
  const long critical = world_->raise_alarm("L", kM2, kCritical);
  const long warning = world_->raise_alarm("L", kM2, kWarning);
  EXPECT_EQ(severity(host), kCritical);
  EXPECT_EQ(propagated(1), kCritical);
  ASSERT_TRUE(world_->clear_alarm("L", critical));
  EXPECT_EQ(severity(host), kMajor);
  ASSERT_TRUE(world_->clear_alarm("L", major));
  EXPECT_EQ(severity(host), kWarning);
  ASSERT_TRUE(world_->clear_alarm("L", warning));
  for (const long id : {host, view, 1L}) EXPECT_EQ(propagated(id), kCleared) << id;
  // Indeterminate is worse than cleared only.
  world_->raise_alarm("L", kM1, kIndeterminate);
  EXPECT_EQ(propagated(1), kIndeterminate);

  EXPECT_EQ(world_->raise_alarm("Nowhere", kM1, kMajor), 0);
  EXPECT_EQ(world_->raise_alarm("L", "not a name", kMajor), 0);
  EXPECT_EQ(world_->raise_alarm("L", kM1, kCleared), 0);
  EXPECT_EQ(world_->raise_alarm("L", kM1, 9), 0);
  EXPECT_FALSE(world_->clear_alarm("L", 12345));

  // Managed objects change: the severity follows them.
  ASSERT_TRUE(store_node(host, "topoNodeMOSet", "{}"));
  EXPECT_EQ(severity(host), kCleared);
  EXPECT_EQ(read(node(host), "topoNodeIsManaged").get_str(0), "FALSE");
  ASSERT_TRUE(store_node(host, "topoNodeMOSet", managing({kM1})));
  EXPECT_EQ(propagated(1), kIndeterminate);
  ASSERT_TRUE(store_node(host, "topoNodeManaged", "FALSE"));
  EXPECT_EQ(read(node(host), "topoNodeIsManaged").get_str(0), "FALSE");
}

TEST_F(TopoSeverityTest, ChildrenThatDoNotPropagateUpAreLeftOut) {
  const long view = make_node("v", "Network", {1});
  const long minor = make_node("h1", "Host", {view}, "L", {{"topoNodeMOSet", managing({kM1})}});
  const long warning = make_node("h2", "Host", {view}, "L", {{"topoNodeMOSet", managing({kM2})}});
  world_->raise_alarm("L", kM1, kMinor);
  world_->raise_alarm("L", kM2, kWarning);
  EXPECT_EQ(propagated(view), kMinor);
  ASSERT_TRUE(store_node(minor, "topoNodePropagateUp", "0"));
  EXPECT_EQ(propagated(view), kWarning);
  EXPECT_EQ(propagated(minor), kMinor);
  ASSERT_TRUE(store_node(warning, "topoNodePropagateUp", "0"));
  EXPECT_EQ(propagated(view), kCleared);
  EXPECT_EQ(propagated(1), kCleared);
  ASSERT_TRUE(store_node(minor, "topoNodePropagateUp", "1"));
  EXPECT_EQ(propagated(1), kMinor);
}

TEST_F(TopoSeverityTest, MovingAndDeletingNodesMovesTheirSeverity) {
  const long v1 = make_node("v1", "Network", {1});
  const long v2 = make_node("v2", "Network", {1});
  const long host = make_node("h", "Host", {v1}, "L", {{"topoNodeMOSet", managing({kM1})}});
  world_->raise_alarm("L", kM1, kCritical);
  EXPECT_EQ(propagated(v1), kCritical);
  ASSERT_TRUE(store_node(host, "topoNodeParents", ids_text({v2})));
  EXPECT_EQ(propagated(v1), kCleared);
  EXPECT_EQ(propagated(v2), kCritical);
  ASSERT_TRUE(node(host).destroy());
  EXPECT_EQ(propagated(v2), kCleared);
  EXPECT_EQ(propagated(1), kCleared);
  // A node created over an alarm already raised starts with it.
  const long late = make_node("late", "Host", {v1}, "L", {{"topoNodeMOSet", managing({kM1})}});
  EXPECT_EQ(severity(late), kCritical);
  EXPECT_EQ(propagated(v1), kCritical);
}

// A node takes the propagated severity of its propagate peers too; peers that name each
// other do not keep a severity alive once its alarm is gone.
TEST_F(TopoSeverityTest, PropagatePeersAndTheirCycles) {
  const long a = make_node("a", "Host", {1}, "L", {{"topoNodeMOSet", managing({kM1})}});
  const long b = make_node("b", "Host", {1}, "L", {{"topoNodePropagatePeers", ids_text({a})}});
  ASSERT_TRUE(store_node(a, "topoNodePropagatePeers", ids_text({b})));
  const long alarm = world_->raise_alarm("L", kM1, kMajor);
  EXPECT_EQ(propagated(b), kMajor);
  EXPECT_EQ(severity(b), kCleared);
  ASSERT_TRUE(world_->clear_alarm("L", alarm));
  EXPECT_EQ(propagated(a), kCleared);
  EXPECT_EQ(propagated(b), kCleared);
  world_->raise_alarm("L", kM1, kMinor);
  ASSERT_TRUE(store_node(b, "topoNodePropagatePeers", "{}"));
  EXPECT_EQ(propagated(b), kCleared);
  EXPECT_EQ(propagated(a), kMinor);
}

TEST_F(TopoSeverityTest, SeverityChangesAreNotifiedOnRemoteSystemsToo) {
  const long host = make_node("h", "Host", {1}, "B", {{"topoNodeMOSet", managing({kM1})}});
  ASSERT_NE(host, 0) << last_error_;
  platform_.dispatch_recursive(false);
  hvx::EventRecorder recorder(platform_);
  ASSERT_NE(world_->raise_alarm("B", kM1, kMajor), 0);
  EXPECT_EQ(propagated(1, "B"), kMajor);
  EXPECT_EQ(propagated(1, "L"), kCleared);
  platform_.dispatch_recursive(false);
  const std::string b = "/serverTableType=\"mis\"/misId=\"B\"/topoNodeDBId=NULL/topoNodeId=";
  EXPECT_EQ(recorder.summary(), (std::vector<std::string>{
                                    "attributeValueChange " + b + std::to_string(host),
                                    "attributeValueChange " + b + std::to_string(host),
                                    "attributeValueChange " + b + "1",
                                }));
  hvx::Image change = recorder.events()[0].get_image(1);
  EXPECT_EQ(change.get_long("topoNodeSeverity"), kMajor);
  hvx::Image root = recorder.events()[2].get_image(1);
  EXPECT_EQ(root.get_long("topoNodePropagatedSeverity"), kMajor);
}

}  // namespace
