#include "connection.h"

namespace hvx::mis {

Connection::~Connection() {
  if (sink_ != nullptr) server_->disconnect(this);
}

int Connection::attach(TransportSink* sink) {
  if (sink_ != nullptr) server_->disconnect(this);
  sink_ = sink;
  application_ = sink != nullptr ? server_->connect(this) : 0;
  return application_;
}

void Connection::submit(const DataUnit& request) {
  Message message;
  if (!Message::decode(request, message).ok() || message.base_type() != Message::INVOKE ||
      message.type() == Message::EVENT_REPORT) {
    // Nothing to answer to: without an invoke id the client's wait times out.
    ++undecodable_;
    return;
  }
  server_->handle(message, [this](Message&& reply) { deliver(reply.encode()); });
}

bool Connection::pump(double deadline) {
  // Everything is delivered as it happens: nothing is ever in flight.
  if (deadline > now_) now_ = deadline;
  return false;
}

void Connection::deliver(const DataUnit& pdu) {
  if (sink_ != nullptr) sink_->receive(pdu);
}

}  // namespace hvx::mis
