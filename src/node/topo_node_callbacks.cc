// Registration of node change callbacks.
#include "core/callback_list.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_rep.h"
#include "hvx/platform.h"

VQList<VQTopoNodeRep::CallbackEntry> VQTopoNodeRep::callbacks;
bool VQTopoNodeRep::is_callbacks_initialized = false;

void VQTopoNodeRep::register_callback(VQEventType event,
                                      void (*callback)(const VQTopoNodeCallbackData&),
                                      void* client_data) {
  const CallbackEntry entry{event, callback, client_data};
  callbacks.remove(entry);
  callbacks.append(entry);
  if (!is_callbacks_initialized) initialize_callbacks(hvx::Platform::default_platform());
}

void VQTopoNodeRep::unregister_callback(void (*callback)(const VQTopoNodeCallbackData&), void*) {
  vq_remove_first_callback(callbacks, callback);
}

// From here on every raw event is decoded for the node callbacks.
void VQTopoNodeRep::initialize_callbacks(hvx::Platform&) { is_callbacks_initialized = true; }

void VQTopoNode::register_callback(VQEventType event,
                                   void (*callback)(const VQTopoNodeCallbackData&),
                                   void* client_data) {
  VQTopoNodeRep::register_callback(event, callback, client_data);
}

void VQTopoNode::unregister_callback(void (*callback)(const VQTopoNodeCallbackData&),
                                     void* client_data) {
  VQTopoNodeRep::unregister_callback(callback, client_data);
}

void VQTopoNode::unregister_callback(VQEventType, void (*callback)(const VQTopoNodeCallbackData&)) {
  VQTopoNodeRep::unregister_callback(callback, nullptr);
}
