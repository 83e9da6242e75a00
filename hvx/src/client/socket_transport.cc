#include "socket_transport.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>

#include "endpoint.h"

namespace hvx {

namespace {

double steady_seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool send_all(int fd, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

// Reads one frame, blocking; the handshake is the only time the client waits for a
// particular frame.
Status read_frame(int fd, net::FrameDecoder& decoder, net::Frame& frame) {
  char buffer[4096];
  for (;;) {
    std::string error;
    const auto result = decoder.next(frame, error);
    if (result == net::FrameDecoder::Result::frame) return Status::OK();
    if (result == net::FrameDecoder::Result::bad) return Status::ProtocolError(error);
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Status::NotConnected("no answer from the server");
    if (n == 0) return Status::NotConnected("the server closed the connection");
    decoder.feed(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace

std::string SocketTransport::token_from_environment() {
  const char* file = std::getenv("HVX_TOKEN_FILE");
  if (file == nullptr || *file == '\0') return "";
  std::ifstream in(file);
  std::string token((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  while (!token.empty() && (token.back() == '\n' || token.back() == '\r')) token.pop_back();
  return token;
}

Status SocketTransport::open(const std::string& address, const std::string& role,
                             const std::string& token, std::unique_ptr<SocketTransport>& out) {
  net::Endpoint endpoint;
  Status status = net::Endpoint::parse(address, endpoint);
  if (!status.ok()) return status;
  std::unique_ptr<SocketTransport> transport(new SocketTransport());
  status = net::connect_to(endpoint, transport->socket_);
  if (!status.ok()) return status;
  const int fd = transport->socket_.fd();
  // Something that is no server may never answer the greeting.
  timeval patience{10, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
  if (!send_all(fd, net::encode_frame(net::FrameKind::hello, role + "\n" + token))) {
    return Status::NotConnected("cannot write to " + address);
  }
  net::Frame frame;
  status = read_frame(fd, transport->decoder_, frame);
  if (!status.ok()) return status;
  if (frame.kind == net::FrameKind::refused) {
    return Status::AccessDenied(address + " refused the connection: " + frame.payload);
  }
  const std::size_t newline = frame.payload.find('\n');
  if (frame.kind != net::FrameKind::welcome || newline == std::string::npos) {
    return Status::ProtocolError(address + " did not answer as a server");
  }
  transport->application_ = std::atoi(frame.payload.substr(0, newline).c_str());
  transport->system_name_ = frame.payload.substr(newline + 1);
  out = std::move(transport);
  return Status::OK();
}

std::unique_ptr<SocketTransport> SocketTransport::unreachable(const std::string& why) {
  std::unique_ptr<SocketTransport> transport(new SocketTransport());
  transport->failure_ = why;
  std::cerr << "hvx: " << why << "\n";
  return transport;
}

Status SocketTransport::control(const std::string& command, std::string& answer) {
  answered_ = false;
  out_.clear();
  net::append_frame(out_, net::FrameKind::control, command);
  if (!socket_.valid() || !send_all(socket_.fd(), out_)) {
    return Status::NotConnected(failure_.empty() ? "the server closed the connection" : failure_);
  }
  const double deadline = now() + 10;
  while (!answered_ && socket_.valid() && now() < deadline) read_and_deliver(1000);
  if (!answered_) return Status::NotConnected("the server did not answer " + command);
  if (!control_answer_.starts_with("ok")) return Status::ProcessingFailure(control_answer_);
  answer = control_answer_.size() > 3 ? control_answer_.substr(3) : "";
  return Status::OK();
}

long SocketTransport::raise_alarm(const std::string& address, const std::string& system,
                                  const std::string& managed_object, int severity) {
  std::unique_ptr<SocketTransport> transport;
  std::string answer;
  if (!open(address, "client", token_from_environment(), transport).ok() ||
      !transport
           ->control(
               "raise-alarm\n" + system + "\n" + managed_object + "\n" + std::to_string(severity),
               answer)
           .ok()) {
    return 0;
  }
  return std::atol(answer.c_str());
}

bool SocketTransport::clear_alarm(const std::string& address, const std::string& system,
                                  long alarm) {
  std::unique_ptr<SocketTransport> transport;
  std::string answer;
  return open(address, "client", token_from_environment(), transport).ok() &&
         transport->control("clear-alarm\n" + system + "\n" + std::to_string(alarm), answer).ok();
}

int SocketTransport::attach(TransportSink* sink) {
  sink_ = sink;
  return application_;
}

void SocketTransport::submit(const DataUnit& request) {
  if (!socket_.valid()) return;
  out_.clear();
  net::append_frame(out_, net::FrameKind::message, request.view());
  if (!send_all(socket_.fd(), out_)) lose("the server closed the connection");
}

double SocketTransport::now() const { return steady_seconds() + skipped_; }

void SocketTransport::lose(const std::string& why) {
  if (!socket_.valid()) return;
  failure_ = why;
  socket_.reset();
  std::cerr << "hvx: connection to server " << system_name_ << " lost: " << why << "\n";
}

bool SocketTransport::deliver_buffered() {
  bool delivered = false;
  net::Frame frame;
  std::string error;
  for (;;) {
    const auto result = decoder_.next(frame, error);
    if (result == net::FrameDecoder::Result::need_more) break;
    if (result == net::FrameDecoder::Result::bad) {
      lose(error);
      break;
    }
    if (frame.kind == net::FrameKind::control) {
      control_answer_ = std::move(frame.payload);
      answered_ = true;
      continue;
    }
    if (frame.kind != net::FrameKind::message) continue;
    if (sink_ != nullptr) sink_->receive(DataUnit(std::move(frame.payload)));
    delivered = true;
  }
  return delivered;
}

bool SocketTransport::read_and_deliver(int timeout_ms) {
  pollfd entry{socket_.fd(), POLLIN, 0};
  const int ready = ::poll(&entry, 1, timeout_ms);
  if (ready <= 0) return false;
  char buffer[65536];
  bool any = false;
  for (;;) {
    const ssize_t n = ::recv(socket_.fd(), buffer, sizeof buffer, MSG_DONTWAIT);
    if (n > 0) {
      decoder_.feed(buffer, static_cast<std::size_t>(n));
      any = true;
      if (static_cast<std::size_t>(n) < sizeof buffer) break;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    lose(n == 0 ? "the server closed the connection" : "read failed");
    break;
  }
  return any && deliver_buffered();
}

bool SocketTransport::pump(double deadline) {
  if (deliver_buffered()) return true;
  for (;;) {
    if (!socket_.valid()) {
      if (std::isfinite(deadline) && deadline > now()) skipped_ += deadline - now();
      return false;
    }
    const double left = deadline - now();
    if (left <= 0) return read_and_deliver(0);
    const int timeout_ms =
        std::isfinite(left) ? static_cast<int>(std::min(left * 1000.0 + 1, 3600000.0)) : -1;
    if (read_and_deliver(timeout_ms)) return true;
  }
}

}  // namespace hvx
