// VQEventType: the kind of server change a registered callback hears about.
#ifndef DEDAVUZ_API_EVENT_TYPE_H_
#define DEDAVUZ_API_EVENT_TYPE_H_

enum VQEventType : int {
  object_creation = 0,
  object_deletion = 1,
  attribute_value_change = 2,
  // In a registration only: the callback hears every event.
  all_events = 3,
};

#endif  // DEDAVUZ_API_EVENT_TYPE_H_
