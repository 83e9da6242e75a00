// What the topology database's sources share: reading the names of its objects, filling
// in defaults, and the texts of its refusals.
#ifndef HVX_SRC_MIS_TOPO_DATABASE_SUPPORT_H_
#define HVX_SRC_MIS_TOPO_DATABASE_SUPPORT_H_

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "dn.h"
#include "managed_object.h"
#include "topo/identifiers.h"

namespace hvx::mis::topo {

inline const Identifiers& ids() { return Identifiers::get(); }

inline bool same_name(const dn::Rdns& a, const dn::Rdns& b) { return dn::key(a) == dn::key(b); }

// Whether `name` is `base` and one RDN more.
inline bool directly_below(const dn::Rdns& name, const dn::Rdns& base) {
  return name.size() == base.size() + 1 && same_name(dn::Rdns(name.begin(), name.end() - 1), base);
}

// Whether the last RDN of `name` is an assertion of `attribute`.
inline bool named_by(const dn::Rdns& name, const Oid& attribute) {
  Oid naming;
  Asn1Value value;
  return !name.empty() && dn::first_assertion(name.back(), naming, value) && naming == attribute;
}

template <typename Attribute>
inline void fill_missing(ManagedObject& object,
                         const std::vector<std::pair<Attribute, Asn1Value>>& defaults,
                         const Oid& (Identifiers::*oid)(Attribute) const) {
  for (const auto& [attribute, value] : defaults) {
    object.attributes.try_emplace((ids().*oid)(attribute), value);
  }
}

inline bool contains(const std::vector<long>& list, long id) {
  return std::find(list.begin(), list.end(), id) != list.end();
}

inline std::string node_text(long id) { return "node " + std::to_string(id); }

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_DATABASE_SUPPORT_H_
