#include "platform_rep.h"

#include <algorithm>
#include <limits>

#include "hvx/world.h"

namespace hvx {

PlatformRep::PlatformRep(std::shared_ptr<World> world, std::unique_ptr<Transport> transport,
                         std::string system_name)
    : world_(std::move(world)),
      transport_(std::move(transport)),
      system_name_(std::move(system_name)),
      sap_(this) {
  application_ = transport_->attach(this);
}

PlatformRep::~PlatformRep() {
  if (transport_ != nullptr) transport_->attach(nullptr);
}

void PlatformRep::unref() {
  if (--refs_ == 0) delete this;
}

std::unique_ptr<Transport> PlatformRep::release_transport() {
  transport_->attach(nullptr);
  return std::move(transport_);
}

void PlatformRep::set_transport(std::unique_ptr<Transport> transport) {
  transport_ = std::move(transport);
  application_ = transport_->attach(this);
}

double PlatformRep::deadline_after(double timeout) const {
  const double seconds = timeout < 0 ? default_timeout_ : timeout;
  return transport_->now() + seconds;
}

SyncAnswer PlatformRep::call(Message& request, double timeout) {
  request.set_id(MessageSAP::new_id());
  Waiting waiting;
  waiting_[request.id()] = &waiting;
  const double deadline = deadline_after(timeout);
  transport_->submit(request.encode());
  while (!waiting.done) {
    if (!transport_->pump(deadline) && transport_->now() >= deadline) break;
  }
  waiting_.erase(request.id());
  if (!waiting.done) {
    waiting.answer.code = ErrorCode::timeout;
    waiting.answer.error = error_text(ErrorCode::timeout, "no reply within the time allowed");
    waiting.answer.replies.clear();
  }
  return std::move(waiting.answer);
}

bool PlatformRep::unsubscribe(const Callback& callback) {
  const auto it = std::find(subscribers_.begin(), subscribers_.end(), callback);
  if (it == subscribers_.end()) return false;
  subscribers_.erase(it);
  return true;
}

bool PlatformRep::send_raw(const Message& request, const Callback& callback, double timeout) {
  Message message = request;
  if (message.id() == 0) message.set_id(MessageSAP::new_id());
  if (message.base_type() != Message::INVOKE || message.type() == Message::EVENT_REPORT ||
      raw_requests_.count(message.id()) != 0 || waiting_.count(message.id()) != 0) {
    return false;
  }
  raw_requests_[message.id()] = RawRequest{callback, deadline_after(timeout)};
  transport_->submit(message.encode());
  return true;
}

void PlatformRep::receive(const DataUnit& pdu) {
  auto message = std::make_shared<Message>();
  if (!Message::decode(pdu, *message).ok()) {
    ++dropped_;
    return;
  }
  if (message->type() == Message::EVENT_REPORT) {
    queue_.push_back(Queued{std::move(message), pdu, Callback()});
    return;
  }
  if (message->base_type() == Message::INVOKE) {
    ++dropped_;
    return;
  }
  const auto waiting = waiting_.find(message->id());
  if (waiting != waiting_.end()) {
    Waiting& slot = *waiting->second;
    if (message->base_type() == Message::ERROR) {
      slot.answer.code = message->error_code() == ErrorCode::none ? ErrorCode::processing_failure
                                                                  : message->error_code();
      slot.answer.error = message->error_string();
    }
    slot.answer.replies.push_back(*message);
    if (message->is_final_reply()) slot.done = true;
    return;
  }
  const auto raw = raw_requests_.find(message->id());
  if (raw != raw_requests_.end()) {
    const Callback callback = raw->second.callback;
    if (message->is_final_reply()) raw_requests_.erase(raw);
    queue_.push_back(Queued{std::move(message), pdu, callback});
    return;
  }
  ++dropped_;  // a late reply to a request that timed out
}

// Requests whose time is up get a timeout error as their final reply.
bool PlatformRep::expire_raw_requests() {
  bool expired = false;
  const double now = transport_->now();
  for (auto it = raw_requests_.begin(); it != raw_requests_.end();) {
    if (it->second.deadline > now) {
      ++it;
      continue;
    }
    auto reply = std::make_shared<Message>(Message::ERROR_REPLY);
    reply->set_id(it->first);
    reply->set_error(ErrorCode::timeout,
                     error_text(ErrorCode::timeout, "no reply within the time allowed"));
    queue_.push_back(Queued{reply, reply->encode(), it->second.callback});
    it = raw_requests_.erase(it);
    expired = true;
  }
  return expired;
}

bool PlatformRep::dispatch(Platform* platform, bool one_pass) {
  bool delivered = false;
  do {
    if (queue_.empty() && !raw_requests_.empty()) {
      double earliest = std::numeric_limits<double>::infinity();
      for (const auto& [id, request] : raw_requests_) earliest = std::min(earliest, request.deadline);
      if (!transport_->pump(earliest)) expire_raw_requests();
    }
    // One pass: what is queued now; what callbacks cause waits for the next pass.
    size_t count = queue_.size();
    while (count-- > 0 && !queue_.empty()) {
      Queued item = std::move(queue_.front());
      queue_.pop_front();
      RawDelivery raw{platform, item.message, item.bytes};
      if (item.callback) {
        item.callback(&raw);
      } else {
        // Walk a copy: a subscriber may subscribe another.
        const std::vector<Callback> subscribers = subscribers_;
        for (const Callback& subscriber : subscribers) subscriber(&raw);
      }
      delivered = true;
    }
  } while (!one_pass && (!queue_.empty() || !raw_requests_.empty()));
  return delivered;
}

}  // namespace hvx
