// What tobu-script writes: the state line, the BMP shot, and how a script ends.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "support/temp_dir.h"
#include "tools/script_runner.h"
#include "world/level_file.h"

namespace tobu {
namespace {

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

TEST(ScriptShot, BmpHeadersFieldByField) {
  const auto frame = std::make_unique<FrameBuffer>();
  const std::vector<uint8_t> bmp = EncodeBmp(*frame);
  ASSERT_EQ(bmp.size(), 54u + 640u * 480u * 3u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Le32(bmp, 2), bmp.size());
  EXPECT_EQ(Le32(bmp, 10), 54u);  // pixels follow the two headers
  EXPECT_EQ(Le32(bmp, 14), 40u);
  EXPECT_EQ(Le32(bmp, 18), 640u);
  EXPECT_EQ(Le32(bmp, 22), 480u);  // positive: bottom-up rows
  EXPECT_EQ(bmp[26] | (bmp[27] << 8), 1);
  EXPECT_EQ(bmp[28] | (bmp[29] << 8), 24);
  EXPECT_EQ(Le32(bmp, 30), 0u);
  EXPECT_EQ(Le32(bmp, 34), 640u * 480u * 3u);
}

TEST(ScriptShot, PixelsWidenedAndStoredBottomUpAsBlueGreenRed) {
  struct Case {
    uint16_t Rgb565;
    uint8_t Red, Green, Blue;
  };
  const Case cases[] = {{0xF800, 255, 0, 0}, {0x07E0, 0, 255, 0}, {0x001F, 0, 0, 255},
                        {0xFFFF, 255, 255, 255}, {0x8410, 132, 130, 132}, {0x0821, 8, 4, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Rgb565);
    auto frame = std::make_unique<FrameBuffer>();
    (*frame)[0] = c.Rgb565;                    // top-left: first pixel of the last row in the file
    (*frame)[479 * 640 + 639] = c.Rgb565;  // bottom-right: last pixel of the first row
    const std::vector<uint8_t> bmp = EncodeBmp(*frame);
    const size_t topLeft = 54 + 479 * 1920;
    const size_t bottomRight = 54 + 639 * 3;
    for (const size_t at : {topLeft, bottomRight}) {
      EXPECT_EQ(bmp[at], c.Blue);
      EXPECT_EQ(bmp[at + 1], c.Green);
      EXPECT_EQ(bmp[at + 2], c.Red);
    }
    EXPECT_EQ(bmp[topLeft + 3], 0);  // its neighbour stays black
  }
}

TEST(ScriptState, OneLineInTheFixedOrder) {
  auto display = std::make_unique<SoftwareDisplay>();
  auto form = std::make_unique<Game>(*display);
  form->Mode = GameMode::editor;
  form->MenuCursor = 1;
  form->ListTop = 4;
  form->LevelIndex = 7;
  form->Level.RunnerX = 100.1;
  form->Level.RunnerY = -2.5;
  form->Runner.VelX = 0.1 + 0.2;
  form->Runner.VelY = 0;
  form->Runner.Facing = FacingRight;
  form->Level.CameraX = 3360;
  form->Level.CameraY = 12;
  form->Level.ObjectCount = 3;
  form->Clock.ClockMinutes = 123;
  form->Clock.ClockSeconds = 4;
  form->Clock.ClockHundredths = 5;
  form->Outcome.RunFailed = true;
  form->Outcome.InTopTen = true;
  form->Players.PlayerName = "Ann";
  form->Players.PlayerCount = 14;
  form->Editor.Brush = 5;
  form->Editor.InputText = "lvl";
  form->Editor.OpenPromptOpen = true;
  EXPECT_EQ(StateLine(*form),
            "mode=editor cursor=1 listtop=4 level=7 runner=100.09999999999999,-2.5 "
            "vel=0.30000000000000004,0 facing=1 camera=3360,12 objects=3 clock=123:04:05 failed=1 "
            "finished=0 newbest=0 topten=1 player=Ann players=14 brush=5 input=lvl prompt=open");
  form->Editor.OpenPromptOpen = false;
  form->Editor.SavePromptOpen = true;
  EXPECT_NE(StateLine(*form).find(" prompt=save"), std::string::npos);
  form->Editor.SavePromptOpen = false;
  EXPECT_NE(StateLine(*form).find(" prompt=none"), std::string::npos);
}

// A script runner on a fresh game in its own working directory.
class ScriptRun : public ::testing::Test {
protected:
  ScriptRun() { runner.Start(); }

