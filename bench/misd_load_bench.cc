// Clients of a vqmisd over its Unix socket: 1, 4 and 16 of them at once reading a node, and
// creating nodes and reading them back, with the tree kept in SQLite. Reports throughput
// (items per second over all clients) and each client's p50/p99 round trip, averaged.
// Loopback only; the server stops when the run ends.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "daemon.h"
#include "dn.h"
#include "hvx/ber.h"
#include "hvx/message.h"
#include "hvx/names.h"
#include "raw_requests.h"
#include "socket_transport.h"

namespace {

struct Server {
  std::string directory;
  std::unique_ptr<hvx::daemon::Daemon> daemon;
  std::atomic<bool> stop{false};
  std::thread thread;

  Server() {
    std::string pattern = (std::filesystem::temp_directory_path() / "misd_bench.XXXXXX").string();
    directory = mkdtemp(pattern.data());
    hvx::daemon::DaemonOptions options;
    options.system = "bench";
    options.listen = "unix:" + directory + "/run/mis.sock";
    options.database = directory + "/tree.db";
    daemon = std::make_unique<hvx::daemon::Daemon>(options);
    const hvx::Status status = daemon->start();
    if (!status.ok())
      bench_support::fail("misd_load_bench", "starting the server: " + status.text());
    thread = std::thread([this] { (void)daemon->run(stop); });
  }
  ~Server() {
    stop = true;
    thread.join();
    daemon.reset();
    std::filesystem::remove_all(directory);
  }
};

Server& server() {
  static Server running;
  return running;
}

// One client: requests out, replies counted in.
class Client : public hvx::TransportSink {
 public:
  Client() {
    const hvx::Status status =
        hvx::SocketTransport::open(server().daemon->address(), "client", "", transport_);
    if (!status.ok()) bench_support::fail("misd_load_bench", "connecting: " + status.text());
    transport_->attach(this);
  }
  void receive(const hvx::DataUnit& pdu) override {
    hvx::Message message;
    if (hvx::Message::decode(pdu, message).ok() && message.id() == waiting_ &&
        message.is_final_reply()) {
      done_ = true;
      last_ = std::move(message);
    }
  }
  // One round trip; the reply.
  const hvx::Message& call(hvx::Message& request) {
    request.set_id(++next_id_);
    waiting_ = request.id();
    done_ = false;
    transport_->submit(request.encode());
    const double deadline = transport_->now() + 10;
    while (!done_) {
      if (!transport_->pump(deadline) && transport_->now() >= deadline) {
        bench_support::fail("misd_load_bench", "a request");
      }
    }
    return last_;
  }

 private:
  std::unique_ptr<hvx::SocketTransport> transport_;
  long next_id_ = 0;
  long waiting_ = 0;
  bool done_ = false;
  hvx::Message last_;
};

void report(benchmark::State& state, std::vector<double>& latencies) {
  if (latencies.empty()) return;
  std::sort(latencies.begin(), latencies.end());
  const auto at = [&latencies](double q) {
    return latencies[std::min(latencies.size() - 1,
                              static_cast<std::size_t>(q * latencies.size()))];
  };
  state.counters["p50_us"] = benchmark::Counter(at(0.50), benchmark::Counter::kAvgThreads);
  state.counters["p99_us"] = benchmark::Counter(at(0.99), benchmark::Counter::kAvgThreads);
  state.SetItemsProcessed(state.iterations());
}

double micros_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
      .count();
}

void BM_ReadNode(benchmark::State& state) {
  Client client;
  hvx::Message request = hvx::daemon::get_request(
      hvx::fdn2oi("/systemId=name:\"bench\"/topoNodeDBId=NULL/topoNodeId=1"));
  std::vector<double> latencies;
  latencies.reserve(1 << 16);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const hvx::Message& reply = client.call(request);
    latencies.push_back(micros_since(start));
    if (reply.base_type() != hvx::Message::RESULT) state.SkipWithError("read refused");
  }
  report(state, latencies);
}

void BM_CreateAndReadNode(benchmark::State& state) {
  Client client;
  std::vector<double> latencies;
  latencies.reserve(1 << 16);
  long n = 0;
  for (auto _ : state) {
    hvx::Message create = hvx::daemon::node_create_request(
        hvx::fdn2oi("/systemId=name:\"bench\"/topoNodeDBId=NULL"),
        bench_support::numbered("node ", state.thread_index() * 1000000L + ++n));
    auto start = std::chrono::steady_clock::now();
    const hvx::Message& made = client.call(create);
    latencies.push_back(micros_since(start));
    if (made.base_type() != hvx::Message::RESULT) {
      state.SkipWithError("create refused");
      break;
    }
    hvx::Message read = hvx::daemon::get_request(made.get_object_instance());
    start = std::chrono::steady_clock::now();
    client.call(read);
    latencies.push_back(micros_since(start));
  }
  report(state, latencies);
  state.SetItemsProcessed(state.iterations() * 2);
}

BENCHMARK(BM_ReadNode)->Threads(1)->Threads(4)->Threads(16)->UseRealTime();
BENCHMARK(BM_CreateAndReadNode)->Threads(1)->Threads(4)->Threads(16)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  server();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
