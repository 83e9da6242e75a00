#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/local_system.h"
#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "platform_world.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace {

using platform_testing::kThreeSystems;
using platform_testing::PlatformWorldTest;
using platform_testing::to_vector;
using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;
using Data = VQTopoPlatform::MisConnectionCallbackData;

using TopoPlatformTest = PlatformWorldTest;

// What the callbacks below were told, as "<callback> <event> <system> <client datum>".
std::vector<std::string> heard;

std::string datum(void* client_data) {
  return client_data == nullptr ? "-" : *static_cast<const std::string*>(client_data);
}

void hear(const char* who, const Data& data) {
  heard.push_back(std::string(who) +
                  (data.event == VQTopoPlatform::system_added ? " added " : " removed ") +
                  data.system_name + " " + datum(data.client_data));
}

void first(const Data& data) { hear("first", data); }
void second(const Data& data) { hear("second", data); }
void self_removing(const Data& data) {
  hear("self", data);
  VQTopoPlatform::unregister_mis_connection_callback(self_removing);
}

TEST_F(TopoPlatformTest, InitializeTwiceKeepsTheFirstObjectAndHoldState) {
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  VQTopoPlatform* const made = VQTopoPlatform::instance();
  ASSERT_TRUE(platform().set_prop("PLATFORM_OBJNAME", "/systemId=name:\"Other\""));
  EXPECT_TRUE(VQTopoPlatform::initialize(platform(), true, true));
  EXPECT_EQ(VQTopoPlatform::instance(), made);
  EXPECT_EQ(made->local_system_name(), "L");
  EXPECT_FALSE(VQTopoPlatformRep::is_holding_events());
  EXPECT_FALSE(VQTopoPlatformRep::instance()->is_view_graph_cached());
  EXPECT_EQ(to_vector(made->system_names()), kThreeSystems);
  for (const std::string& system : kThreeSystems) {
    EXPECT_EQ(made->fdn_system_str(made->system_fdn_str(system)), system);
  }
}

TEST_F(TopoPlatformTest, EmptyPlatformObjnameFailsAndALaterCallStartsAgain) {
  ASSERT_TRUE(platform().set_prop("PLATFORM_OBJNAME", ""));
  record_requests();
  CaptureStderr();
  EXPECT_FALSE(VQTopoPlatform::initialize(platform(), false, true));
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_EQ(requests_seen(), 0);
  EXPECT_EQ(VQTopoPlatform::instance(), nullptr);
  EXPECT_EQ(VQTopoPlatformRep::instance(), nullptr);
  // The hold state is set whatever the outcome.
  EXPECT_TRUE(VQTopoPlatformRep::is_holding_events());

  ASSERT_TRUE(platform().set_prop("PLATFORM_OBJNAME", "/systemId=name:\"L\""));
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), true));
  EXPECT_TRUE(VQTopoPlatformRep::instance()->is_view_graph_cached());
  EXPECT_FALSE(VQTopoPlatformRep::is_holding_events());
}

// The local system's name is the text after the first quote of PLATFORM_OBJNAME, less one
// trailing quote.
using Objname = std::pair<std::string, std::string>;
class LocalNameTest : public PlatformWorldTest, public ::testing::WithParamInterface<Objname> {};

