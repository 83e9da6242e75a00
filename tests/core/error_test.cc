#include "dedavuz_api/error.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/vq_test.h"

namespace {

using Code = VQStatus::Code;

std::string printed(const VQStatus& status) {
  std::ostringstream out;
  out << status;
  return out.str();
}

struct CodeText {
  int code;
  const char* text;
};

TEST(VQStatusTest, EveryCodePrintsItsFixedText) {
  const CodeText table[] = {
      {1, "HVX Error"},
      {2, "Object Doesn't Exists"},
      {3, "Attribute Is Not Creatable"},
      {4, "Attribute Is Not Storeable"},
      {5, "Attribute Not Set"},
      {6, "Key Not Found"},
      {7, "Missing Mandatory Attribute"},
      {8, "Cannot Set Attribute"},
      {9, "ASN.1/GDMO Decode Error"},
      {10, "ASN.1/GDMO Encode Error"},
      {11, "Attribute Not Registered In Platform"},
      {12, "Does Not Exist"},
      {13, "Already Exists"},
      {14, "Invalid Argument"},
      {15, "Not Implemented"},
      {16, "Not Supported By Platform"},
      {17, "View Graph Not Cached"},
      {18, "Warning: More than One Cmip Agent Refers to the Same Managed FDN"},
      {19, "Unknown"},
  };
  for (const CodeText& row : table) {
    const VQStatus status(static_cast<Code>(row.code), "m");
    EXPECT_EQ(static_cast<int>(status.code()), row.code);
    EXPECT_EQ(printed(status), std::string(row.text) + ": m\n") << "code " << row.code;
    EXPECT_FALSE(status);
  }
  EXPECT_STREQ(VQError::code_text(Code::success), "Success");
}

TEST(VQStatusTest, SuccessPrintsSuccessAndNewline) {
  EXPECT_EQ(printed(VQStatus::success), "Success\n");
  EXPECT_EQ(printed(VQStatus()), "Success\n");
  EXPECT_TRUE(VQStatus::success);
}

TEST(VQStatusTest, CodeZeroIsSuccessWhateverTheMessage) {
  const VQStatus status(Code::success, "ignored");
  EXPECT_EQ(status, VQStatus::success);
  EXPECT_EQ(status.code(), Code::success);
  EXPECT_EQ(status.message(), "");
  EXPECT_EQ(status.error(), nullptr);
}

TEST(VQStatusTest, EqualityComparesCodesNotMessages) {
  EXPECT_EQ(VQStatus(Code::key_not_found, "a"), VQStatus(Code::key_not_found, "b"));
  EXPECT_NE(VQStatus(Code::key_not_found, "a"), VQStatus(Code::does_not_exist, "a"));
  EXPECT_NE(VQStatus(Code::key_not_found, "a"), VQStatus::success);
  EXPECT_NE(VQStatus::success, VQStatus(Code::key_not_found, "a"));
  EXPECT_EQ(VQError(Code::encode_error, "x"), VQError(Code::encode_error, "y"));
  EXPECT_NE(VQError(Code::encode_error, "x"), VQError(Code::decode_error, "x"));
}

TEST(VQStatusTest, OutOfRangeCodesBecomeUnknown) {
  for (int code : {21, 25, 1000, -1}) {
    const VQStatus status(static_cast<Code>(code), "x");
    EXPECT_EQ(status.code(), Code::unknown) << code;
    EXPECT_EQ(printed(status), "Unknown: x\n");
  }
}

TEST(VQStatusTest, CodeTwentyIsKeptAndPrints) {
  const VQStatus status(Code::no_parents, "VQTopoNode::parents");
  EXPECT_EQ(status.code(), Code::no_parents);
  EXPECT_EQ(printed(status), "No Parents: VQTopoNode::parents\n");
}

TEST(VQStatusTest, CopiesOwnTheirError) {
  auto* source = new VQStatus(Code::attribute_not_set, "VQTopoNode::name");
  VQStatus copy(*source);
  VQStatus assigned;
  assigned = *source;
  delete source;
  EXPECT_EQ(printed(copy), "Attribute Not Set: VQTopoNode::name\n");
  EXPECT_EQ(assigned.message(), "VQTopoNode::name");

  VQStatus self(Code::hvx_error, "platform text");
  const VQStatus& alias = self;
  self = alias;
  EXPECT_EQ(self.message(), "platform text");

  assigned = VQStatus::success;
  EXPECT_TRUE(assigned);
}

VQStatus fails_at(int step, int failing, int& reached) {
  reached = step;
  if (step == failing) return VQStatus(Code::invalid_argument, "step");
  return VQStatus::success;
}

VQStatus run_steps(int failing, int& reached) {
  for (int step = 0; step < 3; ++step) VQ_RETURN_IF_ERROR(fails_at(step, failing, reached));
  return VQStatus::success;
}

TEST(VQStatusTest, ReturnIfErrorStopsAtTheFirstError) {
  int reached = -1;
  EXPECT_VQ_ERROR(run_steps(1, reached), Code::invalid_argument);
  EXPECT_EQ(reached, 1);
  EXPECT_VQ_OK(run_steps(-1, reached));
  EXPECT_EQ(reached, 2);
}

TEST(VQStatusTest, TestAssertionsReportTheStatusText) {
  const VQStatus bad(Code::key_not_found, "label");
  const auto ok = vq_testing::status_is_ok("bad", bad);
  EXPECT_FALSE(ok);
  EXPECT_NE(std::string(ok.message()).find("Key Not Found: label"), std::string::npos);
  EXPECT_FALSE(vq_testing::status_has_code("s", "c", VQStatus::success, Code::key_not_found));
}

}  // namespace
