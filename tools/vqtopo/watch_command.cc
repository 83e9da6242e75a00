#include <ostream>

#include <nlohmann/json.hpp>

#include "event_loop.h"
#include "live_commands.h"
#include "node_info.h"
#include "severity.h"

namespace {

using Json = nlohmann::ordered_json;
using Node = VQTopoNode;

const char* event_name(VQEventType type) {
  switch (type) {
    case object_creation: return "created";
    case object_deletion: return "deleted";
    case attribute_value_change: return "changed";
    default: return "event";
  }
}

std::string ids(const Node::DnList& dns) {
  std::string text;
  for (const VQTopoNodeDn& dn : dns) text += (text.empty() ? "#" : ",#") + std::to_string(dn.unique_id());
  return text;
}

// The attributes an event carried, in attribute order, as name and printed value.
std::vector<std::pair<std::string, std::string>> carried(const Node& node) {
  std::vector<std::pair<std::string, std::string>> values;
  std::string text;
  Node::Severity level = Node::cleared;
  Node::DnList dns;
  long number = 0;
  if (node.get_type_name(text)) values.emplace_back("type", text);
  if (node.get_parents(dns)) values.emplace_back("parents", ids(dns));
  if (node.get_children(dns)) values.emplace_back("children", ids(dns));
  if (node.get_links(dns)) values.emplace_back("links", ids(dns));
  if (node.get_state(number)) values.emplace_back("state", std::to_string(number));
  if (node.get_severity(level)) values.emplace_back("severity", severity::name(level));
  if (node.get_propagated_severity(level)) {
    values.emplace_back("propagated_severity", severity::name(level));
  }
  VQList<Node::DisplayStatus> statuses;
  if (node.get_display_statuses(statuses)) {
    std::string shown;
    for (const Node::DisplayStatus& status : statuses) {
      shown += (shown.empty() ? "" : ",") + status.label + ":" + std::to_string(status.value);
    }
    values.emplace_back("display_statuses", shown);
  }
  if (node.get_view_background_image_filename(text)) values.emplace_back("background", text);
  return values;
}

void print_event(const NodeEvent& event, bool json, std::ostream& out) {
  std::string name;
  // A deleted node can no longer be asked for its name.
  if (!event.node.get_name(name) && event.type != object_deletion) {
    static_cast<void>(read_name(event.dn, name));
  }
  const auto values = carried(event.node);
  if (json) {
    Json line{{"event", event_name(event.type)},
              {"system", event.dn.system_name()},
              {"id", event.dn.unique_id()},
              {"name", name},
              {"attributes", Json::object()}};
    for (const auto& [key, value] : values) line["attributes"][key] = value;
    out << line.dump() << std::endl;
    return;
  }
  out << event_name(event.type) << " #" << event.dn.unique_id();
  if (!name.empty()) out << " \"" << name << '"';
  for (const auto& [key, value] : values) out << ' ' << key << '=' << value;
  // Flushed per line: whoever reads the pipe wants each event as it happens.
  out << std::endl;
}

}  // namespace

Outcome run_watch(const Session&, DemoControl& control, const LiveOptions& options, bool json,
                  std::ostream& out) {
  EventLoop loop(options, control);
  return loop.run([&](const std::vector<NodeEvent>& events) {
    for (const NodeEvent& event : events) print_event(event, json, out);
    return static_cast<bool>(out);
  });
}
