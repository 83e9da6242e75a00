// The topology database every server holds: its objects from the start, the rules of node
// creation and change, the view and placement objects, the type tree, deletions.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

#include "hvx/album.h"
#include "topo_fixture.h"

namespace {

using hvx::DataUnit;
using hvx::ErrorCode;
using hvx::Image;

class TopoDatabaseTest : public hvx_testing::TopoTest {
 protected:
  // A node, and a view or placement, whole as they start.
  static std::string new_node(const std::string& id, const std::string& name,
                              const std::string& type, const std::string& layer,
                              const std::string& parents) {
    const std::string fixed =
        ", topoNodeManaged=TRUE, topoNodeIsManaged=FALSE, topoNodeUserData={}, "
        "topoNodeMonitor=none : NULL, topoNodePropagatePeers={}, topoNodeArrayVisibleChildren={}, "
        "topoNodeArrayOrientation=0, topoNodeArrayNumColumns=0, topoNodeArrayCellSize={0,25}, "
        "topoNodeBusPoints={}";
    return "topoNodeChildren={}, topoNodeDisplayStatus={}, topoNodeGeoLocation=none : NULL, "
           "topoNodeId=" +
           id + ", topoNodeLayer=" + layer + ", topoNodeMOSet={}, topoNodeName=" + name +
           ", topoNodeParents=" + parents +
           ", topoNodePeers={}, topoNodePropagatedSeverity=5, topoNodePropagateUp=1, "
           "topoNodeSeverity=5, topoNodeState=0, topoNodeType=" +
           type + fixed;
  }
  static std::string new_view(const std::string& id) {
    return "topoNodeId=" + id +
           ", topoViewBackgroundImage=, topoViewMapConfigFile=, "
           "topoViewMapInitialGeoArea=none : NULL, topoViewNodePosition={0,0,0}, "
           "topoViewConfigData={}";
  }
  Image type(const std::string& id, const std::string& system = "L") {
    return object("topoTypeDBId=NULL/topoTypeId=\"" + id + "\"", system);
  }
  size_t count(const std::string& pattern) {
    hvx::Album album(DataUnit(pattern), platform_);
    EXPECT_TRUE(album.set_derivation(DataUnit(pattern)) && album.derive(hvx::DUArray{}));
    size_t n = 0;
    for (hvx::AlbumImage image = album.first_image(); image; image.next_image()) ++n;
    return n;
  }
};

// What every server holds from its start, each object whole; the objects of its links
// besides (L reaches B, B reaches C).
TEST_F(TopoDatabaseTest, EveryServerStartsWithItsObjectsWhole) {
  auto link_agent = [](const std::string& remote) {
    return "agentId=" + remote +
           ", mpaAddressInfo=noAddress : NULL, managedDNs={/systemId=name:\"" + remote +
           "\"}, agentAddressTag=0, agentAddressInfo=, applicationEntityTitle=, "
           "presentationSelector=, sessionSelector=, transportSelector=, networkSAP=mis:" +
           remote +
           ", nameXlatFlag=, aeQualifier=, apInvokeId=0, aeInvokeId=0, "
           "administrativeState=unlocked, operationalState=enabled";
  };
  const std::vector<std::pair<std::string, std::string>> common = {
      {"topoNodeDBId=NULL", "topoNodeDBId=NULL"},
      {"topoViewDBId=NULL", "topoViewDBId=NULL"},
      {"topoTypeDBId=NULL", "topoTypeDBId=NULL"},
      {"agentTableType=\"CMIP\"", "agentTableType=CMIP"},
      {"agentTableType=\"RPC\"", "agentTableType=RPC"},
      {"internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}",
       "internetClassId={ 1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0 }"},
      {"subsystemId=\"VQ-MIS\"", "subsystemId=VQ-MIS"},
      {"subsystemId=\"VQ-MIS\"/subsystemId=\"FdnTable\"", "subsystemId=FdnTable"},
      {"subsystemId=\"VQ-MIS\"/connectMgrId=\"ConnectMgr\"", "connectMgrId=ConnectMgr"},
      {"topoNodeDBId=NULL/topoNodeId=1", new_node("1", "Root", "Universe", "views", "{}")},
      {"topoViewDBId=NULL/topoNodeId=1", new_view("1")},
  };
  const std::tuple<const char*, const char*> systems[] = {{"L", "B"}, {"B", "C"}, {"C", nullptr}};
  for (const auto& [system, linked] : systems) {
    SCOPED_TRACE(system);
    auto objects = common;
    if (linked != nullptr) {
      const std::string remote = linked;
      objects.push_back({"serverTableType=\"mis\"", "serverTableType=mis"});
      // The entry itself cannot be read: its name routes to the remote system.
      objects.push_back({"serverTableType=\"mis\"/misId=\"" + remote + "\"", "systemId=" + remote});
      objects.push_back(
          {"agentTableType=\"CMIP\"/agentId=id:\"" + remote + "\"", link_agent(remote)});
    }
    for (const auto& [name, attributes] : objects) {
      EXPECT_EQ(whole(object(name, system)), attributes) << name;
    }
    // Nothing else at the top: the system's own objects are all listed above.
    EXPECT_EQ(count(prefix(system) + "*"), linked != nullptr ? 8u : 7u);
  }
}

// "{\"a\",\"b\"}" from "a b".
std::string names(const std::string& spaced) {
  std::string text = "{";
  for (size_t at = 0; at < spaced.size();) {
    const size_t end = std::min(spaced.find(' ', at), spaced.size());
    text += (text.size() > 1 ? ",\"" : "\"") + spaced.substr(at, end - at) + "\"";
    at = end + 1;
  }
  return text + "}";
}

// The predefined types whole: what they are given and what the server derives.
TEST_F(TopoDatabaseTest, PredefinedTypesAreHeldWhole) {
  const char* anything = "Container Device Link Monitor Array Bus";
  const char* monitored = "Device Link";
  const char* monitors = "Circle Hexagon Hexagon120 OmniSector";
  const std::array<const char*, 9> cases[] = {
      {"Container", "", "", "Network Universe", "Network Universe Subnetwork", anything, anything,
       "rectangle", "views"},
      {"Network", "Container", "Container", "Subnetwork", "Subnetwork", "", anything, "square",
       "views"},
      {"Subnetwork", "Network", "Network Container", "", "", "", anything, "square", "views"},
      {"Universe", "Container", "Container", "", "", "", anything, "square", "views"},
      {"Device", "", "", "Bridge Host Hub Router", "Bridge Host Hub Router Server", "", "",
       "circle", "devices"},
      {"Host", "Device", "Device", "Server", "Server", "", "", "circle", "devices"},
      {"Server", "Host", "Host Device", "", "", "", "", "square", "devices"},
      {"Hub", "Device", "Device", "", "", "", "", "hexagon", "devices"},
      {"Router", "Device", "Device", "", "", "", "", "triangle", "devices"},
      {"Bridge", "Device", "Device", "", "", "", "", "rectangle", "devices"},
      {"Link", "", "", "", "", "", "", "line", "links"},
      {"Monitor", "", "", monitors, monitors, monitored, monitored, "pie", "monitors"},
      {"OmniSector", "Monitor", "Monitor", "", "", "", monitored, "omnisector", "monitors"},
      {"Hexagon", "Monitor", "Monitor", "", "", "", monitored, "hexagon60", "monitors"},
      {"Hexagon120", "Monitor", "Monitor", "", "", "", monitored, "hexagon120", "monitors"},
      {"Circle", "Monitor", "Monitor", "", "", "", monitored, "circle", "monitors"},
      {"Array", "", "", "", "", "Device", "Device", "rectangle", "arrays"},
      {"Bus", "", "", "", "", "Device", "Device", "line", "buses"},
  };
  for (const auto& [id, bases, all_bases, sub_types, all_sub_types, legal, all_legal, draw, layer] :
       cases) {
    EXPECT_EQ(whole(type(id, "C")),
              std::string("topoTypeId=") + id + ", topoTypeDerivedFrom=" + names(bases) +
                  ", topoTypeAllDerivedFrom=" + names(all_bases) +
                  ", topoTypeBaseOf=" + names(sub_types) +
                  ", topoTypeMaxVisibleLevel=0, topoTypeMaxTopoLevel=0, topoTypeAllBaseOf=" +
                  names(all_sub_types) +
                  ", topoTypeLegalArcs={}, topoTypeAllLegalArcs={}, topoTypeLegalChildren=" +
                  names(legal) + ", topoTypeAllLegalChildren=" + names(all_legal) +
                  ", topoTypeDrawMethod=" + draw + ", topoTypeDefaultLayer=" + layer +
                  ", topoTypeUserDataAttrs={}");
  }
  EXPECT_EQ(count(prefix("C") + "topoTypeDBId=NULL/*"), std::size(cases)) << "no other type";
}

TEST_F(TopoDatabaseTest, CreationAssignsTheNextIdAndRefusesBadNodes) {
  const long view = make_node("v", "Network", {1});
  ASSERT_EQ(view, 2) << last_error_;
  const long host = make_node("h", "Host", {view});
  ASSERT_EQ(host, 3) << last_error_;
  platform_.dispatch_recursive(false);
  hvx::EventRecorder recorder(platform_);
  // An array below the root but for one attribute (nullptr: not given), and the refusal.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"topoNodeName", nullptr, "missingAttributeValue: topoNodeName: a node needs a name"},
      {"topoNodeType", nullptr, "missingAttributeValue: topoNodeType: a node needs a type"},
      {"topoNodeType", "Nope",
       "invalidAttributeValue: topoNodeType: there is no topology type \"Nope\""},
      {"topoNodeParents", "{99}",
       "invalidAttributeValue: topoNodeParents: there is no node 99 in this database"},
      {"topoNodePeers", "{42}",
       "invalidAttributeValue: topoNodePeers: there is no node 42 in this database"},
      {"topoNodePropagatePeers", "{42}",
       "invalidAttributeValue: topoNodePropagatePeers: there is no node 42 in this database"},
      {"topoNodeArrayVisibleChildren", "{3}",
       "invalidAttributeValue: topoNodeArrayVisibleChildren: node 3 is not a child of node 4"},
      {"topoNodeSeverity", "1", "attributeNotSettable: \"VQ Topology\":topoNodeSeverity"},
      {"topoNodeChildren", "{}", "attributeNotSettable: \"VQ Topology\":topoNodeChildren"},
  };
  for (const auto& [attribute, value, error] : cases) {
    std::map<std::string, const char*> given = {
        {"topoNodeName", "n"}, {"topoNodeType", "Array"}, {"topoNodeParents", "{1}"}};
    given[attribute] = value;
    Image image("NONE", "topoNode", platform_);
    for (const auto& [name, text] : given) {
      ASSERT_TRUE(text == nullptr || image.set_str(DataUnit(name), text));
    }
    EXPECT_FALSE(image.create_within("/systemId=name:\"L\"/topoNodeDBId=NULL", Image()));
    EXPECT_STREQ(image.get_error_string(), error);
  }
  // Named by the client: below the node database only, with a free positive id.
  for (const char* name : {"topoNodeDBId=NULL/topoNodeId=0", "topoNodeDBId=NULL/topoNodeId=-4",
                           "topoViewDBId=NULL/topoNodeId=9"}) {
    Image misplaced(DataUnit(prefix("L") + name), "topoNode", platform_);
    ASSERT_TRUE(misplaced.set_str("topoNodeName", "m"));
    ASSERT_TRUE(misplaced.set_str("topoNodeType", "Host"));
    EXPECT_FALSE(misplaced.create(Image()));
    EXPECT_EQ(misplaced.get_error_code(), ErrorCode::class_instance_conflict) << name;
  }

