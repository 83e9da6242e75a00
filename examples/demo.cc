// A first look at the library's core values: statuses, attribute selections and lists.
#include <iostream>
#include <string>

#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/mit_names.h"

namespace {

VQStatus find_label(const VQList<std::string>& labels, const std::string& label) {
  if (!labels.contains(label)) return VQStatus(VQStatus::Code::key_not_found, label);
  return VQStatus::success;
}

}  // namespace

int main() {
  VQList<std::string> labels{"up", "down", "testing"};
  labels.print(std::cout, "display statuses: ");

  std::cout << "look up \"down\": " << find_label(labels, "down");
  std::cout << "look up \"lost\": " << find_label(labels, "lost");

  VQIntegerSet selection(36);
  for (long attribute : {1, 3, 8}) selection.add(attribute);
  std::cout << "create needs " << selection << ", the rest of the node is " << !selection
            << " (" << (!selection).num_members() << " attributes)\n";

  std::cout << "node database of \"campus\": ";
  std::cout << VQ_DN_TOPO_NODE_DB_PART1 << "campus" << VQ_DN_TOPO_NODE_DB_PART2 << '\n';
  return 0;
}
