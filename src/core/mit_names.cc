#include "dedavuz_api/mit_names.h"

// All constants live in this one unit so that they are built in table order: the
// composed ones read the pieces defined above them. They are built ahead of every ordinary
// static object, so that names made by the application's own static objects (or the
// library's) find them ready.
#define VQ_NAME_CONSTANT __attribute__((init_priority(200)))

namespace {

VQ_NAME_CONSTANT const std::string kSystemPrefix = std::string("/systemId") + "=name:\"";
// Skip to a double quote, read up to the next one, then that quote.
VQ_NAME_CONSTANT const std::string kQuoted = "%*[^\"]\"%[^\"]\"";

}  // namespace

VQ_NAME_CONSTANT const std::string LOCAL_SYSTEM_PART = kSystemPrefix;
VQ_NAME_CONSTANT const std::string SERVER_TABLE_PART1 = "/serverTableType=\"mis\"/misId=\"";
VQ_NAME_CONSTANT const std::string SERVER_TABLE_PART2 = "\"";
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_TYPE_DB_PART1 = kSystemPrefix;
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_TYPE_DB_PART2 = "\"/topoTypeDBId=NULL";
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_TYPE_DB_SPRINTF = VQ_DN_TOPO_TYPE_DB_PART1 + "%s" + VQ_DN_TOPO_TYPE_DB_PART2;
VQ_NAME_CONSTANT const std::string VQ_LDN_TOPO_TYPE_DB = "topoTypeDBId=NULL";
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_NODE_DB_PART1 = kSystemPrefix;
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_NODE_DB_PART2 = "\"/topoNodeDBId=NULL";
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_NODE_DB_SPRINTF = VQ_DN_TOPO_NODE_DB_PART1 + "%s" + VQ_DN_TOPO_NODE_DB_PART2;
VQ_NAME_CONSTANT const std::string VQ_LDN_TOPO_NODE_DB = "topoNodeDBId=NULL";
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_NODE_PART1 = kSystemPrefix;
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_NODE_PART2 = "\"/topoNodeDBId=NULL/topoNodeId=";
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_NODE_LDN_SCANF = "topoNodeDBId%*[^/]/topoNodeId=%ld";
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_NODE_SCANF = "/systemId" + kQuoted + "/" + VQ_DN_TOPO_NODE_LDN_SCANF;
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_VIEW_PART1 = kSystemPrefix;
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_VIEW_PART2 = "\"/topoViewDBId=NULL/topoNodeId=";
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_VIEW_LDN_SCANF = "topoViewDBId%*[^/]/topoNodeId=%ld";
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_VIEW_SCANF = "/systemId" + kQuoted + "/" + VQ_DN_TOPO_VIEW_LDN_SCANF;
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_VIEW_NODE_LDN_SCANF = "topoViewDBId%*[^/]/topoNodeId%*[^/]/topoNodeId=%ld";
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_VIEW_NODE_SCANF = "/systemId" + kQuoted + "/" + VQ_DN_TOPO_VIEW_NODE_LDN_SCANF;
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_TYPE_PART1 = kSystemPrefix;
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_TYPE_PART2 = "\"/topoTypeDBId=NULL/topoTypeId=\"";
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_TYPE_LDN_SCANF = "topoTypeDBId%*[^/]/topoTypeId" + kQuoted;
VQ_NAME_CONSTANT const std::string VQ_DN_TOPO_TYPE_SCANF = "/systemId" + kQuoted + "/" + VQ_DN_TOPO_TYPE_LDN_SCANF;
VQ_NAME_CONSTANT const std::string VQ_DN_SNMP_AGENT_PART1 = kSystemPrefix;
VQ_NAME_CONSTANT const std::string VQ_DN_SNMP_AGENT_PART2 = "\"/internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/cmipsnmpProxyAgentId=\"";
VQ_NAME_CONSTANT const std::string VQ_DN_SNMP_AGENT_SCANF = "/systemId" + kQuoted + "/internetClassId%*[^/]/cmipsnmpProxyAgentId" + kQuoted;
VQ_NAME_CONSTANT const std::string VQ_DN_RPC_AGENT_PART1 = kSystemPrefix;
VQ_NAME_CONSTANT const std::string VQ_DN_RPC_AGENT_PART2 = "\"/agentTableType=\"RPC\"/agentId=\"";
VQ_NAME_CONSTANT const std::string VQ_DN_RPC_AGENT_SCANF = "/systemId" + kQuoted + "/agentTableType%*[^\"]\"RPC\"/agentId" + kQuoted;
VQ_NAME_CONSTANT const std::string VQ_DN_CMIP_AGENT_TABLE_PART1 = kSystemPrefix;
VQ_NAME_CONSTANT const std::string VQ_DN_CMIP_AGENT_TABLE_PART2 = "\"/agentTableType=\"CMIP\"";
VQ_NAME_CONSTANT const std::string VQ_DN_CMIP_AGENT_PART1 = kSystemPrefix;
VQ_NAME_CONSTANT const std::string VQ_DN_CMIP_AGENT_PART2 = VQ_DN_CMIP_AGENT_TABLE_PART2 + "/agentId=\"";
VQ_NAME_CONSTANT const std::string VQ_DN_CMIP_AGENT_PART2_AET = VQ_DN_CMIP_AGENT_TABLE_PART2 + "/agentId=aet:";
VQ_NAME_CONSTANT const std::string VQ_DN_CMIP_AGENT_LDN_SCANF = "agentTableType%*[^\"]\"CMIP\"/agentId" + kQuoted;
VQ_NAME_CONSTANT const std::string VQ_DN_CMIP_AGENT_SCANF = "/systemId" + kQuoted + "/" + VQ_DN_CMIP_AGENT_LDN_SCANF;
VQ_NAME_CONSTANT const std::string VQ_DN_FDN_TABLE_PART1 = kSystemPrefix;
VQ_NAME_CONSTANT const std::string VQ_DN_FDN_TABLE_PART2 = "\"/subsystemId=\"VQ-MIS\"/subsystemId=\"FdnTable\"";
VQ_NAME_CONSTANT const std::string VQ_OC_TOPO_NODE_DB = "topoNodeDB";
VQ_NAME_CONSTANT const std::string VQ_OC_TOPO_TYPE_DB = "topoTypeDB";
VQ_NAME_CONSTANT const std::string VQ_OC_TOPO_NODE = "topoNode";
VQ_NAME_CONSTANT const std::string VQ_OC_TOPO_NODE_FULL = "\"VQ Topology\":topoNode";
VQ_NAME_CONSTANT const std::string VQ_OC_TOPO_VIEW = "topoView";
VQ_NAME_CONSTANT const std::string VQ_OC_TOPO_VIEW_FULL = "\"VQ Topology\":topoView";
VQ_NAME_CONSTANT const std::string VQ_OC_TOPO_VIEW_NODE = "topoViewNode";
VQ_NAME_CONSTANT const std::string VQ_OC_TOPO_VIEW_NODE_FULL = "\"VQ Topology\":topoViewNode";
VQ_NAME_CONSTANT const std::string VQ_OC_TOPO_TYPE = "topoType";
VQ_NAME_CONSTANT const std::string VQ_OC_TOPO_TYPE_FULL = "\"VQ Topology\":topoType";
VQ_NAME_CONSTANT const std::string VQ_OC_FDN_TABLE = "vqFdn";
VQ_NAME_CONSTANT const std::string VQ_OC_CMIP_AGENT = "cmipAgentEntity";
VQ_NAME_CONSTANT const std::string VQ_OC_CMIP_AGENT_ENTITY_FULL = "\"VQ CMIPAGENT ENTITY\":cmipAgentEntity";
VQ_NAME_CONSTANT const std::string VQ_OC_CMIP_AGENT_FULL = "\"VQ MPA\":cmipAgent";
VQ_NAME_CONSTANT const std::string VQ_OC_RPC_AGENT = "rpcAgent";
VQ_NAME_CONSTANT const std::string VQ_OC_SNMP_AGENT = "cmipsnmpProxyAgent";
VQ_NAME_CONSTANT const std::string VQ_OC_CONNECT_MGR = "\"Connection Manager Document\":connectMgr";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_ID = "topoTypeId";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_DERIVED_FROM = "topoTypeDerivedFrom";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_ALL_DERIVED_FROM = "topoTypeAllDerivedFrom";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_BASE_OF = "topoTypeBaseOf";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_MAX_VISIBLE_LEVEL = "topoTypeMaxVisibleLevel";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_MAX_TOPO_LEVEL = "topoTypeMaxTopoLevel";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_ALL_BASE_OF = "topoTypeAllBaseOf";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_LEGAL_ARCS = "topoTypeLegalArcs";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_ALL_LEGAL_ARCS = "topoTypeAllLegalArcs";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_LEGAL_CHILDREN = "topoTypeLegalChildren";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_ALL_LEGAL_CHILDREN = "topoTypeAllLegalChildren";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_DRAW_METHOD = "topoTypeDrawMethod";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_DEFAULT_LAYER = "topoTypeDefaultLayer";
VQ_NAME_CONSTANT const std::string VQ_TOPO_TYPE_USER_DATA_ATTRS = "topoTypeUserDataAttrs";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_ID = "topoNodeId";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_NAME = "topoNodeName";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_TYPE = "topoNodeType";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_MO_SET = "topoNodeMOSet";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_PARENTS = "topoNodeParents";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_CHILDREN = "topoNodeChildren";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_PEERS = "topoNodePeers";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_PROPAGATE_PEERS = "topoNodePropagatePeers";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_MANAGED = "topoNodeManaged";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_IS_MANAGED = "topoNodeIsManaged";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_STATE = "topoNodeState";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_SEVERITY = "topoNodeSeverity";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_PROPAGATED_SEVERITY = "topoNodePropagatedSeverity";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_PROPAGATE_UP = "topoNodePropagateUp";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_DISPLAY_STATUS = "topoNodeDisplayStatus";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_GEOGRAPHICAL_LOCATION = "topoNodeGeoLocation";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_LAYER = "topoNodeLayer";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_MONITOR = "topoNodeMonitor";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_USER_DATA = "topoNodeUserData";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_ARRAY_VISIBLE_CHILDREN = "topoNodeArrayVisibleChildren";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_ARRAY_ORIENTATION = "topoNodeArrayOrientation";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_ARRAY_NUM_COLUMNS = "topoNodeArrayNumColumns";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_ARRAY_CELL_SIZE = "topoNodeArrayCellSize";
VQ_NAME_CONSTANT const std::string VQ_TOPO_NODE_BUS_POINTS = "topoNodeBusPoints";
VQ_NAME_CONSTANT const std::string VQ_TOPO_VIEW_NODE_POSITION = "topoViewNodePosition";
VQ_NAME_CONSTANT const std::string VQ_TOPO_VIEW_BACKGROUND_IMAGE_FILENAME = "topoViewBackgroundImage";
VQ_NAME_CONSTANT const std::string VQ_TOPO_VIEW_MAP_CONFIG_FILENAME = "topoViewMapConfigFile";
VQ_NAME_CONSTANT const std::string VQ_TOPO_VIEW_DEFAULT_GEO_AREA = "topoViewMapInitialGeoArea";
VQ_NAME_CONSTANT const std::string VQ_TOPO_VIEW_CONFIG_DATA = "topoViewConfigData";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_ID = "agentId";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_MPA_ADDRESS_INFO = "mpaAddressInfo";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_ADMINISTRATIVE_STATE = "administrativeState";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_OPERATIONAL_STATE = "operationalState";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_MANAGED_DNS = "managedDNs";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_AGENT_ADDRESS_TAG = "agentAddressTag";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_AGENT_ADDRESS_INFO = "agentAddressInfo";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_APPLICATION_ENTITY_TITLE = "applicationEntityTitle";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_PRESENTATION_SELECTOR = "presentationSelector";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_SESSION_SELECTOR = "sessionSelector";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_TRANSPORT_SELECTOR = "transportSelector";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_NETWORK_SAP = "networkSAP";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_NAME_TRANSLATION = "nameXlatFlag";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_APPLICATION_ENTITY_QUALIFIER = "aeQualifier";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_APPLICATION_ENTITY_INVOKE_ID = "aeInvokeId";
VQ_NAME_CONSTANT const std::string VQ_CMIP_AGENT_APPLICATION_PROCESS_INVOKE_ID = "apInvokeId";
VQ_NAME_CONSTANT const std::string VQ_RPC_AGENT_ID = "agentId";
VQ_NAME_CONSTANT const std::string VQ_RPC_AGENT_MPA_ADDRESS_INFO = "mpaAddressInfo";
VQ_NAME_CONSTANT const std::string VQ_RPC_AGENT_ADMINISTRATIVE_STATE = "administrativeState";
VQ_NAME_CONSTANT const std::string VQ_RPC_AGENT_OPERATIONAL_STATE = "operationalState";
VQ_NAME_CONSTANT const std::string VQ_RPC_AGENT_MANAGED_DNS = "managedDNs";
VQ_NAME_CONSTANT const std::string VQ_RPC_AGENT_AGENT_ADDRESS_TAG = "agentAddressTag";
VQ_NAME_CONSTANT const std::string VQ_RPC_AGENT_AGENT_ADDRESS_INFO = "agentAddressInfo";
VQ_NAME_CONSTANT const std::string VQ_RPC_AGENT_GET_COMMUNITY_STRING = "rpcGetCommunityString";
VQ_NAME_CONSTANT const std::string VQ_RPC_AGENT_SET_COMMUNITY_STRING = "rpcSetCommunityString";
VQ_NAME_CONSTANT const std::string VQ_RPC_AGENT_AGENT_SET = "agentSet";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_ID = "cmipsnmpProxyAgentId";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_MPA_ADDRESS_INFO = "mpaAddressInfo";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_ADMINISTRATIVE_STATE = "adminState";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_OPERATIONAL_STATE = "opState";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_SYSTEM_TITLE = "systemTitle";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_TRANSPORT_ADDRESS = "transportAddress";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_GET_COMMUNITY_STRING = "snmpGetCommunityString";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_SET_COMMUNITY_STRING = "snmpSetCommunityString";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_MANAGEMENT_PROTOCOL = "managementProtocol";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_SUPPORTED_MIBS = "supportedMIBs";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_ACCESS_CONTROL_ENFORCEMENT = "accessControlEnforcement";
VQ_NAME_CONSTANT const std::string VQ_SNMP_AGENT_ACCESS_CONTROL_MECHANISM = "accessControlMechanism";
VQ_NAME_CONSTANT const std::string VQ_ACTION_TOPO_NODE_GET_BY_NAME = "topoNodeGetByName";
VQ_NAME_CONSTANT const std::string VQ_ACTION_TOPO_NODE_GET_BY_TYPE = "topoNodeGetByType";
VQ_NAME_CONSTANT const std::string VQ_ACTION_TOPO_NODE_GET_BY_MO = "topoNodeGetByMO";
VQ_NAME_CONSTANT const std::string VQ_ACTION_TOPO_NODE_GET_BY_MO_SET = "topoNodeGetByMOSet";
VQ_NAME_CONSTANT const std::string VQ_ACTION_TOPO_NODE_GET_VIEW_GRAPH = "topoGetViewGraph";
VQ_NAME_CONSTANT const std::string VQ_ACTION_TOPO_NODE_GET_NODE_REPORT = "topoGetNodeReport";
VQ_NAME_CONSTANT const std::string VQ_ACTION_TOPO_GET_NODE_MO_DATA_BY_NODE_LIST = "topoGetNodeMODataByNodeList";
VQ_NAME_CONSTANT const std::string VQ_ACTION_TOPO_NODE_CHILD_ATTRS_BY_VIEW = "topoNodeChildAttrsByView";
VQ_NAME_CONSTANT const std::string VQ_ACTION_GET_ATTRS_BY_MO_SET = "getTopoNodesAttributes";
VQ_NAME_CONSTANT const std::string VQ_ACTION_SET_ATTRS_BY_MO_SET = "setTopoNodesAttributes";
VQ_NAME_CONSTANT const std::string VQ_ACTION_FDN_TABLE_LIST_FDNS = "vqListFdns";
VQ_NAME_CONSTANT const std::string VQ_ACTION_CONNECTION_MANAGER_REGISTER_CONNECTION = "registerConnection";
VQ_NAME_CONSTANT const std::string VQ_ACTION_CONNECTION_MANAGER_DEREGISTER_CONNECTION = "deregisterConnection";
VQ_NAME_CONSTANT const std::string VQ_OID_DOT_SNMP_V1 = "1.3.6.1.4.1.7351.2.2.2.9.2.4.3.1";
VQ_NAME_CONSTANT const std::string VQ_OID_DOT_SNMP_V2 = "1.3.6.1.4.1.7351.2.2.2.9.2.4.3.2";
VQ_NAME_CONSTANT const std::string VQ_OID_DU_SNMP_V1 = "{ 1 3 6 1 4 1 7351 2 2 2 9 2 4 3 1 }";
VQ_NAME_CONSTANT const std::string VQ_OID_DU_SNMP_V2 = "{ 1 3 6 1 4 1 7351 2 2 2 9 2 4 3 2 }";

