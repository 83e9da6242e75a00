// The system object, the standard notifications and types, the management server's own
// subsystems and the connection manager. Identifiers:
//
//   2.9.3.2.3.13                    system (X.721)
//   2.9.3.2.7.4                     systemId (X.721)
//   2.9.3.2.10.1, .6, .7            attributeValueChange, objectCreation, objectDeletion
//   1.3.6.1.4.1.7351.2.2.2.200.n    subsystems: .3.1 subsystem, .3.2 vqFdn (the FDN table),
//                                   .7.1 subsystemId, .9.1 vqListFdns
//   1.3.6.1.4.1.7351.2.2.2.201.n    connections: .3.1 misEntry (a server-table entry, whose
//                                   state changes report a server's connection), .3.2
//                                   connectMgr, .3.3 serverTable; .7.1 serverTableType,
//                                   .7.2 misId, .7.3 currentState, .7.4 agentList,
//                                   .7.5 connectMgrId, .7.6 registrations;
//                                   .9.1 registerConnection, .9.2 deregisterConnection;
//                                   .10.1 connectionStateChange
#include <string_view>

#include "catalogue_tables.h"

namespace hvx::tables {
namespace {

#define X721(name) R"("Rec. X.721 | ISO/IEC 10165-2 : 1992":)" name
#define MIS(name) R"("VQ MIS":)" name
#define MIS_OID(arc) "1.3.6.1.4.1.7351.2.2.2.200." arc
#define CONN(name) R"("Connection Manager Document":)" name
#define CONN_OID(arc) "1.3.6.1.4.1.7351.2.2.2.201." arc

constexpr std::string_view kX721Notifications[] = {
    X721("objectCreation"),
    X721("objectDeletion"),
    X721("attributeValueChange"),
};

constexpr AttributeDef kAttributes[] = {
    {X721("systemId"), "2.9.3.2.7.4", "Attribute-ASN1Module.SystemId", false, false},
    {MIS("subsystemId"), MIS_OID("7.1"), "GraphicString", false, false},
    {CONN("serverTableType"), CONN_OID("7.1"), "GraphicString", false, false},
    {CONN("misId"), CONN_OID("7.2"), "GraphicString", false, false},
    {CONN("currentState"), CONN_OID("7.3"), "VQ-MIS-ASN1.ConnectionState", false, false},
    {CONN("agentList"), CONN_OID("7.4"), "SET OF GraphicString", false, true},
    {CONN("connectMgrId"), CONN_OID("7.5"), "GraphicString", false, false},
    {CONN("registrations"), CONN_OID("7.6"), "VQ-MIS-ASN1.Registrations", false, true},
};

constexpr ActionDef kActions[] = {
    {MIS("vqListFdns"), MIS_OID("9.1"), "NULL", "VQ-MIS-ASN1.FdnList"},
    {CONN("registerConnection"), CONN_OID("9.1"), "VQ-MIS-ASN1.Registration", "INTEGER"},
    {CONN("deregisterConnection"), CONN_OID("9.2"), "VQ-MIS-ASN1.Registration", "INTEGER"},
};

constexpr NotificationDef kNotifications[] = {
    {X721("objectCreation"), "2.9.3.2.10.6", "Attribute-ASN1Module.ObjectInfo"},
    {X721("objectDeletion"), "2.9.3.2.10.7", "Attribute-ASN1Module.ObjectInfo"},
    {X721("attributeValueChange"), "2.9.3.2.10.1", "Attribute-ASN1Module.AttributeValueChangeInfo"},
    {CONN("connectionStateChange"), CONN_OID("10.1"), "VQ-MIS-ASN1.ConnectionStateChangeInfo"},
};

constexpr TypeDef kTypes[] = {
    // Names of managed objects: a distinguished name, the sequence of relative names from
    // the root. An object instance is one in its CMIP form.
    {"CMIP-1.DistinguishedName", "DistinguishedName"},
    {"CMIP-1.ObjectInstance", "DistinguishedName"},
    {"CMIP-1.AttributeId",
     "CHOICE { globalForm [0] IMPLICIT OBJECT IDENTIFIER, localForm [1] IMPLICIT INTEGER }"},
    {"CMIP-1.Attribute", "SEQUENCE { attributeId CMIP-1.AttributeId, attributeValue ANY }"},
    {"CMIP-1.AttributeList", "SET OF CMIP-1.Attribute"},
    {"Attribute-ASN1Module.SystemId", "CHOICE { name GraphicString, number INTEGER }"},
    {"Attribute-ASN1Module.AdministrativeState",
     "ENUMERATED { locked(0), unlocked(1), shuttingDown(2) }"},
    {"Attribute-ASN1Module.OperationalState", "ENUMERATED { disabled(0), enabled(1) }"},
    {"Attribute-ASN1Module.SourceIndicator",
     "ENUMERATED { resourceOperation(0), managementOperation(1), unknown(2) }"},
    // The information of the server's notifications, members tagged in order as the
    // server writes them.
    {"Attribute-ASN1Module.ObjectInfo",
     "SEQUENCE { sourceIndicator [1] IMPLICIT Attribute-ASN1Module.SourceIndicator, "
     "attributeList [2] IMPLICIT SET OF SEQUENCE { attributeId OBJECT IDENTIFIER, "
     "attributeValue ANY } }"},
    {"Attribute-ASN1Module.AttributeValueChangeInfo",
     "SEQUENCE { sourceIndicator [1] IMPLICIT Attribute-ASN1Module.SourceIndicator, "
     "attributeIdentifierList [2] IMPLICIT SET OF OBJECT IDENTIFIER, "
     "attributeValueChangeDefinition [3] IMPLICIT SET OF SEQUENCE { attributeId OBJECT "
     "IDENTIFIER, oldAttributeValue ANY, newAttributeValue ANY } }"},
    {"VQ-MIS-ASN1.FdnRoute",
     "SEQUENCE { misName GraphicString, networkSAP GraphicString, agentInstance OCTET STRING }"},
    {"VQ-MIS-ASN1.FdnList",
     "SET OF SEQUENCE { fdn CMIP-1.DistinguishedName, routes SEQUENCE OF VQ-MIS-ASN1.FdnRoute }"},
    {"VQ-MIS-ASN1.Registration",
     "SEQUENCE { systemName GraphicString, applicationNumber INTEGER }"},
    {"VQ-MIS-ASN1.Registrations", "SET OF VQ-MIS-ASN1.Registration"},
    {"VQ-MIS-ASN1.ConnectionState", "ENUMERATED { notConnected(0), connected(1) }"},
    {"VQ-MIS-ASN1.ConnectionStateChangeInfo",
     "SEQUENCE { currentState VQ-MIS-ASN1.ConnectionState, agentList SET OF GraphicString }"},
};

// "" among the superiors: the class may name a root object of its server.
constexpr std::string_view kRoot[] = {"", CONN("misEntry")};
constexpr std::string_view kTopLevel[] = {""};
constexpr std::string_view kUnderSystem[] = {X721("system"), CONN("misEntry")};
constexpr std::string_view kUnderSubsystem[] = {MIS("subsystem")};
constexpr std::string_view kUnderServerTable[] = {CONN("serverTable")};

constexpr std::string_view kSystemAttributes[] = {X721("systemId")};
constexpr std::string_view kSubsystemAttributes[] = {MIS("subsystemId")};
constexpr std::string_view kFdnActions[] = {MIS("vqListFdns")};
constexpr std::string_view kServerTableAttributes[] = {CONN("serverTableType")};
constexpr std::string_view kMisEntryAttributes[] = {
    CONN("misId"),
    CONN("currentState"),
    CONN("agentList"),
};
constexpr std::string_view kMisEntryNotifications[] = {
    X721("objectCreation"),
    X721("objectDeletion"),
    X721("attributeValueChange"),
    CONN("connectionStateChange"),
};
constexpr std::string_view kConnectMgrAttributes[] = {
    CONN("connectMgrId"),
    CONN("registrations"),
};
constexpr std::string_view kConnectMgrActions[] = {
    CONN("registerConnection"),
    CONN("deregisterConnection"),
};

constexpr ClassDef kClasses[] = {
    {X721("system"),
     "2.9.3.2.3.13",
     X721("systemId"),
     kRoot,
     kSystemAttributes,
     {},
     kX721Notifications},
    {MIS("subsystem"),
     MIS_OID("3.1"),
     MIS("subsystemId"),
     kUnderSystem,
     kSubsystemAttributes,
     {},
     kX721Notifications},
    {MIS("vqFdn"), MIS_OID("3.2"), MIS("subsystemId"), kUnderSubsystem, kSubsystemAttributes,
     kFdnActions, kX721Notifications},
    {CONN("connectMgr"), CONN_OID("3.2"), CONN("connectMgrId"), kUnderSubsystem,
     kConnectMgrAttributes, kConnectMgrActions, kX721Notifications},
    {CONN("serverTable"),
     CONN_OID("3.3"),
     CONN("serverTableType"),
     kTopLevel,
     kServerTableAttributes,
     {},
     kX721Notifications},
    {CONN("misEntry"),
     CONN_OID("3.1"),
     CONN("misId"),
     kUnderServerTable,
     kMisEntryAttributes,
     {},
     kMisEntryNotifications},
};

#undef X721
#undef MIS
#undef MIS_OID
#undef CONN
#undef CONN_OID

}  // namespace

Part system_part() { return {kClasses, kAttributes, kActions, kNotifications, kTypes}; }

}  // namespace hvx::tables
