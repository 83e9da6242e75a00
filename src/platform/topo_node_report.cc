#include "dedavuz_api/topo_node_report.h"

#include <ostream>

std::ostream& operator<<(std::ostream& os, const VQTopoNodeReport& report) {
  os << report.id() << ' ' << report.name() << ' ' << report.type_name() << '\n';
  report.children().print(os, "children");
  report.view_children().print(os, "view_children");
  return os;
}
