// Every request that initialize makes, failed, dropped or damaged in turn: the platform
// object is still made, with what could be reached, and whatever was lost is reported; an
// agent map that could not be loaded is loaded on first use, once.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/testing.h"
#include "platform_world.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace {

using platform_testing::kThreeSystems;
using platform_testing::PlatformWorldTest;
using platform_testing::to_vector;

// Past the number of requests a clean initialize makes (CleanRunFitsTheLoop checks it).
constexpr int kLastRequest = 16;

using vq_testing::Fault;

using FaultLoopTest = PlatformWorldTest;

TEST_F(FaultLoopTest, CleanRunFitsTheLoop) {
  record_requests();
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_GT(requests_seen(), 0);
  EXPECT_LT(requests_seen(), kLastRequest);
}

class EveryRequestTest : public PlatformWorldTest,
                         public ::testing::WithParamInterface<std::tuple<int, Fault>> {};

TEST_P(EveryRequestTest, InitializesWithWhatItReachedAndSaysWhatFailed) {
  const auto [k, fault] = GetParam();
  const auto plan = vq_testing::fault_at(k, fault);
  hvx::install_fault_plan(platform(), plan);
  ::testing::internal::CaptureStderr();
  const bool made = VQTopoPlatform::initialize(platform(), false);
  const std::string diagnostics = ::testing::internal::GetCapturedStderr();
  const int requests = plan->requests_seen();
  hvx::remove_fault_plan(platform());

  // Only the local system's own listing could stop initialize, and that makes no request.
  ASSERT_TRUE(made);
  VQTopoPlatform* const topo = VQTopoPlatform::instance();
  ASSERT_NE(topo, nullptr);
  const std::vector<std::string> names = to_vector(topo->system_names());
  ASSERT_GE(names.size(), 1u);
  ASSERT_LE(names.size(), kThreeSystems.size());
  EXPECT_EQ(names,
            std::vector<std::string>(kThreeSystems.begin(), kThreeSystems.begin() + names.size()));
  for (const std::string& name : names) EXPECT_NE(topo->system_fdn_str(name), "") << name;

  std::vector<std::string> expected_registrations;
  for (std::size_t i = 1; i < names.size(); ++i) {
    expected_registrations.push_back(names[i].substr(names[i].rfind('/') + 1));
  }
  const std::vector<std::string> registered = registrations();
  const bool complete = names == kThreeSystems && registered == expected_registrations;

  // Only an agent that cannot be booted is worth a line on standard error; everything
  // else that went wrong is listed by the platform object.
  std::istringstream lines(diagnostics);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_EQ(line.rfind("Error: VQTopoPlatformRep::get_systems - agent table image:", 0), 0u)
        << line;
  }
  const VQList<std::string>& problems = VQTopoPlatformRep::instance()->discovery_problems();
  if (!complete) {
    EXPECT_FALSE(problems.is_empty()) << "lost something without saying so";
  }
  if (k > requests) {
    EXPECT_TRUE(complete);
    EXPECT_TRUE(problems.is_empty());
    EXPECT_EQ(diagnostics, "");
  }

  VQCmipAgentDn agent;
  ASSERT_VQ_OK(topo->managed_object_to_cmip_agent("/systemId=name:\"B\"/x=1", agent));
  EXPECT_EQ(agent, VQCmipAgentDn("L", "B"));
  std::size_t filed_b = 0;
  for (const auto& info : VQTopoPlatformRep::instance()->cmip_agent_infos()) {
    filed_b += info.agent_dn == agent;
  }
  EXPECT_EQ(filed_b, 1u);
}

std::string fault_name(const ::testing::TestParamInfo<std::tuple<int, Fault>>& info) {
  return std::string(vq_testing::fault_name(std::get<1>(info.param))) + "_request_" +
         std::to_string(std::get<0>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Faults, EveryRequestTest,
                         ::testing::Combine(::testing::Range(1, kLastRequest + 1),
                                            ::testing::ValuesIn(vq_testing::kFaults)),
                         fault_name);

}  // namespace
