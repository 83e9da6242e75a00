// LiveMap: the current drawing of a served view, handed from the thread that follows the
// server to the HTTP threads that stream it to browsers.
#ifndef VQTOPO_LIVE_MAP_H_
#define VQTOPO_LIVE_MAP_H_

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

class LiveMap {
 public:
  void publish(std::string drawing);
  std::string current() const;
  // Waits up to `timeout` for a drawing newer than version `seen`; true (and `seen`
  // moved on) when there is one. False as well once the map is closed.
  bool wait_newer(std::uint64_t& seen, std::string& drawing, std::chrono::milliseconds timeout);
  void close();
  bool closed() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t version_ = 0;
  std::string drawing_;
  bool closed_ = false;
};

#endif  // VQTOPO_LIVE_MAP_H_
