#include "transfer_commands.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include <nlohmann/json.hpp>

#include "dot_export.h"
#include "drawio_export.h"
#include "svg_export.h"
#include "topology_transfer.h"
#include "view_model.h"

Outcome export_view(const VQTopoNodeDn& view, const std::string& format, std::ostream& out) {
  if (format == "json") {
    TopologyDocument document;
    VT_RETURN_IF_FAILED(read_document(view, document));
    out << document.to_json();
    return {};
  }
  ViewModel model;
  VT_RETURN_IF_FAILED(ViewModel::read(view, model));
  if (format == "svg") {
    out << to_svg(model);
  } else if (format == "dot") {
    out << to_dot(model);
  } else if (format == "drawio") {
    out << to_drawio(model);
  } else {
    return Outcome::usage("unknown format \"" + format + "\"");
  }
  return {};
}

Outcome run_export(const Session& session, const std::string& view, const std::string& format,
                   std::ostream& out) {
  VQTopoNodeDn dn;
  VT_RETURN_IF_FAILED(session.resolve(view, dn));
  return export_view(dn, format, out);
}

Outcome run_import(const Session& session, const std::string& file,
                   const std::string& print_format, bool json, std::ostream& out) {
  std::string text;
  if (file == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::ifstream in(file, std::ios::binary);
    if (!in) return Outcome::not_found("cannot read " + file);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  TopologyDocument document;
  const Outcome decoded = TopologyDocument::from_json(text, document);
  if (!decoded) return Outcome(decoded.code(), file + ": " + decoded.message());
  VQTopoNodeDn top;
  VT_RETURN_IF_FAILED(write_document(session, document, top));
  if (!print_format.empty()) return export_view(top, print_format, out);
  if (json) {
    const nlohmann::ordered_json summary{{"system", top.system_name()},
                                         {"id", top.unique_id()},
                                         {"nodes", document.nodes.size()}};
    out << summary.dump(2) << '\n';
  } else {
    out << "imported " << document.nodes.size() << " nodes; \"" << document.nodes.front().name
        << "\" is #" << top.unique_id() << '\n';
  }
  return {};
}
