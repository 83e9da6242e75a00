// What every event handler of the library reads first: the kind of event and the class of
// the object it is about. Identifiers are compared as their encoded bytes, since every
// event of the server passes through here.
#ifndef DEDAVUZ_SRC_CORE_EVENT_NAMES_H_
#define DEDAVUZ_SRC_CORE_EVENT_NAMES_H_

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "hvx/asn1.h"
#include "hvx/event.h"

// The BER contents of the topology arc 1.3.6.1.4.1.7351.2.2.2 followed by `tail`.
std::string vq_topology_oid(std::initializer_list<std::uint64_t> tail);

// Whether `value` is an identifier (under any tag) whose contents are `contents`.
inline bool vq_oid_is(const hvx::Asn1Value& value, std::string_view contents) {
  return value.contents().view() == contents;
}

// The VQEventType of the event's X.721 notification (creation 0, deletion 1, change 2); -1
// for any other.
int vq_event_type_of(const hvx::CurrentEvent& event);

// Whether the event is about an object of the class whose identifier's contents are given.
inline bool vq_event_class_is(const hvx::CurrentEvent& event, std::string_view contents) {
  return event.valid() && vq_oid_is(event.get_message().get_object_class(), contents);
}

#endif  // DEDAVUZ_SRC_CORE_EVENT_NAMES_H_
