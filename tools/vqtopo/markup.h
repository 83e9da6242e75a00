// Escaping of text placed in XML (SVG, draw.io) and DOT documents.
#ifndef VQTOPO_MARKUP_H_
#define VQTOPO_MARKUP_H_

#include <string>
#include <string_view>

// &, <, >, " and ' as entities; control characters other than tab and newline dropped,
// since XML 1.0 cannot hold them at all.
std::string xml_escape(std::string_view text);
// Inside a double-quoted DOT string: backslash and quote escaped, newlines as \n.
std::string dot_escape(std::string_view text);

#endif  // VQTOPO_MARKUP_H_
