// PlatformRep: the state behind a Platform handle: its transport, the replies it waits for,
// the queue of what dispatching delivers, and the event subscriptions.
#ifndef HVX_SRC_CLIENT_PLATFORM_REP_H_
#define HVX_SRC_CLIENT_PLATFORM_REP_H_

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hvx/callback.h"
#include "hvx/error.h"
#include "hvx/message.h"
#include "hvx/platform.h"
#include "hvx/transport.h"

namespace hvx {

class World;

// What a callback's raw pointer points to: one delivered message and its bytes.
struct RawDelivery {
  Platform* platform = nullptr;
  std::shared_ptr<const Message> message;
  DataUnit bytes;
};

// The answer to a synchronous request: its replies in order (linked ones first), or an
// error.
struct SyncAnswer {
  ErrorCode code = ErrorCode::none;
  std::string error;  // the full error text
  std::vector<Message> replies;

  bool ok() const { return code == ErrorCode::none; }
  const Message& final_reply() const { return replies.back(); }
};

class PlatformRep : public TransportSink {
 public:
  PlatformRep(std::shared_ptr<World> world, std::unique_ptr<Transport> transport,
              std::string system_name);
  ~PlatformRep() override;

  void ref() { ++refs_; }
  // Deletes this on the last reference.
  void unref();

  const std::string& system_name() const { return system_name_; }
  // What PLATFORM_OBJNAME gives: /systemId=name:"<system>" unless set otherwise.
  std::string objname() const {
    return objname_set_ ? objname_ : "/systemId=name:\"" + system_name_ + "\"";
  }
  void set_objname(std::string objname) {
    objname_ = std::move(objname);
    objname_set_ = true;
  }
  // The world whose local server this platform is connected to.
  World* world() const { return world_.get(); }
  int application_number() const { return application_; }
  double default_timeout() const { return default_timeout_; }
  void set_default_timeout(double seconds) { default_timeout_ = seconds; }
  MessageSAP& sap() { return sap_; }

  // Sends `request` (a fresh id is given) and waits, on the transport's clock, for its
  // final reply.
  SyncAnswer call(Message& request, double timeout);
  // Sends a raw request whose replies are queued for `callback`.
  bool send_raw(const Message& request, const Callback& callback, double timeout);
  void subscribe(const Callback& callback) { subscribers_.push_back(callback); }
  bool unsubscribe(const Callback& callback);
  bool dispatch(Platform* platform, bool one_pass);

  void receive(const DataUnit& pdu) override;

  // The transport; wrapping it (a fault plan) keeps the connection.
  Transport* transport() { return transport_.get(); }
  std::unique_ptr<Transport> release_transport();
  void set_transport(std::unique_ptr<Transport> transport);

  // Messages dropped because they did not decode or answered nothing awaited.
  unsigned long dropped() const { return dropped_; }

 private:
  struct Queued {
    std::shared_ptr<const Message> message;
    DataUnit bytes;
    Callback callback;  // set for replies to raw requests
  };
  struct RawRequest {
    Callback callback;
    double deadline;
  };
  struct Waiting {
    SyncAnswer answer;
    bool done = false;
  };

  double deadline_after(double timeout) const;
  bool expire_raw_requests();

  std::shared_ptr<World> world_;  // keeps the servers alive while connected
  std::unique_ptr<Transport> transport_;
  std::string system_name_;
  std::string objname_;
  bool objname_set_ = false;
  int application_ = 0;
  int refs_ = 1;
  double default_timeout_ = 30.0;
  MessageSAP sap_;
  std::vector<Callback> subscribers_;
  std::deque<Queued> queue_;
  std::map<long, RawRequest> raw_requests_;
  std::map<long, Waiting*> waiting_;
  unsigned long dropped_ = 0;
};

}  // namespace hvx

#endif  // HVX_SRC_CLIENT_PLATFORM_REP_H_
