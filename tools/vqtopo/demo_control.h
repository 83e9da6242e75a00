// DemoControl: alarms raised and cleared on the embedded demo server, by node, so that a
// user (or a test) can watch severities change: from --alarm options, or from lines such as
// "alarm north-router critical" and "clear north-router" on standard input.
#ifndef VQTOPO_DEMO_CONTROL_H_
#define VQTOPO_DEMO_CONTROL_H_

#include <map>
#include <string>
#include <vector>

#include "outcome.h"
#include "session.h"

class DemoControl {
 public:
  // The session must be a demo and outlive the control.
  explicit DemoControl(const Session& session) : session_(session) {}

  // An alarm of the named severity on the node's first managed object.
  Outcome raise(const std::string& node, const std::string& severity_name);
  // Clears every alarm this control raised on the node.
  Outcome clear(const std::string& node);
  // "NODE=SEVERITY", as --alarm takes it.
  Outcome raise_option(const std::string& option);
  // One command line: "alarm NODE SEVERITY" or "clear NODE"; blank lines do nothing.
  Outcome execute(const std::string& line);

 private:
  const Session& session_;
  std::map<VQTopoNodeDn, std::vector<long>> raised_;
};

#endif  // VQTOPO_DEMO_CONTROL_H_
