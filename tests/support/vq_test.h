// Test assertions on VQStatus that print the status text when they fail.
#ifndef DEDAVUZ_TESTS_SUPPORT_VQ_TEST_H_
#define DEDAVUZ_TESTS_SUPPORT_VQ_TEST_H_

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>

#include "dedavuz_api/error.h"

namespace vq_testing {

inline std::string status_text(const VQStatus& status) {
  std::ostringstream out;
  out << status;
  std::string text = out.str();
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

inline ::testing::AssertionResult status_is_ok(const char* expr, const VQStatus& status) {
  if (status) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << expr << " failed with code " << status.code() << ": " << status_text(status);
}

inline ::testing::AssertionResult status_has_code(const char* expr, const char* code_expr,
                                                  const VQStatus& status, VQStatus::Code code) {
  if (status.code() == code) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << expr << " gave code " << status.code() << " (" << status_text(status) << "), expected "
         << code_expr << " (" << code << ")";
}

inline ::testing::AssertionResult status_has_text(const char* expr, const char* code_expr,
                                                  const char*, const VQStatus& status,
                                                  VQStatus::Code code, const std::string& text) {
  ::testing::AssertionResult result = status_has_code(expr, code_expr, status, code);
  if (!result || status.message() == text) return result;
  return ::testing::AssertionFailure()
         << expr << " said \"" << status.message() << "\", expected \"" << text << "\"";
}

// Every status of a run of calls is success; otherwise the position and text of the first
// that is not.
inline ::testing::AssertionResult all_ok(std::initializer_list<VQStatus> statuses) {
  int position = 0;
  for (const VQStatus& status : statuses) {
    if (!status) {
      return ::testing::AssertionFailure()
             << "call " << position << " failed: " << status_text(status);
    }
    ++position;
  }
  return ::testing::AssertionSuccess();
}

// What `getter` gives for `handle`; a failure, and the value-initialised value, when it
// fails.
template <typename Value, typename Handle, typename Class>
Value got(const Handle& handle, VQStatus (Class::*getter)(Value&) const) {
  Value value{};
  const VQStatus status = (handle.*getter)(value);
  EXPECT_TRUE(status) << status_text(status);
  return value;
}

}  // namespace vq_testing

#define EXPECT_VQ_OK(expr) EXPECT_PRED_FORMAT1(::vq_testing::status_is_ok, (expr))
#define ASSERT_VQ_OK(expr) ASSERT_PRED_FORMAT1(::vq_testing::status_is_ok, (expr))
#define EXPECT_VQ_ERROR(expr, code) \
  EXPECT_PRED_FORMAT2(::vq_testing::status_has_code, (expr), (code))
#define EXPECT_VQ_ALL_OK(...) EXPECT_TRUE(::vq_testing::all_ok({__VA_ARGS__}))
#define ASSERT_VQ_ALL_OK(...) ASSERT_TRUE(::vq_testing::all_ok({__VA_ARGS__}))
// The code and the exact message.
#define EXPECT_VQ_ERROR_TEXT(expr, code, text) \
  EXPECT_PRED_FORMAT3(::vq_testing::status_has_text, (expr), (code), (text))

#endif  // DEDAVUZ_TESTS_SUPPORT_VQ_TEST_H_
