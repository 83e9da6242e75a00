// export and import: a view written as SVG, DOT, draw.io or JSON, and a JSON document read
// back into a server.
#ifndef VQTOPO_TRANSFER_COMMANDS_H_
#define VQTOPO_TRANSFER_COMMANDS_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/topo_node_dn.h"
#include "outcome.h"
#include "session.h"

// The export formats by name: "svg", "dot", "drawio", "json".
Outcome export_view(const VQTopoNodeDn& view, const std::string& format, std::ostream& out);
Outcome run_export(const Session& session, const std::string& view, const std::string& format,
                   std::ostream& out);
// Imports the document in `file` ("-" for standard input). With `print_format`, the view
// made is exported in that format; otherwise one line says what was made.
Outcome run_import(const Session& session, const std::string& file,
                   const std::string& print_format, bool json, std::ostream& out);

#endif  // VQTOPO_TRANSFER_COMMANDS_H_
