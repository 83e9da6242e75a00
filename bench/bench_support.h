// What the benchmarks share: names numbered in a loop, and the end of a run whose setup
// failed.
#ifndef DEDAVUZ_BENCH_BENCH_SUPPORT_H_
#define DEDAVUZ_BENCH_BENCH_SUPPORT_H_

#include <cstdlib>
#include <iostream>
#include <string>

namespace bench_support {

// `prefix` followed by the number, built by appending.
inline std::string numbered(const char* prefix, long n) {
  std::string text(prefix);
  text += std::to_string(n);
  return text;
}

// Says which step of `program` failed and ends the run.
[[noreturn]] inline void fail(const char* program, const std::string& what) {
  std::cerr << program << ": " << what << " failed\n";
  std::exit(1);
}

}  // namespace bench_support

#endif  // DEDAVUZ_BENCH_BENCH_SUPPORT_H_
