// Tools for tests of applications: fault plans that make requests fail on purpose, an event
// recorder, and changes made straight on a world's servers, past every client.
#ifndef HVX_TESTING_H_
#define HVX_TESTING_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hvx/asn1.h"
#include "hvx/error.h"
#include "hvx/event.h"
#include "hvx/message.h"
#include "hvx/platform.h"
#include "hvx/status.h"
#include "hvx/world.h"

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
  // server `system` (every link to it), or only its link under `parent`; each parent whose
  // link changes sends the connection-state notifications.
  FaultPlan& disconnect_server(int k, const std::string& system);
  FaultPlan& reconnect_server(int k, const std::string& system);
  FaultPlan& disconnect_link(int k, const std::string& parent, const std::string& system);
  FaultPlan& reconnect_link(int k, const std::string& parent, const std::string& system);
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
    std::string parent;  // empty for every link to the system
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

// Hands `pdu` to the platform as though its server had sent it: a notification is queued
// and delivered during dispatching; what does not decode is dropped, as from a server.
void inject_pdu(Platform& platform, const DataUnit& pdu);

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

// Changes made directly on the server of `system` in `world`, to set up (or damage) what a
// test then reads through a platform. `name` is a distinguished name in slash form relative
// to the system's object ("agentTableType=\"CMIP\"/agentId=id:\"B\""), or absolute starting
// with the system's own RDN. Attributes are named as in the catalogue. Except where said,
// each change passes the server's checks and emits its notification, like a request's.
using AttributeValues = std::vector<std::pair<std::string, Asn1Value>>;

Status create_object(World& world, std::string_view system, std::string_view class_name,
                     std::string_view name, const AttributeValues& attributes = {});
Status remove_object(World& world, std::string_view system, std::string_view name);
bool object_exists(const World& world, std::string_view system, std::string_view name);
// Replaces values whether or not their attributes are settable.
Status replace_attributes(World& world, std::string_view system, std::string_view name,
                          const AttributeValues& values);
// Replaces a value behind the server's back: no checks, hooks or notification, so values of
// a structure no request could store reach the objects.
Status overwrite_attribute(World& world, std::string_view system, std::string_view name,
                           std::string_view attribute, const Asn1Value& value);

// What an action answers in place of its own behaviour: the information of its one reply.
// It is given the name of the system it runs on and the action's argument.
using ActionAnswer = std::function<Asn1Value(const std::string& system, const Asn1Value& argument)>;
Status answer_action(World& world, std::string_view system, std::string_view class_name,
                     std::string_view action_name, ActionAnswer answer);

// The number of nodes in the topology database of `system` (0 when it has none).
std::size_t topology_node_count(const World& world, std::string_view system);

}  // namespace hvx

#endif  // HVX_TESTING_H_
