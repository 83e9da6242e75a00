// The server as a process: bad peers dropped alone, who may connect, the tree kept across
// a restart, and servers of two processes linked as one world.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <tuple>

#include "daemon_fixture.h"
#include "endpoint.h"
#include "frame.h"

namespace daemon_testing {
namespace {

using hvx::net::encode_frame;
using hvx::net::FrameKind;

// A socket that says whatever the case makes it say.
int raw_connect(const std::string& address) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un un{};
  un.sun_family = AF_UNIX;
  const std::string path = address.substr(5);
  path.copy(un.sun_path, sizeof un.sun_path - 1);
  EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&un), sizeof un), 0);
  return fd;
}

// True when the server closes the socket within two seconds.
bool closed_by_server(int fd) {
  timeval timeout{2, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  char buffer[256];
  for (;;) {
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n == 0) return true;
    // A close that leaves our bytes unread in the server resets the connection instead.
    if (n < 0) return errno == ECONNRESET;
  }
}

TEST(DaemonTest, BadPeersAreDroppedAloneAndTheOthersGoOn) {
  const std::string request = create_node("", "n").encode().str();
  const std::string hello = encode_frame(FrameKind::hello, "client\n");
  // hang_up: the peer leaves rather than being dropped
  const std::tuple<const char*, std::string, bool> cases[] = {
      {"garbage", "GET / HTTP/1.1\r\n\r\n", false},
      {"nothing at all", "", false},
      {"a frame claiming 4 GiB", std::string("\xff\xff\xff\xff\x04", 5), false},
      {"a request before the greeting", encode_frame(FrameKind::message, request), false},
      {"a message that is no request", hello + encode_frame(FrameKind::message, "\x30\x01"), false},
      {"an unknown frame kind", hello + std::string("\x00\x00\x00\x01\x09", 5), false},
      {"half a request, then gone", hello + encode_frame(FrameKind::message, request).substr(0, 9),
       true},
  };
  TempDir dir;
  hvx::daemon::DaemonOptions options = unix_options(dir, "A");
  options.greeting_seconds = 0.2;
  RunningDaemon daemon(options);
  Client steady(daemon.address());
  ASSERT_TRUE(steady.status().ok()) << steady.status().text();
  int made = 0;
  for (const auto& [name, bytes, hang_up] : cases) {
    SCOPED_TRACE(name);
    const int fd = raw_connect(daemon.address());
    ASSERT_EQ(::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(bytes.size()));
    EXPECT_TRUE(hang_up || closed_by_server(fd));
    ::close(fd);
    // The client connected before goes on, and new ones are served.
    EXPECT_TRUE(succeeded(steady.call(create_node("", "steady " + std::to_string(++made)))));
    Client after(daemon.address());
    EXPECT_TRUE(succeeded(after.call(get("/systemId=name:\"A\"")))) << after.status().text();
  }
}

TEST(DaemonTest, AClientThatDoesNotReadIsDroppedOnceTooMuchWaitsForIt) {
  TempDir dir;
  hvx::daemon::DaemonOptions options = unix_options(dir, "A");
  options.output_limit = 64 << 10;
  RunningDaemon daemon(options);
  Client steady(daemon.address());
  const int fd = raw_connect(daemon.address());
  std::string flood = encode_frame(FrameKind::hello, "client\n");
  hvx::Message request = get("/systemId=name:\"A\"");
  for (int i = 1; i <= 20000; ++i) {
    request.set_id(i);
    flood += encode_frame(FrameKind::message, request.encode().view());
  }
  // The server reads all of it while its replies pile up unread.
  timeval timeout{2, 0};
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  ::send(fd, flood.data(), flood.size(), MSG_NOSIGNAL);
  EXPECT_TRUE(closed_by_server(fd));
  ::close(fd);
  EXPECT_TRUE(succeeded(steady.call(get("/systemId=name:\"A\""))));
}