  // Refusals changed nothing and told nobody; the next node takes the next id.
  platform_.dispatch_recursive(false);
  EXPECT_TRUE(recorder.events().empty()) << recorder.summary().front();
  EXPECT_EQ(read_ids(node(view), "topoNodeChildren"), std::vector<long>{host});
  EXPECT_EQ(make_node("next", "Host", {1}), 4);
  Image chosen("/systemId=name:\"L\"/topoNodeDBId=NULL/topoNodeId=40", "topoNode", platform_);
  ASSERT_TRUE(chosen.set_str("topoNodeName", "forty") && chosen.set_str("topoNodeType", "Host"));
  ASSERT_TRUE(chosen.create(Image())) << chosen.get_error_string();
  EXPECT_EQ(make_node("after", "Host", {}), 41);
  ASSERT_TRUE(node(41).destroy());
  EXPECT_EQ(make_node("again", "Host", {}), 42) << "ids are not used again";
}

TEST_F(TopoDatabaseTest, ANewNodeStartsWithEveryAttributeTheLibraryReads) {
  const long id = make_node("h", "Router", {1});
  const std::string ids = std::to_string(id);
  EXPECT_EQ(whole(node(id)), new_node(ids, "h", "Router", "devices", "{1}"));
  EXPECT_EQ(whole(object("topoViewDBId=NULL/topoNodeId=1/topoNodeId=" + ids)), new_view(ids));
}

