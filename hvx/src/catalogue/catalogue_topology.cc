// The topology database's classes. Identifiers live under 1.3.6.1.4.1.7351.2.2.2.40:
//
//   .40.3.n  classes      1 topoNode, 2 topoNodeDB, 3 topoTypeDB, 4 topoType, 5 topoView,
//                         6 topoViewDB, 7 topoViewNode
//   .40.7.n  attributes   node, view and view-node attributes as listed below;
//                         1 topoTypeDBId, 5 topoNodeDBId, 6 topoViewDBId, 22 to 35 the
//                         topoType attributes. Those the server derives (children,
//                         severities, the type's sub-types and everything "All") are
//                         not settable
//   .40.9.n  actions      1 by name, 2 by type, 3 by managed object, 4 view graph,
//                         5 node report, 6 by managed-object set, 7 managed objects by node
//                         list, 8 get attributes, 9 view children, 10 set attributes
#include <string_view>

#include "catalogue_tables.h"

namespace hvx::tables {
namespace {

constexpr std::string_view kX721Notifications[] = {
    R"("Rec. X.721 | ISO/IEC 10165-2 : 1992":objectCreation)",
    R"("Rec. X.721 | ISO/IEC 10165-2 : 1992":objectDeletion)",
    R"("Rec. X.721 | ISO/IEC 10165-2 : 1992":attributeValueChange)",
};

#define TOPO(name) R"("VQ Topology":)" name
#define TOPO_OID(arc) "1.3.6.1.4.1.7351.2.2.2.40." arc

constexpr AttributeDef kAttributes[] = {
    // The 29 node, view and view-node attributes, in the library's attribute order.
    {TOPO("topoNodeId"), TOPO_OID("7.9"), "INTEGER", false, false},
    {TOPO("topoNodeName"), TOPO_OID("7.12"), "GraphicString", true, false},
    {TOPO("topoNodeType"), TOPO_OID("7.21"), "GraphicString", true, false},
    {TOPO("topoNodeMOSet"), TOPO_OID("7.11"), "VQ-TOPO-ASN1.TopoNodeMOSet", true, true},
    {TOPO("topoNodeParents"), TOPO_OID("7.13"), "VQ-TOPO-ASN1.NodeIdSet", true, true},
    {TOPO("topoNodeChildren"), TOPO_OID("7.3"), "VQ-TOPO-ASN1.NodeIdSet", false, true},
    {TOPO("topoNodePeers"), TOPO_OID("7.14"), "VQ-TOPO-ASN1.NodeIdSet", true, true},
    {TOPO("topoNodePropagatePeers"), TOPO_OID("7.52"), "VQ-TOPO-ASN1.NodeIdSet", true, true},
    {TOPO("topoNodeManaged"), TOPO_OID("7.42"), "BOOLEAN", true, false},
    {TOPO("topoNodeIsManaged"), TOPO_OID("7.43"), "BOOLEAN", false, false},
    {TOPO("topoNodeState"), TOPO_OID("7.20"), "INTEGER", true, false},
    {TOPO("topoNodeSeverity"), TOPO_OID("7.18"), "INTEGER", false, false},
    {TOPO("topoNodePropagatedSeverity"), TOPO_OID("7.15"), "INTEGER", false, false},
    {TOPO("topoNodePropagateUp"), TOPO_OID("7.16"), "INTEGER", true, false},
    {TOPO("topoNodeDisplayStatus"), TOPO_OID("7.7"), "VQ-TOPO-ASN1.DisplayStatusSet", true, true},
    {TOPO("topoNodeGeoLocation"), TOPO_OID("7.8"), "VQ-TOPO-ASN1.GeoLocation", true, false},
    {TOPO("topoNodeLayer"), TOPO_OID("7.10"), "GraphicString", true, false},
    {TOPO("topoNodeMonitor"), TOPO_OID("7.46"), "VQ-TOPO-ASN1.Monitor", true, false},
    {TOPO("topoNodeUserData"), TOPO_OID("7.44"), "VQ-TOPO-ASN1.UserData", true, true},
    {TOPO("topoNodeArrayVisibleChildren"), TOPO_OID("7.60"), "VQ-TOPO-ASN1.NodeIdSet", true, true},
    {TOPO("topoNodeArrayOrientation"), TOPO_OID("7.61"), "INTEGER", true, false},
    {TOPO("topoNodeArrayNumColumns"), TOPO_OID("7.62"), "INTEGER", true, false},
    {TOPO("topoNodeArrayCellSize"), TOPO_OID("7.63"), "VQ-TOPO-ASN1.CellSize", true, false},
    {TOPO("topoNodeBusPoints"), TOPO_OID("7.64"), "VQ-TOPO-ASN1.BusPoints", true, false},
    {TOPO("topoViewNodePosition"), TOPO_OID("7.41"), "VQ-TOPO-ASN1.Location", true, false},
    {TOPO("topoViewBackgroundImage"), TOPO_OID("7.37"), "GraphicString", true, false},
    {TOPO("topoViewMapConfigFile"), TOPO_OID("7.39"), "GraphicString", true, false},
    {TOPO("topoViewMapInitialGeoArea"), TOPO_OID("7.40"), "VQ-TOPO-ASN1.GeoArea", true, false},
    {TOPO("topoViewConfigData"), TOPO_OID("7.65"), "VQ-TOPO-ASN1.ViewConfigData", true, true},
    // Naming attributes of the databases.
    {TOPO("topoNodeDBId"), TOPO_OID("7.5"), "NULL", false, false},
    {TOPO("topoViewDBId"), TOPO_OID("7.6"), "NULL", false, false},
    {TOPO("topoTypeDBId"), TOPO_OID("7.1"), "NULL", false, false},
    // The 14 type attributes, in the library's attribute order.
    {TOPO("topoTypeId"), TOPO_OID("7.22"), "GraphicString", false, false},
    {TOPO("topoTypeDerivedFrom"), TOPO_OID("7.23"), "VQ-TOPO-ASN1.TypeNameSet", true, true},
    {TOPO("topoTypeAllDerivedFrom"), TOPO_OID("7.24"), "VQ-TOPO-ASN1.TypeNameSet", false, true},
    {TOPO("topoTypeBaseOf"), TOPO_OID("7.25"), "VQ-TOPO-ASN1.TypeNameSet", false, true},
    {TOPO("topoTypeMaxVisibleLevel"), TOPO_OID("7.26"), "INTEGER", true, false},
    {TOPO("topoTypeMaxTopoLevel"), TOPO_OID("7.27"), "INTEGER", true, false},
    {TOPO("topoTypeAllBaseOf"), TOPO_OID("7.28"), "VQ-TOPO-ASN1.TypeNameSet", false, true},
    {TOPO("topoTypeLegalArcs"), TOPO_OID("7.29"), "VQ-TOPO-ASN1.TypeNameSet", true, true},
    {TOPO("topoTypeAllLegalArcs"), TOPO_OID("7.30"), "VQ-TOPO-ASN1.TypeNameSet", false, true},
    {TOPO("topoTypeLegalChildren"), TOPO_OID("7.31"), "VQ-TOPO-ASN1.TypeNameSet", true, true},
    {TOPO("topoTypeAllLegalChildren"), TOPO_OID("7.32"), "VQ-TOPO-ASN1.TypeNameSet", false, true},
    {TOPO("topoTypeDrawMethod"), TOPO_OID("7.33"), "VQ-TOPO-ASN1.DrawMethod", true, false},
    {TOPO("topoTypeDefaultLayer"), TOPO_OID("7.34"), "GraphicString", true, false},
    {TOPO("topoTypeUserDataAttrs"), TOPO_OID("7.35"), "VQ-TOPO-ASN1.UserDataAttrs", true, true},
};

constexpr ActionDef kActions[] = {
    {TOPO("topoNodeGetByName"), TOPO_OID("9.1"), "GraphicString", "VQ-TOPO-ASN1.NodeIdSet"},
    {TOPO("topoNodeGetByType"), TOPO_OID("9.2"), "GraphicString", "VQ-TOPO-ASN1.NodeIdSet"},
    {TOPO("topoNodeGetByMO"), TOPO_OID("9.3"), "CMIP-1.ObjectInstance", "VQ-TOPO-ASN1.NodeIdSet"},
    {TOPO("topoGetViewGraph"), TOPO_OID("9.4"), "NULL", "VQ-TOPO-ASN1.ViewGraph"},
    {TOPO("topoGetNodeReport"), TOPO_OID("9.5"), "NULL", "VQ-TOPO-ASN1.NodeReport"},
    {TOPO("topoNodeGetByMOSet"), TOPO_OID("9.6"), "VQ-TOPO-ASN1.TopoNodeMOSet",
     "VQ-TOPO-ASN1.NodeIdSet"},
    {TOPO("topoGetNodeMODataByNodeList"), TOPO_OID("9.7"), "VQ-TOPO-ASN1.NodeMODataRequest",
     "VQ-TOPO-ASN1.NodeMODataReply"},
    {TOPO("getTopoNodesAttributes"), TOPO_OID("9.8"), "VQ-TOPO-ASN1.GetNodesAttributesRequest",
     "VQ-TOPO-ASN1.NodesAttributesReply"},
    {TOPO("topoNodeChildAttrsByView"), TOPO_OID("9.9"), "VQ-TOPO-ASN1.ViewChildrenRequest",
     "VQ-TOPO-ASN1.NodesAttributesReply"},
    {TOPO("setTopoNodesAttributes"), TOPO_OID("9.10"), "VQ-TOPO-ASN1.SetNodesAttributesRequest",
     "VQ-TOPO-ASN1.NodesAttributesReply"},
};

constexpr TypeDef kTypes[] = {
    {"VQ-TOPO-ASN1.NodeIdSet", "SET OF INTEGER"},
    {"VQ-TOPO-ASN1.TopoNodeMOSet", "SET OF CMIP-1.ObjectInstance"},
    {"VQ-TOPO-ASN1.DisplayStatusSet", "SET OF SEQUENCE { label GraphicString, value INTEGER }"},
    {"VQ-TOPO-ASN1.GeoLocation",
     "CHOICE { none NULL, location SEQUENCE { latitude REAL, longitude REAL } }"},
    {"VQ-TOPO-ASN1.Monitor",
     "CHOICE { none NULL, monitor SEQUENCE { rotation INTEGER, visibleChildren SET OF INTEGER "
     "} }"},
    {"VQ-TOPO-ASN1.UserData",
     "SET OF SEQUENCE { attribute OBJECT IDENTIFIER, value ANY DEFINED BY attribute }"},
    {"VQ-TOPO-ASN1.CellSize", "SEQUENCE { width INTEGER, height INTEGER }"},
    {"VQ-TOPO-ASN1.Location", "SEQUENCE { x INTEGER, y INTEGER, z INTEGER }"},
    {"VQ-TOPO-ASN1.BusPoints", "SEQUENCE OF VQ-TOPO-ASN1.Location"},
    {"VQ-TOPO-ASN1.GeoArea",
     "CHOICE { none NULL, area SEQUENCE { latitude REAL, longitude REAL, extent REAL } }"},
    {"VQ-TOPO-ASN1.ViewConfigData", "SET OF SEQUENCE { name GraphicString, value GraphicString }"},
    {"VQ-TOPO-ASN1.TypeNameSet", "SET OF GraphicString"},
    {"VQ-TOPO-ASN1.DrawMethod",
     "ENUMERATED { circle(0), square(1), rectangle(2), triangle(3), hexagon(4), line(5), "
     "pie(6), hexagon60(7), hexagon120(8), omnisector(9) }"},
    {"VQ-TOPO-ASN1.UserDataAttrs", "SET OF [0] IMPLICIT OBJECT IDENTIFIER"},
    {"VQ-TOPO-ASN1.NodeMODataRequest", "SEQUENCE { withMOs BOOLEAN, nodeIds SET OF INTEGER }"},
    {"VQ-TOPO-ASN1.NodeMODataReply",
     "SET OF SEQUENCE { nodeId INTEGER, managedObject CMIP-1.ObjectInstance OPTIONAL }"},
    {"VQ-TOPO-ASN1.GetNodesAttributesRequest",
     "SEQUENCE { managedObjects [1] EXPLICIT SET OF CMIP-1.ObjectInstance, "
     "attributeIds [2] EXPLICIT SET OF CMIP-1.AttributeId OPTIONAL }"},
    {"VQ-TOPO-ASN1.SetNodesAttributesRequest",
     "SEQUENCE { managedObjects [1] EXPLICIT SET OF CMIP-1.ObjectInstance, "
     "attributes [2] EXPLICIT SET OF CMIP-1.Attribute OPTIONAL }"},
    {"VQ-TOPO-ASN1.NodesAttributesReply",
     "SET OF SEQUENCE { nodeId INTEGER, attributes SET OF CMIP-1.Attribute }"},
    {"VQ-TOPO-ASN1.ViewChildrenRequest",
     "SEQUENCE { viewId INTEGER, attributeIds SET OF OBJECT IDENTIFIER }"},
    {"VQ-TOPO-ASN1.NodeReport",
     "SET OF SEQUENCE { id INTEGER, name OCTET STRING, typeName OCTET STRING, "
     "children SET OF INTEGER }"},
    {"VQ-TOPO-ASN1.ViewRef", "SEQUENCE { id INTEGER, name OCTET STRING }"},
    {"VQ-TOPO-ASN1.ViewEntry",
     "SEQUENCE { view VQ-TOPO-ASN1.ViewRef, parents SET OF VQ-TOPO-ASN1.ViewRef, "
     "backgroundImage OCTET STRING OPTIONAL, mapConfigFile OCTET STRING OPTIONAL, "
     "extraName OCTET STRING OPTIONAL, extraNumber1 INTEGER OPTIONAL, "
     "extraNumber2 INTEGER OPTIONAL }"},
    {"VQ-TOPO-ASN1.ViewGraph", "SET OF VQ-TOPO-ASN1.ViewEntry"},
};

constexpr std::string_view kUnderSystem[] = {
    R"("Rec. X.721 | ISO/IEC 10165-2 : 1992":system)",
    R"("Connection Manager Document":misEntry)",
};
constexpr std::string_view kUnderNodeDB[] = {TOPO("topoNodeDB")};
constexpr std::string_view kUnderViewDB[] = {TOPO("topoViewDB")};
constexpr std::string_view kUnderView[] = {TOPO("topoView")};
constexpr std::string_view kUnderTypeDB[] = {TOPO("topoTypeDB")};

constexpr std::string_view kNodeDBAttributes[] = {TOPO("topoNodeDBId")};
constexpr std::string_view kViewDBAttributes[] = {TOPO("topoViewDBId")};
constexpr std::string_view kTypeDBAttributes[] = {TOPO("topoTypeDBId")};
constexpr std::string_view kNodeDBActions[] = {
    TOPO("topoNodeGetByName"),
    TOPO("topoNodeGetByType"),
    TOPO("topoNodeGetByMO"),
    TOPO("topoGetViewGraph"),
    TOPO("topoGetNodeReport"),
    TOPO("topoNodeGetByMOSet"),
    TOPO("topoGetNodeMODataByNodeList"),
    TOPO("getTopoNodesAttributes"),
    TOPO("topoNodeChildAttrsByView"),
    TOPO("setTopoNodesAttributes"),
};
constexpr std::string_view kNodeAttributes[] = {
    TOPO("topoNodeId"),
    TOPO("topoNodeName"),
    TOPO("topoNodeType"),
    TOPO("topoNodeMOSet"),
    TOPO("topoNodeParents"),
    TOPO("topoNodeChildren"),
    TOPO("topoNodePeers"),
    TOPO("topoNodePropagatePeers"),
    TOPO("topoNodeManaged"),
    TOPO("topoNodeIsManaged"),
    TOPO("topoNodeState"),
    TOPO("topoNodeSeverity"),
    TOPO("topoNodePropagatedSeverity"),
    TOPO("topoNodePropagateUp"),
    TOPO("topoNodeDisplayStatus"),
    TOPO("topoNodeGeoLocation"),
    TOPO("topoNodeLayer"),
    TOPO("topoNodeMonitor"),
    TOPO("topoNodeUserData"),
    TOPO("topoNodeArrayVisibleChildren"),
    TOPO("topoNodeArrayOrientation"),
    TOPO("topoNodeArrayNumColumns"),
    TOPO("topoNodeArrayCellSize"),
    TOPO("topoNodeBusPoints"),
};
constexpr std::string_view kViewAttributes[] = {
    TOPO("topoNodeId"),
    TOPO("topoViewBackgroundImage"),
    TOPO("topoViewMapConfigFile"),
    TOPO("topoViewMapInitialGeoArea"),
    TOPO("topoViewConfigData"),
};
constexpr std::string_view kViewNodeAttributes[] = {
    TOPO("topoNodeId"),
    TOPO("topoViewNodePosition"),
};
constexpr std::string_view kTypeAttributes[] = {
    TOPO("topoTypeId"),
    TOPO("topoTypeDerivedFrom"),
    TOPO("topoTypeAllDerivedFrom"),
    TOPO("topoTypeBaseOf"),
    TOPO("topoTypeMaxVisibleLevel"),
    TOPO("topoTypeMaxTopoLevel"),
    TOPO("topoTypeAllBaseOf"),
    TOPO("topoTypeLegalArcs"),
    TOPO("topoTypeAllLegalArcs"),
    TOPO("topoTypeLegalChildren"),
    TOPO("topoTypeAllLegalChildren"),
    TOPO("topoTypeDrawMethod"),
    TOPO("topoTypeDefaultLayer"),
    TOPO("topoTypeUserDataAttrs"),
};

constexpr ClassDef kClasses[] = {
    {TOPO("topoNodeDB"), TOPO_OID("3.2"), TOPO("topoNodeDBId"), kUnderSystem, kNodeDBAttributes,
     kNodeDBActions, kX721Notifications},
    {TOPO("topoNode"),
     TOPO_OID("3.1"),
     TOPO("topoNodeId"),
     kUnderNodeDB,
     kNodeAttributes,
     {},
     kX721Notifications},
    {TOPO("topoViewDB"),
     TOPO_OID("3.6"),
     TOPO("topoViewDBId"),
     kUnderSystem,
     kViewDBAttributes,
     {},
     kX721Notifications},
    {TOPO("topoView"),
     TOPO_OID("3.5"),
     TOPO("topoNodeId"),
     kUnderViewDB,
     kViewAttributes,
     {},
     kX721Notifications},
    {TOPO("topoViewNode"),
     TOPO_OID("3.7"),
     TOPO("topoNodeId"),
     kUnderView,
     kViewNodeAttributes,
     {},
     kX721Notifications},
    {TOPO("topoTypeDB"),
     TOPO_OID("3.3"),
     TOPO("topoTypeDBId"),
     kUnderSystem,
     kTypeDBAttributes,
     {},
     kX721Notifications},
    {TOPO("topoType"),
     TOPO_OID("3.4"),
     TOPO("topoTypeId"),
     kUnderTypeDB,
     kTypeAttributes,
     {},
     kX721Notifications},
};

#undef TOPO
#undef TOPO_OID

}  // namespace

Part topology_part() { return {kClasses, kAttributes, kActions, {}, kTypes}; }

}  // namespace hvx::tables
