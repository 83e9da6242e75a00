// Test assertions on VQStatus that print the status text when they fail.
#ifndef DEDAVUZ_TESTS_SUPPORT_VQ_TEST_H_
#define DEDAVUZ_TESTS_SUPPORT_VQ_TEST_H_

#include <gtest/gtest.h>

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
  return ::testing::AssertionFailure() << expr << " gave code " << status.code() << " ("
                                       << status_text(status) << "), expected " << code_expr
                                       << " (" << code << ")";
}

}  // namespace vq_testing

#define EXPECT_VQ_OK(expr) EXPECT_PRED_FORMAT1(::vq_testing::status_is_ok, (expr))
#define ASSERT_VQ_OK(expr) ASSERT_PRED_FORMAT1(::vq_testing::status_is_ok, (expr))
#define EXPECT_VQ_ERROR(expr, code) EXPECT_PRED_FORMAT2(::vq_testing::status_has_code, (expr), (code))
#define ASSERT_VQ_ERROR(expr, code) ASSERT_PRED_FORMAT2(::vq_testing::status_has_code, (expr), (code))

#endif  // DEDAVUZ_TESTS_SUPPORT_VQ_TEST_H_
