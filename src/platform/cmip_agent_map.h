// VQCmipAgentMap: the CMIP agents of every known system in the order they were filed, with
// an index from each managed object an agent names to the agents that name it, so that the
// first agent one of whose managed objects is a prefix of a name is found without walking
// every agent.
#ifndef DEDAVUZ_PLATFORM_CMIP_AGENT_MAP_H_
#define DEDAVUZ_PLATFORM_CMIP_AGENT_MAP_H_

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dedavuz_api/topo_platform_rep.h"

class VQCmipAgentMap {
 public:
  using Info = VQTopoPlatformRep::CmipAgentInfo;

  const VQList<Info>& infos() const { return infos_; }
  void clear();
  void append(const Info& info);
  // Removes the first agent `matches` holds for; false when there is none.
  bool remove_first(bool (*matches)(const Info&, void*), void* argument);
  // The first agent, in filing order, one of whose managed objects is a byte prefix of
  // `fdn`; null when none is.
  const Info* find_first(std::string_view fdn) const;

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>()(text);
    }
  };

  VQList<Info> infos_;
  std::vector<long> numbers_;  // of infos_, ascending: the filing order
  long next_number_ = 0;
  // Each managed object, with the numbers of the agents naming it, ascending.
  std::unordered_map<std::string, std::vector<long>, Hash, std::equal_to<>> by_object_;
  // How many indexed managed objects have each length: the prefixes worth looking up.
  std::map<std::size_t, std::size_t> lengths_;
};

#endif  // DEDAVUZ_PLATFORM_CMIP_AGENT_MAP_H_
