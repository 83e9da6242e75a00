// The printed form of any value with an output operator.
#ifndef DEDAVUZ_TESTS_SUPPORT_PRINTED_H_
#define DEDAVUZ_TESTS_SUPPORT_PRINTED_H_

#include <sstream>
#include <string>

namespace vq_testing {

template <typename T>
std::string printed(const T& value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

}  // namespace vq_testing

#endif  // DEDAVUZ_TESTS_SUPPORT_PRINTED_H_
