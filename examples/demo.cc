// A campus network built through the library on an embedded management server: views for
// the campus and its buildings, routers and switches placed in them and linked together.
// The topology is read back and printed as a tree; then an alarm on one router shows its
// severity and how it reaches the views above it.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "campus/campus.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_dn.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/platform.h"
#include "hvx/world.h"

namespace {

using Node = VQTopoNode;

// Ends the demo when a step fails: a demo that goes on after a failure shows nothing true.
void check(const VQStatus& status, const std::string& what) {
  if (status) return;
  std::cerr << "demo: " << what << " failed: " << status;
  std::exit(1);
}

VQIntegerSet selection(std::initializer_list<int> attributes) {
  VQIntegerSet set(Node::attribute_count);
  for (const int attribute : attributes) set.add(attribute);
  return set;
}

// Reads back what the tree shows of a node.
Node read_node(const VQTopoNodeDn& dn) {
  Node node(dn);
  check(node.load_some_attributes(
            selection({Node::name, Node::type_name, Node::children, Node::links,
                       Node::display_statuses, Node::logical_locations, Node::parents})),
        "loading");
  return node;
}

std::string name_of(const VQTopoNodeDn& dn) {
  std::string name;
  check(read_node(dn).get_name(name), "reading a name");
  return name;
}

// One line per node, indented by depth: its name and type, where it sits in the view above
// it, what it links to and its display statuses; a view also names its background.
void print_tree(const VQTopoNodeDn& dn, const VQTopoNodeDn* parent, int depth) {
  const Node node = read_node(dn);
  std::string name;
  std::string type;
  check(node.get_name(name), "reading a name");
  check(node.get_type_name(type), "reading a type");
  std::cout << std::string(2 * depth, ' ') << name << " [" << type << "]";
  Node::Location at;
  if (parent != nullptr && node.get_logical_location(*parent, at)) {
    std::cout << " at (" << at.x << ", " << at.y << ")";
  }
  Node view(dn);
  std::string background;
  if (view.load_some_attributes(selection({Node::view_background_image_filename})) &&
      view.get_view_background_image_filename(background) && !background.empty()) {
    std::cout << "; background " << background;
  }
  Node::DnList links;
  check(node.get_links(links), "reading links");
  if (!links.is_empty()) {
    std::cout << "; links to";
    const char* comma = " ";
    for (const VQTopoNodeDn& other : links) {
      std::cout << comma << name_of(other);
      comma = ", ";
    }
  }
  VQList<Node::DisplayStatus> statuses;
  check(node.get_display_statuses(statuses), "reading statuses");
  const char* separator = "; ";
  for (const Node::DisplayStatus& status : statuses) {
    std::cout << separator << status.label << ": " << status.value;
    separator = ", ";
  }
  std::cout << '\n';
  Node::DnList children;
  check(node.get_children(children), "reading children");
  for (const VQTopoNodeDn& child : children) print_tree(child, &dn, depth + 1);
}

void print_severities(const VQTopoNodeDn& dn, int depth) {
  Node node(dn);
  check(node.load_some_attributes(
            selection({Node::name, Node::parents, Node::severity, Node::propagated_severity})),
        "loading severities");
  std::string name;
  Node::Severity own = Node::cleared;
  Node::Severity propagated = Node::cleared;
  Node::DnList parents;
  check(node.get_name(name), "reading a name");
  check(node.get_severity(own), "reading a severity");
  check(node.get_propagated_severity(propagated), "reading a severity");
  check(node.get_parents(parents), "reading parents");
  std::cout << std::string(2 * depth, ' ') << name << ": severity " << own << ", propagated "
            << propagated << '\n';
  for (const VQTopoNodeDn& parent : parents) print_severities(parent, depth + 1);
}

}  // namespace

int main() {
  // The embedded server and the library's platform object over a connection to it.
  const std::shared_ptr<hvx::World> world = hvx::World::create("campus-mis");
  hvx::Platform::default_platform() = world->connect();
  // With the view graph kept, path names are answered without asking the server.
  if (!VQTopoPlatform::initialize(hvx::Platform::default_platform(), true)) {
    std::cerr << "demo: the platform object could not be made\n";
    return 1;
  }
  const std::string system = VQTopoPlatform::instance()->local_system_name();
  std::cout << "Management server \"" << system << "\"\n\n";

  Campus c;
  check(build_campus(system, c), "building the campus");
  const VQTopoNodeDn& root = c.root;
  const VQTopoNodeDn& core = c.core_router;
  const VQTopoNodeDn& north_router = c.north_router;
  const std::string north_router_mo = campus_managed_object(system, "north-router");

  std::cout << "Topology, as read back from the server:\n";
  print_tree(root, nullptr, 1);

  hvx::Platform::default_platform().dispatch_recursive(false);
  Node located(core);
  VQList<std::string> paths;
  if (located.load_some_attributes(selection({Node::topology_pathnames})) &&
      located.get_topology_pathnames(paths)) {
    std::cout << "\ncore-router sits in two buildings, so it has two path names:\n";
    for (const std::string& path : paths) std::cout << "  " << path << "\n";
  }

  std::cout << "\nA critical alarm on north-router's managed object:\n";
  if (world->raise_alarm(system, north_router_mo, Node::critical) == 0) {
    std::cerr << "demo: the alarm was refused\n";
    return 1;
  }
  print_severities(north_router, 1);
  return 0;
}
