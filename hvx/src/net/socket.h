// Socket: one owned file descriptor, closed when the owner goes; moves, never copies.
#ifndef HVX_SRC_NET_SOCKET_H_
#define HVX_SRC_NET_SOCKET_H_

#include <unistd.h>

#include <utility>

namespace hvx::net {

class Socket {
 public:
  Socket() = default;
  explicit Socket(int fd) : fd_(fd) {}
  Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Socket& operator=(Socket&& other) noexcept {
    if (this != &other) reset(std::exchange(other.fd_, -1));
    return *this;
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  ~Socket() { reset(); }

  int fd() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_ = -1;
};

}  // namespace hvx::net

#endif  // HVX_SRC_NET_SOCKET_H_
