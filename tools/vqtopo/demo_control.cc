#include "demo_control.h"

#include "node_info.h"
#include "severity.h"

namespace {

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

Outcome DemoControl::raise(const std::string& node, const std::string& severity_name) {
  if (session_.world() == nullptr) return Outcome::usage("alarms are raised on --demo only");
  VQTopoNode::Severity level = VQTopoNode::cleared;
  if (!severity::parse(severity_name, level) || level == VQTopoNode::cleared) {
    return Outcome::usage("not an alarm severity: \"" + severity_name +
                          "\" (critical, major, minor, warning or indeterminate)");
  }
  VQTopoNodeDn dn;
  VT_RETURN_IF_FAILED(session_.resolve(node, dn));
  NodeInfo info;
  VT_RETURN_IF_FAILED(NodeInfo::read(dn, info));
  if (info.managed_objects.empty()) {
    return Outcome::usage(info.name + " has no managed object to raise an alarm on");
  }
  const long alarm =
      session_.world()->raise_alarm(session_.system(), info.managed_objects.front(), level);
  if (alarm == 0) return Outcome::server("the server refused the alarm on " + info.name);
  raised_[dn].push_back(alarm);
  return {};
}

Outcome DemoControl::clear(const std::string& node) {
  if (session_.world() == nullptr) return Outcome::usage("alarms are cleared on --demo only");
  VQTopoNodeDn dn;
  VT_RETURN_IF_FAILED(session_.resolve(node, dn));
  const auto it = raised_.find(dn);
  if (it == raised_.end()) return Outcome::not_found("no alarm raised on " + node);
  for (const long alarm : it->second) session_.world()->clear_alarm(session_.system(), alarm);
  raised_.erase(it);
  return {};
}

Outcome DemoControl::raise_option(const std::string& option) {
  const std::size_t equals = option.rfind('=');
  if (equals == std::string::npos) {
    return Outcome::usage("--alarm takes NODE=SEVERITY, not \"" + option + "\"");
  }
  return raise(option.substr(0, equals), option.substr(equals + 1));
}

Outcome DemoControl::execute(const std::string& line) {
  const std::string command = trimmed(line);
  if (command.empty()) return {};
  const std::size_t space = command.find(' ');
  const std::string verb = command.substr(0, space);
  const std::string rest = space == std::string::npos ? "" : trimmed(command.substr(space));
  if (verb == "clear" && !rest.empty()) return clear(rest);
  const std::size_t last = rest.rfind(' ');
  if (verb == "alarm" && last != std::string::npos) {
    return raise(trimmed(rest.substr(0, last)), rest.substr(last + 1));
  }
  return Outcome::usage("unknown command \"" + command +
                        "\" (alarm NODE SEVERITY, or clear NODE)");
}
