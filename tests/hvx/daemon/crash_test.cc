// A server killed with SIGKILL at random points while clients create nodes: whatever it
// acknowledged is there when it starts again. VQMISD_CRASH_ROUNDS sets how many kills.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>

#include "daemon_fixture.h"

extern char** environ;

namespace daemon_testing {
namespace {

// Starts vqmisd and waits for it to say it is ready.
pid_t spawn_server(const TempDir& dir) {
  const std::string out = dir / "out";
  std::remove(out.c_str());
  const std::string listen = "unix:" + (dir / "run") + "/A.sock";
  const std::string database = dir / "tree.db";
  const char* argv[] = {VQMISD_PATH,  "--name",         "A",    "--listen", listen.c_str(),
                        "--database", database.c_str(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, (dir / "log").c_str(),
                                   O_WRONLY | O_CREAT | O_APPEND, 0600);
  pid_t pid = 0;
  posix_spawn(&pid, VQMISD_PATH, &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  for (int i = 0; i < 500; ++i) {
    std::ifstream ready(out);
    std::string word;
    if (ready >> word && word == "ready") return pid;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ADD_FAILURE() << "vqmisd did not start";
  return pid;
}

TEST(CrashTest, AKilledServerLosesNothingItAcknowledged) {
  const char* setting = std::getenv("VQMISD_CRASH_ROUNDS");
  const int rounds = setting != nullptr ? std::atoi(setting) : 3;
  TempDir dir;
  const std::string address = "unix:" + (dir / "run") + "/A.sock";
  std::mt19937 random(20261207);
  std::vector<std::string> acknowledged;
  for (int round = 0; round <= rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const pid_t shell = spawn_server(dir);
    Client client(address);
    ASSERT_TRUE(client.status().ok()) << client.status().text();
    for (const std::string& name : acknowledged) {
      ASSERT_TRUE(succeeded(client.call(get(name)))) << name << " was acknowledged, then lost";
    }
    if (round == rounds) {
      kill(shell, SIGTERM);
      waitpid(shell, nullptr, 0);
      break;
    }
    const auto delay = std::chrono::milliseconds(std::uniform_int_distribution<>(5, 60)(random));
    std::thread killer([shell, delay] {
      std::this_thread::sleep_for(delay);
      kill(shell, SIGKILL);
    });
    // Bounded: the kill comes long before the last of these.
    for (int i = 0; i < 100000; ++i) {
      const auto replies =
          client.call(create_node("", "r" + std::to_string(round) + "-" + std::to_string(i)));
      if (!succeeded(replies)) break;
      acknowledged.push_back(name_in(replies.back()));
    }
    killer.join();
    waitpid(shell, nullptr, 0);
  }
  EXPECT_GT(acknowledged.size(), static_cast<std::size_t>(rounds));
}

}  // namespace
}  // namespace daemon_testing
