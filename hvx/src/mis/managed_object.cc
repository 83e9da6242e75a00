#include "managed_object.h"

#include <string>

#include "hvx/data_unit.h"

namespace hvx::mis {

dn::Rdns ManagedObject::name() const {
  dn::Rdns rdns;
  // What set_name encoded always parses back.
  if (!name_.view().empty()) dn::parse(name_instance(), rdns);
  return rdns;
}

void ManagedObject::set_name(const dn::Rdns& name) {
  std::string encoding;
  if (!name.empty()) dn::instance(name).encode_to(encoding);
  name_ = PackedBytes(encoding);
}

Asn1Value ManagedObject::name_instance() const {
  if (name_.view().empty()) return dn::instance({});
  Asn1Value instance;
  Asn1Value::decode(DataUnit(name_.view()), instance).IgnoreError();
  return instance;
}

Asn1Value ManagedObject::last_rdn() const {
  if (name_.view().empty()) return Asn1Value();
  const Asn1Value instance = name_instance();
  Asn1Value last;
  for (Asn1Value rdn = instance.first_component(); !rdn.is_null(); rdn = rdn.next_component()) {
    last = rdn;
  }
  return last;
}

}  // namespace hvx::mis
