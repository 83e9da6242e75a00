// The commands that follow the graph from one node: neighbours (over links) and why (down
// the children to the alarms behind a severity).
#ifndef VQTOPO_GRAPH_COMMANDS_H_
#define VQTOPO_GRAPH_COMMANDS_H_

#include <iosfwd>
#include <string>

#include "outcome.h"
#include "session.h"

// The nodes reached from `node` over at most `hops` links, nearest first.
Outcome run_neighbours(const Session& session, const std::string& node, int hops, bool json,
                       std::ostream& out);
// The chain of children and the alarmed nodes that give `node` its severity.
Outcome run_why(const Session& session, const std::string& node, bool json, std::ostream& out);

#endif  // VQTOPO_GRAPH_COMMANDS_H_
