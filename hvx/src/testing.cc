#include "hvx/testing.h"

#include <algorithm>
#include <deque>

#include "hvx/names.h"
#include "hvx/world.h"
#include "platform_access.h"

namespace hvx {

FaultPlan& FaultPlan::fail_request(int k, ErrorCode code, const std::string& text) {
  failures_.push_back(Failure{k, nullptr, code, text});
  return *this;
}

FaultPlan& FaultPlan::fail_requests_where(std::function<bool(const Message&)> predicate,
                                          ErrorCode code, const std::string& text) {
  failures_.push_back(Failure{0, std::move(predicate), code, text});
  return *this;
}

FaultPlan& FaultPlan::drop_reply(int k) {
  reply_rules_.push_back(ReplyRule{k, Reply::drop, 0});
  return *this;
}

FaultPlan& FaultPlan::delay_reply(int k, double seconds) {
  reply_rules_.push_back(ReplyRule{k, Reply::delay, seconds});
  return *this;
}

FaultPlan& FaultPlan::corrupt_reply(int k) {
  reply_rules_.push_back(ReplyRule{k, Reply::corrupt, 0});
  return *this;
}

FaultPlan& FaultPlan::disconnect_server(int k, const std::string& system) {
  link_rules_.push_back(LinkRule{k, "", system, false});
  return *this;
}

FaultPlan& FaultPlan::reconnect_server(int k, const std::string& system) {
  link_rules_.push_back(LinkRule{k, "", system, true});
  return *this;
}

FaultPlan& FaultPlan::disconnect_link(int k, const std::string& parent, const std::string& system) {
  link_rules_.push_back(LinkRule{k, parent, system, false});
  return *this;
}

FaultPlan& FaultPlan::reconnect_link(int k, const std::string& parent, const std::string& system) {
  link_rules_.push_back(LinkRule{k, parent, system, true});
  return *this;
}

FaultPlan& FaultPlan::drop_reply_part(int k, int p) {
  part_rules_.push_back(PartRule{k, p, false});
  return *this;
}

FaultPlan& FaultPlan::duplicate_reply_part(int k, int p) {
  part_rules_.push_back(PartRule{k, p, true});
  return *this;
}

FaultPlan& FaultPlan::duplicate_notification(int n) {
  duplicates_.push_back(n);
  return *this;
}

FaultPlan& FaultPlan::swap_notification(int n) {
  swaps_.push_back(n);
  return *this;
}

// Sits between a platform and its transport and carries out a fault plan. It is the inner
// transport's sink, so it sees every reply and notification before the platform does.
class FaultTransport : public Transport, public TransportSink {
 public:
  FaultTransport(std::unique_ptr<Transport> inner, std::shared_ptr<FaultPlan> plan, World* world)
      : inner_(std::move(inner)), plan_(std::move(plan)), world_(world) {}

  std::unique_ptr<Transport> release() {
    inner_->attach(nullptr);
    return std::move(inner_);
  }

  int attach(TransportSink* sink) override {
    sink_ = sink;
    return inner_->attach(sink != nullptr ? this : nullptr);
  }

  void submit(const DataUnit& request) override {
    const int k = ++plan_->requests_;
    for (const FaultPlan::LinkRule& rule : plan_->link_rules_) {
      if (rule.k != k || world_ == nullptr) continue;
      if (rule.parent.empty()) {
        world_->set_connected(rule.system, rule.connected);
      } else {
        world_->set_link_connected(rule.parent, rule.system, rule.connected);
      }
    }
    Message message;
    const bool decoded = Message::decode(request, message).ok();
    for (const FaultPlan::Failure& failure : plan_->failures_) {
      const bool matches =
          failure.predicate ? decoded && failure.predicate(message) : failure.k == k;
      if (!matches) continue;
      Message reply(Message::ERROR_REPLY);
      reply.set_id(message.id());
      reply.set_error(failure.code,
                      error_text(failure.code, failure.text.empty() ? "request " + std::to_string(k)
                                                                    : failure.text));
      forward(reply.encode());
      return;
    }
    for (const FaultPlan::ReplyRule& rule : plan_->reply_rules_) {
      if (rule.k == k && decoded) rules_by_id_[message.id()] = rule;
    }
    for (const FaultPlan::PartRule& rule : plan_->part_rules_) {
      if (rule.k == k && decoded) parts_by_id_[message.id()] = Parts{k, 0};
    }
    inner_->submit(request);
  }

  bool pump(double deadline) override {
    if (!delayed_.empty()) {
      const auto earliest =
          std::min_element(delayed_.begin(), delayed_.end(),
                           [](const Delayed& a, const Delayed& b) { return a.due < b.due; });
      if (earliest->due <= deadline) {
        const Delayed item = *earliest;
        delayed_.erase(earliest);
        inner_->pump(item.due);
        forward(item.pdu);
        return true;
      }
    }
    return inner_->pump(deadline);
  }

