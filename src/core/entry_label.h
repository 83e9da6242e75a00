// The label that starts every entry of a printed handle, right-aligned in its field (32
// columns unless a handle says otherwise).
#ifndef DEDAVUZ_CORE_ENTRY_LABEL_H_
#define DEDAVUZ_CORE_ENTRY_LABEL_H_

#include <cstddef>
#include <string>
#include <string_view>

// A label longer than the field is kept whole.
inline std::string vq_entry_label(std::string_view label, std::size_t width = 32) {
  std::string text(label.size() < width ? width - label.size() : 0, ' ');
  text += label;
  return text;
}

#endif  // DEDAVUZ_CORE_ENTRY_LABEL_H_
