// Identifiers: the attributes, classes and names of the topology database, resolved from the
// catalogue once.
#ifndef HVX_SRC_MIS_TOPO_IDENTIFIERS_H_
#define HVX_SRC_MIS_TOPO_IDENTIFIERS_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "dn.h"
#include "hvx/oid.h"

namespace hvx::mis::topo {

// The node, view and view-node attributes, numbered as the topology library numbers them.
enum NodeAttribute : int {
  kNodeId = 0,
  kName,
  kType,
  kMoSet,
  kParents,
  kChildren,
  kPeers,
  kPropagatePeers,
  kManaged,
  kIsManaged,
  kState,
  kSeverity,
  kPropagatedSeverity,
  kPropagateUp,
  kDisplayStatus,
  kGeoLocation,
  kLayer,
  kMonitor,
  kUserData,
  kArrayVisibleChildren,
  kArrayOrientation,
  kArrayNumColumns,
  kArrayCellSize,
  kBusPoints,
  kPosition,         // topoViewNode
  kBackgroundImage,  // topoView, to the end
  kMapConfigFile,
  kInitialGeoArea,
  kConfigData,
  kNodeAttributeCount,
};

// The type attributes, numbered as the topology library numbers them.
enum TypeAttribute : int {
  kTypeId = 0,
  kDerivedFrom,
  kAllDerivedFrom,
  kBaseOf,
  kMaxVisibleLevel,
  kMaxTopoLevel,
  kAllBaseOf,
  kLegalArcs,
  kAllLegalArcs,
  kLegalChildren,
  kAllLegalChildren,
  kDrawMethod,
  kDefaultLayer,
  kUserDataAttrs,
  kTypeAttributeCount,
};

class Identifiers {
 public:
  static const Identifiers& get();

  const Oid& node(NodeAttribute a) const { return node_[a]; }
  const Oid& type(TypeAttribute a) const { return type_[a]; }
  // The short name of a node or type attribute ("topoNodeName").
  const std::string& node_name(NodeAttribute a) const { return node_names_[a]; }
  const std::string& type_name(TypeAttribute a) const { return type_names_[a]; }
  // The node attribute an identifier names; kNodeAttributeCount when none.
  NodeAttribute node_attribute(const Oid& oid) const;
  TypeAttribute type_attribute(const Oid& oid) const;
  bool is_view_attribute(NodeAttribute a) const {
    return a >= kBackgroundImage && a < kNodeAttributeCount;
  }

  // Names relative to the server's system object.
  const dn::Rdns& node_db() const { return node_db_; }
  const dn::Rdns& view_db() const { return view_db_; }
  const dn::Rdns& type_db() const { return type_db_; }
  dn::Rdns node(long id) const;
  dn::Rdns view(long id) const;
  dn::Rdns view_node(long view, long id) const;
  dn::Rdns type(std::string_view id) const;

 private:
  Identifiers();

  std::array<Oid, kNodeAttributeCount> node_;
  std::array<Oid, kTypeAttributeCount> type_;
  std::array<std::string, kNodeAttributeCount> node_names_;
  std::array<std::string, kTypeAttributeCount> type_names_;
  dn::Rdns node_db_;
  dn::Rdns view_db_;
  dn::Rdns type_db_;
};

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_IDENTIFIERS_H_