  double now() const override { return inner_->now(); }

  void receive(const DataUnit& pdu) override {
    Message message;
    if (!Message::decode(pdu, message).ok()) {
      forward(pdu);
      return;
    }
    if (message.type() == Message::EVENT_REPORT) {
      notification(pdu);
      return;
    }
    if (!part_delivered(message, pdu)) return;
    const auto rule = rules_by_id_.find(message.id());
    if (rule == rules_by_id_.end()) {
      forward(pdu);
      return;
    }
    switch (rule->second.action) {
      case FaultPlan::Reply::drop:
        break;
      case FaultPlan::Reply::delay:
        delayed_.push_back(Delayed{inner_->now() + rule->second.delay, pdu});
        break;
      case FaultPlan::Reply::corrupt: {
        std::string bytes = pdu.str();
        // Damage the header and a byte in the middle: the reply no longer decodes as one.
        if (!bytes.empty()) bytes[0] = static_cast<char>(bytes[0] ^ 0x5a);
        if (bytes.size() > 2)
          bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0xff);
        forward(DataUnit(std::move(bytes)));
        break;
      }
      case FaultPlan::Reply::deliver:
        forward(pdu);
        break;
    }
    if (message.is_final_reply()) rules_by_id_.erase(rule);
  }

 private:
  struct Delayed {
    double due;
    DataUnit pdu;
  };
  struct Parts {
    int k;
    int seen;
  };

  // Applies the part rules to a reply; false when it is lost.
  bool part_delivered(const Message& message, const DataUnit& pdu) {
    const auto parts = parts_by_id_.find(message.id());
    if (parts == parts_by_id_.end()) return true;
    const int k = parts->second.k;
    const int p = ++parts->second.seen;
    if (message.is_final_reply()) parts_by_id_.erase(parts);
    bool delivered = true;
    for (const FaultPlan::PartRule& rule : plan_->part_rules_) {
      if (rule.k != k || rule.p != p) continue;
      if (rule.duplicate) {
        forward(pdu);
      } else {
        delivered = false;
      }
    }
    return delivered;
  }

  void notification(const DataUnit& pdu) {
    const int n = ++plan_->notifications_;
    const auto& swaps = plan_->swaps_;
    if (std::find(swaps.begin(), swaps.end(), n) != swaps.end()) {
      held_.push_back(pdu);
      return;
    }
    forward(pdu);
    const auto& duplicates = plan_->duplicates_;
    if (std::find(duplicates.begin(), duplicates.end(), n) != duplicates.end()) forward(pdu);
    while (!held_.empty()) {
      const DataUnit held = held_.front();
      held_.pop_front();
      forward(held);
    }
  }

  void forward(const DataUnit& pdu) {
    if (sink_ != nullptr) sink_->receive(pdu);
  }

  std::unique_ptr<Transport> inner_;
  std::shared_ptr<FaultPlan> plan_;
  World* world_;
  TransportSink* sink_ = nullptr;
  std::map<long, FaultPlan::ReplyRule> rules_by_id_;
  std::map<long, Parts> parts_by_id_;
  std::vector<Delayed> delayed_;
  std::deque<DataUnit> held_;
};

void inject_pdu(Platform& platform, const DataUnit& pdu) {
  PlatformAccess::rep(platform)->receive(pdu);
}

void install_fault_plan(Platform& platform, std::shared_ptr<FaultPlan> plan) {
  remove_fault_plan(platform);
  PlatformRep* rep = PlatformAccess::rep(platform);
  rep->set_transport(
      std::make_unique<FaultTransport>(rep->release_transport(), std::move(plan), rep->world()));
}

void remove_fault_plan(Platform& platform) {
  PlatformRep* rep = PlatformAccess::rep(platform);
  auto* faults = dynamic_cast<FaultTransport*>(rep->transport());
  if (faults == nullptr) return;
  std::unique_ptr<Transport> wrapper = rep->release_transport();
  rep->set_transport(faults->release());
}

EventRecorder::EventRecorder(Platform& platform) : platform_(platform) {
  platform_.when("RAW_EVENT", Callback(&EventRecorder::record, this));
}

EventRecorder::~EventRecorder() { platform_.unsubscribe(Callback(&EventRecorder::record, this)); }

void EventRecorder::record(void* recorder, void* raw) {
  static_cast<EventRecorder*>(recorder)->events_.emplace_back(raw);
}

std::vector<std::string> EventRecorder::summary() const {
  std::vector<std::string> out;
  for (const CurrentEvent& event : events_) {
    out.push_back(get_shortname(event.get_name().view()) + " " + event.get_objname().str());
  }
  return out;
}

}  // namespace hvx
