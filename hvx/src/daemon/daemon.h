// Daemon: a management server as a process of its own. It serves the applications that
// connect over a socket, keeps its tree in an SQLite file, and reaches the servers linked
// under it over connections of their own. One thread runs everything, so requests are
// handled one after the other exactly as the embedded server handles them.
#ifndef HVX_SRC_DAEMON_DAEMON_H_
#define HVX_SRC_DAEMON_DAEMON_H_

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "client_connection.h"
#include "endpoint.h"
#include "hvx/status.h"
#include "server.h"

namespace hvx::daemon {

class SqliteStore;
class PeerLink;

struct DaemonOptions {
  std::string system;      // the local system's name
  std::string listen;      // "unix:/path" or "tcp:host:port"
  std::string group;       // a group that may use the Unix socket too
  std::string token_file;  // clients present its token (required off loopback)
  std::string database;    // the SQLite file; "" keeps the tree in memory only
  bool full_sync = false;  // every commit reaches the disk before the reply
  // Servers linked under this one: their system name and address.
  std::vector<std::pair<std::string, std::string>> links;
  std::size_t output_limit = 64u << 20;  // bytes waiting for one client before it is dropped
  std::size_t max_connections = 1000;    // more wait in the listen queue
  double greeting_seconds = 10;          // a connection that has not said hello by then goes
};

class Daemon {
 public:
  explicit Daemon(DaemonOptions options);
  ~Daemon();
  Daemon(const Daemon&) = delete;
  Daemon& operator=(const Daemon&) = delete;

  // Loads the tree, listens, and links the servers named; nothing is served yet.
  Status start();
  // Serves until `stop` is set (checked at least every 200 ms). Fails only when the tree
  // can no longer be kept.
  Status run(const std::atomic<bool>& stop);
  // The address clients reach (a TCP port asked for as 0 filled in).
  std::string address() const { return endpoint_.text(); }
  mis::Server& server() { return *server_; }

 private:
  void accept_clients();
  void serve(ClientConnection& connection);
  void greet(ClientConnection& connection, const std::string& hello);
  Status handle_request(ClientConnection& connection, const std::string& payload);
  void reply_to(long connection, Message&& reply);
  // The server's own operations: "raise-alarm\n<system>\n<managed object>\n<severity>"
  // and "clear-alarm\n<system>\n<id>"; the answer "ok <result>" or "error <why>".
  std::string run_control(const std::string& command);
  Status commit(net::FrameKind kind, const std::string& payload);
  void drop(ClientConnection& connection);
  void drop_silent_greeters();
  // The client has gone: ordinary, unless it left halfway through a frame.
  void depart(ClientConnection& connection);
  void install_link_objects(const std::string& remote);
  Asn1Value fdn_table() const;

  DaemonOptions options_;
  net::Endpoint endpoint_;
  net::Socket listener_;
  std::string token_;
  bool token_required_ = false;
  std::unique_ptr<mis::Server> server_;
  std::unique_ptr<SqliteStore> store_;
  std::map<long, std::unique_ptr<ClientConnection>> connections_;
  std::vector<std::unique_ptr<PeerLink>> peers_;
  long next_connection_ = 1;
  Status failure_;
};

}  // namespace hvx::daemon

#endif  // HVX_SRC_DAEMON_DAEMON_H_
