// PeerLink: a server of another process linked under this one. This server is that one's
// client: requests routed to it are forwarded with fresh ids and their replies handed back,
// and its notifications come up through this server. A lost link is tried again, soon at
// first and then every two seconds; meanwhile requests for it fail with notConnected.
#ifndef HVX_SRC_DAEMON_PEER_LINK_H_
#define HVX_SRC_DAEMON_PEER_LINK_H_

#include <map>
#include <memory>
#include <string>

#include "hvx/transport.h"
#include "server.h"
#include "socket_transport.h"

namespace hvx::daemon {

class PeerLink : public TransportSink {
 public:
  // Links `system` at `address` under `server`. The link exists even while the other
  // server cannot be reached; only a malformed address or a taken name fails.
  static Status open(mis::Server& server, const std::string& system, const std::string& address,
                     std::unique_ptr<PeerLink>& out);
  ~PeerLink() override;

  // The socket to watch (-1 while not connected).
  int fd() const {
    return transport_ != nullptr && transport_->connected() ? transport_->fd() : -1;
  }
  // Reads what the other server sent and, when the link is down and it is time, tries it again.
  void pump();
  bool connected() const { return fd() >= 0; }
  // Writes the link's state into the server table again.
  void announce() {
    announced_ = !connected();
    set_connected(connected());
  }

  void receive(const DataUnit& pdu) override;

 private:
  PeerLink(mis::Server& server, std::string system, std::string address)
      : server_(server), system_(std::move(system)), address_(std::move(address)) {}
  void forward(const Message& request, mis::ReplyFunction reply);
  void try_connect();
  void lost();
  // Follows the link's state in the server: requests for a link that is down fail, and
  // the server table's entry and its clients hear of each change, as of any link's.
  void set_connected(bool connected);

  struct Pending {
    long id;  // the id the request came with
    mis::ReplyFunction reply;
  };

  mis::Server& server_;
  std::string system_;
  std::string address_;
  std::unique_ptr<SocketTransport> transport_;
  std::map<long, Pending> pending_;
  long next_id_ = 1;
  double next_try_ = 0;
  double retry_delay_ = 0.1;
  bool announced_ = true;  // the state the server table shows; links start connected
};

}  // namespace hvx::daemon

#endif  // HVX_SRC_DAEMON_PEER_LINK_H_
