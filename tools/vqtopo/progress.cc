#include "progress.h"

#include <iostream>

Progress::Progress(std::string what)
    : what_(std::move(what)), start_(Clock::now()), last_(start_) {}

Progress::~Progress() {
  if (shown_) std::cerr << '\n';
}

void Progress::step(std::size_t done) {
  const Clock::time_point now = Clock::now();
  if (now - start_ < std::chrono::seconds(1)) return;
  if (shown_ && now - last_ < std::chrono::milliseconds(250)) return;
  last_ = now;
  shown_ = true;
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now - start_).count();
  std::cerr << "\rvqtopo: " << what_ << ": " << done << " after " << seconds << " s"
            << std::flush;
}
