// The one entry of server events into the library, their holding and replay, and what the
// platform representation itself does with them.
#include <algorithm>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/event_names.h"
#include "core/system_path.h"
#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node_rep.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "dedavuz_api/topo_type_rep.h"
#include "hvx/image.h"

void VQTopoPlatformRep::subscribe_raw_events() {
  platform_.when(hvx::DataUnit("RAW_EVENT"), hvx::Callback(&hvx_raw_event_cb, nullptr));
}

void VQTopoPlatformRep::hvx_raw_event_cb(void*, void* raw_event) {
  hvx::CurrentEvent event(raw_event);
  if (holding_events) {
    the_queued_events.push_back(event);
    return;
  }
  hvx_raw_event(event);
}

void VQTopoPlatformRep::hvx_raw_event(hvx::CurrentEvent& event) {
  if (the_topo_platform_rep != nullptr) the_topo_platform_rep->raw_event_cb(event);
  VQTopoTypeRep::raw_event_cb(event);
  VQTopoNodeRep::raw_event_cb(event);
}

void VQTopoPlatformRep::hold_events(bool hold) {
  // A release from inside a replay leaves the remaining events to the drain under way.
  if (!hold && !processing_events) process_queued_events();
  holding_events = hold;
}

void VQTopoPlatformRep::process_queued_events() {
  // Delivery is still held while the queue drains, so events that arrive meanwhile queue
  // behind and are replayed by the same drain, in order.
  processing_events = true;
  while (!the_queued_events.empty()) {
    hvx::CurrentEvent event = std::move(the_queued_events.front());
    the_queued_events.pop_front();
    hvx_raw_event(event);
  }
  processing_events = false;
}

namespace {

bool is_cmip_agent_event(const hvx::CurrentEvent& event) {
  static const std::string kAgent = vq_topology_oid({10, 3, 3});
  static const std::string kAgentEntity = vq_topology_oid({65, 3, 1});
  return vq_event_class_is(event, kAgent) || vq_event_class_is(event, kAgentEntity);
}

bool is_connection_event(const hvx::CurrentEvent& event) {
  static const std::string kServerTable = vq_topology_oid({201, 3, 1});
  return vq_event_class_is(event, kServerTable);
}

// `base` + "/" + `part`, built by appending (GCC's restrict check misreads the operators).
std::string child_path(std::string_view base, std::string_view part) {
  std::string path;
  path.reserve(base.size() + 1 + part.size());
  path.append(base).append(1, '/').append(part);
  return path;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  while (true) {
    const std::size_t at = text.find(separator);
    pieces.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return pieces;
    text.remove_prefix(at + 1);
  }
}

// What a connection report says: the path of the server concerned, its state, and the
// servers reached through it.
struct ConnectionReport {
  std::string path;
  std::string state;
  bool named = false;  // the information named the server (a value with ":")
  std::vector<std::string> agents;
};

// The servers listed after "agentList": the quoted text of each piece between its braces.
std::vector<std::string> agent_list(std::string_view info) {
  std::vector<std::string> agents;
  const std::size_t marker = info.find("agentList");
  if (marker == std::string_view::npos) return agents;
  std::string_view rest = info.substr(marker + std::string_view("agentList").size());
  const std::size_t brace = rest.find('{');
  rest = brace == std::string_view::npos ? std::string_view()
                                         : rest.substr(std::min(brace + 2, rest.size()));
  rest = rest.substr(0, rest.find('}'));
  for (std::string_view piece : split(rest, ',')) {
    const std::size_t first = piece.find('"');
    if (first == std::string_view::npos) continue;
    const std::size_t last = piece.rfind('"');
    agents.emplace_back(piece.substr(first + 1, last - first - 1));
  }
  return agents;
}

void read_state(std::string_view info, ConnectionReport& report) {
  while (!info.empty() && info.front() == '{') info.remove_prefix(1);
  while (!info.empty() && info.back() == '}') info.remove_suffix(1);
  for (std::string_view piece : split(info, ',')) {
    const std::size_t colon = piece.rfind(':');
    if (colon == std::string_view::npos) {
      if (piece.find("currentState") == std::string_view::npos) continue;
      const std::size_t blank = piece.rfind(' ');
      std::string_view state = blank == std::string_view::npos ? piece : piece.substr(blank + 1);
      while (!state.empty() && state.back() == '\n') state.remove_suffix(1);
      report.state = std::string(state);
      continue;
    }
    std::string_view value = piece.substr(std::min(colon + 2, piece.size()));
    while (!value.empty() && value.front() == '"') value.remove_prefix(1);
    while (!value.empty() && value.back() == '"') value.remove_suffix(1);
    report.path = report.path.empty() ? std::string(value) : child_path(report.path, value);
    report.named = true;
  }
}

}  // namespace

void VQTopoPlatformRep::raw_event_cb(hvx::CurrentEvent& event) {
  if (!agent_mapping_cached_) return;
  if (is_connection_event(event)) {
    connection_event(event);
    return;
  }
  if (!is_cmip_agent_event(event)) return;

  cmip_agent_event(event);
}

void VQTopoPlatformRep::connection_event(hvx::CurrentEvent& event) {
  ConnectionReport report;
  report.path = local_system_name_;
  const std::string name = event.get_objname().str();
  vq_for_each_component(name, [&report](std::string_view component) {
    if (component.find("misId") == std::string_view::npos) return;
    std::string_view value = component.substr(std::min<std::size_t>(7, component.size()));
    while (!value.empty() && value.back() == '"') value.remove_suffix(1);
    report.path = child_path(report.path, value);
  });
  const std::string info = event.get_info().str();
  report.agents = agent_list(info);
  read_state(info, report);

  std::string& path = report.path;
  if (report.state == "connected") {
    if (!has_topo_node_db(path)) path.insert(0, 1, '/');
    (void)add_system(path, true, list_and_register);
    for (const std::string& agent : report.agents) {
      std::string reached = child_path(path, agent);
      if (!has_topo_node_db(reached)) reached = vq_toggled_slash(reached);
      (void)add_system(reached, true, list_and_register);
    }
    // The views of the systems just added are fetched before the next event is seen.
    wait_for_view_graphs();
  } else if (report.named && report.state == "notConnected") {
    (void)remove_system(path, true);
    for (const std::string& agent : report.agents) {
      std::string reached = child_path(path, agent);
      if (!system_names_.contains(reached)) reached = vq_toggled_slash(reached);
      (void)remove_system(reached, true);
    }
  }
}

bool VQTopoPlatformRep::has_topo_node_db(const std::string& system) {
  hvx::Image image(hvx::DataUnit(topo_node_db_fdn(system)), hvx::DataUnit(VQ_OC_TOPO_NODE_DB),
                   platform_);
  return image.boot(hvx::DEFAULT_TIMEOUT) && image.exists();
}

std::string VQTopoPlatformRep::known_system_name(const std::string& name) const {
  if (system_names_.contains(name)) return name;
  const std::string variant = vq_toggled_slash(name);
  return system_names_.contains(variant) ? variant : std::string();
}
