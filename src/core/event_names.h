// What every event handler of the library reads first: the standard event names and the
// managed-object class an event is about.
#ifndef DEDAVUZ_SRC_CORE_EVENT_NAMES_H_
#define DEDAVUZ_SRC_CORE_EVENT_NAMES_H_

#include <string_view>

#include "hvx/event.h"
#include "hvx/oid.h"

inline constexpr std::string_view kX721AttributeValueChange =
    "\"Rec. X.721 | ISO/IEC 10165-2 : 1992\":attributeValueChange";
inline constexpr std::string_view kX721ObjectCreation =
    "\"Rec. X.721 | ISO/IEC 10165-2 : 1992\":objectCreation";
inline constexpr std::string_view kX721ObjectDeletion =
    "\"Rec. X.721 | ISO/IEC 10165-2 : 1992\":objectDeletion";

// The VQEventType an event name stands for (creation 0, deletion 1, change 2); -1 for any
// other name.
int vq_event_type_of(std::string_view event_name);

// The class identifier of the event's message; invalid when it has none or it does not
// decode.
hvx::Oid vq_event_class(const hvx::CurrentEvent& event);

// Whether `id` is the topology arc 1.3.6.1.4.1.7351.2.2.2 followed by `tail`.
bool vq_is_topology_oid(const hvx::Oid& id, std::initializer_list<std::uint64_t> tail);

#endif  // DEDAVUZ_SRC_CORE_EVENT_NAMES_H_
