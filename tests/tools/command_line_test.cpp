// tobu's command line: parsed in-process, and the built program's exit statuses.
#ifdef TOBU_HAVE_PLATFORM
#include "platform/command_line.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace tobu {
namespace {

using Action = CommandLine::Action;

struct LineCase {
  const char* Name;
  std::vector<std::string> Arguments;
  Action What;
  std::optional<bool> FullScreen;
  std::string DataFolder;
  std::optional<bool> Plus = std::nullopt;
};
void PrintTo(const LineCase& c, std::ostream* out) { *out << c.Name; }

class CommandLineParse : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineParse, ActionAndOverrides) {
  const CommandLine line = ParseCommandLine(GetParam().Arguments);
  EXPECT_EQ(line.What, GetParam().What);
  if (line.What == Action::Fail) {
    EXPECT_FALSE(line.Problem.empty());
    return;
  }
  EXPECT_EQ(line.FullScreen, GetParam().FullScreen);
  EXPECT_EQ(line.DataFolder, GetParam().DataFolder);
  EXPECT_EQ(line.Plus, GetParam().Plus);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineParse,
    ::testing::Values(LineCase{"Nothing", {}, Action::Play, std::nullopt, ""},
                      LineCase{"Help", {"--help"}, Action::Help, std::nullopt, ""},
                      LineCase{"Version", {"--version"}, Action::Version, std::nullopt, ""},
                      LineCase{"Window", {"--window"}, Action::Play, false, ""},
                      LineCase{"FullScreen", {"--fullscreen"}, Action::Play, true, ""},
                      LineCase{"LastOfTwoWins", {"--fullscreen", "--window"}, Action::Play, false, ""},
                      LineCase{"Data", {"--data", "my games", "--window"}, Action::Play, false, "my games"},
                      LineCase{"HelpAmongOthers", {"--window", "--help"}, Action::Help, false, ""},
                      LineCase{"Plus", {"--plus"}, Action::Play, std::nullopt, "", true},
                      LineCase{
                          "ClassicAfterPlus", {"--plus", "--classic"}, Action::Play, std::nullopt, "", false},
                      LineCase{"Unknown", {"--fly"}, Action::Fail, std::nullopt, ""},
                      LineCase{"UnknownAfterHelp", {"--help", "-x"}, Action::Fail, std::nullopt, ""},
                      LineCase{"PlainWord", {"Levels"}, Action::Fail, std::nullopt, ""},
                      LineCase{"DataWithoutFolder", {"--data"}, Action::Fail, std::nullopt, ""},
                      LineCase{"DataWithEmptyFolder", {"--data", ""}, Action::Fail, std::nullopt, ""}),
    [](const ::testing::TestParamInfo<LineCase>& param) { return param.param.Name; });

TEST(Usage, NamesEveryOption) {
  const std::string usage = Usage();
  for (const char* option : {"--help", "--version", "--window", "--fullscreen", "--data DIR"})
    EXPECT_NE(usage.find(option), std::string::npos) << option;
}

struct ProgramCase {
  const char* Name;
  const char* Arguments;
  int Status;
  const char* Says;  // on standard output (status 0) or standard error
};
void PrintTo(const ProgramCase& c, std::ostream* out) { *out << c.Name; }

class TobuProgram : public ::testing::TestWithParam<ProgramCase> {};

// Runs the built game with the arguments; none of these cases opens a window.
TEST_P(TobuProgram, ExitsWithItsStatusAndSaysWhy) {
  const std::string command = std::string("ASAN_OPTIONS=detect_leaks=0 ") + TOBU_GAME_PATH + " " +
                              GetParam().Arguments +
                              (GetParam().Status == 0 ? " 2>/dev/null" : " 2>&1 >/dev/null");
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pclose(pipe);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), GetParam().Status);
  EXPECT_NE(output.find(GetParam().Says), std::string::npos) << output;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TobuProgram,
    ::testing::Values(ProgramCase{"Help", "--help", 0, "usage: tobu"},
                      ProgramCase{"Version", "--version", 0, "tobu "},
                      ProgramCase{"Unknown", "--fly", 2, "usage: tobu"},
                      ProgramCase{"DataWithoutFolder", "--data", 2, "--data needs DIR"},
                      ProgramCase{"MissingDataFolder", "--data /nonexistent/tobu", 2, "cannot enter"},
                      ProgramCase{"SubmitWithoutServer", "--submit x.tbr", 2, "no server is set"}),
    [](const ::testing::TestParamInfo<ProgramCase>& param) { return param.param.Name; });

}  // namespace
}  // namespace tobu
#endif
