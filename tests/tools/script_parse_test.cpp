// The script format of tobu-script: key names, characters, commands and bad lines.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/script_runner.h"

namespace tobu {
namespace {

using Kind = ScriptCommand::Kind;

struct KeyCase {
  const char* Word;
  int Code;  // -1: not a key
};

TEST(ScriptKeys, NamesAndCodes) {
  const KeyCase cases[] = {
      {"Escape", 27}, {"Return", 13}, {"Back", 8},   {"Space", 32},  {"Left", 37},  {"Up", 38},
      {"Right", 39},  {"Down", 40},   {"Delete", 46}, {"F1", 112},   {"F9", 120},   {"F10", 121},
      {"F12", 123},   {"A", 65},      {"Z", 90},     {"s", 83},      {"0", 48},     {"5", 53},
      {"9", 57},      {"13", 13},     {"255", 255},  {"00", 0},      {"escape", 27}, {"F13", -1},
      {"F0", -1},     {"F01", -1},    {"256", -1},   {"-1", -1},     {"Esc", -1},   {"AB", -1},
      {"", -1},       {"1.5", -1},    {"#13", -1},    {"Tab", 9},     {"tab", 9},    {"17", 17},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.Word);
    const std::optional<uint16_t> key = ParseKey(c.Word);
    if (c.Code < 0) {
      EXPECT_FALSE(key.has_value());
    } else {
      ASSERT_TRUE(key.has_value());
      EXPECT_EQ(*key, c.Code);
    }
  }
}

TEST(ScriptKeys, CharacterOfAPressIsWhatThePlatformTypes) {
  const KeyCase cases[] = {{"Return", 13}, {"Back", 8},   {"Space", ' '}, {"A", 'a'},    {"Z", 'z'},
                           {"0", '0'},     {"9", '9'},    {"96", '0'},    {"105", '9'},  {"Escape", -1},
                           {"Left", -1},   {"Delete", -1}, {"F1", -1},    {"Up", -1},
                           {"Tab", -1}};
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.Word);
    const std::optional<uint8_t> character = KeyCharacter(*ParseKey(c.Word));
    if (c.Code < 0) {
      EXPECT_FALSE(character.has_value());
    } else {
      ASSERT_TRUE(character.has_value());
      EXPECT_EQ(*character, c.Code);
    }
  }
}

TEST(ScriptLines, CommandsAndTheirArguments) {
  EXPECT_EQ(ParseScriptLine("").What, Kind::Nothing);
  EXPECT_EQ(ParseScriptLine("   \t ").What, Kind::Nothing);
  EXPECT_EQ(ParseScriptLine("# tick 5").What, Kind::Nothing);
  EXPECT_EQ(ParseScriptLine("  #comment").What, Kind::Nothing);

  EXPECT_EQ(ParseScriptLine("tick").Count, 1);
  EXPECT_EQ(ParseScriptLine("tick 250").Count, 250);
  EXPECT_EQ(ParseScriptLine("tick 0").Count, 0);
  EXPECT_EQ(ParseScriptLine("tick 7\r").Count, 7);

  const ScriptCommand down = ParseScriptLine("down Right");
  EXPECT_EQ(down.What, Kind::Down);
  EXPECT_EQ(down.Key, 39);
  EXPECT_EQ(ParseScriptLine("up 32").Key, 32);
  EXPECT_EQ(ParseScriptLine("press F5").What, Kind::Press);

  EXPECT_EQ(ParseScriptLine("char x").Character, 'x');
  EXPECT_EQ(ParseScriptLine("char #13").Character, 13);
  EXPECT_EQ(ParseScriptLine("char #").Character, '#');
  EXPECT_EQ(ParseScriptLine("char  ").Character, ' ');
  EXPECT_EQ(ParseScriptLine("char #200").Character, 200);

  EXPECT_EQ(ParseScriptLine("type my level").Text, "my level");
  EXPECT_EQ(ParseScriptLine("type  two  spaces ").Text, " two  spaces ");
  EXPECT_EQ(ParseScriptLine("type Bob\r").Text, "Bob");
  EXPECT_EQ(ParseScriptLine("type").Text, "");

  const ScriptCommand mouse = ParseScriptLine("mouse-down right 120 -7");
  EXPECT_EQ(mouse.What, Kind::MouseDown);
  EXPECT_EQ(mouse.Button, MouseButton::Right);
  EXPECT_EQ(mouse.X, 120);
  EXPECT_EQ(mouse.Y, -7);
  EXPECT_EQ(ParseScriptLine("mouse-up middle 1 2").Button, MouseButton::Middle);
  const ScriptCommand move = ParseScriptLine("mouse-move 700 480");
  EXPECT_EQ(move.What, Kind::MouseMove);
  EXPECT_EQ(move.X, 700);
  EXPECT_EQ(move.Y, 480);

  EXPECT_EQ(ParseScriptLine("shot out/frame.bmp").Text, "out/frame.bmp");
  EXPECT_EQ(ParseScriptLine("replay Replays/my level.tbr").Text, "Replays/my level.tbr");
  EXPECT_EQ(ParseScriptLine("state").What, Kind::State);
  EXPECT_EQ(ParseScriptLine("plus on").What, Kind::Plus);
  EXPECT_EQ(ParseScriptLine("plus on").Count, 1);
  EXPECT_EQ(ParseScriptLine("plus off").Count, 0);
}

TEST(ScriptLines, BadLinesAreRefused) {
  const char* bad[] = {
      "tick x",       "tick -1",         "tick 1 2",          "tick 1.5",        "down",
      "down Foo",     "down 256",        "up A B",            "press",           "char",
      "char ab",      "char #256",       "char #x",           "char #-1",        "char #13 ",
      "mouse-down 1 2", "mouse-down top 1 2", "mouse-up left 1", "mouse-move 1",   "mouse-move a b",
      "mouse-move 1 2 3", "shot",        "shot a b",          "state now",       "jump",
      "Tick 1",       "press Return now", "replay",         "replay ",           "plus",
      "plus yes",     "plus on off",
  };
  for (const char* line : bad) {
    SCOPED_TRACE(line);
    EXPECT_THROW(ParseScriptLine(line), ScriptError);
  }
}

}  // namespace
}  // namespace tobu
