// vqtopo: the topology database of a management server from the command line: browse it,
// follow links and severities, export views as pictures or documents, import documents,
// watch changes as they come, and serve a live map of a view.
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "demo_control.h"
#include "graph_commands.h"
#include "live_commands.h"
#include "query_commands.h"
#include "session.h"
#include "transfer_commands.h"

namespace {

struct Options {
  bool demo = false;
  bool json = false;
  std::vector<std::string> alarms;
  std::string view;
  std::string node;
  std::string system;
  FindQuery find;
  int hops = 1;
  std::string format;
  std::string file;
  std::string print;
  LiveOptions live;
};

// The options every command takes: where the server is, and what to raise on the demo.
CLI::App* command(CLI::App& app, const char* name, const char* description, Options& options,
                  bool prints_data) {
  CLI::App* sub = app.add_subcommand(name, description);
  sub->add_flag("--demo", options.demo,
                "Use an embedded server loaded with the sample campus instead of connecting");
  sub->add_option("--alarm", options.alarms,
                  "With --demo: raise an alarm first, as NODE=SEVERITY (repeatable)")
      ->allow_extra_args(false);
  if (prints_data) sub->add_flag("--json", options.json, "Print JSON instead of text");
  return sub;
}

Outcome run(const CLI::App& app, Options& options) {
  const std::string name = app.get_subcommands().front()->get_name();
  if (!options.alarms.empty() && !options.demo) return Outcome::usage("--alarm needs --demo");
  if (options.live.commands && !options.demo) return Outcome::usage("--stdin needs --demo");
  std::unique_ptr<Session> session;
  VT_RETURN_IF_FAILED(Session::open(options.demo, name == "import", session));
  DemoControl control(*session);
  for (const std::string& alarm : options.alarms) VT_RETURN_IF_FAILED(control.raise_option(alarm));
  std::ostream& out = std::cout;
  if (name == "tree") return run_tree(*session, options.view, options.json, out);
  if (name == "show") return run_show(*session, options.node, options.json, out);
  if (name == "find") return run_find(*session, options.find, options.json, out);
  if (name == "report") return run_report(*session, options.system, options.json, out);
  if (name == "neighbours") {
    return run_neighbours(*session, options.node, options.hops, options.json, out);
  }
  if (name == "why") return run_why(*session, options.node, options.json, out);
  if (name == "export") return run_export(*session, options.view, options.format, out);
  if (name == "import") {
    return run_import(*session, options.file, options.print, options.json, out);
  }
  if (name == "watch") return run_watch(*session, control, options.live, options.json, out);
  return run_serve(*session, control, options.view, options.live, out);
}

void add_query_commands(CLI::App& app, Options& options) {
  CLI::App* tree = command(app, "tree", "Print a view and everything below it", options, true);
  tree->add_option("VIEW", options.view, "A view's name or id (default: every root view)");
  CLI::App* show = command(app, "show", "Print one node's attributes", options, true);
  show->add_option("NODE", options.node, "A node's name, id or system:id")->required();
  CLI::App* find = command(app, "find", "Find nodes by name, type or managed object",
                           options, true);
  find->add_option("--name", options.find.name, "A node name");
  find->add_option("--type", options.find.type, "A type name");
  find->add_option("--mo", options.find.managed_object, "A managed object's full name");
  CLI::App* report = command(app, "report", "Print the node report of a system", options, true);
  report->add_option("SYSTEM", options.system, "A system name (default: the local one)");
  CLI::App* neighbours = command(app, "neighbours", "Print the nodes reached over links",
                                 options, true);
  neighbours->add_option("NODE", options.node, "Where to start")->required();
  neighbours->add_option("--hops", options.hops, "How many links to follow")
      ->capture_default_str();
  CLI::App* why = command(app, "why", "Explain a node's severity: the children and alarms "
                          "behind it", options, true);
  why->add_option("NODE", options.node, "A node's name, id or system:id")->required();
}

void add_transfer_commands(CLI::App& app, Options& options) {
  CLI::App* export_command = command(app, "export", "Write a view as svg, dot, drawio or json",
                                     options, false);
  export_command->add_option("VIEW", options.view, "A view's name or id")->required();
  export_command->add_option("--format", options.format, "The format")
      ->required()
      ->check(CLI::IsMember({"svg", "dot", "drawio", "json"}));
  CLI::App* import_command = command(
      app, "import", "Make the nodes of a json export (with --demo: in an empty server)",
      options, true);
  import_command->add_option("FILE", options.file, "The document, or - for standard input")
      ->required();
  import_command->add_option("--print", options.print,
                             "Then export the view made, in this format")
      ->check(CLI::IsMember({"svg", "dot", "drawio", "json"}));
}

void add_live_commands(CLI::App& app, Options& options) {
  CLI::App* watch = command(app, "watch", "Print server events as they arrive", options, true);
  CLI::App* serve = command(app, "serve", "Serve a live map of a view over HTTP", options, false);
  serve->add_option("VIEW", options.view, "A view's name or id")->required();
  serve->add_option("--port", options.live.port, "The port (0: any free one)")
      ->capture_default_str();
  serve->add_option("--address", options.live.address, "The address to listen on")
      ->capture_default_str();
  serve->add_option("--images", options.live.images,
                    "A directory holding the views' background images");
  for (CLI::App* live : {watch, serve}) {
    live->add_option("--count", options.live.count, "Stop after this many events");
    live->add_option("--seconds", options.live.seconds, "Stop after this many seconds");
    live->add_flag("--stdin", options.live.commands,
                   "With --demo: read \"alarm NODE SEVERITY\" and \"clear NODE\" lines");
  }
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"vqtopo: the topology database of a management server, from the command line.\n"
               "Exit codes: 0 done, 1 not found, 2 usage, 3 server."};
  app.require_subcommand(1);
  Options options;
  add_query_commands(app, options);
  add_transfer_commands(app, options);
  add_live_commands(app, options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : static_cast<int>(ExitCode::usage);
  }
  const Outcome outcome = run(app, options);
  if (!outcome) std::cerr << "vqtopo: " << outcome.message() << '\n';
  return static_cast<int>(outcome.code());
}
