#include "campus.h"

#include <initializer_list>

#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/topo_node.h"

namespace {

using Node = VQTopoNode;

// What a node is made with; the positions are given per parent view.
struct Blueprint {
  std::string name;
  std::string type;
  Node::DnList parents;
  VQList<Node::LocationInParent> positions;
  std::string managed_object;
  std::string background;
  VQList<Node::DisplayStatus> statuses;
};

VQStatus add_node(const Blueprint& blueprint, VQTopoNodeDn& dn) {
  Node node;
  VQ_RETURN_IF_ERROR(node.set_name(blueprint.name));
  VQ_RETURN_IF_ERROR(node.set_type_name(blueprint.type));
  VQ_RETURN_IF_ERROR(node.set_parents(blueprint.parents));
  VQ_RETURN_IF_ERROR(node.set_logical_locations(blueprint.positions));
  if (!blueprint.managed_object.empty()) {
    VQ_RETURN_IF_ERROR(node.set_managed_objects({blueprint.managed_object}));
  }
  if (!blueprint.background.empty()) {
    VQ_RETURN_IF_ERROR(node.set_view_background_image_filename(blueprint.background));
  }
  if (!blueprint.statuses.is_empty()) {
    VQ_RETURN_IF_ERROR(node.set_display_statuses(blueprint.statuses));
  }
  VQ_RETURN_IF_ERROR(node.create_with_all_attributes());
  return node.get_dn(dn);
}

VQStatus link(const VQTopoNodeDn& a, const Node::DnList& others) {
  Node node(a);
  VQ_RETURN_IF_ERROR(node.set_links(others));
  VQIntegerSet links(Node::attribute_count);
  links.add(Node::links);
  return node.store_some_attributes(links);
}

}  // namespace

std::string campus_managed_object(const std::string& system, const std::string& device) {
  return "/systemId=name:\"" + system + "\"/subsystemId=\"" + device + "\"";
}

VQStatus build_campus(const std::string& system, Campus& c) {
  // Every database starts with its root view, node 1.
  c.root = VQTopoNodeDn(system, 1);
  VQ_RETURN_IF_ERROR(
      add_node({"Campus", "Network", {c.root}, {{c.root, {0, 0, 0}}}, "", "campus.png", {}},
               c.campus));
  VQ_RETURN_IF_ERROR(add_node({"North building",
                               "Container",
                               {c.campus},
                               {{c.campus, {120, 40, 0}}},
                               "",
                               "north-floor-plan.png",
                               {}},
                              c.north));
  VQ_RETURN_IF_ERROR(add_node({"South building",
                               "Container",
                               {c.campus},
                               {{c.campus, {120, 260, 0}}},
                               "",
                               "south-floor-plan.png",
                               {}},
                              c.south));
  VQ_RETURN_IF_ERROR(add_node({"core-router",
                               "Router",
                               {c.north, c.south},
                               {{c.north, {300, 20, 0}}, {c.south, {300, 20, 0}}},
                               campus_managed_object(system, "core-router"),
                               "",
                               {{"interfaces up", 4}}},
                              c.core_router));
  VQ_RETURN_IF_ERROR(add_node({"north-router",
                               "Router",
                               {c.north},
                               {{c.north, {150, 80, 0}}},
                               campus_managed_object(system, "north-router"),
                               "",
                               {{"interfaces up", 2}}},
                              c.north_router));
  VQ_RETURN_IF_ERROR(add_node({"north-switch",
                               "Bridge",
                               {c.north},
                               {{c.north, {150, 160, 0}}},
                               "",
                               "",
                               {{"ports up", 22}, {"ports down", 2}}},
                              c.north_switch));
  VQ_RETURN_IF_ERROR(add_node(
      {"south-switch", "Bridge", {c.south}, {{c.south, {150, 160, 0}}}, "", "", {{"ports up", 24}}},
      c.south_switch));
  VQ_RETURN_IF_ERROR(link(c.core_router, {c.north_router, c.south_switch}));
  VQ_RETURN_IF_ERROR(link(c.north_router, {c.core_router, c.north_switch}));
  VQ_RETURN_IF_ERROR(link(c.north_switch, {c.north_router}));
  return link(c.south_switch, {c.core_router});
}
