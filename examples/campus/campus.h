// The sample campus: a campus view with two buildings, routers and switches placed in them
// and linked together, built through the library on whatever server the platform reaches.
// The demo and the vqtopo tool both show it.
#ifndef DEDAVUZ_EXAMPLES_CAMPUS_H_
#define DEDAVUZ_EXAMPLES_CAMPUS_H_

#include <string>

#include "dedavuz_api/error.h"
#include "dedavuz_api/topo_node_dn.h"

struct Campus {
  VQTopoNodeDn root;
  VQTopoNodeDn campus;
  VQTopoNodeDn north;
  VQTopoNodeDn south;
  VQTopoNodeDn core_router;
  VQTopoNodeDn north_router;
  VQTopoNodeDn north_switch;
  VQTopoNodeDn south_switch;
};

// The managed object behind a campus device of `system` (core-router, north-router).
std::string campus_managed_object(const std::string& system, const std::string& device);

// Builds the campus under the root view (node 1) of `system`; the platform object must be
// initialized. Stops at the first step that fails and returns its status.
[[nodiscard]] VQStatus build_campus(const std::string& system, Campus& campus);

#endif  // DEDAVUZ_EXAMPLES_CAMPUS_H_
