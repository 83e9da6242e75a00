// Servers as processes, run on threads of the test: a daemon in a private directory, and a
// raw client that sends requests and collects what comes back.
#ifndef DEDAVUZ_TESTS_HVX_DAEMON_DAEMON_FIXTURE_H_
#define DEDAVUZ_TESTS_HVX_DAEMON_DAEMON_FIXTURE_H_

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "daemon.h"
#include "dn.h"
#include "hvx/message.h"
#include "hvx/names.h"
#include "raw_requests.h"
#include "socket_transport.h"

namespace daemon_testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vqmisd.XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

class RunningDaemon {
 public:
  explicit RunningDaemon(hvx::daemon::DaemonOptions options) : daemon_(std::move(options)) {
    const hvx::Status status = daemon_.start();
    EXPECT_TRUE(status.ok()) << status.text();
    if (!status.ok()) return;
    thread_ = std::thread([this] { (void)daemon_.run(stop_); });
  }
  ~RunningDaemon() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  std::string address() const { return daemon_.address(); }

 private:
  hvx::daemon::Daemon daemon_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

class Client : public hvx::TransportSink {
 public:
  explicit Client(const std::string& address, const std::string& token = "") {
    status_ = hvx::SocketTransport::open(address, "client", token, transport_);
    if (status_.ok()) transport_->attach(this);
  }
  const hvx::Status& status() const { return status_; }

  void receive(const hvx::DataUnit& pdu) override {
    hvx::Message message;
    if (hvx::Message::decode(pdu, message).ok()) received_.push_back(message);
  }
  // Sends `request` and waits (up to 5 s) for its final reply; empty when none came.
  std::vector<hvx::Message> call(hvx::Message request) {
    request.set_id(next_id_++);
    transport_->submit(request.encode());
    std::vector<hvx::Message> replies;
    const double deadline = transport_->now() + 5;
    for (;;) {
      for (auto it = received_.begin(); it != received_.end();) {
        if (it->id() == request.id() && it->type() != hvx::Message::EVENT_REPORT) {
          replies.push_back(*it);
          it = received_.erase(it);
          if (replies.back().is_final_reply()) return replies;
        } else {
          ++it;
        }
      }
      if (!transport_->pump(deadline) && transport_->now() >= deadline) return replies;
    }
  }
  // Notifications received so far.
  std::vector<hvx::Message> events() {
    transport_->pump(transport_->now() + 0.05);
    std::vector<hvx::Message> out;
    for (const hvx::Message& message : received_) {
      if (message.type() == hvx::Message::EVENT_REPORT) out.push_back(message);
    }
    return out;
  }

 private:
  hvx::Status status_;
  std::unique_ptr<hvx::SocketTransport> transport_;
  std::vector<hvx::Message> received_;
  long next_id_ = 1;
};

// How a server names the objects of the server it links to as B.
inline const std::string kViaB = "/serverTableType=\"mis\"/misId=\"B\"/";

// A request to create node `name` of the topology database reached by `prefix`.
inline hvx::Message create_node(const std::string& prefix, const std::string& name) {
  return hvx::daemon::node_create_request(hvx::fdn2oi(prefix + "topoNodeDBId=NULL"), name);
}
inline hvx::Message get(const std::string& name) {
  return hvx::daemon::get_request(hvx::fdn2oi(name));
}

// The name a reply or notification carries, in slash form.
inline std::string name_in(const hvx::Message& message) {
  hvx::dn::Rdns name;
  if (!hvx::dn::parse(message.get_object_instance(), name)) return "";
  return hvx::dn::format(name, true);
}

inline bool succeeded(const std::vector<hvx::Message>& replies) {
  return !replies.empty() && replies.back().base_type() == hvx::Message::RESULT;
}

// A server of `system` on a Unix socket in `dir`, linked to the (system, address) given.
inline hvx::daemon::DaemonOptions unix_options(
    const TempDir& dir, const std::string& system,
    std::vector<std::pair<std::string, std::string>> links = {}) {
  hvx::daemon::DaemonOptions options;
  options.system = system;
  options.listen = "unix:" + (dir / "run") + "/" + system + ".sock";
  options.links = std::move(links);
  return options;
}

}  // namespace daemon_testing

#endif  // DEDAVUZ_TESTS_HVX_DAEMON_DAEMON_FIXTURE_H_
