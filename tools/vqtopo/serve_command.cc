#include <csignal>
#include <ostream>
#include <sstream>
#include <thread>

#include <httplib.h>

#include "event_loop.h"
#include "live_commands.h"
#include "live_map.h"
#include "map_page.h"
#include "svg_export.h"
#include "view_model.h"

namespace {

// One server-sent event: every line of the drawing as a data line.
std::string as_event(const std::string& drawing) {
  std::string event;
  std::istringstream lines(drawing);
  for (std::string line; std::getline(lines, line);) event += "data: " + line + "\n";
  return event + "\n";
}

void stream(LiveMap& map, httplib::Response& response) {
  response.set_header("Cache-Control", "no-cache");
  auto seen = std::make_shared<std::uint64_t>(0);
  response.set_chunked_content_provider(
      "text/event-stream", [&map, seen](std::size_t, httplib::DataSink& sink) {
        std::string drawing;
        if (map.wait_newer(*seen, drawing, std::chrono::seconds(10))) {
          const std::string event = as_event(drawing);
          return sink.write(event.data(), event.size());
        }
        if (map.closed()) return false;
        // A comment now and then finds out when the browser has gone.
        const std::string keepalive = ": still here\n\n";
        return sink.write(keepalive.data(), keepalive.size());
      });
}

Outcome draw(const VQTopoNodeDn& view, LiveMap& map) {
  ViewModel model;
  VT_RETURN_IF_FAILED(ViewModel::read(view, model));
  map.publish(to_svg(model));
  return {};
}

}  // namespace

Outcome run_serve(const Session& session, DemoControl& control, const std::string& view,
                  const LiveOptions& options, std::ostream& out) {
  VQTopoNodeDn dn;
  VT_RETURN_IF_FAILED(session.resolve(view, dn));
  LiveMap map;
  VT_RETURN_IF_FAILED(draw(dn, map));
  std::string name;
  VT_RETURN_IF_FAILED(read_name(dn, name));

  httplib::Server server;
  const std::string page = map_page(name);
  server.Get("/", [&page](const httplib::Request&, httplib::Response& response) {
    response.set_content(page, "text/html; charset=utf-8");
  });
  server.Get("/map.svg", [&map](const httplib::Request&, httplib::Response& response) {
    response.set_content(map.current(), "image/svg+xml");
  });
  server.Get("/events", [&map](const httplib::Request&, httplib::Response& response) {
    stream(map, response);
  });
  // Background images are named relative to the page, so they are served beside it.
  if (!options.images.empty() && !server.set_mount_point("/", options.images)) {
    return Outcome::usage("no directory " + options.images);
  }
  const int port = options.port == 0 ? server.bind_to_any_port(options.address)
                                     : (server.bind_to_port(options.address, options.port)
                                            ? options.port
                                            : -1);
  if (port <= 0) {
    return Outcome::server("cannot listen on " + options.address + ":" +
                           std::to_string(options.port));
  }
  std::signal(SIGPIPE, SIG_IGN);
  std::thread listener([&server] { server.listen_after_bind(); });
  out << "Live map: http://" << options.address << ':' << port << "/" << std::endl;

  EventLoop loop(options, control);
  Outcome drawn;
  const Outcome ran = loop.run([&](const std::vector<NodeEvent>&) {
    drawn = draw(dn, map);
    return static_cast<bool>(drawn);
  });
  map.close();
  server.stop();
  listener.join();
  return drawn ? ran : drawn;
}