  testing::TempDir dir{true};
  SoftwareDisplay display;
  Game form{display};
  std::ostringstream out;
  std::ostringstream err;
  ScriptRunner runner{form, display, out};
};

TEST_F(ScriptRun, BadLineStopsWithStatusTwoNamingItsNumber) {
  std::istringstream script("# first\n\nstate\nfly away\nstate\n");
  EXPECT_EQ(runner.RunStream(script, err), 2);
  EXPECT_NE(err.str().find("line 4"), std::string::npos) << err.str();
  // The lines before the bad one ran, the ones after it did not.
  EXPECT_EQ(out.str().rfind("mode=SelectPlayer", 0), 0u);
  EXPECT_EQ(out.str().find('\n'), out.str().size() - 1);
}

TEST_F(ScriptRun, ClosingPrintsClosedOnceAndStopsReading) {
  // Everything after the close is ignored, even a line that would not parse.
  std::istringstream script("press Escape\nstate\nnot a command\n");
  EXPECT_EQ(runner.RunStream(script, err), 0);
  EXPECT_EQ(out.str(), "closed\n");
  EXPECT_EQ(err.str(), "");
  EXPECT_FALSE(runner.RunLine("state"));
}

TEST_F(ScriptRun, ShotWritesThePresentedFrameRelativeToTheStartingDirectory) {
  ASSERT_TRUE(runner.RunLine("tick 2"));
  ASSERT_TRUE(runner.RunLine("shot frame.bmp"));
  EXPECT_EQ(testing::ReadBytes(dir.Path() / "frame.bmp"), EncodeBmp(display.Presented()));
  // A shot that cannot be written is reported like any file error, and the script goes on.
  EXPECT_TRUE(runner.RunLine("shot no-such-dir/frame.bmp"));
  EXPECT_EQ(out.str().rfind("error: Cannot create file ", 0), 0u) << out.str();
}

// A handler that meets two file errors prints each as its own line, in order.
TEST_F(ScriptRun, EveryErrorOfAHandlerIsItsOwnLine) {
  std::filesystem::create_directory("Players.dat");  // cannot be replaced; no Levels either
  std::istringstream script("press Return\ntype Ann\npress Return\n");
  EXPECT_EQ(runner.RunStream(script, err), 0);
  EXPECT_EQ(out.str(), "error: Cannot create file Players.dat\nerror: Cannot open directory Levels\n");
}

// A replay that cannot be written is a warning line, apart from the errors: the finish
// itself shows no error.
TEST_F(ScriptRun, AReplayThatCannotBeWrittenIsAWarningLine) {
  World level;
  level.ClearLevel();
  level.AppendObject() = LevelObject{ObjectExit, 80, 60};  // on the start: the first tick finishes
  std::filesystem::create_directory("Levels");
  SaveLevel("Levels/a.vel", level);
  testing::WriteBytes(dir.Path() / "Replays", {1});
  std::istringstream script(
      "press Return\ntype Ann\npress Return\npress Return\npress Return\ntick\nstate\n");
  EXPECT_EQ(runner.RunStream(script, err), 0);
  const std::string cannot = "warning: Cannot create file " + (dir.Path() / "Replays").string();
  EXPECT_EQ(out.str().substr(0, out.str().find("mode=")), cannot + "/a.tbr\n" + cannot + "/last.tbr\n");
  EXPECT_NE(out.str().find("mode=GameMenu"), std::string::npos) << out.str();
}

// The script's end is the game's end: a roster that failed to write is written then,
// with no "closed" line.
TEST_F(ScriptRun, TheEndWritesARosterThatFailedBefore) {
  std::filesystem::create_directory("Players.dat");
  std::istringstream script("press Return\ntype Ann\npress Return\n");
  EXPECT_EQ(runner.RunStream(script, err), 0);
  std::filesystem::remove(dir.Path() / "Players.dat");
  runner.Finish();
  EXPECT_EQ(out.str(), "error: Cannot create file Players.dat\nerror: Cannot open directory Levels\n");
  EXPECT_EQ(testing::ReadBytes(dir.Path() / "Players.dat"),
            (std::vector<uint8_t>{1, 3, 'A', 'n', 'n', 1, 0, 0, 0}));
}

}  // namespace
}  // namespace tobu
