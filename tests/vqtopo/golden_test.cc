// vqtopo run as a user runs it, on the demo campus: what each command prints is compared
// with its golden file, and failures with their exit code and message. Run with
// VQTOPO_UPDATE_GOLDEN=1 to write the golden files afresh from the current output.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

struct Ran {
  int exit_code = -1;
  std::string out;
  std::string err;
};

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// `arguments` and `input` are shell text: arguments quoted as a shell wants them.
Ran vqtopo(const std::string& arguments, const std::string& input = "") {
  const fs::path dir = fs::path(::testing::TempDir()) /
                       ::testing::UnitTest::GetInstance()->current_test_info()->name();
  fs::create_directories(dir);
  const fs::path in = dir / "in", out = dir / "out", err = dir / "err";
  std::ofstream(in, std::ios::binary) << input;
  const std::string command = std::string(VQTOPO_BINARY) + " " + arguments + " < '" +
                              in.string() + "' > '" + out.string() + "' 2> '" + err.string() +
                              "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
}

void expect_golden(const std::string& name, const std::string& actual) {
  const fs::path golden = fs::path(VQTOPO_GOLDEN_DIR) / (name + ".txt");
  if (std::getenv("VQTOPO_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(golden, std::ios::binary) << actual;
    return;
  }
  ASSERT_TRUE(fs::exists(golden)) << golden << " is missing; run with VQTOPO_UPDATE_GOLDEN=1";
  EXPECT_EQ(slurp(golden), actual) << "output differs from " << golden;
}

struct GoldenCase {
  const char* name;
  const char* arguments;
  const char* input;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.arguments; }

class GoldenOutput : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenOutput, MatchesItsGoldenFile) {
  const GoldenCase& c = GetParam();
  const Ran run = vqtopo(c.arguments, c.input);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  expect_golden(c.name, run.out);
}

const char* const north_router_mo =
    R"('/systemId=name:"campus-mis"/subsystemId="north-router"')";

INSTANTIATE_TEST_SUITE_P(
    Demo, GoldenOutput,
    ::testing::Values(
        GoldenCase{"tree", "tree --demo", ""},
        GoldenCase{"tree_json", "tree 'North building' --demo --json", ""},
        GoldenCase{"show", "show core-router --demo --alarm north-router=minor", ""},
        GoldenCase{"show_json", "show 3 --demo --json", ""},
        GoldenCase{"find_type", "find --type Router --demo", ""},
        GoldenCase{"find_name_json", "find --name north-switch --demo --json", ""},
        GoldenCase{"report", "report --demo", ""},
        GoldenCase{"report_json", "report campus-mis --demo --json", ""},
        GoldenCase{"neighbours", "neighbours north-switch --hops 3 --demo", ""},
        GoldenCase{"neighbours_json", "neighbours core-router --demo --json", ""},
        // The major alarm in the south must not be offered as a cause of the critical one.
        GoldenCase{"why", "why Root --demo --alarm north-router=critical --alarm core-router=major",
                   ""},
        GoldenCase{"why_json", "why Campus --demo --json --alarm core-router=warning", ""},
        GoldenCase{"watch", "watch --demo --stdin --count 10 --seconds 20",
                   "alarm north-router critical\nclear north-router\n"},
        GoldenCase{"watch_json", "watch --demo --stdin --count 2 --seconds 20 --json",
                   "alarm core-router major\n"},
        GoldenCase{"export_svg", "export 'North building' --format svg --demo "
                                 "--alarm north-router=critical", ""},
        GoldenCase{"export_dot", "export 'North building' --format dot --demo "
                                 "--alarm core-router=minor", ""},
        GoldenCase{"export_drawio", "export Campus --format drawio --demo", ""},
        GoldenCase{"export_json", "export Campus --format json --demo", ""}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) { return std::string(info.param.name); });

struct FailureCase {
  const char* name;
  const char* arguments;
  const char* input;
  int exit_code;
  const char* message;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.arguments; }

