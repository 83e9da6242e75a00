// Values built by hand as a server would send them, for the decoders under test.
#ifndef DEDAVUZ_TESTS_SUPPORT_ASN1_VALUES_H_
#define DEDAVUZ_TESTS_SUPPORT_ASN1_VALUES_H_

#include <initializer_list>

#include "hvx/asn1.h"
#include "hvx/ber.h"

namespace vq_testing {

// `value` with `components` added.
inline hvx::Asn1Value with(hvx::Asn1Value value,
                           std::initializer_list<hvx::Asn1Value> components) {
  for (const hvx::Asn1Value& component : components) value.add_component(component);
  return value;
}
inline hvx::Asn1Value seq(std::initializer_list<hvx::Asn1Value> components) {
  return with(hvx::ber::sequence(), components);
}
inline hvx::Asn1Value set(std::initializer_list<hvx::Asn1Value> components) {
  return with(hvx::ber::set(), components);
}
inline hvx::Asn1Value real(double number) {
  hvx::Asn1Value value;
  value.encode_real(number);
  return value;
}

}  // namespace vq_testing

#endif  // DEDAVUZ_TESTS_SUPPORT_ASN1_VALUES_H_
