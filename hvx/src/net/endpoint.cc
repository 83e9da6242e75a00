#include "endpoint.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cerrno>
#include <cstring>

namespace hvx::net {

namespace {

Status os_failure(const std::string& what) {
  return Status::NotConnected(what + ": " + std::strerror(errno));
}

bool unix_address(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

sockaddr_in tcp_address(const Endpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(endpoint.port);
  inet_pton(AF_INET, endpoint.host.c_str(), &address.sin_addr);
  return address;
}

// The directory of the socket must be this user's and writable by nobody else: whoever
// can write there could put their own socket in the server's place.
Status private_directory(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash);
  if (directory.empty()) return Status::AccessDenied("a socket needs its own directory, not /");
  struct stat info {};
  if (stat(directory.c_str(), &info) != 0) {
    if (errno != ENOENT || mkdir(directory.c_str(), 0700) != 0) {
      return os_failure("socket directory " + directory);
    }
    if (stat(directory.c_str(), &info) != 0) return os_failure("socket directory " + directory);
  }
  if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid() || (info.st_mode & 022) != 0) {
    return Status::AccessDenied("socket directory " + directory +
                                " must be this user's and writable by no one else");
  }
  return Status::OK();
}

Status listen_unix(const Endpoint& endpoint, const ListenOptions& options, Socket& out) {
  sockaddr_un address{};
  if (!unix_address(endpoint.path, address)) {
    return Status::InvalidArgument("socket path too long: " + endpoint.path);
  }
  Status status = private_directory(endpoint.path);
  if (!status.ok()) return status;
  struct stat info {};
  if (lstat(endpoint.path.c_str(), &info) == 0) {
    if (!S_ISSOCK(info.st_mode)) {
      return Status::InvalidArgument(endpoint.path + " exists and is not a socket");
    }
    Socket probe(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (::connect(probe.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      return Status::InvalidArgument("a server already listens on " + endpoint.path);
    }
    unlink(endpoint.path.c_str());
  }
  Socket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!socket.valid()) return os_failure("socket");
  // Made owner-only from the start: no moment when others could connect.
  const mode_t previous = umask(0177);
  const int bound =
      ::bind(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
  umask(previous);
  if (bound != 0) return os_failure("bind " + endpoint.path);
  if (!options.group.empty()) {
    const group* entry = getgrnam(options.group.c_str());
    if (entry == nullptr) return Status::InvalidArgument("no group " + options.group);
    if (chown(endpoint.path.c_str(), static_cast<uid_t>(-1), entry->gr_gid) != 0 ||
        chmod(endpoint.path.c_str(), 0660) != 0) {
      return os_failure("giving " + endpoint.path + " to group " + options.group);
    }
  }
  if (::listen(socket.fd(), 128) != 0) return os_failure("listen " + endpoint.path);
  out = std::move(socket);
  return Status::OK();
}

Status listen_tcp(const Endpoint& endpoint, Socket& out) {
  Socket socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!socket.valid()) return os_failure("socket");
  const int on = 1;
  setsockopt(socket.fd(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  const sockaddr_in address = tcp_address(endpoint);
  if (::bind(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    return os_failure("bind " + endpoint.text());
  }
  if (::listen(socket.fd(), 128) != 0) return os_failure("listen " + endpoint.text());
  out = std::move(socket);
  return Status::OK();
}

}  // namespace

Status Endpoint::parse(std::string_view text, Endpoint& out) {
  Endpoint endpoint;
  if (text.starts_with("unix:")) {
    endpoint.kind = Kind::unix_path;
    endpoint.path = std::string(text.substr(5));
    sockaddr_un address{};
    if (!unix_address(endpoint.path, address)) {
      return Status::InvalidArgument("bad socket path in " + std::string(text));
    }
  } else if (text.starts_with("tcp:")) {
    endpoint.kind = Kind::tcp;
    const std::string_view rest = text.substr(4);
    const std::size_t colon = rest.rfind(':');
    in_addr probe{};
    if (colon == std::string_view::npos) {
      return Status::InvalidArgument("no port in " + std::string(text));
    }
    endpoint.host = std::string(rest.substr(0, colon));
    const std::string_view port = rest.substr(colon + 1);
    unsigned long number = 0;
    for (const char c : port) {
      if (c < '0' || c > '9' || number > 65535) break;
      number = number * 10 + static_cast<unsigned long>(c - '0');
    }
    if (port.empty() || port.size() > 5 || number > 65535 ||
        port.find_first_not_of("0123456789") != std::string_view::npos ||
        inet_pton(AF_INET, endpoint.host.c_str(), &probe) != 1) {
      return Status::InvalidArgument("expected tcp:<IPv4 address>:<port>, not " +
                                     std::string(text));
    }
    endpoint.port = static_cast<std::uint16_t>(number);
  } else {
    return Status::InvalidArgument("expected unix:<path> or tcp:<host>:<port>, not " +
                                   std::string(text));
  }
  out = std::move(endpoint);
  return Status::OK();
}

std::string Endpoint::text() const {
  if (kind == Kind::unix_path) return "unix:" + path;
  return "tcp:" + host + ":" + std::to_string(port);
}

bool Endpoint::local_only() const { return kind == Kind::unix_path || host.starts_with("127."); }

Status listen_on(const Endpoint& endpoint, const ListenOptions& options, Socket& out) {
  return endpoint.kind == Endpoint::Kind::unix_path ? listen_unix(endpoint, options, out)
                                                    : listen_tcp(endpoint, out);
}

Status connect_to(const Endpoint& endpoint, Socket& out) {
  Socket socket;
  int result = -1;
  if (endpoint.kind == Endpoint::Kind::unix_path) {
    sockaddr_un address{};
    if (!unix_address(endpoint.path, address)) {
      return Status::InvalidArgument("bad socket path " + endpoint.path);
    }
    socket.reset(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.valid()) return os_failure("socket");
    result = ::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } else {
    socket.reset(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.valid()) return os_failure("socket");
    const int on = 1;
    setsockopt(socket.fd(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    const sockaddr_in address = tcp_address(endpoint);
    result = ::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
  }
  if (result != 0) return os_failure("connecting to " + endpoint.text());
  out = std::move(socket);
  return Status::OK();
}

std::uint16_t bound_port(const Socket& socket) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (getsockname(socket.fd(), reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

Status set_nonblocking(int fd) {
  const int flags = fcntl(fd, F_GETFL, 0);
  if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) return os_failure("fcntl");
  return Status::OK();
}

}  // namespace hvx::net
