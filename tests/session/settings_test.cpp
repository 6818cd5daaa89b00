// tobu.ini: read from its bytes, damaged and unknown entries, and when it is written.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>

#include "../support/temp_dir.h"
#include "settings/settings_file.h"
#include "world/file_io.h"

namespace tobu::testing {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

Settings Windowed() {
  Settings s;
  s.FullScreen = false;
  s.Scale = FrameScale::Integer;
  s.Sound = false;
  s.Volume = 35;
  s.Gamepad = false;
  s.Ghost = true;
  return s;
}

Settings Sound(bool on) {
  Settings s;
  s.Sound = on;
  return s;
}

Settings QuietMusic() {
  Settings s;
  s.Music = 25;
  return s;
}

Settings Online() {
  Settings s;
  s.Server = "http://127.0.0.1:8080";
  s.SubmitBests = false;
  return s;
}

struct ParseCase {
  const char* Name;
  std::string Text;
  Settings Expected;
  const char* Complaint;  // nullptr: none
};
void PrintTo(const ParseCase& c, std::ostream* out) { *out << c.Name; }

class SettingsParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(SettingsParse, ValuesAndAtMostOneComplaint) {
  const ParsedSettings parsed = ParseSettings(Bytes(GetParam().Text));
  EXPECT_EQ(parsed.Values, GetParam().Expected);
  if (GetParam().Complaint == nullptr) {
    EXPECT_FALSE(parsed.Complaint);
  } else {
    ASSERT_TRUE(parsed.Complaint);
    EXPECT_EQ(*parsed.Complaint, GetParam().Complaint);
  }
}

const std::string AllSet =
    "[tobu]\nfullscreen = off\nscale = integer\nsound = off\nvolume = 35\ngamepad = off\nghost = on\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsParse,
    ::testing::Values(
        ParseCase{"Empty", "", Settings{}, nullptr}, ParseCase{"EveryKey", AllSet, Windowed(), nullptr},
        ParseCase{"NoSectionOtherWords",
                  "fullscreen=no\nscale=integer\nsound=false\nvolume=35\ngamepad=0\nghost=yes\n", Windowed(),
                  nullptr},
        ParseCase{"CommentsAndBlankLines", "; mine\n\n# also\n" + AllSet, Windowed(), nullptr},
        ParseCase{"UnknownKeysIgnored", AllSet + "colour = red\n[other]\nvolume = 3\n", Windowed(),
                  "tobu.ini: unknown settings ignored: colour, other.volume"},
        ParseCase{"NotIni", "fullscreen\n", Settings{},
                  "tobu.ini is damaged at line 1; using the default settings"},
        ParseCase{"BadSwitch", AllSet + "sound = loud\n", Settings{},
                  "tobu.ini is damaged; using the default settings"},
        ParseCase{"VolumeOver100", "volume = 101\n", Settings{},
                  "tobu.ini is damaged; using the default settings"},
        ParseCase{"VolumeNotANumber", "volume = 5x\n", Settings{},
                  "tobu.ini is damaged; using the default settings"},
        ParseCase{"Music", "music = 25\n", QuietMusic(), nullptr},
        ParseCase{"MusicOver100", "music = 101\n", Settings{},
                  "tobu.ini is damaged; using the default settings"},
        ParseCase{"Server", "server = http://127.0.0.1:8080\nsubmit = no\n", Online(), nullptr},
        ParseCase{"ServerNotAWebAddress", "server = 127.0.0.1:8080\n", Settings{},
                  "tobu.ini is damaged; using the default settings"},
        ParseCase{"BadScale", "scale = huge\n", Settings{},
                  "tobu.ini is damaged; using the default settings"},
        ParseCase{"NulByte", std::string("sound = off\n\0volume = 3\n", 25), Settings{},
                  "tobu.ini is damaged; using the default settings"},
        ParseCase{"UnclosedSection", "[tobu\nsound = off\n", Settings{},
                  "tobu.ini is damaged at line 1; using the default settings"},
        // inih reads 198 bytes of a line whole; a longer one is not cut.
        ParseCase{"LongestLine", "; " + std::string(196, 'x') + "\nsound = off\n", Sound(false), nullptr},
        ParseCase{"LineTooLong", "[tobu]\n; " + std::string(197, 'x') + " fullscreen = off\n", Settings{},
                  "tobu.ini is damaged at line 2; using the default settings"}),
    [](const ::testing::TestParamInfo<ParseCase>& param) { return param.param.Name; });

TEST(SettingsFormat, RoundTripsEveryValue) {
  for (const Settings& settings : {Settings{}, Windowed(), QuietMusic(), Online()}) {
    const ParsedSettings parsed = ParseSettings(FormatSettings(settings));
    EXPECT_EQ(parsed.Values, settings);
    EXPECT_FALSE(parsed.Complaint);
  }
  EXPECT_EQ(FormatSettings(Windowed()), Bytes(AllSet));
}

