// Names, colours and ranking of node severities, shared by every printed and drawn form.
#ifndef VQTOPO_SEVERITY_H_
#define VQTOPO_SEVERITY_H_

#include <string>
#include <string_view>

#include "dedavuz_api/topo_node.h"

namespace severity {

using Severity = VQTopoNode::Severity;

// "critical", ...; a value outside the enumeration gives "unknown".
std::string name(Severity severity);
// Fill colour as #rrggbb.
std::string colour(Severity severity);
// Higher is worse: critical first, cleared last.
int rank(Severity severity);
Severity worst(Severity a, Severity b);
// A name given by a user; false when it names no severity.
bool parse(std::string_view text, Severity& severity);

}  // namespace severity

#endif  // VQTOPO_SEVERITY_H_