TEST_P(LocalNameTest, ReadFromPlatformObjname) {
  ASSERT_TRUE(platform().set_prop("PLATFORM_OBJNAME", hvx::DataUnit(GetParam().first)));
  CaptureStderr();
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  GetCapturedStderr();
  EXPECT_EQ(VQTopoPlatform::instance()->local_system_name(), GetParam().second);
  EXPECT_EQ(VQTopoPlatform::instance()->system_names().first(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Objnames, LocalNameTest,
                         ::testing::Values(Objname{"/systemId=name:\"hostA\"", "hostA"},
                                           Objname{"x\"y", "y"}, Objname{"a\"b\"\"", "b\""},
                                           Objname{"\"", ""}, Objname{"bare", "bare"}));

TEST_F(TopoPlatformTest, BeforeInitializeNothingNeedsThePlatformObject) {
  EXPECT_EQ(VQTopoPlatform::instance(), nullptr);
  EXPECT_EQ(VQTopoPlatformRep::instance(), nullptr);
  EXPECT_EQ(vq_local_system_name(), "testhost");
  EXPECT_EQ(vq_platform_system_name(), "L");
  EXPECT_EQ(VQTopoPlatformRep::topo_node_db_fdn("L"), "/systemId=name:\"L\"/topoNodeDBId=NULL");

  // An object whose representation could not be made answers with nothing.
  ASSERT_TRUE(platform().set_prop("PLATFORM_OBJNAME", ""));
  const VQTopoPlatform failed(platform(), false);
  EXPECT_EQ(failed.local_system_name(), "");
  EXPECT_TRUE(failed.system_names().is_empty());
  EXPECT_EQ(failed.system_fdn_str("L"), "");
  EXPECT_EQ(failed.fdn_system_str("/systemId=name:\"L\""), "");
  EXPECT_EQ(VQTopoPlatformRep::instance(), nullptr);
}

TEST_F(TopoPlatformTest, CallbacksHearRemoteSystemsInRegistrationOrder) {
  static std::string d1 = "d1", d2 = "d2", d3 = "d3";
  VQTopoPlatform::register_mis_connection_callback(first, &d1);
  VQTopoPlatform::register_mis_connection_callback(second, &d2);
  // Registering again replaces the datum and moves the entry last.
  VQTopoPlatform::register_mis_connection_callback(first, &d3);
  const VQList<VQTopoPlatformRep::CallbackEntry>& entries =
      VQTopoPlatformRep::mis_connection_callbacks();
  ASSERT_EQ(entries.entries(), 2u);
  EXPECT_EQ(entries[0].callback, &second);
  EXPECT_EQ(entries[1].callback, &first);
  EXPECT_EQ(entries[1].client_data, &d3);

  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  EXPECT_EQ(heard, (std::vector<std::string>{"second added /L/B d2", "first added /L/B d3",
                                             "second added /L/B/C d2", "first added /L/B/C d3"}));

  heard.clear();
  VQTopoPlatform::unregister_mis_connection_callback(second);
  VQTopoPlatform::unregister_mis_connection_callback(second);  // not there: nothing happens
  VQTopoPlatformRep* const rep = VQTopoPlatformRep::instance();
  EXPECT_VQ_OK(rep->add_system("X", true, VQTopoPlatformRep::list_only));
  EXPECT_VQ_OK(rep->add_system("Y", false, VQTopoPlatformRep::list_only));
  EXPECT_EQ(heard, (std::vector<std::string>{"first added X d3"}));
}

TEST_F(TopoPlatformTest, CallbackMayUnregisterItselfWhileCalled) {
  VQTopoPlatform::register_mis_connection_callback(self_removing, nullptr);
  VQTopoPlatform::register_mis_connection_callback(second, nullptr);
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  EXPECT_EQ(heard, (std::vector<std::string>{"self added /L/B -", "second added /L/B -",
                                             "second added /L/B/C -"}));
}

TEST_F(TopoPlatformTest, AddingAndRemovingSystems) {
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  VQTopoPlatformRep* const rep = VQTopoPlatformRep::instance();
  VQTopoPlatform::register_mis_connection_callback(first, nullptr);
  record_requests();
  const std::string app = application_number();

  // A new system is listed with its full name and heard of; a known one is not, yet
  // registration is asked for again.
  EXPECT_VQ_ALL_OK(rep->add_system("X", true, VQTopoPlatformRep::list_only),
                   rep->add_system("X", true, VQTopoPlatformRep::list_only),
                   rep->add_system("/L/B", true, VQTopoPlatformRep::list_and_register),
                   rep->add_system("/Q", true, VQTopoPlatformRep::list_and_register));
  EXPECT_EQ(rep->system_fdn_str("X"), "/systemId=name:\"X\"");
  EXPECT_EQ(rep->system_fdn_str("/Q"), "/systemId=name:\"Q\"");

  // Removal tries the name with its leading "/" added or dropped, and hears of the name it
  // ended with, known or not.
  EXPECT_VQ_ALL_OK(rep->remove_system("/X", true), rep->remove_system("nope", true),
                   rep->remove_system("L", true));
  EXPECT_EQ(to_vector(rep->system_names()), (std::vector<std::string>{"/L/B", "/L/B/C", "/Q"}));
  EXPECT_EQ(rep->system_fdn_str("/L/B/C"),
            "/serverTableType=\"mis\"/misId=\"B\"/serverTableType=\"mis\"/misId=\"C\"/"
            "systemId=name:\"C\"");
  EXPECT_EQ(rep->fdn_system_str("/systemId=name:\"X\""), "");

  EXPECT_EQ(heard,
            (std::vector<std::string>{"first added X -", "first added /Q -", "first removed X -",
                                      "first removed /nope -", "first removed L -"}));
  // A path registers its last system, a name whose only "/" leads registers whole; removal
  // deregisters the name as listed, and never the local system.
  EXPECT_EQ(sent_registrations(),
            (std::vector<std::string>{"registerConnection B " + app, "registerConnection /Q " + app,
                                      "deregisterConnection X " + app,
                                      "deregisterConnection /nope " + app}));
}

TEST_F(TopoPlatformTest, RegistrationFailures) {
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  VQTopoPlatformRep* const rep = VQTopoPlatformRep::instance();
  // The argument must read as value notation.
  EXPECT_VQ_ERROR(rep->register_connection("a\"b"), VQStatus::Code::hvx_error);

  ASSERT_TRUE(
      hvx::remove_object(*world_, "L", "subsystemId=\"VQ-MIS\"/connectMgrId=\"ConnectMgr\"").ok());
  EXPECT_VQ_ERROR_TEXT(rep->register_connection("B"), VQStatus::Code::does_not_exist, "");

  vq_testing::installed_plan(platform())
      ->fail_request(1, hvx::ErrorCode::processing_failure, "down");
  EXPECT_VQ_ERROR_TEXT(rep->deregister_connection("B"), VQStatus::Code::hvx_error,
                       "processingFailure: down");
}

}  // namespace
