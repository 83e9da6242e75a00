// The commands that read the topology and print it: tree, show, find and report.
#ifndef VQTOPO_QUERY_COMMANDS_H_
#define VQTOPO_QUERY_COMMANDS_H_

#include <iosfwd>
#include <string>

#include "outcome.h"
#include "session.h"

// Every root view, or the view named, with everything below it.
Outcome run_tree(const Session& session, const std::string& view, bool json, std::ostream& out);
Outcome run_show(const Session& session, const std::string& node, bool json, std::ostream& out);

struct FindQuery {
  std::string name;
  std::string type;
  std::string managed_object;
};
// Exactly one of the query's fields is given; no match is "not found".
Outcome run_find(const Session& session, const FindQuery& query, bool json, std::ostream& out);
Outcome run_report(const Session& session, const std::string& system, bool json,
                   std::ostream& out);

#endif  // VQTOPO_QUERY_COMMANDS_H_
