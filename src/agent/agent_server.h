// What the three agent representations' server operations share: one image of the
// agent's object per operation, the checks of a selection, and the decoding of the
// selected attributes from a booted image.
#ifndef DEDAVUZ_AGENT_AGENT_SERVER_H_
#define DEDAVUZ_AGENT_AGENT_SERVER_H_

#include <functional>
#include <initializer_list>
#include <string>

#include "core/attribute_table.h"
#include "core/server_image.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "hvx/image.h"

// The representations check the selection and that their name is active before these
// run. The agent's object: its slash form and class.
struct VQAgentObject {
  std::string name;
  const std::string& object_class;
};

using VQImageStep = std::function<VQStatus(hvx::Image&)>;

bool vq_agent_exists(const VQAgentObject& object);
// Stages with `stage`, then creates the object.
VQStatus vq_agent_create(const VQAgentObject& object, const VQImageStep& stage);
VQStatus vq_agent_destroy(const VQAgentObject& object);
// Boots the object for the members of `gdmo` named by `names`, then decodes with
// `decode`; code 2 with the object's name when it does not exist.
VQStatus vq_agent_load(const VQAgentObject& object, const VQIntegerSet& gdmo,
                       const std::string* names, int count, const VQImageStep& decode);
// Stages with `stage`, then stores.
VQStatus vq_agent_store(const VQAgentObject& object, const VQImageStep& stage);

// Code 7 for the mandatory attributes of a creation missing from `attributes`, else code
// 3 for those not creatable, each listed.
template <typename Rep>
VQStatus vq_agent_check_create(const VQAttributeTable<Rep>& table, const VQIntegerSet& mandatory,
                               const VQIntegerSet& attributes) {
  const VQIntegerSet missing = vq_outside(mandatory, attributes);
  if (missing.num_members() > 0) {
    return table.listed(VQStatus::Code::missing_mandatory_attribute, missing);
  }
  const VQIntegerSet not_creatable = vq_outside(attributes, table.valid(create));
  if (not_creatable.num_members() > 0) {
    return table.listed(VQStatus::Code::attribute_not_creatable, not_creatable);
  }
  return VQStatus::success;
}

// Code 4 for the members of `attributes` a store does not take, listed.
template <typename Rep>
VQStatus vq_agent_check_store(const VQAttributeTable<Rep>& table, const VQIntegerSet& attributes) {
  const VQIntegerSet not_storeable = vq_outside(attributes, table.valid(store));
  if (not_storeable.num_members() > 0) {
    return table.listed(VQStatus::Code::attribute_not_storeable, not_storeable);
  }
  return VQStatus::success;
}

// Decodes the members of `attributes` that have a decoder, in ascending order, each from
// the image's value of its server attribute; the first failure ends it.
template <typename Rep>
VQStatus vq_agent_decode(const VQAttributeTable<Rep>& table, Rep& rep, hvx::Image& image,
                         const VQIntegerSet& attributes, const std::string* names) {
  VQIntegerSetIterator it(attributes);
  while (it.next()) {
    const VQAttributeRow<Rep>* row = table.row(it.member());
    if (row == nullptr || row->decode == nullptr) continue;
    const hvx::Morf value = image.get_raw(vq_du(names[row->gdmo]));
    VQ_RETURN_IF_ERROR(row->decode(rep, value, table.qualified(row->number)));
  }
  return VQStatus::success;
}

// The interface attributes whose server attributes an image holds.
template <typename Rep>
VQIntegerSet vq_agent_held(const VQAttributeTable<Rep>& table, const hvx::Image& image,
                           const std::string* names, int count) {
  VQIntegerSet gdmo(count);
  for (const hvx::DataUnit& held : image.get_attr_names(0)) {
    for (int g = 0; g < count; ++g) {
      if (names[g] == held.view()) gdmo.add(g);
    }
  }
  VQIntegerSet attributes(table.count());
  table.from_gdmo(0, gdmo, attributes);
  return attributes;
}

// A set of capacity `count` holding `members`.
inline VQIntegerSet vq_set_of(long count, std::initializer_list<int> members) {
  VQIntegerSet set(count);
  for (const int member : members) set.add(member);
  return set;
}

// The set for `operation` out of three indexed by it; `none` for an operation beyond them.
inline const VQIntegerSet& vq_by_operation(const VQIntegerSet (&sets)[3],
                                           VQObjectOperation operation, const VQIntegerSet& none) {
  const int index = static_cast<int>(operation);
  return index >= 0 && index < 3 ? sets[index] : none;
}

#endif  // DEDAVUZ_AGENT_AGENT_SERVER_H_
