// EventLoop: delivers the library's node events to a command in batches and, between
// deliveries, runs the demo commands that arrive on standard input. Ends on SIGINT or
// SIGTERM, at a time or event limit, or when the command says so.
#ifndef VQTOPO_EVENT_LOOP_H_
#define VQTOPO_EVENT_LOOP_H_

#include <functional>
#include <string>
#include <vector>

#include "dedavuz_api/topo_node.h"
#include "demo_control.h"
#include "live_commands.h"

struct NodeEvent {
  VQEventType type = object_creation;
  VQTopoNodeDn dn;
  VQTopoNode node;  // the attributes the event carried are active
};

class EventLoop {
 public:
  // Listens from construction on; `control` must outlive the loop.
  EventLoop(const LiveOptions& options, DemoControl& control);
  ~EventLoop();
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;

  // `handle` gets each batch (never more events than the count limit leaves); returning
  // false ends the loop.
  Outcome run(const std::function<bool(const std::vector<NodeEvent>&)>& handle);

 private:
  static void on_event(const VQTopoNodeCallbackData& data);
  void read_commands();

  LiveOptions options_;
  DemoControl& control_;
  std::vector<NodeEvent> pending_;
  std::string input_;  // an unfinished command line
  bool input_open_;
};

#endif  // VQTOPO_EVENT_LOOP_H_
