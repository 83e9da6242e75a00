// Small helpers the test directories share: printed forms, attribute sets, event draining
// and injected faults.
#ifndef DEDAVUZ_TESTS_SUPPORT_HELPERS_H_
#define DEDAVUZ_TESTS_SUPPORT_HELPERS_H_

#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>

#include "dedavuz_api/integer_set.h"
#include "hvx/platform.h"
#include "hvx/testing.h"
#include "support/printed.h"

namespace vq_testing {

// A set of capacity `capacity` holding `members`.
inline VQIntegerSet set_of(long capacity, std::initializer_list<long> members) {
  VQIntegerSet set(capacity);
  for (const long member : members) set.add(member);
  return set;
}

// The attributes a handle holds values of.
template <typename Handle>
VQIntegerSet active_of(const Handle& handle) {
  VQIntegerSet active;
  handle.get_active_attributes(active);
  return active;
}

// `prefix` followed by the number. Built by appending: a literal concatenated with a
// temporary trips a false warning of the optimiser.
inline std::string numbered(const char* prefix, long n) {
  std::string text(prefix);
  text += std::to_string(n);
  return text;
}

// Delivers every event queued so far, and those their callbacks cause.
inline void drain() {
  while (hvx::dispatch_recursive(true)) {
  }
}

enum class Fault { fail, drop, corrupt };
inline constexpr Fault kFaults[] = {Fault::fail, Fault::drop, Fault::corrupt};
inline const char* fault_name(Fault fault) {
  static const char* const kNames[] = {"fail", "drop", "corrupt"};
  return kNames[static_cast<int>(fault)];
}
inline void PrintTo(Fault fault, std::ostream* out) { *out << fault_name(fault); }

// A fresh plan, installed on `platform`.
inline std::shared_ptr<hvx::FaultPlan> installed_plan(hvx::Platform& platform) {
  auto plan = std::make_shared<hvx::FaultPlan>();
  hvx::install_fault_plan(platform, plan);
  return plan;
}

// A plan that refuses the k-th request with processingFailure "injected", or loses or
// damages its reply.
inline std::shared_ptr<hvx::FaultPlan> fault_at(int k, Fault fault) {
  auto plan = std::make_shared<hvx::FaultPlan>();
  if (fault == Fault::fail) plan->fail_request(k, hvx::ErrorCode::processing_failure, "injected");
  if (fault == Fault::drop) plan->drop_reply(k);
  if (fault == Fault::corrupt) plan->corrupt_reply(k);
  return plan;
}

}  // namespace vq_testing

#endif  // DEDAVUZ_TESTS_SUPPORT_HELPERS_H_
