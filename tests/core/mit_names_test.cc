#include "dedavuz_api/mit_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The fragments the slash forms and parsers are built of are checked through those.
TEST(MitNamesTest, ComposedFragmentsAndFormats) {
  const struct {
    const std::string& constant;
    const char* value;
  } table[] = {
      {VQ_DN_TOPO_TYPE_DB_SPRINTF, "/systemId=name:\"%s\"/topoTypeDBId=NULL"},
      {VQ_DN_TOPO_NODE_DB_SPRINTF, "/systemId=name:\"%s\"/topoNodeDBId=NULL"},
      {VQ_DN_TOPO_NODE_SCANF,
       "/systemId%*[^\"]\"%[^\"]\"/topoNodeDBId%*[^/]/topoNodeId=%ld"},
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
  for (const auto& row : table) EXPECT_EQ(row.constant, row.value);
}

TEST(MitNamesTest, NodeAttributeArraysFollowAttributeOrder) {
  EXPECT_EQ(TOPO_NODE_GDMO_ATTRIBUTE_NAMES[0], "topoNodeId");
  EXPECT_EQ(TOPO_NODE_GDMO_ATTRIBUTE_NAMES[24], "topoViewNodePosition");
  EXPECT_EQ(TOPO_NODE_GDMO_ATTRIBUTE_NAMES[28], "topoViewConfigData");
  EXPECT_EQ(TOPO_NODE_GDMO_ATTRIBUTE_FULL_NAMES[0], "\"VQ Topology\":topoNodeId");
  for (int i = 0; i < VQ_TOPO_NODE_GDMO_ATTRIBUTE_COUNT; ++i) {
    EXPECT_EQ(TOPO_NODE_GDMO_ATTRIBUTE_FULL_NAMES[i],
              "\"VQ Topology\":" + TOPO_NODE_GDMO_ATTRIBUTE_NAMES[i]);
  }
}

}  // namespace
