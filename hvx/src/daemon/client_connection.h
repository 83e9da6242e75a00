// ClientConnection: one application (or linked server) connected to a server process: the
// frames read from it so far, what waits to be written to it, and how far its handshake got.
// A connection that breaks the protocol or lets too much pile up is closed, alone.
#ifndef HVX_SRC_DAEMON_CLIENT_CONNECTION_H_
#define HVX_SRC_DAEMON_CLIENT_CONNECTION_H_

#include <string>

#include "frame.h"
#include "server.h"
#include "socket.h"

namespace hvx::daemon {

class ClientConnection : public mis::Listener {
 public:
  enum class State { greeting, serving, closing };

  ClientConnection(long id, net::Socket socket, std::string peer, std::size_t output_limit,
                   double opened)
      : id_(id),
        socket_(std::move(socket)),
        peer_(std::move(peer)),
        output_limit_(output_limit),
        opened_(opened) {}

  long id() const { return id_; }
  int fd() const { return socket_.fd(); }
  const std::string& peer() const { return peer_; }
  State state() const { return state_; }
  void set_state(State state) { state_ = state; }
  const std::string& why_closed() const { return why_; }
  // When it connected, in seconds on the daemon's clock.
  double opened() const { return opened_; }

  // Reads what the socket holds into the decoder; false when the peer has gone.
  bool read();
  net::FrameDecoder& decoder() { return decoder_; }

  void send(net::FrameKind kind, std::string_view payload);
  void deliver(const DataUnit& pdu) override { send(net::FrameKind::message, pdu.view()); }
  bool wants_write() const { return written_ < out_.size(); }
  // Writes what it can without blocking; false when the peer has gone.
  bool flush();
  // Closes once what is queued is written (or at once when `now`).
  void close(std::string why, bool now = false);

 private:
  long id_;
  net::Socket socket_;
  std::string peer_;
  std::size_t output_limit_;
  double opened_;
  State state_ = State::greeting;
  net::FrameDecoder decoder_;
  std::string out_;
  std::size_t written_ = 0;
  std::string why_;
};

}  // namespace hvx::daemon

#endif  // HVX_SRC_DAEMON_CLIENT_CONNECTION_H_