VQ_NAME_CONSTANT const std::string TOPO_NODE_GDMO_ATTRIBUTE_NAMES[VQ_TOPO_NODE_GDMO_ATTRIBUTE_COUNT] = {
    VQ_TOPO_NODE_ID,
    VQ_TOPO_NODE_NAME,
    VQ_TOPO_NODE_TYPE,
    VQ_TOPO_NODE_MO_SET,
    VQ_TOPO_NODE_PARENTS,
    VQ_TOPO_NODE_CHILDREN,
    VQ_TOPO_NODE_PEERS,
    VQ_TOPO_NODE_PROPAGATE_PEERS,
    VQ_TOPO_NODE_MANAGED,
    VQ_TOPO_NODE_IS_MANAGED,
    VQ_TOPO_NODE_STATE,
    VQ_TOPO_NODE_SEVERITY,
    VQ_TOPO_NODE_PROPAGATED_SEVERITY,
    VQ_TOPO_NODE_PROPAGATE_UP,
    VQ_TOPO_NODE_DISPLAY_STATUS,
    VQ_TOPO_NODE_GEOGRAPHICAL_LOCATION,
    VQ_TOPO_NODE_LAYER,
    VQ_TOPO_NODE_MONITOR,
    VQ_TOPO_NODE_USER_DATA,
    VQ_TOPO_NODE_ARRAY_VISIBLE_CHILDREN,
    VQ_TOPO_NODE_ARRAY_ORIENTATION,
    VQ_TOPO_NODE_ARRAY_NUM_COLUMNS,
    VQ_TOPO_NODE_ARRAY_CELL_SIZE,
    VQ_TOPO_NODE_BUS_POINTS,
    VQ_TOPO_VIEW_NODE_POSITION,
    VQ_TOPO_VIEW_BACKGROUND_IMAGE_FILENAME,
    VQ_TOPO_VIEW_MAP_CONFIG_FILENAME,
    VQ_TOPO_VIEW_DEFAULT_GEO_AREA,
    VQ_TOPO_VIEW_CONFIG_DATA,
};

