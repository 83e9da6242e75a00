#include "dedavuz_api/error.h"

#include <gtest/gtest.h>

#include <string>

#include "support/helpers.h"
#include "support/vq_test.h"

namespace {

using Code = VQStatus::Code;
using vq_testing::printed;

TEST(VQStatusTest, EveryCodePrintsItsFixedText) {
  const char* const texts[] = {
      "Success",
      "HVX Error",
      "Object Doesn't Exists",
      "Attribute Is Not Creatable",
      "Attribute Is Not Storeable",
      "Attribute Not Set",
      "Key Not Found",
      "Missing Mandatory Attribute",
      "Cannot Set Attribute",
      "ASN.1/GDMO Decode Error",
      "ASN.1/GDMO Encode Error",
      "Attribute Not Registered In Platform",
      "Does Not Exist",
      "Already Exists",
      "Invalid Argument",
      "Not Implemented",
      "Not Supported By Platform",
      "View Graph Not Cached",
      "Warning: More than One Cmip Agent Refers to the Same Managed FDN",
      "Unknown",
      "No Parents",
  };
  EXPECT_STREQ(VQError::code_text(Code::success), texts[0]);
  for (int code = 1; code <= 20; ++code) {
    const VQStatus status(static_cast<Code>(code), "m");
    EXPECT_EQ(static_cast<int>(status.code()), code);
    EXPECT_EQ(printed(status), std::string(texts[code]) + ": m\n") << "code " << code;
    EXPECT_FALSE(status);
  }
  // Codes out of range become Unknown.
  for (int code : {21, 25, 1000, -1}) {
    const VQStatus status(static_cast<Code>(code), "x");
    EXPECT_EQ(status.code(), Code::unknown) << code;
    EXPECT_EQ(printed(status), "Unknown: x\n");
  }
}

TEST(VQStatusTest, SuccessIsCodeZeroAndEqualityIgnoresMessages) {
  EXPECT_EQ(printed(VQStatus::success), "Success\n");
  EXPECT_EQ(printed(VQStatus()), "Success\n");
  EXPECT_TRUE(VQStatus::success);
  const VQStatus status(Code::success, "ignored");
  EXPECT_EQ(status, VQStatus::success);
  EXPECT_EQ(status.message(), "");
  EXPECT_EQ(status.error(), nullptr);
  // Equality compares codes, not messages.
  EXPECT_EQ(VQStatus(Code::key_not_found, "a"), VQStatus(Code::key_not_found, "b"));
  EXPECT_NE(VQStatus(Code::key_not_found, "a"), VQStatus(Code::does_not_exist, "a"));
  EXPECT_NE(VQStatus(Code::key_not_found, "a"), VQStatus::success);
  EXPECT_NE(VQStatus::success, VQStatus(Code::key_not_found, "a"));
  EXPECT_EQ(VQError(Code::encode_error, "x"), VQError(Code::encode_error, "y"));
  EXPECT_NE(VQError(Code::encode_error, "x"), VQError(Code::decode_error, "x"));
}

TEST(VQStatusTest, CopiesOwnTheirError) {
  auto* source = new VQStatus(Code::attribute_not_set, "VQTopoNode::name");
  VQStatus copy(*source);
  VQStatus assigned;
  assigned = *source;
  delete source;
  EXPECT_EQ(printed(copy), "Attribute Not Set: VQTopoNode::name\n");
  EXPECT_EQ(assigned.message(), "VQTopoNode::name");
  const VQStatus& alias = assigned;
  assigned = alias;
  EXPECT_EQ(assigned.message(), "VQTopoNode::name");
  assigned = VQStatus::success;
  EXPECT_TRUE(assigned);
}

VQStatus run_steps(int failing, int& reached) {
  for (int step = 0; step < 3; ++step) {
    VQ_RETURN_IF_ERROR((reached = step) == failing ? VQStatus(Code::invalid_argument, "step")
                                                   : VQStatus());
  }
  return VQStatus::success;
}

TEST(VQStatusTest, ReturnIfErrorStopsAtTheFirstError) {
  int reached = -1;
  EXPECT_VQ_ERROR(run_steps(1, reached), Code::invalid_argument);
  EXPECT_EQ(reached, 1);
  EXPECT_VQ_OK(run_steps(-1, reached));
  EXPECT_EQ(reached, 2);
}

}  // namespace
