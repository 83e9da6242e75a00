// The topology database every server holds: its objects from the start, the rules of node
// creation and change, the view and placement objects, the type tree, deletions.
#include <gtest/gtest.h>

#include <algorithm>

#include "topo_fixture.h"

namespace {

using hvx::DataUnit;
using hvx::ErrorCode;
using hvx::Image;

class TopoDatabaseTest : public hvx_testing::TopoTest {
 protected:
  static bool has(const std::vector<std::string>& events, const std::string& event) {
    return std::find(events.begin(), events.end(), event) != events.end();
  }
  std::string type_name(const std::string& id) {
    return "topoTypeDBId=NULL/topoTypeId=\"" + id + "\"";
  }
  Image type(const std::string& id, const std::string& system = "L") {
    return object(type_name(id), system);
  }
  bool make_type(const std::string& id, const std::string& bases,
                 const std::string& legal_children = "{}") {
    Image image(DataUnit(type_name(id)), "topoType", platform_);
    if (!image.set_str("topoTypeDerivedFrom", DataUnit(bases)) ||
        !image.set_str("topoTypeLegalChildren", DataUnit(legal_children)) ||
        !image.create(Image())) {
      last_error_ = image.get_error_string();
      return false;
    }
    return true;
  }
};

TEST_F(TopoDatabaseTest, EveryServerHoldsItsDatabasesAndRootViewFromTheStart) {
  for (const std::string system : {"L", "B", "C"}) {
    SCOPED_TRACE(system);
    for (const char* name :
         {"topoNodeDBId=NULL", "topoViewDBId=NULL", "topoTypeDBId=NULL", "agentTableType=\"CMIP\"",
          "agentTableType=\"RPC\"", "internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}",
          "subsystemId=\"VQ-MIS\"/subsystemId=\"FdnTable\"",
          "subsystemId=\"VQ-MIS\"/connectMgrId=\"ConnectMgr\""}) {
      EXPECT_TRUE(exists(name, system)) << name;
    }
    EXPECT_EQ(call_ids("topoNodeGetByName", "\"Root\"", system), std::vector<long>{1});
    EXPECT_EQ(read(node(1, system), "topoNodeType").get_str(0), "Universe");
    EXPECT_TRUE(read_ids(node(1, system), "topoNodeParents").empty());
    EXPECT_TRUE(exists("topoViewDBId=NULL/topoNodeId=1", system));
  }
}

// The predefined types, as the type category cache reads them: every base, directly or
// not, and the legal children that make a type a view type.
TEST_F(TopoDatabaseTest, PredefinedTypeTree) {
  const std::vector<std::string> anything = {"Container", "Device", "Link",
                                             "Monitor",   "Array",  "Bus"};
  const struct {
    const char* id;
    std::vector<std::string> all_bases;
    std::vector<std::string> sub_types;
    std::vector<std::string> all_legal_children;
  } cases[] = {
      {"Container", {}, {"Network", "Universe"}, anything},
      {"Universe", {"Container"}, {}, anything},
      {"Subnetwork", {"Network", "Container"}, {}, anything},
      {"Device", {}, {"Bridge", "Host", "Hub", "Router"}, {}},
      {"Host", {"Device"}, {"Server"}, {}},
      {"Server", {"Host", "Device"}, {}, {}},
      {"Link", {}, {}, {}},
      {"Monitor", {}, {"Circle", "Hexagon", "Hexagon120", "OmniSector"}, {"Device", "Link"}},
      {"Hexagon120", {"Monitor"}, {}, {"Device", "Link"}},
      {"Array", {}, {}, {"Device"}},
      {"Bus", {}, {}, {"Device"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(read_texts(type(c.id), "topoTypeAllDerivedFrom"), c.all_bases);
    EXPECT_EQ(read_texts(type(c.id), "topoTypeBaseOf"), c.sub_types);
    EXPECT_EQ(read_texts(type(c.id), "topoTypeAllLegalChildren"), c.all_legal_children);
  }
  EXPECT_EQ(read_texts(type("Device"), "topoTypeAllBaseOf"),
            (std::vector<std::string>{"Bridge", "Host", "Hub", "Router", "Server"}));
  EXPECT_EQ(read(type("Hexagon"), "topoTypeDrawMethod").get_str(0), "hexagon60");
}

TEST_F(TopoDatabaseTest, CreationAssignsTheNextIdAndRefusesBadNodes) {
  const long view = make_node("v", "Network", {1});
  ASSERT_EQ(view, 2) << last_error_;
  const long host = make_node("h", "Host", {view});
  ASSERT_EQ(host, 3) << last_error_;
  platform_.dispatch_recursive(false);
  hvx::EventRecorder recorder(platform_);
  const struct {
    const char* what;
    const char* name;
    const char* type;
    std::vector<long> parents;
    std::vector<std::pair<std::string, std::string>> more;
    ErrorCode code;
    const char* text;
  } cases[] = {
      {"unknown type",
       "n",
       "Nope",
       {1},
       {},
       ErrorCode::invalid_attribute_value,
       "topoNodeType: there is no topology type \"Nope\""},
      {"unknown parent",
       "n",
       "Host",
       {99},
       {},
       ErrorCode::invalid_attribute_value,
       "topoNodeParents: there is no node 99 in this database"},
      {"parent not a view",
       "n",
       "Host",
       {host},
       {},
       ErrorCode::invalid_attribute_value,
       "topoNodeParents: node 3 is not a view"},
      {"parent twice",
       "n",
       "Host",
       {view, view},
       {},
       ErrorCode::invalid_attribute_value,
       "topoNodeParents: node 2 is listed twice"},
      {"unknown peer",
       "n",
       "Host",
       {1},
       {{"topoNodePeers", "{42}"}},
       ErrorCode::invalid_attribute_value,
       "topoNodePeers: there is no node 42 in this database"},
      {"visible child of a new node",
       "n",
       "Array",
       {1},
       {{"topoNodeArrayVisibleChildren", "{3}"}},
       ErrorCode::invalid_attribute_value,
       "node 3 is not a child of node 4"},
      {"computed attribute",
       "n",
       "Host",
       {1},
       {{"topoNodeSeverity", "1"}},
       ErrorCode::attribute_not_settable,
       "topoNodeSeverity"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(make_node(c.name, c.type, c.parents, "L", c.more), 0);
    EXPECT_NE(last_error_.find(c.text), std::string::npos) << last_error_;
    EXPECT_EQ(last_error_.rfind(hvx::error_code_name(c.code), 0), 0u) << last_error_;
  }
  // Without a name or a type.
  Image nameless("NONE", "topoNode", platform_);
  ASSERT_TRUE(nameless.set_str("topoNodeType", "Host"));
  EXPECT_FALSE(nameless.create_within("/systemId=name:\"L\"/topoNodeDBId=NULL", Image()));
  EXPECT_STREQ(nameless.get_error_string(),
               "missingAttributeValue: topoNodeName: a node needs a name");
  Image typeless("NONE", "topoNode", platform_);
  ASSERT_TRUE(typeless.set_str("topoNodeName", "t"));
  EXPECT_FALSE(typeless.create_within("/systemId=name:\"L\"/topoNodeDBId=NULL", Image()));
  EXPECT_STREQ(typeless.get_error_string(),
               "missingAttributeValue: topoNodeType: a node needs a type");
  // Named by the client: below the node database only, with a free positive id.
  Image misplaced("/systemId=name:\"L\"/topoNodeDBId=NULL/topoNodeId=0", "topoNode", platform_);
  ASSERT_TRUE(misplaced.set_str("topoNodeName", "m"));
  ASSERT_TRUE(misplaced.set_str("topoNodeType", "Host"));
  EXPECT_FALSE(misplaced.create(Image()));
  EXPECT_EQ(misplaced.get_error_code(), ErrorCode::class_instance_conflict);

  // Refusals changed nothing and told nobody; the next node takes the next id.
  platform_.dispatch_recursive(false);
  EXPECT_TRUE(recorder.events().empty()) << recorder.summary().front();
  EXPECT_EQ(read_ids(node(view), "topoNodeChildren"), std::vector<long>{host});
  EXPECT_EQ(make_node("next", "Host", {1}), 4);
  Image chosen("/systemId=name:\"L\"/topoNodeDBId=NULL/topoNodeId=40", "topoNode", platform_);
  ASSERT_TRUE(chosen.set_str("topoNodeName", "forty"));
  ASSERT_TRUE(chosen.set_str("topoNodeType", "Host"));
  ASSERT_TRUE(chosen.create(Image())) << chosen.get_error_string();
  EXPECT_EQ(make_node("after", "Host", {}), 41);
}

TEST_F(TopoDatabaseTest, ANewNodeStartsWithEveryAttributeTheLibraryReads) {
  const long id = make_node("h", "Router", {1});
  Image image = node(id);
  ASSERT_TRUE(image.boot());
  const char* const expected[][2] = {
      {"topoNodeName", "h"},
      {"topoNodeType", "Router"},
      {"topoNodeMOSet", "{}"},
      {"topoNodeParents", "{1}"},
      {"topoNodeChildren", "{}"},
      {"topoNodePeers", "{}"},
      {"topoNodePropagatePeers", "{}"},
      {"topoNodeManaged", "TRUE"},
      {"topoNodeIsManaged", "FALSE"},
      {"topoNodeState", "0"},
      {"topoNodeSeverity", "5"},
      {"topoNodePropagatedSeverity", "5"},
      {"topoNodePropagateUp", "1"},
      {"topoNodeDisplayStatus", "{}"},
      {"topoNodeGeoLocation", "none : NULL"},
      {"topoNodeLayer", "devices"},
      {"topoNodeMonitor", "none : NULL"},
      {"topoNodeUserData", "{}"},
      {"topoNodeArrayVisibleChildren", "{}"},
      {"topoNodeArrayOrientation", "0"},
      {"topoNodeArrayNumColumns", "0"},
      {"topoNodeArrayCellSize", "{0,25}"},
      {"topoNodeBusPoints", "{}"},
  };
  for (const auto& [attribute, text] : expected) {
    EXPECT_EQ(image.get_str(attribute).str(), text) << attribute;
  }
  EXPECT_EQ(read(object("topoViewDBId=NULL/topoNodeId=1/topoNodeId=" + std::to_string(id)),
                 "topoViewNodePosition")
                .get_str(0),
            "{0,0,0}");
  Image view = object("topoViewDBId=NULL/topoNodeId=1");
  ASSERT_TRUE(view.boot());
  EXPECT_EQ(view.get_str("topoViewBackgroundImage").str(), "");
  EXPECT_EQ(view.get_str("topoViewMapInitialGeoArea").str(), "none : NULL");
  EXPECT_EQ(view.get_str("topoViewConfigData").str(), "{}");
}

TEST_F(TopoDatabaseTest, ChildrenAndPlacementsFollowParents) {
  const long v1 = make_node("v1", "Network", {1});
  const long v2 = make_node("v2", "Network", {1});
  const long h = make_node("h", "Host", {v1});
  EXPECT_EQ(read_ids(node(1), "topoNodeChildren"), (std::vector<long>{v1, v2}));
  ASSERT_TRUE(store_node(h, "topoNodeParents", ids_text({v2, v1}))) << last_error_;
  EXPECT_EQ(read_ids(node(v2), "topoNodeChildren"), std::vector<long>{h});
  const std::string place1 =
      "topoViewDBId=NULL/topoNodeId=" + std::to_string(v1) + "/topoNodeId=" + std::to_string(h);
  const std::string place2 =
      "topoViewDBId=NULL/topoNodeId=" + std::to_string(v2) + "/topoNodeId=" + std::to_string(h);
  EXPECT_TRUE(exists(place1));
  EXPECT_TRUE(exists(place2));
  ASSERT_TRUE(store(object(place1), "topoViewNodePosition", "{3,4,5}")) << last_error_;
  ASSERT_TRUE(store_node(h, "topoNodeParents", ids_text({v2})));
  EXPECT_TRUE(read_ids(node(v1), "topoNodeChildren").empty());
  EXPECT_FALSE(exists(place1));
  EXPECT_TRUE(exists(place2));
  // INCLUDE and EXCLUDE change the parents as a set.
  ASSERT_TRUE(store(node(h), "topoNodeParents", ids_text({v1}), hvx::INCLUDE)) << last_error_;
  EXPECT_EQ(read_ids(node(h), "topoNodeParents"), (std::vector<long>{v2, v1}));
  EXPECT_EQ(read(object(place1), "topoViewNodePosition").get_str(0), "{0,0,0}");
  ASSERT_TRUE(store(node(h), "topoNodeParents", ids_text({v2}), hvx::EXCLUDE));
  EXPECT_TRUE(read_ids(node(v2), "topoNodeChildren").empty());
  EXPECT_EQ(read_ids(node(v1), "topoNodeChildren"), std::vector<long>{h});

  // Cycles, and the node itself, are refused.
  ASSERT_TRUE(store_node(v2, "topoNodeParents", ids_text({v1})));
  EXPECT_FALSE(store_node(v1, "topoNodeParents", ids_text({v2})));
  EXPECT_NE(last_error_.find("the parents would make a cycle"), std::string::npos) << last_error_;
  EXPECT_FALSE(store_node(v1, "topoNodeParents", ids_text({v1})));
  EXPECT_EQ(read_ids(node(v1), "topoNodeParents"), std::vector<long>{1});
}

TEST_F(TopoDatabaseTest, VisibleChildrenAreChildrenAndLeaveWithThem) {
  const long monitor = make_node("m", "Hexagon", {1});
  const long array = make_node("a", "Array", {1});
  const long h = make_node("h", "Host", {monitor, array});
  const long other = make_node("o", "Host", {1});
  EXPECT_FALSE(store_node(array, "topoNodeArrayVisibleChildren", ids_text({other})));
  ASSERT_TRUE(store_node(array, "topoNodeArrayVisibleChildren", ids_text({h}))) << last_error_;
  EXPECT_FALSE(store_node(monitor, "topoNodeMonitor", "{30,{" + std::to_string(other) + "}}"));
  ASSERT_TRUE(store_node(monitor, "topoNodeMonitor", "{30,{" + std::to_string(h) + "}}"))
      << last_error_;
  ASSERT_TRUE(store_node(h, "topoNodeParents", "{1}"));
  EXPECT_TRUE(read_ids(node(array), "topoNodeArrayVisibleChildren").empty());
  EXPECT_EQ(read(node(monitor), "topoNodeMonitor").get_str(0), "monitor : {30,{}}");
}

TEST_F(TopoDatabaseTest, TheViewObjectFollowsTheNodesType) {
  const long n = make_node("n", "Host", {1});
  const std::string view = "topoViewDBId=NULL/topoNodeId=" + std::to_string(n);
  EXPECT_FALSE(exists(view));
  ASSERT_TRUE(store_node(n, "topoNodeType", "Network")) << last_error_;
  EXPECT_TRUE(exists(view));
  const long child = make_node("c", "Host", {n});
  EXPECT_FALSE(store_node(n, "topoNodeType", "Host"));
  EXPECT_NE(last_error_.find("has children and \"Host\" is not a view type"), std::string::npos)
      << last_error_;
  ASSERT_TRUE(node(child).destroy());
  ASSERT_TRUE(store_node(n, "topoNodeType", "Host"));
  EXPECT_FALSE(exists(view));
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

// The children of a deleted node stay, without it as a parent; every reference goes.
TEST_F(TopoDatabaseTest, DeletingANodeDetachesEverythingThatReferredToIt) {
  const long v = make_node("v", "Network", {1});
  const long only_child = make_node("h1", "Host", {v});
  const long shared = make_node("h2", "Host", {v, 1});
  const long watcher = make_node(
      "p", "Host", {1}, "L",
      {{"topoNodePeers", ids_text({v})}, {"topoNodePropagatePeers", ids_text({v, shared})}});
  ASSERT_NE(watcher, 0) << last_error_;
  platform_.dispatch_recursive(false);
  hvx::EventRecorder recorder(platform_);
  ASSERT_TRUE(node(v).destroy());
  EXPECT_TRUE(read_ids(node(only_child), "topoNodeParents").empty());
  EXPECT_EQ(read_ids(node(shared), "topoNodeParents"), std::vector<long>{1});
  EXPECT_TRUE(read_ids(node(watcher), "topoNodePeers").empty());
  EXPECT_EQ(read_ids(node(watcher), "topoNodePropagatePeers"), std::vector<long>{shared});
  EXPECT_EQ(read_ids(node(1), "topoNodeChildren"), (std::vector<long>{shared, watcher}));
  EXPECT_FALSE(exists("topoViewDBId=NULL/topoNodeId=" + std::to_string(v)));
  platform_.dispatch_recursive(false);
  const std::vector<std::string> events = recorder.summary();
  const std::string vs = std::to_string(v);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front(), "objectDeletion topoNodeDBId=NULL/topoNodeId=" + vs);
  for (const std::string& expected : std::vector<std::string>{
           "attributeValueChange topoNodeDBId=NULL/topoNodeId=" + std::to_string(only_child),
           "objectDeletion topoViewDBId=NULL/topoNodeId=" + vs +
               "/topoNodeId=" + std::to_string(shared),
           "objectDeletion topoViewDBId=NULL/topoNodeId=" + vs,
           "attributeValueChange topoNodeDBId=NULL/topoNodeId=1",
           "attributeValueChange topoNodeDBId=NULL/topoNodeId=" + std::to_string(watcher)}) {
    EXPECT_TRUE(has(events, expected)) << expected;
  }
}

// Creating a node places it in each parent: every derived change has its notification,
// after the creation's.
TEST_F(TopoDatabaseTest, DerivedChangesAreNotified) {
  hvx::EventRecorder recorder(platform_);
  const long v = make_node("v", "Network", {1});
  platform_.dispatch_recursive(false);
  const std::string vs = std::to_string(v);
  EXPECT_EQ(
      recorder.summary(),
      (std::vector<std::string>{"objectCreation topoNodeDBId=NULL/topoNodeId=" + vs,
                                "objectCreation topoViewDBId=NULL/topoNodeId=" + vs,
                                "attributeValueChange topoNodeDBId=NULL/topoNodeId=1",
                                "objectCreation topoViewDBId=NULL/topoNodeId=1/topoNodeId=" + vs}));
  // The change of the root's children carries the old and the new list.
  const hvx::CurrentEvent& change = recorder.events()[2];
  Image image = change.get_image(1);
  EXPECT_EQ(image.get_str("topoNodeChildren").str(), "{" + vs + "}");
}

TEST_F(TopoDatabaseTest, TypesDeriveFromExistingTypesOnly) {
  ASSERT_TRUE(make_type("Rack", "{\"Device\"}")) << last_error_;
  ASSERT_TRUE(make_type("Blade", "{\"Rack\"}")) << last_error_;
  EXPECT_EQ(read_texts(type("Blade"), "topoTypeAllDerivedFrom"),
            (std::vector<std::string>{"Rack", "Device"}));
  EXPECT_EQ(read_texts(type("Rack"), "topoTypeBaseOf"), std::vector<std::string>{"Blade"});
  EXPECT_EQ(read_texts(type("Device"), "topoTypeAllBaseOf").size(), 7u);
  // A type derived from two: the bases of both, nearest first.
  ASSERT_TRUE(make_type("LinkedDevice", "{\"Link\",\"Device\"}")) << last_error_;
  EXPECT_EQ(read_texts(type("LinkedDevice"), "topoTypeAllDerivedFrom"),
            (std::vector<std::string>{"Link", "Device"}));

  // A type made with an empty base (as a type handle without a base makes one) derives from
  // nothing.
  ASSERT_TRUE(make_type("Free", "{\"\"}")) << last_error_;
  EXPECT_TRUE(read_texts(type("Free"), "topoTypeAllDerivedFrom").empty());
  EXPECT_FALSE(make_type("Orphan", "{\"Nowhere\"}"));
  EXPECT_EQ(last_error_,
            "invalidAttributeValue: topoTypeDerivedFrom: no base type \"Nowhere\" for \"Orphan\"");
  EXPECT_FALSE(store(type("Rack"), "topoTypeDerivedFrom", "{\"Blade\"}"));
  EXPECT_NE(last_error_.find("would derive from itself"), std::string::npos) << last_error_;
  EXPECT_FALSE(store(type("Rack"), "topoTypeBaseOf", "{}"));
  EXPECT_FALSE(store(type("Rack"), "topoTypeAllLegalChildren", "{}"));

  EXPECT_FALSE(type("Rack").destroy());
  const long n = make_node("b", "Blade", {1});
  Image blade = type("Blade");
  EXPECT_FALSE(blade.destroy());
  EXPECT_STREQ(
      blade.get_error_string(),
      ("processingFailure: type \"Blade\" is the type of node " + std::to_string(n)).c_str());
  ASSERT_TRUE(node(n).destroy());
  ASSERT_TRUE(type("Blade").destroy());
  EXPECT_TRUE(read_texts(type("Rack"), "topoTypeBaseOf").empty());
  EXPECT_EQ(read_texts(type("Device"), "topoTypeAllBaseOf").size(), 7u);
}

// Legal children make a type a view type; INCLUDE adds to them; every node of the type,
// and of the types derived from it, gains or loses its view object.
TEST_F(TopoDatabaseTest, LegalChildrenMakeViewTypes) {
  ASSERT_TRUE(make_type("Rack", "{\"Device\"}"));
  ASSERT_TRUE(make_type("Blade", "{\"Rack\"}"));
  const long rack = make_node("r", "Rack", {1});
  const long blade = make_node("b", "Blade", {1});
  EXPECT_EQ(make_node("h", "Host", {rack}), 0);
  ASSERT_TRUE(store(type("Rack"), "topoTypeLegalChildren", "{\"Host\"}", hvx::INCLUDE));
  ASSERT_TRUE(store(type("Rack"), "topoTypeLegalChildren", "{\"Hub\"}", hvx::INCLUDE));
  EXPECT_EQ(read_texts(type("Rack"), "topoTypeLegalChildren"),
            (std::vector<std::string>{"Host", "Hub"}));
  EXPECT_EQ(read_texts(type("Blade"), "topoTypeAllLegalChildren"),
            (std::vector<std::string>{"Host", "Hub"}));
  EXPECT_TRUE(exists("topoViewDBId=NULL/topoNodeId=" + std::to_string(blade)));
  const long h = make_node("h", "Host", {rack});
  ASSERT_NE(h, 0) << last_error_;
  EXPECT_FALSE(store(type("Rack"), "topoTypeLegalChildren", "{}"));
  EXPECT_NE(last_error_.find("\"Rack\" would no longer be a view type"), std::string::npos)
      << last_error_;
  ASSERT_TRUE(node(h).destroy());
  ASSERT_TRUE(store(type("Rack"), "topoTypeLegalChildren", "{}"));
  EXPECT_FALSE(exists("topoViewDBId=NULL/topoNodeId=" + std::to_string(rack)));
  EXPECT_FALSE(exists("topoViewDBId=NULL/topoNodeId=" + std::to_string(blade)));
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
  EXPECT_TRUE(exists("topoViewDBId=NULL/topoNodeId=2/topoNodeId=3", "C"));
  EXPECT_EQ(call_ids("topoNodeGetByName", "\"c2\"", "C"), std::vector<long>{3});
  EXPECT_TRUE(call_ids("topoNodeGetByName", "\"c2\"", "B").empty());
}

}  // namespace