VQ_NAME_CONSTANT const std::string TOPO_NODE_GDMO_ATTRIBUTE_FULL_NAMES[VQ_TOPO_NODE_GDMO_ATTRIBUTE_COUNT] = {
    "\"VQ Topology\":" + VQ_TOPO_NODE_ID,
    "\"VQ Topology\":" + VQ_TOPO_NODE_NAME,
    "\"VQ Topology\":" + VQ_TOPO_NODE_TYPE,
    "\"VQ Topology\":" + VQ_TOPO_NODE_MO_SET,
    "\"VQ Topology\":" + VQ_TOPO_NODE_PARENTS,
    "\"VQ Topology\":" + VQ_TOPO_NODE_CHILDREN,
    "\"VQ Topology\":" + VQ_TOPO_NODE_PEERS,
    "\"VQ Topology\":" + VQ_TOPO_NODE_PROPAGATE_PEERS,
    "\"VQ Topology\":" + VQ_TOPO_NODE_MANAGED,
    "\"VQ Topology\":" + VQ_TOPO_NODE_IS_MANAGED,
    "\"VQ Topology\":" + VQ_TOPO_NODE_STATE,
    "\"VQ Topology\":" + VQ_TOPO_NODE_SEVERITY,
    "\"VQ Topology\":" + VQ_TOPO_NODE_PROPAGATED_SEVERITY,
    "\"VQ Topology\":" + VQ_TOPO_NODE_PROPAGATE_UP,
    "\"VQ Topology\":" + VQ_TOPO_NODE_DISPLAY_STATUS,
    "\"VQ Topology\":" + VQ_TOPO_NODE_GEOGRAPHICAL_LOCATION,
    "\"VQ Topology\":" + VQ_TOPO_NODE_LAYER,
    "\"VQ Topology\":" + VQ_TOPO_NODE_MONITOR,
    "\"VQ Topology\":" + VQ_TOPO_NODE_USER_DATA,
    "\"VQ Topology\":" + VQ_TOPO_NODE_ARRAY_VISIBLE_CHILDREN,
    "\"VQ Topology\":" + VQ_TOPO_NODE_ARRAY_ORIENTATION,
    "\"VQ Topology\":" + VQ_TOPO_NODE_ARRAY_NUM_COLUMNS,
    "\"VQ Topology\":" + VQ_TOPO_NODE_ARRAY_CELL_SIZE,
    "\"VQ Topology\":" + VQ_TOPO_NODE_BUS_POINTS,
    "\"VQ Topology\":" + VQ_TOPO_VIEW_NODE_POSITION,
    "\"VQ Topology\":" + VQ_TOPO_VIEW_BACKGROUND_IMAGE_FILENAME,
    "\"VQ Topology\":" + VQ_TOPO_VIEW_MAP_CONFIG_FILENAME,
    "\"VQ Topology\":" + VQ_TOPO_VIEW_DEFAULT_GEO_AREA,
    "\"VQ Topology\":" + VQ_TOPO_VIEW_CONFIG_DATA,
};
