#include "dedavuz_api/mit_names.h"

// All constants live in this one unit so that they are built in table order: the
// composed ones read the pieces defined above them.

namespace {

const std::string kSystemPrefix = std::string("/systemId") + "=name:\"";
// Skip to a double quote, read up to the next one, then that quote.
const std::string kQuoted = "%*[^\"]\"%[^\"]\"";

}  // namespace

const std::string LOCAL_SYSTEM_PART = kSystemPrefix;
const std::string SERVER_TABLE_PART1 = "/serverTableType=\"mis\"/misId=\"";
const std::string SERVER_TABLE_PART2 = "\"";
const std::string VQ_DN_TOPO_TYPE_DB_PART1 = kSystemPrefix;
const std::string VQ_DN_TOPO_TYPE_DB_PART2 = "\"/topoTypeDBId=NULL";
const std::string VQ_DN_TOPO_TYPE_DB_SPRINTF = VQ_DN_TOPO_TYPE_DB_PART1 + "%s" + VQ_DN_TOPO_TYPE_DB_PART2;
const std::string VQ_LDN_TOPO_TYPE_DB = "topoTypeDBId=NULL";
const std::string VQ_DN_TOPO_NODE_DB_PART1 = kSystemPrefix;
const std::string VQ_DN_TOPO_NODE_DB_PART2 = "\"/topoNodeDBId=NULL";
const std::string VQ_DN_TOPO_NODE_DB_SPRINTF = VQ_DN_TOPO_NODE_DB_PART1 + "%s" + VQ_DN_TOPO_NODE_DB_PART2;
const std::string VQ_LDN_TOPO_NODE_DB = "topoNodeDBId=NULL";
const std::string VQ_DN_TOPO_NODE_PART1 = kSystemPrefix;
const std::string VQ_DN_TOPO_NODE_PART2 = "\"/topoNodeDBId=NULL/topoNodeId=";
const std::string VQ_DN_TOPO_NODE_LDN_SCANF = "topoNodeDBId%*[^/]/topoNodeId=%ld";
const std::string VQ_DN_TOPO_NODE_SCANF = "/systemId" + kQuoted + "/" + VQ_DN_TOPO_NODE_LDN_SCANF;
const std::string VQ_DN_TOPO_VIEW_PART1 = kSystemPrefix;
const std::string VQ_DN_TOPO_VIEW_PART2 = "\"/topoViewDBId=NULL/topoNodeId=";
const std::string VQ_DN_TOPO_VIEW_LDN_SCANF = "topoViewDBId%*[^/]/topoNodeId=%ld";
const std::string VQ_DN_TOPO_VIEW_SCANF = "/systemId" + kQuoted + "/" + VQ_DN_TOPO_VIEW_LDN_SCANF;
const std::string VQ_DN_TOPO_VIEW_NODE_LDN_SCANF = "topoViewDBId%*[^/]/topoNodeId%*[^/]/topoNodeId=%ld";
const std::string VQ_DN_TOPO_VIEW_NODE_SCANF = "/systemId" + kQuoted + "/" + VQ_DN_TOPO_VIEW_NODE_LDN_SCANF;
const std::string VQ_DN_TOPO_TYPE_PART1 = kSystemPrefix;
const std::string VQ_DN_TOPO_TYPE_PART2 = "\"/topoTypeDBId=NULL/topoTypeId=\"";
const std::string VQ_DN_TOPO_TYPE_LDN_SCANF = "topoTypeDBId%*[^/]/topoTypeId" + kQuoted;
const std::string VQ_DN_TOPO_TYPE_SCANF = "/systemId" + kQuoted + "/" + VQ_DN_TOPO_TYPE_LDN_SCANF;
const std::string VQ_DN_SNMP_AGENT_PART1 = kSystemPrefix;
const std::string VQ_DN_SNMP_AGENT_PART2 = "\"/internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/cmipsnmpProxyAgentId=\"";
const std::string VQ_DN_SNMP_AGENT_SCANF = "/systemId" + kQuoted + "/internetClassId%*[^/]/cmipsnmpProxyAgentId" + kQuoted;
const std::string VQ_DN_RPC_AGENT_PART1 = kSystemPrefix;
const std::string VQ_DN_RPC_AGENT_PART2 = "\"/agentTableType=\"RPC\"/agentId=\"";
const std::string VQ_DN_RPC_AGENT_SCANF = "/systemId" + kQuoted + "/agentTableType%*[^\"]\"RPC\"/agentId" + kQuoted;
const std::string VQ_DN_CMIP_AGENT_TABLE_PART1 = kSystemPrefix;
const std::string VQ_DN_CMIP_AGENT_TABLE_PART2 = "\"/agentTableType=\"CMIP\"";
const std::string VQ_DN_CMIP_AGENT_PART1 = kSystemPrefix;
const std::string VQ_DN_CMIP_AGENT_PART2 = VQ_DN_CMIP_AGENT_TABLE_PART2 + "/agentId=\"";
const std::string VQ_DN_CMIP_AGENT_PART2_AET = VQ_DN_CMIP_AGENT_TABLE_PART2 + "/agentId=aet:";
const std::string VQ_DN_CMIP_AGENT_LDN_SCANF = "agentTableType%*[^\"]\"CMIP\"/agentId" + kQuoted;
const std::string VQ_DN_CMIP_AGENT_SCANF = "/systemId" + kQuoted + "/" + VQ_DN_CMIP_AGENT_LDN_SCANF;
const std::string VQ_DN_FDN_TABLE_PART1 = kSystemPrefix;
const std::string VQ_DN_FDN_TABLE_PART2 = "\"/subsystemId=\"VQ-MIS\"/subsystemId=\"FdnTable\"";
const std::string VQ_OC_TOPO_NODE_DB = "topoNodeDB";
const std::string VQ_OC_TOPO_TYPE_DB = "topoTypeDB";
const std::string VQ_OC_TOPO_NODE = "topoNode";
const std::string VQ_OC_TOPO_NODE_FULL = "\"VQ Topology\":topoNode";
const std::string VQ_OC_TOPO_VIEW = "topoView";
const std::string VQ_OC_TOPO_VIEW_FULL = "\"VQ Topology\":topoView";
const std::string VQ_OC_TOPO_VIEW_NODE = "topoViewNode";
const std::string VQ_OC_TOPO_VIEW_NODE_FULL = "\"VQ Topology\":topoViewNode";
const std::string VQ_OC_TOPO_TYPE = "topoType";
const std::string VQ_OC_TOPO_TYPE_FULL = "\"VQ Topology\":topoType";
const std::string VQ_OC_FDN_TABLE = "vqFdn";
const std::string VQ_OC_CMIP_AGENT = "cmipAgentEntity";
const std::string VQ_OC_CMIP_AGENT_ENTITY_FULL = "\"VQ CMIPAGENT ENTITY\":cmipAgentEntity";
const std::string VQ_OC_CMIP_AGENT_FULL = "\"VQ MPA\":cmipAgent";
const std::string VQ_OC_RPC_AGENT = "rpcAgent";
const std::string VQ_OC_SNMP_AGENT = "cmipsnmpProxyAgent";
const std::string VQ_OC_CONNECT_MGR = "\"Connection Manager Document\":connectMgr";
const std::string VQ_TOPO_TYPE_ID = "topoTypeId";
const std::string VQ_TOPO_TYPE_DERIVED_FROM = "topoTypeDerivedFrom";
const std::string VQ_TOPO_TYPE_ALL_DERIVED_FROM = "topoTypeAllDerivedFrom";
const std::string VQ_TOPO_TYPE_BASE_OF = "topoTypeBaseOf";
const std::string VQ_TOPO_TYPE_MAX_VISIBLE_LEVEL = "topoTypeMaxVisibleLevel";
const std::string VQ_TOPO_TYPE_MAX_TOPO_LEVEL = "topoTypeMaxTopoLevel";
const std::string VQ_TOPO_TYPE_ALL_BASE_OF = "topoTypeAllBaseOf";
const std::string VQ_TOPO_TYPE_LEGAL_ARCS = "topoTypeLegalArcs";
const std::string VQ_TOPO_TYPE_ALL_LEGAL_ARCS = "topoTypeAllLegalArcs";
const std::string VQ_TOPO_TYPE_LEGAL_CHILDREN = "topoTypeLegalChildren";
const std::string VQ_TOPO_TYPE_ALL_LEGAL_CHILDREN = "topoTypeAllLegalChildren";
const std::string VQ_TOPO_TYPE_DRAW_METHOD = "topoTypeDrawMethod";
const std::string VQ_TOPO_TYPE_DEFAULT_LAYER = "topoTypeDefaultLayer";
const std::string VQ_TOPO_TYPE_USER_DATA_ATTRS = "topoTypeUserDataAttrs";
const std::string VQ_TOPO_NODE_ID = "topoNodeId";
const std::string VQ_TOPO_NODE_NAME = "topoNodeName";
const std::string VQ_TOPO_NODE_TYPE = "topoNodeType";
const std::string VQ_TOPO_NODE_MO_SET = "topoNodeMOSet";
const std::string VQ_TOPO_NODE_PARENTS = "topoNodeParents";
const std::string VQ_TOPO_NODE_CHILDREN = "topoNodeChildren";
const std::string VQ_TOPO_NODE_PEERS = "topoNodePeers";
const std::string VQ_TOPO_NODE_PROPAGATE_PEERS = "topoNodePropagatePeers";
const std::string VQ_TOPO_NODE_MANAGED = "topoNodeManaged";
const std::string VQ_TOPO_NODE_IS_MANAGED = "topoNodeIsManaged";
const std::string VQ_TOPO_NODE_STATE = "topoNodeState";
const std::string VQ_TOPO_NODE_SEVERITY = "topoNodeSeverity";
const std::string VQ_TOPO_NODE_PROPAGATED_SEVERITY = "topoNodePropagatedSeverity";
const std::string VQ_TOPO_NODE_PROPAGATE_UP = "topoNodePropagateUp";
const std::string VQ_TOPO_NODE_DISPLAY_STATUS = "topoNodeDisplayStatus";
const std::string VQ_TOPO_NODE_GEOGRAPHICAL_LOCATION = "topoNodeGeoLocation";
const std::string VQ_TOPO_NODE_LAYER = "topoNodeLayer";
const std::string VQ_TOPO_NODE_MONITOR = "topoNodeMonitor";
const std::string VQ_TOPO_NODE_USER_DATA = "topoNodeUserData";
const std::string VQ_TOPO_NODE_ARRAY_VISIBLE_CHILDREN = "topoNodeArrayVisibleChildren";
const std::string VQ_TOPO_NODE_ARRAY_ORIENTATION = "topoNodeArrayOrientation";
const std::string VQ_TOPO_NODE_ARRAY_NUM_COLUMNS = "topoNodeArrayNumColumns";
const std::string VQ_TOPO_NODE_ARRAY_CELL_SIZE = "topoNodeArrayCellSize";
const std::string VQ_TOPO_NODE_BUS_POINTS = "topoNodeBusPoints";
const std::string VQ_TOPO_VIEW_NODE_POSITION = "topoViewNodePosition";
const std::string VQ_TOPO_VIEW_BACKGROUND_IMAGE_FILENAME = "topoViewBackgroundImage";
const std::string VQ_TOPO_VIEW_MAP_CONFIG_FILENAME = "topoViewMapConfigFile";
const std::string VQ_TOPO_VIEW_DEFAULT_GEO_AREA = "topoViewMapInitialGeoArea";
const std::string VQ_TOPO_VIEW_CONFIG_DATA = "topoViewConfigData";
const std::string VQ_CMIP_AGENT_ID = "agentId";
const std::string VQ_CMIP_AGENT_MPA_ADDRESS_INFO = "mpaAddressInfo";
const std::string VQ_CMIP_AGENT_ADMINISTRATIVE_STATE = "administrativeState";
const std::string VQ_CMIP_AGENT_OPERATIONAL_STATE = "operationalState";
const std::string VQ_CMIP_AGENT_MANAGED_DNS = "managedDNs";
const std::string VQ_CMIP_AGENT_AGENT_ADDRESS_TAG = "agentAddressTag";
const std::string VQ_CMIP_AGENT_AGENT_ADDRESS_INFO = "agentAddressInfo";
const std::string VQ_CMIP_AGENT_APPLICATION_ENTITY_TITLE = "applicationEntityTitle";
const std::string VQ_CMIP_AGENT_PRESENTATION_SELECTOR = "presentationSelector";
const std::string VQ_CMIP_AGENT_SESSION_SELECTOR = "sessionSelector";
const std::string VQ_CMIP_AGENT_TRANSPORT_SELECTOR = "transportSelector";
const std::string VQ_CMIP_AGENT_NETWORK_SAP = "networkSAP";
const std::string VQ_CMIP_AGENT_NAME_TRANSLATION = "nameXlatFlag";
const std::string VQ_CMIP_AGENT_APPLICATION_ENTITY_QUALIFIER = "aeQualifier";
const std::string VQ_CMIP_AGENT_APPLICATION_ENTITY_INVOKE_ID = "aeInvokeId";
const std::string VQ_CMIP_AGENT_APPLICATION_PROCESS_INVOKE_ID = "apInvokeId";
const std::string VQ_RPC_AGENT_ID = "agentId";
const std::string VQ_RPC_AGENT_MPA_ADDRESS_INFO = "mpaAddressInfo";
const std::string VQ_RPC_AGENT_ADMINISTRATIVE_STATE = "administrativeState";
const std::string VQ_RPC_AGENT_OPERATIONAL_STATE = "operationalState";
const std::string VQ_RPC_AGENT_MANAGED_DNS = "managedDNs";
const std::string VQ_RPC_AGENT_AGENT_ADDRESS_TAG = "agentAddressTag";
const std::string VQ_RPC_AGENT_AGENT_ADDRESS_INFO = "agentAddressInfo";
const std::string VQ_RPC_AGENT_GET_COMMUNITY_STRING = "rpcGetCommunityString";
const std::string VQ_RPC_AGENT_SET_COMMUNITY_STRING = "rpcSetCommunityString";
const std::string VQ_RPC_AGENT_AGENT_SET = "agentSet";
const std::string VQ_SNMP_AGENT_ID = "cmipsnmpProxyAgentId";
const std::string VQ_SNMP_AGENT_MPA_ADDRESS_INFO = "mpaAddressInfo";
const std::string VQ_SNMP_AGENT_ADMINISTRATIVE_STATE = "adminState";
const std::string VQ_SNMP_AGENT_OPERATIONAL_STATE = "opState";
const std::string VQ_SNMP_AGENT_SYSTEM_TITLE = "systemTitle";
const std::string VQ_SNMP_AGENT_TRANSPORT_ADDRESS = "transportAddress";
const std::string VQ_SNMP_AGENT_GET_COMMUNITY_STRING = "snmpGetCommunityString";
const std::string VQ_SNMP_AGENT_SET_COMMUNITY_STRING = "snmpSetCommunityString";
const std::string VQ_SNMP_AGENT_MANAGEMENT_PROTOCOL = "managementProtocol";
const std::string VQ_SNMP_AGENT_SUPPORTED_MIBS = "supportedMIBs";
const std::string VQ_SNMP_AGENT_ACCESS_CONTROL_ENFORCEMENT = "accessControlEnforcement";
const std::string VQ_SNMP_AGENT_ACCESS_CONTROL_MECHANISM = "accessControlMechanism";
const std::string VQ_ACTION_TOPO_NODE_GET_BY_NAME = "topoNodeGetByName";
const std::string VQ_ACTION_TOPO_NODE_GET_BY_TYPE = "topoNodeGetByType";
const std::string VQ_ACTION_TOPO_NODE_GET_BY_MO = "topoNodeGetByMO";
const std::string VQ_ACTION_TOPO_NODE_GET_BY_MO_SET = "topoNodeGetByMOSet";
const std::string VQ_ACTION_TOPO_NODE_GET_VIEW_GRAPH = "topoGetViewGraph";
const std::string VQ_ACTION_TOPO_NODE_GET_NODE_REPORT = "topoGetNodeReport";
const std::string VQ_ACTION_TOPO_GET_NODE_MO_DATA_BY_NODE_LIST = "topoGetNodeMODataByNodeList";
const std::string VQ_ACTION_TOPO_NODE_CHILD_ATTRS_BY_VIEW = "topoNodeChildAttrsByView";
const std::string VQ_ACTION_GET_ATTRS_BY_MO_SET = "getTopoNodesAttributes";
const std::string VQ_ACTION_SET_ATTRS_BY_MO_SET = "setTopoNodesAttributes";
const std::string VQ_ACTION_FDN_TABLE_LIST_FDNS = "vqListFdns";
const std::string VQ_ACTION_CONNECTION_MANAGER_REGISTER_CONNECTION = "registerConnection";
const std::string VQ_ACTION_CONNECTION_MANAGER_DEREGISTER_CONNECTION = "deregisterConnection";
const std::string VQ_OID_DOT_SNMP_V1 = "1.3.6.1.4.1.7351.2.2.2.9.2.4.3.1";
const std::string VQ_OID_DOT_SNMP_V2 = "1.3.6.1.4.1.7351.2.2.2.9.2.4.3.2";
const std::string VQ_OID_DU_SNMP_V1 = "{ 1 3 6 1 4 1 7351 2 2 2 9 2 4 3 1 }";
const std::string VQ_OID_DU_SNMP_V2 = "{ 1 3 6 1 4 1 7351 2 2 2 9 2 4 3 2 }";

const std::string TOPO_NODE_GDMO_ATTRIBUTE_NAMES[VQ_TOPO_NODE_GDMO_ATTRIBUTE_COUNT] = {
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

const std::string TOPO_NODE_GDMO_ATTRIBUTE_FULL_NAMES[VQ_TOPO_NODE_GDMO_ATTRIBUTE_COUNT] = {
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
