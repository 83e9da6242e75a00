#include "dedavuz_api/mit_names.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "hvx/oid_registry.h"
#include "support/vq_test.h"

namespace {

// The fragments the slash forms and parsers are built of are checked through those.
TEST(MitNamesTest, ComposedFragmentsAndFormats) {
  const std::tuple<const std::string&, const char*> table[] = {
      {VQ_DN_TOPO_TYPE_DB_SPRINTF, "/systemId=name:\"%s\"/topoTypeDBId=NULL"},
      {VQ_DN_TOPO_NODE_DB_SPRINTF, "/systemId=name:\"%s\"/topoNodeDBId=NULL"},
      {VQ_DN_TOPO_NODE_SCANF, "/systemId%*[^\"]\"%[^\"]\"/topoNodeDBId%*[^/]/topoNodeId=%ld"},
      {VQ_DN_SNMP_AGENT_SCANF,
       "/systemId%*[^\"]\"%[^\"]\"/internetClassId%*[^/]/cmipsnmpProxyAgentId%*[^\"]\"%[^\"]\""},
      {VQ_DN_RPC_AGENT_SCANF,
       "/systemId%*[^\"]\"%[^\"]\"/agentTableType%*[^\"]\"RPC\"/agentId%*[^\"]\"%[^\"]\""},
      {VQ_DN_CMIP_AGENT_SCANF,
       "/systemId%*[^\"]\"%[^\"]\"/agentTableType%*[^\"]\"CMIP\"/agentId%*[^\"]\"%[^\"]\""},
      {VQ_OC_CONNECT_MGR, "\"Connection Manager Document\":connectMgr"},
      {VQ_OC_CMIP_AGENT_ENTITY_FULL, "\"VQ CMIPAGENT ENTITY\":cmipAgentEntity"},
      {VQ_TOPO_VIEW_DEFAULT_GEO_AREA, "topoViewMapInitialGeoArea"},
      {VQ_SNMP_AGENT_ADMINISTRATIVE_STATE, "adminState"},
      {VQ_CMIP_AGENT_NAME_TRANSLATION, "nameXlatFlag"},
      {VQ_ACTION_TOPO_NODE_GET_VIEW_GRAPH, "topoGetViewGraph"},
      {VQ_OID_DU_SNMP_V2, "{ 1 3 6 1 4 1 7351 2 2 2 9 2 4 3 2 }"},
  };
  for (const auto& [constant, value] : table) EXPECT_EQ(constant, value);
}

TEST(MitNamesTest, NodeAttributeArraysFollowAttributeOrder) {
  EXPECT_EQ(TOPO_NODE_GDMO_ATTRIBUTE_NAMES[0], "topoNodeId");
  EXPECT_EQ(TOPO_NODE_GDMO_ATTRIBUTE_NAMES[24], "topoViewNodePosition");
  EXPECT_EQ(TOPO_NODE_GDMO_ATTRIBUTE_NAMES[28], "topoViewConfigData");
  for (int i = 0; i < VQ_TOPO_NODE_GDMO_ATTRIBUTE_COUNT; ++i) {
    EXPECT_EQ(TOPO_NODE_GDMO_ATTRIBUTE_FULL_NAMES[i],
              "\"VQ Topology\":" + TOPO_NODE_GDMO_ATTRIBUTE_NAMES[i]);
  }
}

TEST(CanonicalNamesTest, AttributeNamesComeBackQualified) {
  for (const char* name : {"topoNodeName", "\"VQ Topology\":topoNodeName"}) {
    std::string canonical;
    EXPECT_VQ_OK(vq_get_canonical_attribute_name(name, canonical));
    EXPECT_EQ(canonical, "\"VQ Topology\":topoNodeName");
  }
  std::string canonical;
  EXPECT_VQ_OK(vq_get_canonical_attribute_name("systemId", canonical));
  EXPECT_EQ(canonical, "\"Rec. X.721 | ISO/IEC 10165-2 : 1992\":systemId");
  // An unknown attribute is code 11 and leaves the output alone.
  EXPECT_VQ_ERROR_TEXT(vq_get_canonical_attribute_name("noSuchAttribute", canonical),
                       VQStatus::Code::attribute_not_registered, "noSuchAttribute");
  EXPECT_EQ(canonical, "\"Rec. X.721 | ISO/IEC 10165-2 : 1992\":systemId");
}

// A registry that knows names but cannot name identifiers back.
class OneWayRegistry : public hvx::OidNameRegistry {
 public:
  bool name_of(const hvx::Oid&, std::string&) const override { return false; }
};

// Without a registry the name is unknown; with one that cannot name the identifier back,
// the message is empty.
TEST(CanonicalNamesTest, RegistriesThatCannotAnswerGiveCode11) {
  const OneWayRegistry one_way;
  const std::pair<const hvx::OidNameRegistry*, const char*> table[] = {{nullptr, "topoNodeName"},
                                                                       {&one_way, ""}};
  for (const auto& [registry, message] : table) {
    const hvx::OidNameRegistry* previous = hvx::OidNameRegistry::install(registry);
    std::string canonical = "untouched";
    const VQStatus status = vq_get_canonical_attribute_name("topoNodeName", canonical);
    hvx::OidNameRegistry::install(previous);
    EXPECT_VQ_ERROR_TEXT(status, VQStatus::Code::attribute_not_registered, message);
    EXPECT_EQ(canonical, "untouched");
  }
}

TEST(CanonicalNamesTest, DistinguishedNames) {
  const std::pair<const char*, const char*> kNames[] = {
      {R"(/systemId="A"/x)", nullptr},
      {R"(/systemId=name:"A")", R"(/systemId=name:"A")"},
      {R"(/systemId="A" /agentTableType=CMIP/agentId="a1")",
       R"(/systemId=name:"A"/agentTableType="CMIP"/agentId=id:"a1")"},
      {"topoNodeDBId=NULL/topoNodeId=42", "/topoNodeDBId=NULL/topoNodeId=42"},
  };
  for (const auto& [dn, expected] : kNames) {
    std::string canonical = "untouched";
    const VQStatus status = vq_get_canonical_dn(dn, canonical);
    if (expected == nullptr) {
      EXPECT_VQ_ERROR_TEXT(status, VQStatus::Code::invalid_argument, dn);
      EXPECT_EQ(canonical, "untouched");
    } else {
      EXPECT_VQ_OK(status);
      EXPECT_EQ(canonical, expected);
    }
  }
}

}  // namespace
