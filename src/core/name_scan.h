// A small sscanf for distinguished-name texts: it matches the scan formats of the name
// constants without fixed-size buffers and never reads past the text.
#ifndef DEDAVUZ_CORE_NAME_SCAN_H_
#define DEDAVUZ_CORE_NAME_SCAN_H_

#include <string>
#include <string_view>
#include <vector>

// What one scan assigned, each kind in format order.
struct VQScanResult {
  // The number of assigned items, as sscanf counts them.
  int items = 0;
  std::vector<std::string> strings;
  std::vector<long> numbers;
};

// Matches `text` against `format` as sscanf does for the directives the name formats use:
// ordinary characters, white space, scan sets (%[...] and %*[...], optionally negated) and
// decimal integers (%ld, %d, %*ld). The scan stops at the first mismatch, as sscanf does;
// any other directive stops it too. Numbers outside the 32-bit range of node ids are
// clamped to it.
VQScanResult vq_scan(std::string_view text, std::string_view format);

// The decimal number at the start of `text` as atoi reads it (blanks, a sign, digits), 0
// when there is none; clamped to the 32-bit range like the numbers of vq_scan.
long vq_atoi(std::string_view text);

#endif  // DEDAVUZ_CORE_NAME_SCAN_H_
