// The fault loop for handles whose create, load, store and destroy are one request each.
#ifndef DEDAVUZ_TESTS_SUPPORT_REQUEST_FAULTS_H_
#define DEDAVUZ_TESTS_SUPPORT_REQUEST_FAULTS_H_

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/helpers.h"
#include "support/vq_test.h"

namespace vq_testing {

// Each of a creation, a load, a store and a destruction of a handle holding what a creation
// needs, with its request failed, its reply lost or damaged, then clean: code 1, with the
// platform's text when refused; the loading handle as it was; for a refusal, the server and
// the handle's existence too. A second request would be a fault of its own. `change` gives
// the stored handle something new.
template <typename Handle, typename Dn>
void expect_each_request_refused_cleanly(const Handle& creatable, const Dn& dn,
                                         const std::function<VQStatus(Handle&)>& change) {
  VQIntegerSet name(Handle::attribute_count);
  name.add(Handle::dn);
  const auto on_server = [&] {
    Handle fresh(dn);
    EXPECT_VQ_OK(fresh.load_all_attributes());
    fresh.clear_some_attributes(name);
    return printed(fresh);
  };
  for (int operation = 0; operation < 4; ++operation) {
    for (int run = 0; run <= 3; ++run) {
      SCOPED_TRACE("operation " + std::to_string(operation) + ", " +
                   (run == 3 ? "clean" : fault_name(kFaults[run])));
      Handle handle = creatable;
      if (operation != 0) {
        ASSERT_VQ_OK(handle.create_with_all_attributes());
      }
      const std::string before = operation == 0 ? "" : on_server();
      ASSERT_VQ_OK(change(handle));
      Handle loaded(dn);
      const std::function<VQStatus()> operations[] = {
          [&] { return handle.create_with_all_attributes(); },
          [&] { return loaded.load_all_attributes(); },
          [&] { return handle.store_all_attributes(); }, [&] { return handle.destroy(); }};
      // The clean run has its fault on a second request, which must not come.
      const auto plan = fault_at(run == 3 ? 2 : 1, run == 3 ? Fault::fail : kFaults[run]);
      hvx::install_fault_plan(hvx::Platform::default_platform(), plan);
      const VQStatus status = operations[operation]();
      hvx::remove_fault_plan(hvx::Platform::default_platform());
      EXPECT_EQ(plan->requests_seen(), 1);
      if (run == 3) {
        EXPECT_VQ_OK(status);
      } else {
        EXPECT_VQ_ERROR(status, VQStatus::Code::hvx_error);
        EXPECT_EQ(active_of(loaded), name);
      }
      if (run == 0) {  // a lost reply leaves the outcome to the server
        EXPECT_EQ(status.message(), "processingFailure: injected");
        EXPECT_EQ(handle.exists(), operation != 0);
        if (operation != 0) {
          EXPECT_EQ(on_server(), before);
        }
      }
      if (handle.exists()) {
        ASSERT_VQ_OK(handle.destroy());
      }
    }
  }
}

}  // namespace vq_testing

#endif  // DEDAVUZ_TESTS_SUPPORT_REQUEST_FAULTS_H_
