// A fresh world for the platform object: local server L, B linked under L and C under B (C
// is reached only through B), with the default platform connected to L. Every test runs in
// its own process, so each may initialise the platform object once.
#ifndef DEDAVUZ_TESTS_PLATFORM_PLATFORM_WORLD_H_
#define DEDAVUZ_TESTS_PLATFORM_PLATFORM_WORLD_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dedavuz_api/list.h"
#include "hvx/asn1.h"
#include "hvx/platform.h"
#include "hvx/testing.h"
#include "hvx/world.h"

namespace platform_testing {

// The systems discovery finds in the three-server world, in order.
inline const std::vector<std::string> kThreeSystems = {"L", "/L/B", "/L/B/C"};

class PlatformWorldTest : public ::testing::Test {
 protected:
  void SetUp() override;

  hvx::Platform& platform() { return hvx::Platform::default_platform(); }

  // The systems registered with L's connection manager, in registration order.
  std::vector<std::string> registrations();

  // Records, from now on, every registration request the platform sends, as
  // "registerConnection <system> <application number>" (or deregisterConnection); and
  // counts every request in requests_seen().
  void record_requests();
  const std::vector<std::string>& sent_registrations() const { return *sent_; }
  int requests_seen() const { return plan_->requests_seen(); }
  // The application number the platform's APPLICATION_OBJNAME ends with.
  std::string application_number();

  std::shared_ptr<hvx::World> world_;
  std::shared_ptr<hvx::FaultPlan> plan_;
  std::shared_ptr<std::vector<std::string>> sent_ = std::make_shared<std::vector<std::string>>();
};

std::vector<std::string> to_vector(const VQList<std::string>& list);

// An FDN-table entry naming `fdn`, reached through the route "x" to the agent entity whose
// encoded name is `route_instance` (no route when that is empty).
hvx::Asn1Value fdn_entry(const std::string& fdn, const std::string& route_instance);

}  // namespace platform_testing

#endif  // DEDAVUZ_TESTS_PLATFORM_PLATFORM_WORLD_H_
