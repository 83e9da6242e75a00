// The seam between a client platform and the servers it reaches: encoded requests go in,
// encoded replies and notifications come back to a sink. Everything that crosses it is a
// BER-encoded Message.
#ifndef HVX_TRANSPORT_H_
#define HVX_TRANSPORT_H_

#include "hvx/data_unit.h"

namespace hvx {

// Where a transport delivers what the server side sends (replies and notifications).
class TransportSink {
 public:
  virtual ~TransportSink() = default;
  virtual void receive(const DataUnit& pdu) = 0;
};

class Transport {
 public:
  virtual ~Transport() = default;

  // Attaches the client side; the transport delivers to `sink` from then on (nullptr
  // detaches). Returns the connection's application number.
  virtual int attach(TransportSink* sink) = 0;
  // Hands one encoded request to the server side. Replies may reach the sink before this
  // returns.
  virtual void submit(const DataUnit& request) = 0;
  // Lets time pass, on the transport's clock, until something is delivered or the clock
  // reaches `deadline` (seconds). Returns true when something was delivered.
  virtual bool pump(double deadline) = 0;
  // The transport's clock in seconds.
  virtual double now() const = 0;
};

}  // namespace hvx

#endif  // HVX_TRANSPORT_H_
