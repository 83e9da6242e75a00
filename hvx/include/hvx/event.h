// CurrentEvent: the notification being delivered to a RAW_EVENT callback. Copies share the
// message and stay valid after the callback returns (held events are replayed later).
#ifndef HVX_EVENT_H_
#define HVX_EVENT_H_

#include <memory>

#include "hvx/data_unit.h"
#include "hvx/image.h"
#include "hvx/message.h"
#include "hvx/platform.h"

namespace hvx {

class CurrentEvent {
 public:
  CurrentEvent() = default;
  // From the raw pointer a RAW_EVENT callback is given.
  explicit CurrentEvent(void* raw);

  bool valid() const { return message_ != nullptr; }
  const Message& get_message() const;
  // The notification's registered name, e.g.
  // "Rec. X.721 | ISO/IEC 10165-2 : 1992":objectCreation.
  DataUnit get_name() const;
  // The registered name of the object's class.
  DataUnit get_objclass() const;
  // The object's name as get_objname() of its image gives it.
  DataUnit get_objname() const;
  // An image of the object, holding the values the notification carried (`which` is
  // accepted for compatibility; 1 is the object the event is about).
  Image get_image(int which = 1) const;
  // The information in value notation with member names, e.g.
  // {misId : "B",currentState connected,agentList { "C" }}.
  DataUnit get_info() const;

 private:
  Platform platform_;
  std::shared_ptr<const Message> message_;
};

}  // namespace hvx

#endif  // HVX_EVENT_H_
