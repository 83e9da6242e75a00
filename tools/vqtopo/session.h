// Session: vqtopo's connection to a management server and the library's platform object
// over it, with the lookups every command needs to turn what the user typed into nodes.
#ifndef VQTOPO_SESSION_H_
#define VQTOPO_SESSION_H_

#include <memory>
#include <string>

#include "dedavuz_api/topo_node_dn.h"
#include "hvx/world.h"
#include "outcome.h"

class Session {
 public:
  // The system name of the embedded demo server.
  static constexpr const char* demo_system = "campus-mis";

  // With `demo`, a new embedded server loaded with the sample campus (`empty` leaves it
  // bare, as import wants); otherwise the platform's normal connection. There is one
  // platform object per process, so one session.
  static Outcome open(bool demo, bool empty, std::unique_ptr<Session>& session);

  const std::string& system() const { return system_; }
  // The embedded server, for raising alarms; nullptr unless the session is a demo.
  hvx::World* world() const { return world_.get(); }

  // A node as a user names it: "12" (an id on the local system), "system:12", or a node
  // name that must name exactly one node.
  Outcome resolve(const std::string& text, VQTopoNodeDn& dn) const;
  // The root view of the local system.
  VQTopoNodeDn root() const { return VQTopoNodeDn(system_, 1); }

 private:
  Session(std::shared_ptr<hvx::World> world, std::string system)
      : world_(std::move(world)), system_(std::move(system)) {}

  std::shared_ptr<hvx::World> world_;
  std::string system_;
};

#endif  // VQTOPO_SESSION_H_
