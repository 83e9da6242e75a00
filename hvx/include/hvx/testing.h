// Tools for tests of applications: fault plans that make requests fail on purpose, and an
// event recorder.
#ifndef HVX_TESTING_H_
#define HVX_TESTING_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hvx/error.h"
#include "hvx/event.h"
#include "hvx/message.h"
#include "hvx/platform.h"

namespace hvx {

// What goes wrong, and when. Requests and notifications are counted from 1 from the moment
// the plan is installed. A failed request never reaches the server.
class FaultPlan {
 public:
  FaultPlan& fail_request(int k, ErrorCode code, const std::string& text = "");
  FaultPlan& fail_requests_where(std::function<bool(const Message&)> predicate, ErrorCode code,
                                 const std::string& text = "");
  // The server runs the k-th request, but its replies are lost, late or damaged.
  FaultPlan& drop_reply(int k);
  FaultPlan& delay_reply(int k, double seconds);
  FaultPlan& corrupt_reply(int k);
  // Only the p-th reply of the k-th request (its linked replies and its final reply,
  // counted from 1) is lost, or arrives twice.
  FaultPlan& drop_reply_part(int k, int p);
  FaultPlan& duplicate_reply_part(int k, int p);
  // Before the k-th request goes out, the world disconnects (or reconnects) the linked
  // server `system`; its parent sends the connection-state notifications.
  FaultPlan& disconnect_server(int k, const std::string& system);
  FaultPlan& reconnect_server(int k, const std::string& system);
  // The n-th notification arrives twice, or after the one that follows it.
  FaultPlan& duplicate_notification(int n);
  FaultPlan& swap_notification(int n);

  int requests_seen() const { return requests_; }
  int notifications_seen() const { return notifications_; }

 private:
  friend class FaultTransport;
  enum class Reply { deliver, drop, delay, corrupt };
  struct Failure {
    int k;
    std::function<bool(const Message&)> predicate;
    ErrorCode code;
    std::string text;
  };
  struct ReplyRule {
    int k;
    Reply action;
    double delay;
  };
  struct PartRule {
    int k;
    int p;
    bool duplicate;
  };
  struct LinkRule {
    int k;
    std::string system;
    bool connected;
  };

  std::vector<Failure> failures_;
  std::vector<ReplyRule> reply_rules_;
  std::vector<PartRule> part_rules_;
  std::vector<LinkRule> link_rules_;
  std::vector<int> duplicates_;
  std::vector<int> swaps_;
  int requests_ = 0;
  int notifications_ = 0;
};

// Puts `plan` between the platform and its server until removed.
void install_fault_plan(Platform& platform, std::shared_ptr<FaultPlan> plan);
void remove_fault_plan(Platform& platform);

// Records every notification the platform delivers (during dispatching).
class EventRecorder {
 public:
  explicit EventRecorder(Platform& platform);
  ~EventRecorder();
  EventRecorder(const EventRecorder&) = delete;
  EventRecorder& operator=(const EventRecorder&) = delete;

  const std::vector<CurrentEvent>& events() const { return events_; }
  // "<short event name> <object name>" per event, in delivery order.
  std::vector<std::string> summary() const;
  void clear() { events_.clear(); }

 private:
  static void record(void* recorder, void* raw);

  Platform platform_;
  std::vector<CurrentEvent> events_;
};

}  // namespace hvx

#endif  // HVX_TESTING_H_
