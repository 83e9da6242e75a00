#include "client_connection.h"

#include <sys/socket.h>

#include <cerrno>

namespace hvx::daemon {

bool ClientConnection::read() {
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::recv(socket_.fd(), buffer, sizeof buffer, MSG_DONTWAIT);
    if (n > 0) {
      decoder_.feed(buffer, static_cast<std::size_t>(n));
      // Never more than one frame's worth waits undecoded: the decoder refuses a longer
      // claim as soon as it reads the length.
      if (static_cast<std::size_t>(n) < sizeof buffer) return true;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    return false;
  }
}

void ClientConnection::send(net::FrameKind kind, std::string_view payload) {
  if (state_ == State::closing) return;
  net::append_frame(out_, kind, payload);
  if (out_.size() - written_ > output_limit_) {
    close("it reads too slowly (" + std::to_string(out_.size() - written_) + " bytes waiting)",
          true);
  }
}

bool ClientConnection::flush() {
  while (written_ < out_.size()) {
    const ssize_t n = ::send(socket_.fd(), out_.data() + written_, out_.size() - written_,
                             MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n > 0) {
      written_ += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    return false;
  }
  if (written_ == out_.size()) {
    out_.clear();
    written_ = 0;
  } else if (written_ > (1u << 20)) {
    out_.erase(0, written_);
    written_ = 0;
  }
  return true;
}

void ClientConnection::close(std::string why, bool now) {
  if (state_ == State::closing) return;
  state_ = State::closing;
  why_ = std::move(why);
  if (now) {
    out_.clear();
    written_ = 0;
  }
}

}  // namespace hvx::daemon
