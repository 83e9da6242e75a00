#include "drawio_export.h"

#include <sstream>

#include "markup.h"
#include "severity.h"

namespace {

constexpr long box_width = 110;
constexpr long box_height = 36;
constexpr long margin = 60;

}  // namespace

std::string to_drawio(const ViewModel& model) {
  const long width = model.max_x() + 2 * margin;
  const long height = model.max_y() + 2 * margin;
  std::ostringstream out;
  out << "<mxfile host=\"vqtopo\">\n"
      << "  <diagram id=\"view-" << model.view.dn.unique_id() << "\" name=\""
      << xml_escape(model.view.name) << "\">\n"
      << "    <mxGraphModel dx=\"" << width << "\" dy=\"" << height
      << "\" grid=\"1\" gridSize=\"10\" guides=\"1\" tooltips=\"1\" connect=\"1\" "
         "arrows=\"0\" fold=\"1\" page=\"1\" pageScale=\"1\" pageWidth=\""
      << width << "\" pageHeight=\"" << height << "\" math=\"0\" shadow=\"0\">\n"
      << "      <root>\n"
      << "        <mxCell id=\"0\"/>\n"
      << "        <mxCell id=\"1\" parent=\"0\"/>\n";
  if (!model.view.background.empty()) {
    out << "        <mxCell id=\"background\" value=\"\" style=\"shape=image;image="
        << xml_escape(model.view.background)
        << ";imageAspect=1;opacity=40;locked=1;\" vertex=\"1\" parent=\"1\">\n"
        << "          <mxGeometry x=\"0\" y=\"0\" width=\"" << width << "\" height=\"" << height
        << "\" as=\"geometry\"/>\n"
        << "        </mxCell>\n";
  }
  // A UserObject carries what draw.io shows as the cell's label and tooltip.
  for (const ViewModel::Item& item : model.items) {
    out << "        <UserObject id=\"node-" << item.info.dn.unique_id() << "\" label=\""
        << xml_escape(item.info.name) << "\" tooltip=\"" << xml_escape(item.info.type) << ' '
        << severity::name(item.info.shown_severity()) << "\">\n"
        << "          <mxCell style=\"rounded=1;whiteSpace=wrap;html=0;fillColor="
        << severity::colour(item.info.shown_severity()) << ";\" vertex=\"1\" parent=\"1\">\n"
        << "            <mxGeometry x=\"" << item.x + margin - box_width / 2 << "\" y=\""
        << item.y + margin - box_height / 2 << "\" width=\"" << box_width << "\" height=\""
        << box_height << "\" as=\"geometry\"/>\n"
        << "          </mxCell>\n"
        << "        </UserObject>\n";
  }
  for (const auto& [a, b] : model.links) {
    const long from = model.items[a].info.dn.unique_id();
    const long to = model.items[b].info.dn.unique_id();
    out << "        <mxCell id=\"link-" << from << '-' << to
        << "\" style=\"endArrow=none;html=0;\" edge=\"1\" parent=\"1\" source=\"node-" << from
        << "\" target=\"node-" << to << "\">\n"
        << "          <mxGeometry relative=\"1\" as=\"geometry\"/>\n"
        << "        </mxCell>\n";
  }
  out << "      </root>\n"
      << "    </mxGraphModel>\n"
      << "  </diagram>\n"
      << "</mxfile>\n";
  return out.str();
}
