// What a parser of a name with a string identifier reads, and how it fills the name.
#ifndef DEDAVUZ_CORE_STRING_DN_PARTS_H_
#define DEDAVUZ_CORE_STRING_DN_PARTS_H_

#include <string>

#include "dedavuz_api/string_dn.h"

struct VQDnParts {
  std::string system;
  std::string unique;
};

// Fills `dn` from what `read` gives. A text that cannot be read gives the null name, as
// does running out of memory: parsing never fails.
template <typename Name, typename Read>
void vq_fill_dn(VQStringDn<Name>& dn, Read read) {
  try {
    const VQDnParts parts = read();
    dn.system_name(parts.system);
    dn.unique_name(parts.unique);
  } catch (...) {
    dn.make_null();
  }
}

#endif  // DEDAVUZ_CORE_STRING_DN_PARTS_H_
