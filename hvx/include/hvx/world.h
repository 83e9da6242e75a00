// World: the management servers of this process: one local server, which platforms connect
// to, and any number of remote ones, each with its own system name, reached through the
// servers they are linked under.
#ifndef HVX_WORLD_H_
#define HVX_WORLD_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hvx/platform.h"

namespace hvx {

class Asn1Value;

namespace mis {
class Server;
}

class World : public std::enable_shared_from_this<World> {
 public:
  // A world whose local server is named `local_system`.
  static std::shared_ptr<World> create(const std::string& local_system);
  // The process's world, behind the default platform: one local server named by
  // VQ_LOGICAL_HOST, or the host name when that is not set. Made on first use.
  static World& default_world();
  // The name default_world() gives its local server.
  static std::string default_system_name();

  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  const std::string& local_name() const { return local_name_; }

  // A new platform connection to the local server (its own application number).
  Platform connect();

  // Adds a remote server; false when the name is taken or empty.
  bool add_server(const std::string& system);
  // How a parent's FDN table names a system linked under it: by the system object
  // (/systemId=name:"B"), or by the system's agent table below its server-table entry
  // (/serverTableType="mis"/misId="B"/agentTableType="CMIP").
  enum class FdnForm { system_id, mis_id };

  // Links `remote` under `parent`: `parent` then routes
  // serverTableType="mis"/misId="<remote>" to it, holds the entry of its server table, the
  // CMIP agent entity of the link (managing /systemId=name:"<remote>") and lists it in its
  // FDN table in `form`; `remote`'s notifications come up through `parent`. Links may form
  // cycles (two servers listing each other, a ring, two routes to one server). False when
  // either is unknown, they are the same, or `remote` is linked under `parent` already.
  bool link(const std::string& parent, const std::string& remote,
            FdnForm form = FdnForm::system_id);
  // Disconnects or reconnects every link to `remote` (the server as a whole), or the one
  // link under `parent`. Each parent whose link changes emits the connection-state
  // notification (and the change of the entry's currentState). Requests routed over a
  // disconnected link fail with notConnected, and notifications going up it are lost.
  // False when no such link exists.
  bool set_connected(const std::string& remote, bool connected);
  bool set_link_connected(const std::string& parent, const std::string& remote, bool connected);

  // Alarms on managed objects of `system` (a distinguished name in slash form, as the
  // system's nodes list their managed objects): each node takes as its severity the worst
  // alarm on any of its managed objects, and propagates it up the graph. Severities are
  // X.733's: 1 critical, 2 major, 3 minor, 4 warning, 0 indeterminate. Gives the alarm's
  // id, or 0 when the system, the name or the severity is refused.
  long raise_alarm(const std::string& system, const std::string& managed_object, int severity);
  bool clear_alarm(const std::string& system, long alarm);

  // Clears every server back to a fresh tree and removes the remote servers; platforms stay
  // connected.
  void reset();

  // The server of a system, for server-side behaviour and tests; nullptr when unknown.
  mis::Server* server(std::string_view system) const;
  std::vector<std::string> systems() const;
  // The servers linked directly under `system`, in link order.
  std::vector<std::string> linked_under(std::string_view system) const;

  // 127.0.0.n for the n-th system of the world, in network byte order.
  bool address_of(std::string_view system, std::uint32_t& address) const;

 private:
  explicit World(std::string local_name);
  mis::Server& add(const std::string& system);
  struct Link {
    std::string parent;
    std::string remote;
    FdnForm form;
  };
  void install_links(const std::string& parent, const std::string& remote);
  void change_link(const Link& link, bool connected);
  Asn1Value fdn_table(const std::string& system) const;

  std::string local_name_;
  std::vector<std::unique_ptr<mis::Server>> servers_;  // the local one first
  std::vector<Link> links_;                            // in link order
};

}  // namespace hvx

#endif  // HVX_WORLD_H_