TEST(DaemonTest, WhoMayConnect) {
  TempDir dir;
  { std::ofstream(dir / "token") << "s3cret\n"; }
  chmod((dir / "token").c_str(), 0600);
  hvx::daemon::DaemonOptions options = unix_options(dir, "A");
  options.listen = "tcp:127.0.0.1:0";
  options.token_file = dir / "token";
  RunningDaemon daemon(options);
  // refusal: "" when accepted
  const std::tuple<std::string, std::string> cases[] = {
      {"", "needs a token"}, {"s3cre", "wrong token"}, {"s3cret!", "wrong token"}, {"s3cret", ""}};
  for (const auto& [token, refusal] : cases) {
    SCOPED_TRACE(token);
    Client client(daemon.address(), token);
    if (refusal.empty()) {
      ASSERT_TRUE(client.status().ok()) << client.status().text();
      EXPECT_TRUE(succeeded(client.call(get("/systemId=name:\"A\""))));
    } else {
      EXPECT_EQ(client.status().code(), hvx::ErrorCode::access_denied);
      EXPECT_NE(client.status().message().find(refusal), std::string::npos)
          << client.status().message();
    }
  }

  // The Unix socket is the owner's alone, in a directory only the owner may write.
  RunningDaemon local(unix_options(dir, "B"));
  struct stat info {};
  ASSERT_EQ(stat((dir / "run/B.sock").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 077, 0u);
  chmod((dir / "run").c_str(), 0777);
  hvx::daemon::Daemon refused(unix_options(dir, "C"));
  EXPECT_EQ(refused.start().code(), hvx::ErrorCode::access_denied);
  // Off loopback, a server without a token does not start; a token others may read neither.
  options.listen = "tcp:0.0.0.0:0";
  options.token_file.clear();
  EXPECT_FALSE(hvx::daemon::Daemon(options).start().ok());
  chmod((dir / "token").c_str(), 0644);
  options.token_file = dir / "token";
  EXPECT_FALSE(hvx::daemon::Daemon(options).start().ok());
}

TEST(DaemonTest, TheTreeSurvivesARestartAndNodesGoOnBeingMade) {
  TempDir dir;
  hvx::daemon::DaemonOptions options = unix_options(dir, "A");
  options.database = dir / "tree.db";
  std::string kept;
  {
    RunningDaemon daemon(options);
    Client client(daemon.address());
    const auto replies = client.call(create_node("", "kept"));
    ASSERT_TRUE(succeeded(replies));
    kept = name_in(replies.back());
    // Refused: nothing of it is kept.
    hvx::Message bad = create_node("", "bad");
    bad.set(hvx::Message::SUPERIOR, hvx::fdn2oi("/systemId=name:\"A\"/nowhere=1"));
    EXPECT_FALSE(succeeded(client.call(bad)));
  }
  RunningDaemon daemon(options);
  Client client(daemon.address());
  const auto read = client.call(get(kept));
  ASSERT_TRUE(succeeded(read)) << kept;
  EXPECT_NE(hvx::Message(read.back()).get(hvx::Message::ATTRIBUTES).encode().view().find("kept"),
            std::string_view::npos);
  // What the topology database derives came back too: the next node gets a new id.
  const auto next = client.call(create_node("", "next"));
  ASSERT_TRUE(succeeded(next));
  EXPECT_NE(name_in(next.back()), kept);
}

TEST(DaemonTest, ServersOfTwoProcessesAreLinkedAsOneWorld) {
  TempDir dir;
  RunningDaemon lower(unix_options(dir, "B"));
  RunningDaemon upper(unix_options(dir, "A", {{"B", lower.address()}}));
  Client client(upper.address());
  const auto made = client.call(create_node(kViaB, "far"));
  ASSERT_TRUE(succeeded(made));
  const std::string name = name_in(made.back());
  EXPECT_EQ(name.rfind(kViaB, 0), 0u) << name;
  // B holds it, and its notification came up through A, named by the same route.
  Client direct(lower.address());
  EXPECT_TRUE(succeeded(direct.call(get("/systemId=name:\"B\"/" + name.substr(kViaB.size())))));
  const std::vector<hvx::Message> events = client.events();
  EXPECT_TRUE(std::any_of(events.begin(), events.end(),
                          [&](const hvx::Message& event) { return name_in(event) == name; }));
  // An unknown system behind the table is no object.
  EXPECT_FALSE(
      succeeded(client.call(get("/serverTableType=\"mis\"/misId=\"Z\"/topoNodeDBId=NULL"))));
}

TEST(DaemonTest, ALinkWhoseServerIsGoneFailsItsRequestsWithNotConnected) {
  TempDir dir;
  auto lower = std::make_unique<RunningDaemon>(unix_options(dir, "B"));
  RunningDaemon upper(unix_options(dir, "A", {{"B", lower->address()}}));
  Client client(upper.address());
  const std::string far = kViaB + "topoNodeDBId=NULL";
  ASSERT_TRUE(succeeded(client.call(get(far))));
  lower.reset();
  const auto replies = client.call(get(far));
  ASSERT_FALSE(replies.empty());
  EXPECT_EQ(replies.back().error_code(), hvx::ErrorCode::not_connected);
  // Its clients heard of it as of any link's change: from the server table.
  int reports = 0;
  for (const hvx::Message& event : client.events()) {
    reports += name_in(event) == "/systemId=name:\"A\"/serverTableType=\"mis\"";
  }
  EXPECT_EQ(reports, 1);
  EXPECT_TRUE(succeeded(client.call(get("/systemId=name:\"A\""))));
}

TEST(DaemonTest, ANotificationGoesRoundACycleOfLinksOnce) {
  TempDir dir;
  // B is not up yet when A starts: A tries again.
  RunningDaemon a(unix_options(dir, "A", {{"B", "unix:" + (dir / "run") + "/B.sock"}}));
  RunningDaemon b(unix_options(dir, "B", {{"A", a.address()}}));
  Client client(a.address());
  const std::string far = kViaB + "topoNodeDBId=NULL";
  for (int i = 0; i < 100 && !succeeded(client.call(get(far))); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(succeeded(client.call(get(far))));
  const auto made = client.call(create_node("", "round"));
  ASSERT_TRUE(succeeded(made));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  int heard = 0, came_back = 0;
  for (const hvx::Message& event : client.events()) {
    const std::string name = name_in(event);
    heard += name == name_in(made.back());
    came_back += name.find("misId=\"A\"") != std::string::npos;
  }
  EXPECT_EQ(heard, 1);
  EXPECT_EQ(came_back, 0);
}

TEST(EndpointTest, AddressesAreReadOrRefused) {
  const std::tuple<std::string, bool, const char*> cases[] = {
      {"unix:/run/a.sock", true, "unix:/run/a.sock"},
      {"tcp:127.0.0.1:7001", true, "tcp:127.0.0.1:7001"},
      {"tcp:127.0.0.1:0", true, "tcp:127.0.0.1:0"},
      {"tcp:127.0.0.1:65536", false, ""},
      {"tcp:127.0.0.1:", false, ""},
      {"tcp:127.0.0.1:7a", false, ""},
      {"tcp:localhost:7001", false, ""},
      {"tcp:127.0.0.1", false, ""},
      {"unix:", false, ""},
      {"unix:/" + std::string(200, 'x'), false, ""},
      {"udp:127.0.0.1:1", false, ""},
  };
  for (const auto& [text, ok, printed] : cases) {
    SCOPED_TRACE(text);
    hvx::net::Endpoint endpoint;
    const hvx::Status status = hvx::net::Endpoint::parse(text, endpoint);
    EXPECT_EQ(status.ok(), ok) << status.text();
    if (ok) {
      EXPECT_EQ(endpoint.text(), printed);
    }
  }
  hvx::net::Endpoint endpoint;
  ASSERT_TRUE(hvx::net::Endpoint::parse("tcp:10.0.0.1:1", endpoint).ok());
  EXPECT_FALSE(endpoint.local_only());
}

}  // namespace
}  // namespace daemon_testing
