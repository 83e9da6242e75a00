// Endpoint: where a server listens and clients connect, written "unix:/path" or
// "tcp:host:port" (a numeric IPv4 host), with the calls that listen on and connect to one.
#ifndef HVX_SRC_NET_ENDPOINT_H_
#define HVX_SRC_NET_ENDPOINT_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "hvx/status.h"
#include "socket.h"

namespace hvx::net {

struct Endpoint {
  enum class Kind { unix_path, tcp };
  Kind kind = Kind::unix_path;
  std::string path;  // unix
  std::string host;  // tcp, dotted IPv4
  std::uint16_t port = 0;

  static Status parse(std::string_view text, Endpoint& out);
  std::string text() const;
  // Only this machine can reach it: a Unix socket, or TCP on 127.0.0.0/8.
  bool local_only() const;
};

struct ListenOptions {
  // The Unix socket is the owner's only, or also this group's when one is named.
  std::string group;
};

// A listening, non-blocking socket. A Unix socket goes in a directory that only this user
// may write (made when missing); a stale socket file left by a dead server is replaced.
Status listen_on(const Endpoint& endpoint, const ListenOptions& options, Socket& out);
// A connected, blocking socket.
Status connect_to(const Endpoint& endpoint, Socket& out);
// The port a TCP socket is bound to (a server asked for port 0 learns its own).
std::uint16_t bound_port(const Socket& socket);
Status set_nonblocking(int fd);

}  // namespace hvx::net

#endif  // HVX_SRC_NET_ENDPOINT_H_
