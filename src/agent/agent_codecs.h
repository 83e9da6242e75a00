// The pieces of the agent attribute tables the three agent kinds share: texts and numbers
// moved through the image's string and integer access, and their printed lines.
#ifndef DEDAVUZ_AGENT_AGENT_CODECS_H_
#define DEDAVUZ_AGENT_AGENT_CODECS_H_

#include <ostream>
#include <string>

#include "core/attribute_codecs.h"
#include "core/server_image.h"
#include "hvx/image.h"
#include "hvx/morf.h"

// The labels of agent attributes printed with an opening quote take 33 columns.
inline constexpr int kVQQuotedWidth = 33;

// Texts travel as NUL-terminated strings: what follows a zero byte is not part of them.
inline std::string vq_c_text(const std::string& text) { return text.substr(0, text.find('\0')); }

inline VQStatus vq_staged(bool written, const hvx::Image& image) {
  return written ? VQStatus::success : vq_platform_error(image);
}

// Stages a fixed text (format 0) in REPLACE mode; a refusal gives code 1.
inline VQStatus vq_stage_text(hvx::Image& image, const std::string& attribute,
                              const std::string& text) {
  return vq_staged(image.set_str(vq_du(attribute), vq_du(text), hvx::REPLACE, 0), image);
}

// "<label><value>\"": the label opens the quote.
template <auto F>
void vq_print_quoted(std::ostream& os, const std::string& label, const VQRepOf<F>& rep) {
  os << label << rep.*F << "\"\n";
}

// A text, read as the image's string getter (format 0) gives it.
template <auto F>
VQStatus vq_decode_text(VQRepOf<F>& rep, const hvx::Morf& value, const std::string&) {
  rep.*F = vq_c_text(value.get_str(0));
  return VQStatus::success;
}
// A text staged through the string setter in `Format`; a refusal gives code 1.
template <auto F, int Format>
VQStatus vq_encode_text(const VQRepOf<F>& rep, hvx::Image& image, const std::string& attribute,
                        const std::string&) {
  return vq_staged(image.set_str(vq_du(attribute), vq_du(vq_c_text(rep.*F)), hvx::REPLACE, Format),
                   image);
}

// A number staged through the integer setter; a refusal gives code 1.
template <auto F>
VQStatus vq_encode_number(const VQRepOf<F>& rep, hvx::Image& image, const std::string& attribute,
                          const std::string&) {
  return vq_staged(image.set_long(vq_du(attribute), static_cast<long>(rep.*F), hvx::REPLACE),
                   image);
}

#endif  // DEDAVUZ_AGENT_AGENT_CODECS_H_
