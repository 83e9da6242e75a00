#include "svg_export.h"

#include <algorithm>
#include <sstream>

#include "markup.h"
#include "severity.h"

namespace {

constexpr long header = 44;   // the band that holds the chain of views
constexpr long margin = 60;   // room around the outermost nodes for their labels
constexpr long radius = 14;

long centre_x(const ViewModel::Item& item) { return item.x + margin; }
long centre_y(const ViewModel::Item& item) { return item.y + header + margin; }

// Each view of the chain as a coloured label; the text width is estimated, which is all
// that a header needs.
void write_chain(const ViewModel& model, std::ostream& out) {
  long x = 8;
  for (const NodeInfo& info : model.chain) {
    const long width = 18 + 8 * static_cast<long>(info.name.size());
    const VQTopoNode::Severity shown = info.shown_severity();
    out << "  <g class=\"crumb\" id=\"crumb-" << info.dn.unique_id() << "\" data-name=\""
        << xml_escape(info.name) << "\" data-severity=\"" << severity::name(shown) << "\">\n"
        << "    <rect x=\"" << x << "\" y=\"8\" width=\"" << width
        << "\" height=\"26\" rx=\"5\" fill=\"" << severity::colour(shown) << "\"/>\n"
        << "    <text x=\"" << x + 8 << "\" y=\"26\">" << xml_escape(info.name) << "</text>\n"
        << "  </g>\n";
    x += width + 10;
  }
}

void write_node(const ViewModel::Item& item, std::ostream& out) {
  const VQTopoNode::Severity shown = item.info.shown_severity();
  out << "  <g class=\"node\" id=\"node-" << item.info.dn.unique_id() << "\" data-name=\""
      << xml_escape(item.info.name) << "\" data-severity=\"" << severity::name(shown) << "\">\n"
      << "    <title>" << xml_escape(item.info.name) << " [" << xml_escape(item.info.type)
      << "] " << severity::name(shown) << "</title>\n"
      << "    <circle cx=\"" << centre_x(item) << "\" cy=\"" << centre_y(item) << "\" r=\""
      << radius << "\" fill=\"" << severity::colour(shown) << "\"/>\n"
      << "    <text x=\"" << centre_x(item) << "\" y=\"" << centre_y(item) + radius + 16
      << "\" text-anchor=\"middle\">" << xml_escape(item.info.name) << "</text>\n"
      << "  </g>\n";
}

}  // namespace

std::string to_svg(const ViewModel& model) {
  const long width = std::max(480L, model.max_x() + 2 * margin);
  const long height = model.max_y() + header + 2 * margin;
  std::ostringstream out;
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" "
         "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\""
      << width << "\" height=\"" << height << "\" viewBox=\"0 0 " << width << ' ' << height
      << "\" font-family=\"sans-serif\" font-size=\"13\">\n"
      << "  <title>" << xml_escape(model.view.name) << "</title>\n"
      << "  <rect width=\"100%\" height=\"100%\" fill=\"#f7f7f2\"/>\n";
  if (!model.view.background.empty()) {
    const std::string href = xml_escape(model.view.background);
    out << "  <image class=\"background\" href=\"" << href << "\" xlink:href=\"" << href
        << "\" x=\"0\" y=\"" << header << "\" width=\"" << width << "\" height=\""
        << height - header << "\" preserveAspectRatio=\"xMidYMid meet\" opacity=\"0.4\"/>\n";
  }
  write_chain(model, out);
  for (const auto& [a, b] : model.links) {
    const ViewModel::Item& from = model.items[a];
    const ViewModel::Item& to = model.items[b];
    out << "  <line class=\"link\" x1=\"" << centre_x(from) << "\" y1=\"" << centre_y(from)
        << "\" x2=\"" << centre_x(to) << "\" y2=\"" << centre_y(to)
        << "\" stroke=\"#555555\" stroke-width=\"2\"/>\n";
  }
  for (const ViewModel::Item& item : model.items) write_node(item, out);
  out << "</svg>\n";
  return out.str();
}
