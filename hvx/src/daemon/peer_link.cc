#include "peer_link.h"

#include <algorithm>
#include <chrono>
#include <iostream>

#include "endpoint.h"
#include "hvx/ber.h"

namespace hvx::daemon {

namespace {

// A link that fails is tried again soon, then less and less often.
constexpr double kFirstRetrySeconds = 0.1;
constexpr double kLongestRetrySeconds = 2.0;

double seconds_now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

Status PeerLink::open(mis::Server& server, const std::string& system, const std::string& address,
                      std::unique_ptr<PeerLink>& out) {
  net::Endpoint endpoint;
  Status status = net::Endpoint::parse(address, endpoint);
  if (!status.ok()) return status;
  std::unique_ptr<PeerLink> link(new PeerLink(server, system, address));
  PeerLink* const self = link.get();
  if (!server.link_remote(system, [self](const Message& request, mis::ReplyFunction reply) {
        self->forward(request, std::move(reply));
      })) {
    return Status::InvalidArgument("cannot link " + system + " under " + server.system_name());
  }
  link->try_connect();
  out = std::move(link);
  return Status::OK();
}

PeerLink::~PeerLink() { server_.set_link_connected(system_, false); }

void PeerLink::try_connect() {
  next_try_ = seconds_now() + retry_delay_;
  retry_delay_ = std::min(retry_delay_ * 2, kLongestRetrySeconds);
  std::unique_ptr<SocketTransport> transport;
  const Status status = SocketTransport::open(address_, "peer:" + server_.system_name(),
                                              SocketTransport::token_from_environment(), transport);
  if (status.ok() && transport->system_name() != system_) {
    std::cerr << "vqmisd: " << address_ << " serves " << transport->system_name() << ", not "
              << system_ << "\n";
    transport.reset();
  }
  if (transport == nullptr) {
    set_connected(false);
    return;
  }
  transport_ = std::move(transport);
  transport_->attach(this);
  retry_delay_ = kFirstRetrySeconds;
  set_connected(true);
  std::cerr << "vqmisd: linked " << system_ << " at " << address_ << "\n";
}

void PeerLink::pump() {
  if (transport_ != nullptr && transport_->connected()) {
    transport_->pump(transport_->now());
    if (!transport_->connected()) lost();
    return;
  }
  if (seconds_now() >= next_try_) try_connect();
}

void PeerLink::set_connected(bool connected) {
  server_.set_link_connected(system_, connected);
  if (announced_ == connected) return;
  announced_ = connected;
  const mis::Schema& schema = mis::Schema::get();
  const Asn1Value state = ber::enumerated(connected ? 1 : 0);
  dn::Rdns table;
  dn::Rdns entry;
  if (!dn::from_text("serverTableType=\"mis\"", table) ||
      !dn::from_text("serverTableType=\"mis\"/misId=\"" + system_ + "\"", entry)) {
    return;
  }
  server_.modify(entry, {{mis::ModifyMode::replace, schema.oid_of("currentState"), state}}, false)
      .IgnoreError();
  // Which systems are behind the other server is that server's to say: none are listed.
  Asn1Value info = ber::sequence();
  info.add_component(state);
  info.add_component(ber::set());
  const mis::ClassInfo* entry_class = schema.find_class("misEntry");
  if (entry_class == nullptr) return;
  server_.emit(entry_class->oid, table, schema.oid_of("connectionStateChange"), info,
               {{schema.oid_of("misId"), ber::octets(system_, TAG_GRAPHSTR)}});
}

void PeerLink::lost() {
  std::cerr << "vqmisd: lost the link to " << system_ << "\n";
  set_connected(false);
  std::map<long, Pending> pending;
  pending.swap(pending_);
  for (auto& [id, waiting] : pending) {
    Message error(Message::ERROR_REPLY);
    error.set_id(waiting.id);
    error.set_error(ErrorCode::not_connected, error_text(ErrorCode::not_connected, system_));
    waiting.reply(std::move(error));
  }
}

void PeerLink::forward(const Message& request, mis::ReplyFunction reply) {
  if (transport_ == nullptr || !transport_->connected()) {
    Message error(Message::ERROR_REPLY);
    error.set_id(request.id());
    error.set_error(ErrorCode::not_connected, error_text(ErrorCode::not_connected, system_));
    reply(std::move(error));
    return;
  }
  // Ids of different clients may clash: the other server sees this link's own.
  Message out = request;
  const long id = next_id_++;
  out.set_id(id);
  pending_[id] = Pending{request.id(), std::move(reply)};
  transport_->submit(out.encode());
  if (!transport_->connected()) lost();
}

void PeerLink::receive(const DataUnit& pdu) {
  Message message;
  if (!Message::decode(pdu, message).ok()) return;
  if (message.type() == Message::EVENT_REPORT) {
    server_.receive_linked_event(system_, message);
    return;
  }
  const auto found = pending_.find(message.id());
  if (found == pending_.end()) return;
  message.set_id(found->second.id);
  if (message.linked_id() != 0) message.set_linked_id(found->second.id);
  const bool final_reply = message.is_final_reply();
  const mis::ReplyFunction reply = found->second.reply;
  if (final_reply) pending_.erase(found);
  reply(std::move(message));
}

}  // namespace hvx::daemon
