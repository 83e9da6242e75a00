// Connection: the embedded transport, one client's connection to an in-process server. It
// decodes each request, runs it, and hands the encoded replies and notifications to the
// client's sink; its clock is virtual, so waiting for a reply that never comes ends at once.
#ifndef HVX_SRC_MIS_CONNECTION_H_
#define HVX_SRC_MIS_CONNECTION_H_

#include "hvx/transport.h"
#include "server.h"

namespace hvx::mis {

class Connection : public Transport, public Listener {
 public:
  explicit Connection(Server* server) : server_(server) {}
  ~Connection() override;

  int attach(TransportSink* sink) override;
  void submit(const DataUnit& request) override;
  bool pump(double deadline) override;
  double now() const override { return now_; }

  void deliver(const DataUnit& pdu) override;

  // Requests the server could not decode (they get no reply).
  unsigned long undecodable() const { return undecodable_; }

 private:
  Server* server_;
  TransportSink* sink_ = nullptr;
  int application_ = 0;
  double now_ = 0;
  unsigned long undecodable_ = 0;
};

}  // namespace hvx::mis

#endif  // HVX_SRC_MIS_CONNECTION_H_
