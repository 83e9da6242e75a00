// vqmisd: a management information server as a process of its own, shared by the
// applications that name it in HVX_SERVER.
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>
#include <CLI/CLI.hpp>

#include "daemon.h"

namespace {

std::atomic<bool> stop_requested{false};

void request_stop(int) { stop_requested.store(true); }

std::string default_address() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string directory = runtime != nullptr && *runtime != '\0'
                                    ? std::string(runtime) + "/vqmisd"
                                    : "/tmp/vqmisd-" + std::to_string(getuid());
  return "unix:" + directory + "/mis.sock";
}

}  // namespace

int main(int argc, char** argv) {
  hvx::daemon::DaemonOptions options;
  std::vector<std::string> links;
  options.listen = default_address();
  CLI::App app{"vqmisd: a management information server shared by the applications of a system"};
  app.add_option("--name", options.system, "the local system's name")->required();
  app.add_option("--listen", options.listen,
                 "unix:<path> or tcp:<IPv4 address>:<port> (port 0: any free one)")
      ->capture_default_str();
  app.add_option("--group", options.group, "a group that may also use the Unix socket");
  app.add_option("--token-file", options.token_file,
                 "clients must present this file's token (required off loopback)");
  app.add_option("--database", options.database, "SQLite file that keeps the tree");
  app.add_flag("--full-sync", options.full_sync,
               "each change reaches the disk before it is acknowledged");
  app.add_option("--link", links, "SYSTEM=ADDRESS of a server linked under this one");
  CLI11_PARSE(app, argc, argv);
  for (const std::string& link : links) {
    const std::size_t equals = link.find('=');
    if (equals == std::string::npos || equals == 0) {
      std::cerr << "vqmisd: --link wants SYSTEM=ADDRESS, not " << link << "\n";
      return 2;
    }
    options.links.emplace_back(link.substr(0, equals), link.substr(equals + 1));
  }

  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGTERM, request_stop);
  std::signal(SIGINT, request_stop);
  hvx::daemon::Daemon daemon(options);
  hvx::Status status = daemon.start();
  if (!status.ok()) {
    std::cerr << "vqmisd: " << status.text() << "\n";
    return 1;
  }
  // Scripts wait for this line to know the server is up.
  std::cout << "ready " << daemon.address() << std::endl;
  status = daemon.run(stop_requested);
  if (!status.ok()) {
    std::cerr << "vqmisd: " << status.text() << "\n";
    return 1;
  }
  return 0;
}
