#include "node_info.h"

#include <sstream>
#include <type_traits>

#include "severity.h"

namespace {

template <typename T>
std::vector<T> to_vector(const VQList<T>& list) {
  return std::vector<T>(list.begin(), list.end());
}

}  // namespace

Outcome NodeInfo::read(const VQTopoNodeDn& dn, NodeInfo& info) {
  using Node = VQTopoNode;
  VQIntegerSet wanted(Node::attribute_count);
  for (const int attribute :
       {Node::name, Node::type_name, Node::parents, Node::children, Node::links, Node::severity,
        Node::propagated_severity, Node::display_statuses, Node::logical_locations,
        Node::managed_objects, Node::view_background_image_filename,
        Node::view_map_config_filename}) {
    wanted.add(attribute);
  }
  Node node(dn);
  const std::string what = "reading node " + dn_text(dn);
  VT_RETURN_IF_ERROR(node.load_some_attributes(wanted), what);
  info = NodeInfo{};
  info.dn = dn;
  // Each list attribute read into its vector.
  const auto list = [&](auto getter, auto& out) -> Outcome {
    VQList<typename std::decay_t<decltype(out)>::value_type> values;
    VT_RETURN_IF_ERROR((node.*getter)(values), what);
    out = to_vector(values);
    return {};
  };
  VT_RETURN_IF_ERROR(node.get_name(info.name), what);
  VT_RETURN_IF_ERROR(node.get_type_name(info.type), what);
  VT_RETURN_IF_FAILED(list(&Node::get_parents, info.parents));
  VT_RETURN_IF_FAILED(list(&Node::get_children, info.children));
  VT_RETURN_IF_FAILED(list(&Node::get_links, info.links));
  VT_RETURN_IF_FAILED(list(&Node::get_logical_locations, info.positions));
  VT_RETURN_IF_FAILED(list(&Node::get_managed_objects, info.managed_objects));
  VT_RETURN_IF_FAILED(list(&Node::get_display_statuses, info.statuses));
  VT_RETURN_IF_ERROR(node.get_view_background_image_filename(info.background), what);
  VT_RETURN_IF_ERROR(node.get_view_map_config_filename(info.map_config), what);
  VT_RETURN_IF_ERROR(node.get_severity(info.severity), what);
  VT_RETURN_IF_ERROR(node.get_propagated_severity(info.propagated), what);
  return {};
}

NodeInfo::Severity NodeInfo::shown_severity() const {
  return severity::worst(severity, propagated);
}

bool NodeInfo::position_in(const VQTopoNodeDn& parent, VQTopoNode::Location& location) const {
  for (const VQTopoNode::LocationInParent& position : positions) {
    if (position.parent == parent) {
      location = position.location;
      return true;
    }
  }
  return false;
}

std::string dn_text(const VQTopoNodeDn& dn) {
  std::ostringstream text;
  text << dn;
  return text.str();
}

Outcome read_name(const VQTopoNodeDn& dn, std::string& name) {
  VQIntegerSet wanted(VQTopoNode::attribute_count);
  wanted.add(VQTopoNode::name);
  VQTopoNode node(dn);
  const std::string what = "reading node " + dn_text(dn);
  VT_RETURN_IF_ERROR(node.load_some_attributes(wanted), what);
  VT_RETURN_IF_ERROR(node.get_name(name), what);
  return {};
}
