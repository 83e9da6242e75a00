// The commands that keep running: watch (events, one line each) and serve (a live map of a
// view in the browser).
#ifndef VQTOPO_LIVE_COMMANDS_H_
#define VQTOPO_LIVE_COMMANDS_H_

#include <iosfwd>
#include <string>

#include "demo_control.h"
#include "outcome.h"
#include "session.h"

struct LiveOptions {
  int port = 8080;
  // Loopback unless asked otherwise: the map is nobody else's business by default.
  std::string address = "127.0.0.1";
  long count = 0;        // events before stopping; 0: no limit
  double seconds = 0.0;  // time before stopping; 0: no limit
  bool commands = false;  // read demo commands from standard input
  std::string images;     // where the views' background images are served from
};

Outcome run_watch(const Session& session, DemoControl& control, const LiveOptions& options,
                  bool json, std::ostream& out);
// Prints "Live map: URL" once the map is listening.
Outcome run_serve(const Session& session, DemoControl& control, const std::string& view,
                  const LiveOptions& options, std::ostream& out);

#endif  // VQTOPO_LIVE_COMMANDS_H_
