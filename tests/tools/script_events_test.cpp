// tobu-script's `events` command: the names since the last one, and `error` for a file
// error it printed.
#include <gtest/gtest.h>

#include <sstream>

#include "support/temp_dir.h"
#include "tools/script_runner.h"

namespace tobu {
namespace {

class ScriptEvents : public ::testing::Test {
 protected:
  ScriptEvents() { runner.Start(); }
  std::string Run(const std::string& script) {
    std::istringstream in(script);
    out.str("");
    EXPECT_EQ(runner.RunStream(in, err), 0) << err.str();
    return out.str();
  }

  testing::TempDir dir{true};
  SoftwareDisplay display;
  Game form{display};
  std::ostringstream out;
  std::ostringstream err;
  ScriptRunner runner{form, display, out};
};

TEST_F(ScriptEvents, NamesSinceTheLastEventsCommandInOrder) {
  EXPECT_EQ(Run("events\n"), "events=\n");
  EXPECT_EQ(Run("press Return\ntype Al\nevents\nevents\n"), "events=choose,type,type\nevents=\n");
}

TEST_F(ScriptEvents, FileErrorPrintedIsAnErrorEvent) {
  // No Levels folder: the new player reaches the main menu with an error.
  EXPECT_EQ(Run("press Return\ntype Al\npress Return\nevents\n"),
            "error: Cannot open directory Levels\nevents=choose,type,type,choose,error\n");
  // The editor opening a level that is not there.
  EXPECT_EQ(Run("press Down\npress Return\npress O\ntype none\npress Return\nevents\n"),
            "error: Cannot open file ./none.vel\nevents=move,choose,type,type,type,type,error\n");
}

TEST_F(ScriptEvents, EventsTakesNoArguments) {
  EXPECT_THROW(ParseScriptLine("events now"), ScriptError);
  EXPECT_EQ(ParseScriptLine("events").What, ScriptCommand::Kind::Events);
}

}  // namespace
}  // namespace tobu