TEST(SettingsFile, MissingGivesTheDefaultsSilentlyAndIsNeverCreated) {
  TempDir dir;
  std::ostringstream log;
  SettingsStore store = LoadSettings(dir.File("tobu.ini"), log);
  EXPECT_EQ(store.Values, Settings{});
  EXPECT_EQ(log.str(), "");
  UpdateSettings(store, Windowed());
  EXPECT_EQ(store.Values, Windowed());
  EXPECT_FALSE(std::filesystem::exists(dir.File("tobu.ini")));
}

TEST(SettingsFile, UnreadableGivesTheDefaultsAndOneLine) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("tobu.ini"));
  std::ostringstream log;
  const SettingsStore store = LoadSettings(dir.File("tobu.ini"), log);
  EXPECT_EQ(store.Values, Settings{});
  EXPECT_EQ(log.str(), "tobu: Cannot open file " + dir.File("tobu.ini") + "; using the default settings\n");
}

TEST(SettingsFile, WrittenOnlyWhenASettingChanges) {
  TempDir dir;
  const std::string kept = "; my settings\nfullscreen = off\nvolume = 35\n";
  ReplaceFile(dir.File("tobu.ini"), Bytes(kept));
  std::ostringstream log;
  SettingsStore store = LoadSettings(dir.File("tobu.ini"), log);
  EXPECT_EQ(log.str(), "");
  EXPECT_FALSE(store.Values.FullScreen);
  Settings same = store.Values;
  UpdateSettings(store, same);
  EXPECT_EQ(ReadWholeFile(dir.File("tobu.ini")), Bytes(kept));  // untouched, comment and all
  same.FullScreen = true;
  UpdateSettings(store, same);
  EXPECT_EQ(ParseSettings(ReadWholeFile(dir.File("tobu.ini"))).Values, same);
}

}  // namespace
}  // namespace tobu::testing

namespace tobu::testing {
namespace {

// A rewrite changes the line of the setting that changed and nothing else: comments,
// unknown keys and a damaged neighbour stay byte for byte.
struct RewriteCase {
  const char* Name;
  std::string Before;
  std::string After;  // once the sound is switched off
};
void PrintTo(const RewriteCase& c, std::ostream* out) { *out << c.Name; }

class SettingsRewrite : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(SettingsRewrite, ChangesOnlyTheSettingsLine) {
  TempDir dir;
  ReplaceFile(dir.File("tobu.ini"), Bytes(GetParam().Before));
  std::ostringstream log;
  SettingsStore store = LoadSettings(dir.File("tobu.ini"), log);
  Settings changed = store.Values;
  changed.Sound = false;
  UpdateSettings(store, changed);
  EXPECT_EQ(ReadWholeFile(dir.File("tobu.ini")), Bytes(GetParam().After));
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsRewrite,
    ::testing::Values(
        RewriteCase{"DamagedNeighbourAndComments",
                    "; mine\n[tobu]\nvolume = -1\nfullscreen = off ; F11\ncolour = red\n",
                    "; mine\n[tobu]\nvolume = -1\nfullscreen = off ; F11\ncolour = red\nsound = off\n"},
        RewriteCase{"KeyCommentAndSpacingKept", "sound=on   ; why\nvolume = 5\n",
                    "sound=off   ; why\nvolume = 5\n"},
        RewriteCase{"TheLastOneCounts", "sound = on\n[tobu]\nsound: on\n",
                    "sound = on\n[tobu]\nsound: off\n"},
        RewriteCase{"AfterAContinuation", "[tobu]\nvolume = 3\n  4\n\n[x]\nsound = on\n",
                    "[tobu]\nvolume = 3\n  4\nsound = off\n\n[x]\nsound = on\n"},
        RewriteCase{"OnlyOtherSections", "[x]\nsound = on", "[x]\nsound = on\n[tobu]\nsound = off\n"},
        RewriteCase{"NoSectionNoLastNewline", "volume = 5", "volume = 5\nsound = off\n"},
        RewriteCase{"CarriageReturns", "[tobu]\r\nvolume = 5\r\n",
                    "[tobu]\r\nvolume = 5\r\nsound = off\r\n"}),
    [](const ::testing::TestParamInfo<RewriteCase>& param) { return std::string(param.param.Name); });

// Switching plus on may create the file (the player chose to keep settings); off only
// changes that line, and a file from before plus gets none through any other change.
TEST(SettingsFile, PlusOnCreatesItAndOffWritesNoPlusLine) {
  const std::string classic =
      "[tobu]\nfullscreen = on\nscale = fit\nsound = on\nvolume = 100\ngamepad = on\nghost = off\n";
  TempDir dir;
  std::ostringstream log;
  SettingsStore store = LoadSettings(dir.File("tobu.ini"), log);
  Settings plus = store.Values;
  plus.Plus = true;
  UpdateSettings(store, plus, /*mayCreate=*/true);
  EXPECT_EQ(ReadWholeFile(dir.File("tobu.ini")), Bytes(classic + "plus = on\n"));
  EXPECT_TRUE(LoadSettings(dir.File("tobu.ini"), log).Values.Plus);
  UpdateSettings(store, Settings{});
  EXPECT_EQ(ReadWholeFile(dir.File("tobu.ini")), Bytes(classic + "plus = off\n"));
  EXPECT_EQ(log.str(), "");
}

}  // namespace
}  // namespace tobu::testing
