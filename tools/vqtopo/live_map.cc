#include "live_map.h"

void LiveMap::publish(std::string drawing) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    drawing_ = std::move(drawing);
    ++version_;
  }
  changed_.notify_all();
}

std::string LiveMap::current() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return drawing_;
}

bool LiveMap::wait_newer(std::uint64_t& seen, std::string& drawing,
                         std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait_for(lock, timeout, [&] { return closed_ || version_ != seen; });
  if (closed_ || version_ == seen) return false;
  seen = version_;
  drawing = drawing_;
  return true;
}

void LiveMap::close() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

bool LiveMap::closed() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
}
