// SocketTransport: the client side of a connection to a server process (vqmisd) over a Unix
// or TCP socket. Requests go out as frames as they are submitted; replies and notifications
// are read while pumping, on the real clock. A lost connection ends every wait at once.
#ifndef HVX_SRC_CLIENT_SOCKET_TRANSPORT_H_
#define HVX_SRC_CLIENT_SOCKET_TRANSPORT_H_

#include <memory>
#include <string>

#include "frame.h"
#include "hvx/status.h"
#include "hvx/transport.h"
#include "socket.h"

namespace hvx {

class SocketTransport : public Transport {
 public:
  // Connects to `address` ("unix:/path" or "tcp:host:port") and introduces itself as
  // `role` ("client", or "peer:<system>" for a linked server), with `token` when the server
  // asks for one. Fails with the server's reason when it refuses.
  static Status open(const std::string& address, const std::string& role, const std::string& token,
                     std::unique_ptr<SocketTransport>& out);
  // A transport whose connection could not be made: every wait ends at once.
  static std::unique_ptr<SocketTransport> unreachable(const std::string& why);
  // The token for `address` from the file HVX_TOKEN_FILE names ("" when unset).
  static std::string token_from_environment();

  // Raises an alarm on `managed_object` of `system` at the server of `address` (see
  // World::raise_alarm), over a connection of its own; the alarm's id, or 0 when refused.
  static long raise_alarm(const std::string& address, const std::string& system,
                          const std::string& managed_object, int severity);
  static bool clear_alarm(const std::string& address, const std::string& system, long alarm);
  // Runs one of the server's own operations; `answer` is what follows "ok ".
  Status control(const std::string& command, std::string& answer);

  int attach(TransportSink* sink) override;
  void submit(const DataUnit& request) override;
  bool pump(double deadline) override;
  double now() const override;

  // The system name of the server's local system, as it introduced itself.
  const std::string& system_name() const { return system_name_; }
  int fd() const { return socket_.fd(); }
  bool connected() const { return socket_.valid(); }
  // Why the connection was lost ("" while it holds).
  const std::string& failure() const { return failure_; }

 private:
  SocketTransport() = default;
  // Reads what has arrived (waiting up to `timeout_ms`, -1 for no limit) and delivers
  // every whole frame; true when something was delivered.
  bool read_and_deliver(int timeout_ms);
  bool deliver_buffered();
  void lose(const std::string& why);

  net::Socket socket_;
  net::FrameDecoder decoder_;
  TransportSink* sink_ = nullptr;
  int application_ = 0;
  std::string system_name_;
  std::string failure_;
  std::string out_;
  std::string control_answer_;
  bool answered_ = false;
  // Once the connection is lost the clock runs ahead to every deadline asked for, so
  // waits end at once instead of sleeping out their timeouts.
  double skipped_ = 0;
};

}  // namespace hvx

#endif  // HVX_SRC_CLIENT_SOCKET_TRANSPORT_H_
