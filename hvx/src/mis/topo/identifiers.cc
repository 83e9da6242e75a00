#include "topo/identifiers.h"

#include "hvx/ber.h"
#include "schema.h"

namespace hvx::mis::topo {

namespace {

constexpr std::string_view kNodeAttributeNames[] = {
    "topoNodeId",
    "topoNodeName",
    "topoNodeType",
    "topoNodeMOSet",
    "topoNodeParents",
    "topoNodeChildren",
    "topoNodePeers",
    "topoNodePropagatePeers",
    "topoNodeManaged",
    "topoNodeIsManaged",
    "topoNodeState",
    "topoNodeSeverity",
    "topoNodePropagatedSeverity",
    "topoNodePropagateUp",
    "topoNodeDisplayStatus",
    "topoNodeGeoLocation",
    "topoNodeLayer",
    "topoNodeMonitor",
    "topoNodeUserData",
    "topoNodeArrayVisibleChildren",
    "topoNodeArrayOrientation",
    "topoNodeArrayNumColumns",
    "topoNodeArrayCellSize",
    "topoNodeBusPoints",
    "topoViewNodePosition",
    "topoViewBackgroundImage",
    "topoViewMapConfigFile",
    "topoViewMapInitialGeoArea",
    "topoViewConfigData",
};
static_assert(std::size(kNodeAttributeNames) == kNodeAttributeCount);

constexpr std::string_view kTypeAttributeNames[] = {
    "topoTypeId",
    "topoTypeDerivedFrom",
    "topoTypeAllDerivedFrom",
    "topoTypeBaseOf",
    "topoTypeMaxVisibleLevel",
    "topoTypeMaxTopoLevel",
    "topoTypeAllBaseOf",
    "topoTypeLegalArcs",
    "topoTypeAllLegalArcs",
    "topoTypeLegalChildren",
    "topoTypeAllLegalChildren",
    "topoTypeDrawMethod",
    "topoTypeDefaultLayer",
    "topoTypeUserDataAttrs",
};
static_assert(std::size(kTypeAttributeNames) == kTypeAttributeCount);

}  // namespace

const Identifiers& Identifiers::get() {
  static const Identifiers* const kIdentifiers = new Identifiers();
  return *kIdentifiers;
}

Identifiers::Identifiers() {
  const Schema& schema = Schema::get();
  for (int i = 0; i < kNodeAttributeCount; ++i) {
    node_names_[i] = std::string(kNodeAttributeNames[i]);
    node_[i] = schema.oid_of(kNodeAttributeNames[i]);
  }
  for (int i = 0; i < kTypeAttributeCount; ++i) {
    type_names_[i] = std::string(kTypeAttributeNames[i]);
    type_[i] = schema.oid_of(kTypeAttributeNames[i]);
  }
  node_db_ = {dn::rdn(schema.oid_of("topoNodeDBId"), ber::null_value())};
  view_db_ = {dn::rdn(schema.oid_of("topoViewDBId"), ber::null_value())};
  type_db_ = {dn::rdn(schema.oid_of("topoTypeDBId"), ber::null_value())};
}

NodeAttribute Identifiers::node_attribute(const Oid& oid) const {
  for (int i = 0; i < kNodeAttributeCount; ++i) {
    if (node_[i] == oid) return static_cast<NodeAttribute>(i);
  }
  return kNodeAttributeCount;
}

TypeAttribute Identifiers::type_attribute(const Oid& oid) const {
  for (int i = 0; i < kTypeAttributeCount; ++i) {
    if (type_[i] == oid) return static_cast<TypeAttribute>(i);
  }
  return kTypeAttributeCount;
}

dn::Rdns Identifiers::node(long id) const {
  dn::Rdns name = node_db_;
  name.push_back(dn::rdn(node_[kNodeId], ber::integer(id)));
  return name;
}

dn::Rdns Identifiers::view(long id) const {
  dn::Rdns name = view_db_;
  name.push_back(dn::rdn(node_[kNodeId], ber::integer(id)));
  return name;
}

dn::Rdns Identifiers::view_node(long view, long id) const {
  dn::Rdns name = this->view(view);
  name.push_back(dn::rdn(node_[kNodeId], ber::integer(id)));
  return name;
}

dn::Rdns Identifiers::type(std::string_view id) const {
  dn::Rdns name = type_db_;
  name.push_back(dn::rdn(type_[kTypeId], ber::octets(id, TAG_GRAPHSTR)));
  return name;
}

}  // namespace hvx::mis::topo
