// The agent tables' classes. Identifiers:
//
//   1.3.6.1.4.1.7351.2.2.2.10.3.n    classes     1 agentTable, 3 cmipAgentEntity, 5 rpcAgent
//   1.3.6.1.4.1.7351.2.2.2.10.7.n    attributes  shared by CMIP and RPC agents (below)
//   1.3.6.1.4.1.7351.2.2.2.65.3.1    the agent class of the management protocol adapter,
//                                    which events about CMIP agents may carry
//   1.3.6.1.4.1.7351.2.2.2.9.2.4.n   SNMP proxy: .1.0 the internet class of proxy agents
//                                    (the value of internetClassId in their names), .2.1
//                                    internetClass, .2.2 cmipsnmpProxyAgent, .3.1 and .3.2
//                                    the SNMP v1 and v2 protocols, .4.n attributes
//
// The two state attributes are the standard ones of X.721 (2.9.3.2.7.31 and .35).
#include <string_view>

#include "catalogue_tables.h"

namespace hvx::tables {
namespace {

#define AGENT(name) R"("VQ CMIPAGENT ENTITY":)" name
#define AGENT_OID(arc) "1.3.6.1.4.1.7351.2.2.2.10." arc
#define SNMP(name) R"("VQ CMIPSNMP PROXY":)" name
#define SNMP_OID(arc) "1.3.6.1.4.1.7351.2.2.2.9.2.4." arc
#define RPC(name) R"("VQ RPC AGENT":)" name
#define X721(name) R"("Rec. X.721 | ISO/IEC 10165-2 : 1992":)" name

constexpr std::string_view kX721Notifications[] = {
    X721("objectCreation"),
    X721("objectDeletion"),
    X721("attributeValueChange"),
};

constexpr AttributeDef kAttributes[] = {
    {AGENT("agentTableType"), AGENT_OID("7.15"), "GraphicString", false, false},
    {AGENT("agentId"), AGENT_OID("7.1"), "VQ-AGENT-ASN1.AgentId", false, false},
    {AGENT("mpaAddressInfo"), AGENT_OID("7.2"), "VQ-AGENT-ASN1.MpaAddress", true, false},
    {X721("administrativeState"), "2.9.3.2.7.31", "Attribute-ASN1Module.AdministrativeState", true,
     false},
    {X721("operationalState"), "2.9.3.2.7.35", "Attribute-ASN1Module.OperationalState", true,
     false},
    {AGENT("managedDNs"), AGENT_OID("7.3"), "VQ-AGENT-ASN1.ManagedDNs", true, true},
    {AGENT("agentAddressTag"), AGENT_OID("7.4"), "INTEGER", true, false},
    {AGENT("agentAddressInfo"), AGENT_OID("7.5"), "GraphicString", true, false},
    {AGENT("applicationEntityTitle"), AGENT_OID("7.6"), "GraphicString", true, false},
    {AGENT("presentationSelector"), AGENT_OID("7.7"), "OCTET STRING", true, false},
    {AGENT("sessionSelector"), AGENT_OID("7.8"), "OCTET STRING", true, false},
    {AGENT("transportSelector"), AGENT_OID("7.9"), "OCTET STRING", true, false},
    {AGENT("networkSAP"), AGENT_OID("7.10"), "GraphicString", true, false},
    {AGENT("nameXlatFlag"), AGENT_OID("7.11"), "GraphicString", true, false},
    {AGENT("aeQualifier"), AGENT_OID("7.12"), "GraphicString", true, false},
    {AGENT("apInvokeId"), AGENT_OID("7.13"), "INTEGER", true, false},
    {AGENT("aeInvokeId"), AGENT_OID("7.14"), "INTEGER", true, false},
    {RPC("rpcGetCommunityString"), AGENT_OID("7.16"), "GraphicString", true, false},
    {RPC("rpcSetCommunityString"), AGENT_OID("7.17"), "GraphicString", true, false},
    {RPC("agentSet"), AGENT_OID("7.18"), "VQ-AGENT-ASN1.AgentSet", true, true},
    {SNMP("internetClassId"), SNMP_OID("4.12"), "OBJECT IDENTIFIER", false, false},
    {SNMP("cmipsnmpProxyAgentId"), SNMP_OID("4.1"), "GraphicString", false, false},
    {SNMP("adminState"), SNMP_OID("4.2"), "Attribute-ASN1Module.AdministrativeState", true, false},
    {SNMP("opState"), SNMP_OID("4.3"), "Attribute-ASN1Module.OperationalState", true, false},
    {SNMP("systemTitle"), SNMP_OID("4.4"), "OBJECT IDENTIFIER", true, false},
    {SNMP("snmpGetCommunityString"), SNMP_OID("4.5"), "GraphicString", true, false},
    {SNMP("snmpSetCommunityString"), SNMP_OID("4.6"), "GraphicString", true, false},
    {SNMP("transportAddress"), SNMP_OID("4.7"), "OCTET STRING", true, false},
    {SNMP("supportedMIBs"), SNMP_OID("4.8"), "VQ-AGENT-ASN1.SupportedMibs", true, true},
    {SNMP("managementProtocol"), SNMP_OID("4.9"), "OBJECT IDENTIFIER", true, false},
    {SNMP("accessControlEnforcement"), SNMP_OID("4.10"), "INTEGER", true, false},
    {SNMP("accessControlMechanism"), SNMP_OID("4.11"), "INTEGER", true, false},
};

constexpr TypeDef kTypes[] = {
    {"VQ-AGENT-ASN1.AgentId", "CHOICE { id GraphicString, aet OBJECT IDENTIFIER }"},
    {"VQ-AGENT-ASN1.MpaAddress",
     "CHOICE { address [0] EXPLICIT SEQUENCE { hostname GraphicString, port INTEGER }, "
     "noAddress [1] EXPLICIT NULL }"},
    {"VQ-AGENT-ASN1.ManagedDNs", "SET OF CMIP-1.ObjectInstance"},
    {"VQ-AGENT-ASN1.AgentSet", "SET OF SEQUENCE { name OCTET STRING, proxyHostname OCTET STRING }"},
    {"VQ-AGENT-ASN1.SupportedMibs", "SET OF CHOICE { ps PrintableString, oid OBJECT IDENTIFIER }"},
};

constexpr std::string_view kUnderSystem[] = {
    X721("system"),
    R"("Connection Manager Document":misEntry)",
};
constexpr std::string_view kUnderAgentTable[] = {AGENT("agentTable")};
constexpr std::string_view kUnderInternetClass[] = {SNMP("internetClass")};

constexpr std::string_view kAgentTableAttributes[] = {AGENT("agentTableType")};
constexpr std::string_view kCmipAgentAttributes[] = {
    AGENT("agentId"),
    AGENT("mpaAddressInfo"),
    X721("administrativeState"),
    X721("operationalState"),
    AGENT("managedDNs"),
    AGENT("agentAddressTag"),
    AGENT("agentAddressInfo"),
    AGENT("applicationEntityTitle"),
    AGENT("presentationSelector"),
    AGENT("sessionSelector"),
    AGENT("transportSelector"),
    AGENT("networkSAP"),
    AGENT("nameXlatFlag"),
    AGENT("aeQualifier"),
    AGENT("apInvokeId"),
    AGENT("aeInvokeId"),
};
constexpr std::string_view kRpcAgentAttributes[] = {
    AGENT("agentId"),          AGENT("mpaAddressInfo"),      X721("administrativeState"),
    X721("operationalState"),  AGENT("managedDNs"),          AGENT("agentAddressTag"),
    AGENT("agentAddressInfo"), RPC("rpcGetCommunityString"), RPC("rpcSetCommunityString"),
    RPC("agentSet"),
};
constexpr std::string_view kInternetClassAttributes[] = {SNMP("internetClassId")};
constexpr std::string_view kSnmpAgentAttributes[] = {
    SNMP("cmipsnmpProxyAgentId"),
    AGENT("mpaAddressInfo"),
    SNMP("adminState"),
    SNMP("opState"),
    SNMP("systemTitle"),
    SNMP("snmpGetCommunityString"),
    SNMP("snmpSetCommunityString"),
    SNMP("transportAddress"),
    SNMP("supportedMIBs"),
    SNMP("managementProtocol"),
    SNMP("accessControlEnforcement"),
    SNMP("accessControlMechanism"),
};

constexpr ClassDef kClasses[] = {
    {AGENT("agentTable"),
     AGENT_OID("3.1"),
     AGENT("agentTableType"),
     kUnderSystem,
     kAgentTableAttributes,
     {},
     kX721Notifications},
    {AGENT("cmipAgentEntity"),
     AGENT_OID("3.3"),
     AGENT("agentId"),
     kUnderAgentTable,
     kCmipAgentAttributes,
     {},
     kX721Notifications},
    {R"("VQ MPA":cmipAgent)",
     "1.3.6.1.4.1.7351.2.2.2.65.3.1",
     AGENT("agentId"),
     kUnderAgentTable,
     kCmipAgentAttributes,
     {},
     kX721Notifications},
    {RPC("rpcAgent"),
     AGENT_OID("3.5"),
     AGENT("agentId"),
     kUnderAgentTable,
     kRpcAgentAttributes,
     {},
     kX721Notifications},
    {SNMP("internetClass"),
     SNMP_OID("2.1"),
     SNMP("internetClassId"),
     kUnderSystem,
     kInternetClassAttributes,
     {},
     kX721Notifications},
    {SNMP("cmipsnmpProxyAgent"),
     SNMP_OID("2.2"),
     SNMP("cmipsnmpProxyAgentId"),
     kUnderInternetClass,
     kSnmpAgentAttributes,
     {},
     kX721Notifications},
};

#undef AGENT
#undef AGENT_OID
#undef SNMP
#undef SNMP_OID
#undef RPC
#undef X721

}  // namespace

Part agent_part() { return {kClasses, kAttributes, {}, {}, kTypes}; }

}  // namespace hvx::tables
