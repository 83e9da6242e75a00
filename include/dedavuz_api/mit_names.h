// Every name the library sends to or recognises from the management information tree,
// defined once: distinguished-name fragments and scan formats, classes, attributes,
// actions and two private object identifiers.
#ifndef DEDAVUZ_API_MIT_NAMES_H_
#define DEDAVUZ_API_MIT_NAMES_H_

#include <string>

#include "dedavuz_api/error.h"

extern const std::string LOCAL_SYSTEM_PART;
extern const std::string SERVER_TABLE_PART1;
extern const std::string SERVER_TABLE_PART2;
extern const std::string VQ_DN_TOPO_TYPE_DB_PART1;
extern const std::string VQ_DN_TOPO_TYPE_DB_PART2;
extern const std::string VQ_DN_TOPO_TYPE_DB_SPRINTF;
extern const std::string VQ_LDN_TOPO_TYPE_DB;
extern const std::string VQ_DN_TOPO_NODE_DB_PART1;
extern const std::string VQ_DN_TOPO_NODE_DB_PART2;
extern const std::string VQ_DN_TOPO_NODE_DB_SPRINTF;
extern const std::string VQ_LDN_TOPO_NODE_DB;
extern const std::string VQ_DN_TOPO_NODE_PART1;
extern const std::string VQ_DN_TOPO_NODE_PART2;
extern const std::string VQ_DN_TOPO_NODE_LDN_SCANF;
extern const std::string VQ_DN_TOPO_NODE_SCANF;
extern const std::string VQ_DN_TOPO_VIEW_PART1;
extern const std::string VQ_DN_TOPO_VIEW_PART2;
extern const std::string VQ_DN_TOPO_VIEW_LDN_SCANF;
extern const std::string VQ_DN_TOPO_VIEW_SCANF;
extern const std::string VQ_DN_TOPO_VIEW_NODE_LDN_SCANF;
extern const std::string VQ_DN_TOPO_VIEW_NODE_SCANF;
extern const std::string VQ_DN_TOPO_TYPE_PART1;
extern const std::string VQ_DN_TOPO_TYPE_PART2;
extern const std::string VQ_DN_TOPO_TYPE_LDN_SCANF;
extern const std::string VQ_DN_TOPO_TYPE_SCANF;
extern const std::string VQ_DN_SNMP_AGENT_PART1;
extern const std::string VQ_DN_SNMP_AGENT_PART2;
extern const std::string VQ_DN_SNMP_AGENT_SCANF;
extern const std::string VQ_DN_RPC_AGENT_PART1;
extern const std::string VQ_DN_RPC_AGENT_PART2;
extern const std::string VQ_DN_RPC_AGENT_SCANF;
extern const std::string VQ_DN_CMIP_AGENT_TABLE_PART1;
extern const std::string VQ_DN_CMIP_AGENT_TABLE_PART2;
extern const std::string VQ_DN_CMIP_AGENT_PART1;
extern const std::string VQ_DN_CMIP_AGENT_PART2;
extern const std::string VQ_DN_CMIP_AGENT_PART2_AET;
extern const std::string VQ_DN_CMIP_AGENT_LDN_SCANF;
extern const std::string VQ_DN_CMIP_AGENT_SCANF;
extern const std::string VQ_DN_FDN_TABLE_PART1;
extern const std::string VQ_DN_FDN_TABLE_PART2;
extern const std::string VQ_OC_TOPO_NODE_DB;
extern const std::string VQ_OC_TOPO_TYPE_DB;
extern const std::string VQ_OC_TOPO_NODE;
extern const std::string VQ_OC_TOPO_NODE_FULL;
extern const std::string VQ_OC_TOPO_VIEW;
extern const std::string VQ_OC_TOPO_VIEW_FULL;
extern const std::string VQ_OC_TOPO_VIEW_NODE;
extern const std::string VQ_OC_TOPO_VIEW_NODE_FULL;
extern const std::string VQ_OC_TOPO_TYPE;
extern const std::string VQ_OC_TOPO_TYPE_FULL;
extern const std::string VQ_OC_FDN_TABLE;
extern const std::string VQ_OC_CMIP_AGENT;
extern const std::string VQ_OC_CMIP_AGENT_ENTITY_FULL;
extern const std::string VQ_OC_CMIP_AGENT_FULL;
extern const std::string VQ_OC_RPC_AGENT;
extern const std::string VQ_OC_SNMP_AGENT;
extern const std::string VQ_OC_CONNECT_MGR;
extern const std::string VQ_TOPO_TYPE_ID;
extern const std::string VQ_TOPO_TYPE_DERIVED_FROM;
extern const std::string VQ_TOPO_TYPE_ALL_DERIVED_FROM;
extern const std::string VQ_TOPO_TYPE_BASE_OF;
extern const std::string VQ_TOPO_TYPE_MAX_VISIBLE_LEVEL;
extern const std::string VQ_TOPO_TYPE_MAX_TOPO_LEVEL;
extern const std::string VQ_TOPO_TYPE_ALL_BASE_OF;
extern const std::string VQ_TOPO_TYPE_LEGAL_ARCS;
extern const std::string VQ_TOPO_TYPE_ALL_LEGAL_ARCS;
extern const std::string VQ_TOPO_TYPE_LEGAL_CHILDREN;
extern const std::string VQ_TOPO_TYPE_ALL_LEGAL_CHILDREN;
extern const std::string VQ_TOPO_TYPE_DRAW_METHOD;
extern const std::string VQ_TOPO_TYPE_DEFAULT_LAYER;
extern const std::string VQ_TOPO_TYPE_USER_DATA_ATTRS;
extern const std::string VQ_TOPO_NODE_ID;
extern const std::string VQ_TOPO_NODE_NAME;
extern const std::string VQ_TOPO_NODE_TYPE;
extern const std::string VQ_TOPO_NODE_MO_SET;
extern const std::string VQ_TOPO_NODE_PARENTS;
extern const std::string VQ_TOPO_NODE_CHILDREN;
extern const std::string VQ_TOPO_NODE_PEERS;
extern const std::string VQ_TOPO_NODE_PROPAGATE_PEERS;
extern const std::string VQ_TOPO_NODE_MANAGED;
extern const std::string VQ_TOPO_NODE_IS_MANAGED;
extern const std::string VQ_TOPO_NODE_STATE;
extern const std::string VQ_TOPO_NODE_SEVERITY;
extern const std::string VQ_TOPO_NODE_PROPAGATED_SEVERITY;
extern const std::string VQ_TOPO_NODE_PROPAGATE_UP;
extern const std::string VQ_TOPO_NODE_DISPLAY_STATUS;
extern const std::string VQ_TOPO_NODE_GEOGRAPHICAL_LOCATION;
extern const std::string VQ_TOPO_NODE_LAYER;
extern const std::string VQ_TOPO_NODE_MONITOR;
extern const std::string VQ_TOPO_NODE_USER_DATA;
extern const std::string VQ_TOPO_NODE_ARRAY_VISIBLE_CHILDREN;
extern const std::string VQ_TOPO_NODE_ARRAY_ORIENTATION;
extern const std::string VQ_TOPO_NODE_ARRAY_NUM_COLUMNS;
extern const std::string VQ_TOPO_NODE_ARRAY_CELL_SIZE;
extern const std::string VQ_TOPO_NODE_BUS_POINTS;
extern const std::string VQ_TOPO_VIEW_NODE_POSITION;
extern const std::string VQ_TOPO_VIEW_BACKGROUND_IMAGE_FILENAME;
extern const std::string VQ_TOPO_VIEW_MAP_CONFIG_FILENAME;
extern const std::string VQ_TOPO_VIEW_DEFAULT_GEO_AREA;
extern const std::string VQ_TOPO_VIEW_CONFIG_DATA;
extern const std::string VQ_CMIP_AGENT_ID;
extern const std::string VQ_CMIP_AGENT_MPA_ADDRESS_INFO;
extern const std::string VQ_CMIP_AGENT_ADMINISTRATIVE_STATE;
extern const std::string VQ_CMIP_AGENT_OPERATIONAL_STATE;
extern const std::string VQ_CMIP_AGENT_MANAGED_DNS;
extern const std::string VQ_CMIP_AGENT_AGENT_ADDRESS_TAG;
extern const std::string VQ_CMIP_AGENT_AGENT_ADDRESS_INFO;
extern const std::string VQ_CMIP_AGENT_APPLICATION_ENTITY_TITLE;
extern const std::string VQ_CMIP_AGENT_PRESENTATION_SELECTOR;
extern const std::string VQ_CMIP_AGENT_SESSION_SELECTOR;
extern const std::string VQ_CMIP_AGENT_TRANSPORT_SELECTOR;
extern const std::string VQ_CMIP_AGENT_NETWORK_SAP;
extern const std::string VQ_CMIP_AGENT_NAME_TRANSLATION;
extern const std::string VQ_CMIP_AGENT_APPLICATION_ENTITY_QUALIFIER;
extern const std::string VQ_CMIP_AGENT_APPLICATION_ENTITY_INVOKE_ID;
extern const std::string VQ_CMIP_AGENT_APPLICATION_PROCESS_INVOKE_ID;
extern const std::string VQ_RPC_AGENT_ID;
extern const std::string VQ_RPC_AGENT_MPA_ADDRESS_INFO;
extern const std::string VQ_RPC_AGENT_ADMINISTRATIVE_STATE;
extern const std::string VQ_RPC_AGENT_OPERATIONAL_STATE;
extern const std::string VQ_RPC_AGENT_MANAGED_DNS;
extern const std::string VQ_RPC_AGENT_AGENT_ADDRESS_TAG;
extern const std::string VQ_RPC_AGENT_AGENT_ADDRESS_INFO;
extern const std::string VQ_RPC_AGENT_GET_COMMUNITY_STRING;
extern const std::string VQ_RPC_AGENT_SET_COMMUNITY_STRING;
extern const std::string VQ_RPC_AGENT_AGENT_SET;
extern const std::string VQ_SNMP_AGENT_ID;
extern const std::string VQ_SNMP_AGENT_MPA_ADDRESS_INFO;
extern const std::string VQ_SNMP_AGENT_ADMINISTRATIVE_STATE;
extern const std::string VQ_SNMP_AGENT_OPERATIONAL_STATE;
extern const std::string VQ_SNMP_AGENT_SYSTEM_TITLE;
extern const std::string VQ_SNMP_AGENT_TRANSPORT_ADDRESS;
extern const std::string VQ_SNMP_AGENT_GET_COMMUNITY_STRING;
extern const std::string VQ_SNMP_AGENT_SET_COMMUNITY_STRING;
extern const std::string VQ_SNMP_AGENT_MANAGEMENT_PROTOCOL;
extern const std::string VQ_SNMP_AGENT_SUPPORTED_MIBS;
extern const std::string VQ_SNMP_AGENT_ACCESS_CONTROL_ENFORCEMENT;
extern const std::string VQ_SNMP_AGENT_ACCESS_CONTROL_MECHANISM;
extern const std::string VQ_ACTION_TOPO_NODE_GET_BY_NAME;
extern const std::string VQ_ACTION_TOPO_NODE_GET_BY_TYPE;
extern const std::string VQ_ACTION_TOPO_NODE_GET_BY_MO;
extern const std::string VQ_ACTION_TOPO_NODE_GET_BY_MO_SET;
extern const std::string VQ_ACTION_TOPO_NODE_GET_VIEW_GRAPH;
extern const std::string VQ_ACTION_TOPO_NODE_GET_NODE_REPORT;
extern const std::string VQ_ACTION_TOPO_GET_NODE_MO_DATA_BY_NODE_LIST;
extern const std::string VQ_ACTION_TOPO_NODE_CHILD_ATTRS_BY_VIEW;
extern const std::string VQ_ACTION_GET_ATTRS_BY_MO_SET;
extern const std::string VQ_ACTION_SET_ATTRS_BY_MO_SET;
extern const std::string VQ_ACTION_FDN_TABLE_LIST_FDNS;
extern const std::string VQ_ACTION_CONNECTION_MANAGER_REGISTER_CONNECTION;
extern const std::string VQ_ACTION_CONNECTION_MANAGER_DEREGISTER_CONNECTION;
extern const std::string VQ_OID_DOT_SNMP_V1;
extern const std::string VQ_OID_DOT_SNMP_V2;
extern const std::string VQ_OID_DU_SNMP_V1;
extern const std::string VQ_OID_DU_SNMP_V2;

// The 29 GDMO attribute names of topoNode, topoView and topoViewNode, in attribute order.
inline constexpr int VQ_TOPO_NODE_GDMO_ATTRIBUTE_COUNT = 29;
extern const std::string TOPO_NODE_GDMO_ATTRIBUTE_NAMES[VQ_TOPO_NODE_GDMO_ATTRIBUTE_COUNT];
// The same names qualified by their document, as events carry them.
extern const std::string TOPO_NODE_GDMO_ATTRIBUTE_FULL_NAMES[VQ_TOPO_NODE_GDMO_ATTRIBUTE_COUNT];

// The registered name of the attribute that `name` designates (qualified or short): code
// 11 with `name` when the platform's identifier registry does not know it. `canonical` is
// written on success only.
VQStatus vq_get_canonical_attribute_name(const std::string& name, std::string& canonical);
// The platform's canonical text of a distinguished name: code 14 with `dn` when the
// platform cannot convert it. `canonical` is written on success only.
VQStatus vq_get_canonical_dn(const std::string& dn, std::string& canonical);

#endif  // DEDAVUZ_API_MIT_NAMES_H_