// Parents are kept in the order they were included; a placement made again starts at
// {0,0,0}. (That children mirror parents in joining order and placements exist is the
// random walk's rule.)
TEST_F(TopoDatabaseTest, ChildrenAndPlacementsFollowParents) {
  const long v1 = make_node("v1", "Network", {1});
  const long v2 = make_node("v2", "Network", {1});
  const long h = make_node("h", "Host", {v1});
  const std::string place1 =
      "topoViewDBId=NULL/topoNodeId=" + std::to_string(v1) + "/topoNodeId=" + std::to_string(h);
  ASSERT_TRUE(store(object(place1), "topoViewNodePosition", "{3,4,5}")) << last_error_;
  ASSERT_TRUE(store(node(h), "topoNodeParents", ids_text({v2}), hvx::INCLUDE)) << last_error_;
  ASSERT_TRUE(store(node(h), "topoNodeParents", ids_text({v1}), hvx::EXCLUDE)) << last_error_;
  ASSERT_TRUE(store(node(h), "topoNodeParents", ids_text({v1}), hvx::INCLUDE)) << last_error_;
  EXPECT_EQ(read_ids(node(h), "topoNodeParents"), (std::vector<long>{v2, v1}));
  EXPECT_EQ(read(object(place1), "topoViewNodePosition").get_str(0), "{0,0,0}");

  // Cycles, and the node itself, are refused.
  ASSERT_TRUE(store_node(v2, "topoNodeParents", ids_text({v1})));
  EXPECT_FALSE(store_node(v1, "topoNodeParents", ids_text({v2})));
  EXPECT_EQ(last_error_, "invalidAttributeValue: topoNodeParents: node " + std::to_string(v2) +
                             " is below node " + std::to_string(v1) +
                             ": the parents would make a cycle");
  EXPECT_FALSE(store_node(v1, "topoNodeParents", ids_text({v1})));
  EXPECT_EQ(last_error_, "invalidAttributeValue: topoNodeParents: a node cannot name itself here");
  EXPECT_EQ(read_ids(node(v1), "topoNodeParents"), std::vector<long>{1});
}

