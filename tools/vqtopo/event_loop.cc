#include "event_loop.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <iostream>

#include "hvx/platform.h"

namespace {

volatile std::sig_atomic_t stop_requested = 0;

extern "C" void request_stop(int) { stop_requested = 1; }

constexpr int poll_milliseconds = 20;

}  // namespace

EventLoop::EventLoop(const LiveOptions& options, DemoControl& control)
    : options_(options), control_(control), input_open_(options.commands) {
  VQTopoNode::register_callback(all_events, &EventLoop::on_event, this);
}

EventLoop::~EventLoop() { VQTopoNode::unregister_callback(&EventLoop::on_event, this); }

void EventLoop::on_event(const VQTopoNodeCallbackData& data) {
  // Only kept here: the library may be inside a call of its own, so reading more from the
  // server waits until the dispatch is over.
  static_cast<EventLoop*>(data.client_data)->pending_.push_back({data.event, data.dn, data.node});
}

void EventLoop::read_commands() {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  if (::poll(&input, 1, poll_milliseconds) <= 0) return;
  char buffer[4096];
  const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
  if (got <= 0) {
    input_open_ = false;
    return;
  }
  input_.append(buffer, static_cast<std::size_t>(got));
  for (std::size_t end = input_.find('\n'); end != std::string::npos; end = input_.find('\n')) {
    const Outcome outcome = control_.execute(input_.substr(0, end));
    if (!outcome) std::cerr << "vqtopo: " << outcome.message() << '\n';
    input_.erase(0, end + 1);
  }
}

Outcome EventLoop::run(const std::function<bool(const std::vector<NodeEvent>&)>& handle) {
  stop_requested = 0;
  std::signal(SIGINT, request_stop);
  std::signal(SIGTERM, request_stop);
  const auto start = std::chrono::steady_clock::now();
  const auto limit = std::chrono::duration<double>(options_.seconds);
  long delivered = 0;
  while (stop_requested == 0) {
    if (options_.seconds > 0 && std::chrono::steady_clock::now() - start >= limit) break;
    if (input_open_) {
      read_commands();
    } else {
      ::usleep(poll_milliseconds * 1000);
    }
    hvx::Platform::default_platform().dispatch_recursive(false);
    if (pending_.empty()) continue;
    std::vector<NodeEvent> batch;
    batch.swap(pending_);
    if (options_.count > 0 && delivered + static_cast<long>(batch.size()) > options_.count) {
      batch.resize(static_cast<std::size_t>(options_.count - delivered));
    }
    delivered += static_cast<long>(batch.size());
    if (!handle(batch)) break;
    if (options_.count > 0 && delivered >= options_.count) break;
  }
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  return {};
}
