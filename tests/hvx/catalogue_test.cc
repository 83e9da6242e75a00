#include "hvx/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "hvx/oid_registry.h"
#include "hvx/syntax.h"

namespace hvx {
namespace {

const Catalogue& catalogue() { return Catalogue::get(); }

TEST(CatalogueTest, NamesAndIdentifiersAreUniqueAndEverythingResolves) {
  std::set<std::string> names;
  std::set<std::string> oids;
  auto unique = [&](std::string_view name, std::string_view oid) {
    EXPECT_TRUE(names.insert(std::string(name)).second) << name;
    EXPECT_TRUE(oids.insert(std::string(oid)).second) << name << " " << oid;
    EXPECT_TRUE(Oid(oid).valid()) << name;
    EXPECT_EQ(name[0], '"') << name;
  };
  for (const AttributeDef& a : catalogue().attributes()) {
    unique(a.name, a.oid);
    EXPECT_TRUE(Syntax::parse(a.syntax).valid()) << a.name << ": " << a.syntax;
  }
  for (const ActionDef& a : catalogue().actions()) {
    unique(a.name, a.oid);
    EXPECT_TRUE(Syntax::of_action_argument(a.name).valid()) << a.name;
    EXPECT_TRUE(Syntax::of_action_reply(a.name).valid()) << a.name;
  }
  for (const NotificationDef& n : catalogue().notifications()) {
    unique(n.name, n.oid);
    EXPECT_TRUE(Syntax::of_notification(n.name).valid()) << n.name;
  }
  for (const ClassDef& c : catalogue().classes()) {
    unique(c.name, c.oid);
    EXPECT_NE(catalogue().find_attribute(c.naming), nullptr) << c.name;
    bool names_itself = false;
    for (std::string_view a : c.attributes) {
      EXPECT_NE(catalogue().find_attribute(a), nullptr) << c.name << " " << a;
      names_itself = names_itself || a == c.naming;
    }
    EXPECT_TRUE(names_itself) << c.name;
    for (std::string_view a : c.actions) EXPECT_NE(catalogue().find_action(a), nullptr) << a;
    for (std::string_view n : c.notifications) {
      EXPECT_NE(catalogue().find_notification(n), nullptr) << n;
    }
    for (std::string_view s : c.superiors) {
      EXPECT_TRUE(s.empty() || catalogue().find_class(s) != nullptr) << c.name << " " << s;
    }
  }
  for (const TypeDef& t : catalogue().types()) {
    EXPECT_TRUE(Syntax::of_type(t.name).valid()) << t.name;
  }
}

// Identifiers the topology library relies on; unknown names and identifiers find nothing.
TEST(CatalogueTest, KnownIdentifiers) {
  const std::pair<const char*, const char*> kClasses[] = {
      {"topoNode", "1.3.6.1.4.1.7351.2.2.2.40.3.1"},
      {"topoNodeDB", "1.3.6.1.4.1.7351.2.2.2.40.3.2"},
      {"topoView", "1.3.6.1.4.1.7351.2.2.2.40.3.5"},
      {"topoViewNode", "1.3.6.1.4.1.7351.2.2.2.40.3.7"},
      {"cmipAgentEntity", "1.3.6.1.4.1.7351.2.2.2.10.3.3"},
      {"\"VQ MPA\":cmipAgent", "1.3.6.1.4.1.7351.2.2.2.65.3.1"},
      {"misEntry", "1.3.6.1.4.1.7351.2.2.2.201.3.1"},
  };
  for (const auto& [name, oid] : kClasses) {
    const ClassDef* def = catalogue().find_class(name);
    ASSERT_NE(def, nullptr) << name;
    EXPECT_EQ(def->oid, oid);
    EXPECT_EQ(catalogue().find_class(Oid(oid)), def);
  }
  // The 29 node attributes, each with its arc under .40.7.
  std::istringstream node_attributes(
      "topoNodeId 9 topoNodeName 12 topoNodeType 21 topoNodeMOSet 11 topoNodeParents 13 "
      "topoNodeChildren 3 topoNodePeers 14 topoNodePropagatePeers 52 topoNodeManaged 42 "
      "topoNodeIsManaged 43 topoNodeState 20 topoNodeSeverity 18 topoNodePropagatedSeverity 15 "
      "topoNodePropagateUp 16 topoNodeDisplayStatus 7 topoNodeGeoLocation 8 topoNodeLayer 10 "
      "topoNodeMonitor 46 topoNodeUserData 44 topoNodeArrayVisibleChildren 60 "
      "topoNodeArrayOrientation 61 topoNodeArrayNumColumns 62 topoNodeArrayCellSize 63 "
      "topoNodeBusPoints 64 topoViewNodePosition 41 topoViewBackgroundImage 37 "
      "topoViewMapConfigFile 39 topoViewMapInitialGeoArea 40 topoViewConfigData 65");
  std::string name;
  int arc = 0, count = 0;
  for (; node_attributes >> name >> arc; ++count) {
    const AttributeDef* def = catalogue().find_attribute("\"VQ Topology\":" + name);
    ASSERT_NE(def, nullptr) << name;
    EXPECT_EQ(def->oid, "1.3.6.1.4.1.7351.2.2.2.40.7." + std::to_string(arc)) << name;
  }
  EXPECT_EQ(count, 29);
  EXPECT_EQ(catalogue().find_attribute("topoNodeDBId")->oid, "1.3.6.1.4.1.7351.2.2.2.40.7.5");
  EXPECT_EQ(catalogue().find_attribute("systemId")->oid, "2.9.3.2.7.4");
  EXPECT_EQ(catalogue().find_action("topoGetViewGraph")->oid, "1.3.6.1.4.1.7351.2.2.2.40.9.4");
  EXPECT_EQ(catalogue().find_action("topoNodeChildAttrsByView")->oid,
            "1.3.6.1.4.1.7351.2.2.2.40.9.9");
  EXPECT_EQ(catalogue().find_notification("objectCreation")->name,
            "\"Rec. X.721 | ISO/IEC 10165-2 : 1992\":objectCreation");
  EXPECT_EQ(catalogue().find_class("topoNode")->naming, "\"VQ Topology\":topoNodeId");
  EXPECT_EQ(catalogue().find_class("cmipAgentEntity")->naming, "\"VQ CMIPAGENT ENTITY\":agentId");
  EXPECT_EQ(catalogue().find_attribute("nope"), nullptr);
  EXPECT_EQ(catalogue().find_attribute(Oid("1.2.3")), nullptr);
  EXPECT_EQ(catalogue().find_type("ObjectInstance"),
            catalogue().find_type("CMIP-1.ObjectInstance"));
  EXPECT_EQ(catalogue().find_type("Nope.ObjectInstance"), nullptr);
  // A short name is no name when it is not the whole short name.
  EXPECT_EQ(catalogue().find_attribute("topoNode"), nullptr);
  EXPECT_EQ(catalogue().find_attribute("\"VQ Topology\":topoNodeName")->syntax, "GraphicString");
}

TEST(OidNameRegistryTest, NamesToIdentifiersAndBack) {
  Oid oid;
  ASSERT_TRUE(OidNameRegistry::find_oid_by_name("topoNodeName", oid));
  EXPECT_EQ(oid.format(), "1.3.6.1.4.1.7351.2.2.2.40.7.12");
  Oid same;
  ASSERT_TRUE(OidNameRegistry::find_oid_by_name("\"VQ Topology\":topoNodeName", same));
  EXPECT_EQ(same, oid);
  std::string name;
  ASSERT_TRUE(OidNameRegistry::find_name_by_oid(oid, name));
  EXPECT_EQ(name, "\"VQ Topology\":topoNodeName");
  ASSERT_TRUE(OidNameRegistry::find_oid_by_name("topoNode", oid));
  EXPECT_EQ(oid.format(), "1.3.6.1.4.1.7351.2.2.2.40.3.1");
  ASSERT_TRUE(OidNameRegistry::find_name_by_oid(Oid("2.9.3.2.10.1"), name));
  EXPECT_EQ(name, "\"Rec. X.721 | ISO/IEC 10165-2 : 1992\":attributeValueChange");

  Oid untouched("1.2.3");
  EXPECT_FALSE(OidNameRegistry::find_oid_by_name("noSuchAttribute", untouched));
  EXPECT_EQ(untouched.format(), "1.2.3");
  EXPECT_FALSE(OidNameRegistry::find_oid_by_name("\"Other Document\":topoNodeName", untouched));
  name = "kept";
  EXPECT_FALSE(OidNameRegistry::find_name_by_oid(Oid("1.2.3"), name));
  EXPECT_EQ(name, "kept");
}

TEST(OidNameRegistryTest, WithNoRegistryBothLookUpsFail) {
  const OidNameRegistry* previous = OidNameRegistry::install(nullptr);
  Oid oid;
  std::string name;
  EXPECT_FALSE(OidNameRegistry::find_oid_by_name("topoNodeName", oid));
  EXPECT_FALSE(OidNameRegistry::find_name_by_oid(Oid("2.9.3.2.7.4"), name));
  OidNameRegistry::install(previous);
  EXPECT_TRUE(OidNameRegistry::find_oid_by_name("topoNodeName", oid));
  EXPECT_EQ(OidNameRegistry::installed(), &OidNameRegistry::catalogue_registry());
}

}  // namespace
}  // namespace hvx
