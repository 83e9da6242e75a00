// The registration lists of node and type callbacks: entries of { event, callback,
// client_data } in registration order, and how an event is handed to them.
#ifndef DEDAVUZ_SRC_CORE_CALLBACK_LIST_H_
#define DEDAVUZ_SRC_CORE_CALLBACK_LIST_H_

#include "dedavuz_api/event_type.h"
#include "dedavuz_api/list.h"

// Removes the first entry of `callback`, whatever its event and client datum.
template <typename Entry, typename Function>
void vq_remove_first_callback(VQList<Entry>& entries, Function callback) {
  bool removed = false;
  entries.remove_if([&](const Entry& entry) {
    if (removed || entry.callback != callback) return false;
    removed = true;
    return true;
  });
}

// Calls, in registration order, every entry registered for `data.event` or for all events,
// with its client datum in `data`. A callback may register or unregister callbacks: the
// list is walked as it was when the event arrived.
template <typename Entry, typename Data>
void vq_call_callbacks(const VQList<Entry>& entries, Data& data) {
  const VQList<Entry> now = entries;
  for (const Entry& entry : now) {
    if (entry.event != data.event && entry.event != all_events) continue;
    data.client_data = entry.client_data;
    if (entry.callback != nullptr) entry.callback(data);
  }
}

#endif  // DEDAVUZ_SRC_CORE_CALLBACK_LIST_H_
