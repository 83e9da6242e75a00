// What the name fuzz targets share: the choice of local system, and what counts as a plain
// name, one whose texts hold nothing the name parsers look for, so that its slash form reads
// back as the same name. Degenerate names (quotes, markers, empty parts, the local system
// met twice on a path) are only parsed.
#ifndef DEDAVUZ_FUZZ_NAME_FUZZ_H_
#define DEDAVUZ_FUZZ_NAME_FUZZ_H_

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "core/local_system.h"

// Sets the local system from an input's first byte: named, so names can be local, or
// unset, so every system is remote. Returns its name, empty when unset.
inline std::string use_local_system(std::uint8_t choice) {
  if (choice & 1) {
    unsetenv("VQ_LOGICAL_HOST");
    return "";
  }
  setenv("VQ_LOGICAL_HOST", "fuzzhost", 1);
  return "fuzzhost";
}

inline bool holds_any(const std::string& s, std::initializer_list<const char*> markers) {
  for (const char* marker : markers) {
    if (s.find(marker) != std::string::npos) return true;
  }
  return false;
}

// A system path with no empty part, none of `markers`, and at most once each the local
// system and the default platform's own one (type and agent slash forms compare against the
// latter, which keeps the name it had when first asked).
inline bool is_plain_system(const std::string& system, const std::string& local,
                            std::initializer_list<const char*> markers) {
  if (system.empty() || system.back() == '/' || system.find("//") != std::string::npos ||
      holds_any(system, markers)) {
    return false;
  }
  const std::string platform = vq_platform_system_name();
  int locals = 0;
  int platforms = 0;
  std::size_t start = system.front() == '/' ? 1 : 0;
  while (start <= system.size()) {
    std::size_t end = system.find('/', start);
    if (end == std::string::npos) end = system.size();
    if (system.compare(start, end - start, local) == 0) ++locals;
    if (system.compare(start, end - start, platform) == 0) ++platforms;
    start = end + 1;
  }
  return locals <= 1 && platforms <= 1;
}

#endif  // DEDAVUZ_FUZZ_NAME_FUZZ_H_
