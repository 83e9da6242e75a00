// Progress: a line on standard error, kept up to date, for work that has taken more than a
// second; quicker work prints nothing.
#ifndef VQTOPO_PROGRESS_H_
#define VQTOPO_PROGRESS_H_

#include <chrono>
#include <cstddef>
#include <string>

class Progress {
 public:
  explicit Progress(std::string what);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // `done` items so far.
  void step(std::size_t done);

 private:
  using Clock = std::chrono::steady_clock;
  std::string what_;
  Clock::time_point start_;
  Clock::time_point last_;
  bool shown_ = false;
};

#endif  // VQTOPO_PROGRESS_H_
