#include "platform/cmip_agent_map.h"

#include <algorithm>
#include <limits>

void VQCmipAgentMap::clear() {
  infos_.clear();
  numbers_.clear();
  by_object_.clear();
  lengths_.clear();
}

void VQCmipAgentMap::append(const Info& info) {
  const long number = next_number_++;
  infos_.append(info);
  numbers_.push_back(number);
  for (const std::string& object : info.managed_objects) {
    std::vector<long>& agents = by_object_[object];
    // An agent that names an object twice is indexed once.
    if (!agents.empty() && agents.back() == number) continue;
    agents.push_back(number);
    ++lengths_[object.size()];
  }
}

bool VQCmipAgentMap::remove_first(bool (*matches)(const Info&, void*), void* argument) {
  for (std::size_t i = 0; i < infos_.entries(); ++i) {
    if (!matches(infos_[i], argument)) continue;
    const long number = numbers_[i];
    for (const std::string& object : infos_[i].managed_objects) {
      const auto found = by_object_.find(object);
      if (found == by_object_.end()) continue;
      std::vector<long>& agents = found->second;
      const auto at = std::lower_bound(agents.begin(), agents.end(), number);
      if (at == agents.end() || *at != number) continue;
      agents.erase(at);
      if (--lengths_[object.size()] == 0) lengths_.erase(object.size());
      if (agents.empty()) by_object_.erase(found);
    }
    infos_.remove_at(i);
    numbers_.erase(numbers_.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
  }
  return false;
}

const VQCmipAgentMap::Info* VQCmipAgentMap::find_first(std::string_view fdn) const {
  long first = std::numeric_limits<long>::max();
  for (const auto& [length, count] : lengths_) {
    if (length > fdn.size()) break;
    const auto found = by_object_.find(fdn.substr(0, length));
    if (found != by_object_.end()) first = std::min(first, found->second.front());
  }
  const auto at = std::lower_bound(numbers_.begin(), numbers_.end(), first);
  if (at == numbers_.end() || *at != first) return nullptr;
  return &infos_[static_cast<std::size_t>(at - numbers_.begin())];
}