TEST_F(TopoDatabaseTest, VisibleChildrenAreChildrenAndLeaveWithThem) {
  const long monitor = make_node("m", "Hexagon", {1});
  const long array = make_node("a", "Array", {1});
  const long h = make_node("h", "Host", {monitor, array});
  const long other = make_node("o", "Host", {1});
  ASSERT_TRUE(store_node(array, "topoNodeArrayVisibleChildren", ids_text({h}))) << last_error_;
  EXPECT_FALSE(store_node(monitor, "topoNodeMonitor", "{30,{" + std::to_string(other) + "}}"));
  ASSERT_TRUE(store_node(monitor, "topoNodeMonitor", "{30,{" + std::to_string(h) + "}}"))
      << last_error_;
  ASSERT_TRUE(store_node(h, "topoNodeParents", "{1}"));
  EXPECT_TRUE(read_ids(node(array), "topoNodeArrayVisibleChildren").empty());
  EXPECT_EQ(read(node(monitor), "topoNodeMonitor").get_str(0), "monitor : {30,{}}");
}

TEST_F(TopoDatabaseTest, ViewAndPlacementObjectsAreKeptByTheServer) {
  const long n = make_node("n", "Host", {1});
  Image view("topoViewDBId=NULL/topoNodeId=77", "topoView", platform_);
  EXPECT_FALSE(view.create(Image()));
  EXPECT_EQ(view.get_error_code(), ErrorCode::processing_failure);
  Image place(DataUnit("topoViewDBId=NULL/topoNodeId=1/topoNodeId=" + std::to_string(n)),
              "topoViewNode", platform_);
  EXPECT_FALSE(place.destroy());
  EXPECT_EQ(place.get_error_code(), ErrorCode::processing_failure);
  for (const char* permanent :
       {"topoNodeDBId=NULL", "topoTypeDBId=NULL", "topoViewDBId=NULL", "agentTableType=\"RPC\""}) {
    Image db(permanent, "", platform_);
    EXPECT_FALSE(db.destroy()) << permanent;
  }
  Image db("topoNodeDBId=NULL", "topoNodeDB", platform_);
  EXPECT_FALSE(db.create(Image()));
  EXPECT_EQ(db.get_error_code(), ErrorCode::duplicate_object_instance);
}

// Creating a node places it in each parent: every derived change has its notification,
// after the creation's, except the parent's children list, which the child's parents give
// (sending the whole list with every creation made building a large view quadratic).
TEST_F(TopoDatabaseTest, DerivedChangesAreNotified) {
  hvx::EventRecorder recorder(platform_);
  const long v = make_node("v", "Network", {1});
  platform_.dispatch_recursive(false);
  const std::string vs = std::to_string(v);
  EXPECT_EQ(
      recorder.summary(),
      (std::vector<std::string>{"objectCreation topoNodeDBId=NULL/topoNodeId=" + vs,
                                "objectCreation topoViewDBId=NULL/topoNodeId=" + vs,
                                "objectCreation topoViewDBId=NULL/topoNodeId=1/topoNodeId=" + vs}));
}

