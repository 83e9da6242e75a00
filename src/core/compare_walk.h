// The attribute walk every handle's comparison and diff share.
#ifndef DEDAVUZ_CORE_COMPARE_WALK_H_
#define DEDAVUZ_CORE_COMPARE_WALK_H_

#include "dedavuz_api/integer_set.h"

// Walks `attributes` in ascending order. Without `differing`: false at the first attribute
// for which `differs(attribute)` holds, else true. With it: every such attribute is added,
// and the answer is whether `differing` has any member (those it held before count too).
template <typename Differs>
bool vq_compare_walk(const VQIntegerSet& attributes, VQIntegerSet* differing, Differs differs) {
  VQIntegerSetIterator it(attributes);
  while (it.next()) {
    if (!differs(it.member())) continue;
    if (differing == nullptr) return false;
    differing->add(it.member());
  }
  return differing == nullptr || differing->num_members() > 0;
}

#endif  // DEDAVUZ_CORE_COMPARE_WALK_H_
