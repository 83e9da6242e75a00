#include "dot_export.h"

#include <sstream>

#include "markup.h"
#include "severity.h"

std::string to_dot(const ViewModel& model) {
  std::ostringstream out;
  out << "graph \"" << dot_escape(model.view.name) << "\" {\n"
      << "  graph [layout=neato, label=\"" << dot_escape(model.view.name) << "\"";
  // Graphviz has no background image of its own; the file is kept for whoever renders it.
  if (!model.view.background.empty()) {
    out << ", comment=\"background " << dot_escape(model.view.background) << "\"";
  }
  out << "];\n"
      << "  node [shape=box, style=\"rounded,filled\", fontname=\"sans-serif\"];\n";
  for (const ViewModel::Item& item : model.items) {
    const VQTopoNode::Severity shown = item.info.shown_severity();
    // Graphviz's y grows upwards and its positions are in points with "!" pinning them.
    out << "  n" << item.info.dn.unique_id() << " [label=\"" << dot_escape(item.info.name)
        << "\", tooltip=\"" << dot_escape(item.info.type) << ' ' << severity::name(shown)
        << "\", pos=\"" << item.x << ',' << -item.y << "!\", fillcolor=\""
        << severity::colour(shown) << "\"];\n";
  }
  for (const auto& [a, b] : model.links) {
    out << "  n" << model.items[a].info.dn.unique_id() << " -- n"
        << model.items[b].info.dn.unique_id() << ";\n";
  }
  out << "}\n";
  return out.str();
}
