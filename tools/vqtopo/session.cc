#include "session.h"

#include <algorithm>
#include <cctype>

#include "campus/campus.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/platform.h"

namespace {

bool all_digits(const std::string& text) {
  return !text.empty() && text.size() < 10 &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

Outcome check_exists(const VQTopoNodeDn& dn, const std::string& text) {
  if (VQTopoNode(dn).exists()) return {};
  return Outcome::not_found("no node " + text);
}

}  // namespace

Outcome Session::open(bool demo, bool empty, std::unique_ptr<Session>& session) {
  std::shared_ptr<hvx::World> world;
  if (demo) {
    world = hvx::World::create(demo_system);
    hvx::Platform::default_platform() = world->connect();
  }
  // The view graph is kept so that views and their children are answered without asking.
  hvx::Platform& platform = hvx::Platform::default_platform();
  const std::string address = hvx::Platform::server_from_environment();
  if (!demo && !address.empty()) {
    // Connected here rather than on first use, so that a server that cannot be reached is
    // told apart from one that answers "no such node".
    platform = hvx::Platform::connect_to_server(address);
    if (platform.has_error()) {
      return Outcome::server("cannot reach the management server at " + address);
    }
  }
  if (!VQTopoPlatform::initialize(platform, true)) {
    return Outcome::server("cannot reach the management server");
  }
  const std::string system = VQTopoPlatform::instance()->local_system_name();
  if (demo && !empty) {
    Campus campus;
    VT_RETURN_IF_ERROR(build_campus(system, campus), "building the sample campus");
  }
  // The campus's own creation events bring the kept view graph up to date; a watch that
  // starts later should not see them either.
  platform.dispatch_recursive(false);
  session.reset(new Session(std::move(world), system));
  return {};
}

Outcome Session::resolve(const std::string& text, VQTopoNodeDn& dn) const {
  if (all_digits(text)) {
    dn = VQTopoNodeDn(system_, std::stol(text));
    return check_exists(dn, text);
  }
  const std::size_t colon = text.rfind(':');
  if (colon != std::string::npos && colon > 0 && all_digits(text.substr(colon + 1))) {
    dn = VQTopoNodeDn(text.substr(0, colon), std::stol(text.substr(colon + 1)));
    return check_exists(dn, text);
  }
  VQList<VQTopoNodeDn> found;
  VT_RETURN_IF_ERROR(VQTopoPlatform::instance()->find_nodes_by_name(text, found, {}),
                     "looking up " + text);
  if (found.is_empty()) return Outcome::not_found("no node named \"" + text + "\"");
  if (found.entries() > 1) {
    std::string ids;
    for (const VQTopoNodeDn& each : found) ids += " " + std::to_string(each.unique_id());
    return Outcome::usage("\"" + text + "\" names " + std::to_string(found.entries()) +
                          " nodes; give one of their ids:" + ids);
  }
  dn = found.first();
  return {};
}