// A type's bases must be types and cannot come back to it; a type in use stays. (The
// derived attributes are the random walk's rule.)
TEST_F(TopoDatabaseTest, TypesDeriveFromExistingTypesOnly) {
  ASSERT_TRUE(make_type("Rack", "{\"Device\"}")) << last_error_;
  ASSERT_TRUE(make_type("Blade", "{\"Rack\"}")) << last_error_;
  ASSERT_TRUE(make_type("LinkedDevice", "{\"Link\",\"Device\"}")) << last_error_;
  EXPECT_EQ(read_texts(type("LinkedDevice"), "topoTypeAllDerivedFrom"),
            (std::vector<std::string>{"Link", "Device"}));
  // An empty base (as a type handle without a base writes one) is no base.
  ASSERT_TRUE(make_type("Free", "{\"\"}")) << last_error_;
  EXPECT_TRUE(read_texts(type("Free"), "topoTypeAllDerivedFrom").empty());

  EXPECT_FALSE(make_type("Orphan", "{\"Nowhere\"}"));
  EXPECT_EQ(last_error_,
            "invalidAttributeValue: topoTypeDerivedFrom: no base type \"Nowhere\" for \"Orphan\"");
  EXPECT_FALSE(store(type("Rack"), "topoTypeDerivedFrom", "{\"Blade\"}"));
  EXPECT_NE(last_error_.find("would derive from itself"), std::string::npos) << last_error_;
  for (const char* derived : {"topoTypeBaseOf", "topoTypeAllBaseOf", "topoTypeAllDerivedFrom",
                              "topoTypeAllLegalChildren"}) {
    EXPECT_FALSE(store(type("Rack"), derived, "{}"));
    EXPECT_EQ(last_error_, std::string("attributeNotSettable: \"VQ Topology\":") + derived);
  }
  Image rack = type("Rack");
  EXPECT_FALSE(rack.destroy());
  EXPECT_STREQ(rack.get_error_string(),
               "processingFailure: type \"Rack\" is the base of \"Blade\"");
  const long n = make_node("b", "Blade", {1});
  Image blade = type("Blade");
  EXPECT_FALSE(blade.destroy());
  EXPECT_STREQ(
      blade.get_error_string(),
      ("processingFailure: type \"Blade\" is the type of node " + std::to_string(n)).c_str());
  // A view type keeps being one while a node of it has children.
  ASSERT_TRUE(make_type("Shelf", "{}", "{\"Device\"}")) << last_error_;
  const long shelf = make_node("s", "Shelf", {1});
  ASSERT_NE(make_node("d", "Host", {shelf}), 0) << last_error_;
  EXPECT_FALSE(store(type("Shelf"), "topoTypeLegalChildren", "{}"));
  EXPECT_NE(last_error_.find("would no longer be a view type"), std::string::npos) << last_error_;
  ASSERT_TRUE(node(n).destroy() && type("Blade").destroy() && type("Rack").destroy());
}

// Each server keeps its own nodes: ids name nodes of the database they are sent to.
TEST_F(TopoDatabaseTest, NodesOfRemoteSystemsAreKeptApart) {
  const long on_l = make_node("l", "Network", {1});
  const long on_c = make_node("c", "Network", {1}, "C");
  EXPECT_EQ(on_c, 2) << last_error_;
  EXPECT_EQ(make_node("b", "Host", {on_l + 5}, "B"), 0);
  EXPECT_NE(last_error_.find("there is no node"), std::string::npos);
  EXPECT_EQ(make_node("c2", "Host", {on_c}, "C"), 3);
  EXPECT_EQ(read_ids(node(on_c, "C"), "topoNodeChildren"), std::vector<long>{3});
  EXPECT_TRUE(read_ids(node(on_l), "topoNodeChildren").empty());
  EXPECT_TRUE(exists(prefix("C") + "topoViewDBId=NULL/topoNodeId=2/topoNodeId=3"));
  EXPECT_EQ(call_ids("topoNodeGetByName", "\"c2\"", "C"), std::vector<long>{3});
  EXPECT_TRUE(call_ids("topoNodeGetByName", "\"c2\"", "B").empty());
}

}  // namespace