class Failure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failure, ExitsWithItsCodeAndSaysWhy) {
  const FailureCase& c = GetParam();
  const Ran run = vqtopo(c.arguments, c.input);
  EXPECT_EQ(run.exit_code, c.exit_code) << run.err;
  EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Demo, Failure,
    ::testing::Values(
        FailureCase{"unknown_node", "show nowhere --demo", "", 1, "no node named \"nowhere\""},
        FailureCase{"unknown_id", "show 99 --demo", "", 1, "no node 99"},
        FailureCase{"no_match", "find --type Printer --demo", "", 1, "no node of type"},
        FailureCase{"unknown_system", "report elsewhere --demo", "", 1, "no system named"},
        FailureCase{"missing_file", "import /nonexistent/file.json --demo", "", 1, "cannot read"},
        FailureCase{"no_command", "", "", 2, "A subcommand is required"},
        FailureCase{"two_queries", "find --name a --type b --demo", "", 2, "exactly one of"},
        FailureCase{"bad_format", "export Campus --format png --demo", "", 2, "png"},
        FailureCase{"alarm_without_demo", "show 1 --alarm north-router=critical", "", 2,
                    "--alarm needs --demo"},
        FailureCase{"bad_severity", "show 1 --demo --alarm north-router=cleared", "", 2,
                    "not an alarm severity"},
        FailureCase{"alarm_without_object", "show 1 --demo --alarm north-switch=major", "", 2,
                    "north-switch has no managed object"},
        FailureCase{"zero_hops", "neighbours core-router --hops 0 --demo", "", 2, "--hops"},
        FailureCase{"bad_mo", "find --mo garbage --demo", "", 2, "not a managed object name"},
        FailureCase{"import_not_json", "import - --demo", "{\"format\": ", 2,
                    "-: not a JSON document"},
        FailureCase{"import_refused_type", "import - --demo",
                    R"({"format":"vqtopo-view","version":1,"nodes":[{"name":"a","type":"Nothing"}]})",
                    2, "the server has no topology type \"Nothing\""},
        // What the document cannot know in advance the server refuses.
        FailureCase{"import_refused_parent", "import - --demo",
                    R"({"format":"vqtopo-view","version":1,"nodes":[{"name":"a","type":"Network"},)"
                    R"({"name":"b","type":"Router","parents":[0]},)"
                    R"({"name":"c","type":"Router","parents":[1]}]})",
                    3, "is not a view"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(Help, EveryCommandAnswersHelpAndSucceeds) {
  for (const char* command : {"", "tree", "show", "find", "report", "neighbours", "why",
                              "export", "import", "watch", "serve"}) {
    const Ran run = vqtopo(std::string(command) + " --help");
    EXPECT_EQ(run.exit_code, 0) << command;
    EXPECT_NE(run.out.find("--help"), std::string::npos) << command;
  }
}

// An export read back into an empty server exports byte for byte the same, in every
// format: nothing is lost on the way and nothing depends on the server's ids.
TEST(RoundTrip, ImportedViewExportsIdentically) {
  for (const char* view : {"Campus", "Root", "'South building'"}) {
    const Ran exported = vqtopo(std::string("export ") + view + " --format json --demo");
    ASSERT_EQ(exported.exit_code, 0) << exported.err;
    for (const char* format : {"json", "svg", "dot", "drawio"}) {
      const Ran imported = vqtopo(std::string("import - --demo --print ") + format,
                                  exported.out);
      ASSERT_EQ(imported.exit_code, 0) << imported.err;
      if (std::string(format) == "json") {
        EXPECT_EQ(imported.out, exported.out) << view;
      } else if (std::string(view) == "Campus") {
        // Views are made before the devices in them, so the buildings keep their ids and
        // the campus's drawings match as well.
        EXPECT_EQ(imported.out,
                  vqtopo(std::string("export Campus --demo --format ") + format).out)
            << format;
      }
    }
  }
}

}  // namespace
