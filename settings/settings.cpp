#include "settings/settings.h"

#include <ini.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

namespace tobu {
namespace {

struct ParseState {
  Settings Values;
  bool BadValue = false;
  std::string Unknown;  // the unknown keys, comma separated
};

std::optional<bool> ParseSwitch(std::string_view value) {
  if (value == "on" || value == "true" || value == "yes" || value == "1") return true;
  if (value == "off" || value == "false" || value == "no" || value == "0") return false;
  return std::nullopt;
}

std::optional<int32_t> ParseVolume(std::string_view value) {
  int32_t volume = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), volume);
  if (error != std::errc() || end != value.data() + value.size() || volume < 0 || volume > 100)
    return std::nullopt;
  return volume;
}

// Sets one known key; false when the key is unknown. A value out of its range marks the file bad.
bool SetValue(ParseState& state, std::string_view key, std::string_view value) {
  Settings& s = state.Values;
  const auto setSwitch = [&](bool& field) {
    const auto parsed = ParseSwitch(value);
    state.BadValue |= !parsed;
    if (parsed) field = *parsed;
  };
  if (key == "fullscreen") {
    setSwitch(s.FullScreen);
  } else if (key == "sound") {
    setSwitch(s.Sound);
  } else if (key == "gamepad") {
    setSwitch(s.Gamepad);
  } else if (key == "ghost") {
    setSwitch(s.Ghost);
  } else if (key == "plus") {
    setSwitch(s.Plus);
  } else if (key == "volume" || key == "music") {
    const auto volume = ParseVolume(value);
    state.BadValue |= !volume;
    if (volume) (key == "volume" ? s.Volume : s.Music) = *volume;
  } else if (key == "submit") {
    bool submit = false;
    setSwitch(submit);
    s.SubmitBests = submit;
  } else if (key == "server") {
    // Empty is offline; anything else must name a web address, or nothing connects.
    state.BadValue |= !value.empty() && !value.starts_with("http://") && !value.starts_with("https://");
    if (!state.BadValue) s.Server = value;
  } else if (key == "scale") {
    state.BadValue |= value != "fit" && value != "integer";
    if (value == "integer") s.Scale = FrameScale::Integer;
    if (value == "fit") s.Scale = FrameScale::Fit;
  } else {
    return false;
  }
  return true;
}

int HandleLine(void* user, const char* section, const char* name, const char* value) {
  auto& state = *static_cast<ParseState*>(user);
  const bool ourSection = section[0] == '\0' || std::strcmp(section, "tobu") == 0;
  if (!ourSection || !SetValue(state, name, value)) {
    if (!state.Unknown.empty()) state.Unknown += ", ";
    state.Unknown += ourSection ? name : std::string(section) + "." + name;
  }
  return 1;
}

// inih reads a line into 200 bytes, its end and a NUL included, and reads the rest of a
// longer one as a line of its own (a long comment's tail would become a setting). The
// first line longer than that, counted from 1, or 0 when there is none.
int FirstLineTooLong(const std::string& text) {
  constexpr size_t LongestLine = 198;
  int line = 1;
  for (size_t start = 0; start < text.size(); ++line) {
    const size_t end = std::min(text.find('\n', start), text.size());
    if (end - start > LongestLine) return line;
    start = end + 1;
  }
  return 0;
}

}  // namespace

ParsedSettings ParseSettings(const std::vector<uint8_t>& bytes) {
  // A NUL inside the text would end it early for the C parser: that is damage too.
  const std::string text(bytes.begin(), bytes.end());
  ParseState state;
  int firstBadLine = FirstLineTooLong(text);
  if (firstBadLine == 0) {
    firstBadLine =
        text.find('\0') != std::string::npos ? -3 : ini_parse_string(text.c_str(), HandleLine, &state);
  }
  if (firstBadLine != 0 || state.BadValue) {
    const std::string where = firstBadLine > 0 ? " at line " + std::to_string(firstBadLine) : "";
    return {Settings{}, "tobu.ini is damaged" + where + "; using the default settings"};
  }
  ParsedSettings parsed{state.Values, std::nullopt};
  if (!state.Unknown.empty()) parsed.Complaint = "tobu.ini: unknown settings ignored: " + state.Unknown;
  return parsed;
}

std::vector<SettingLine> SettingLines(const Settings& settings) {
  const auto onOff = [](bool on) { return std::string(on ? "on" : "off"); };
  return {{"fullscreen", onOff(settings.FullScreen)},
          {"scale", settings.Scale == FrameScale::Integer ? "integer" : "fit"},
          {"sound", onOff(settings.Sound)},
          {"volume", std::to_string(settings.Volume)},
          {"gamepad", onOff(settings.Gamepad)},
          {"ghost", onOff(settings.Ghost)},
          {"music", std::to_string(settings.Music)},
          {"plus", onOff(settings.Plus)},
          {"server", settings.Server},
          {"submit", settings.SubmitBests ? onOff(*settings.SubmitBests) : ""}};
}

std::vector<uint8_t> FormatSettings(const Settings& settings) {
  std::string text = "[tobu]\n";
  for (const SettingLine& line : SettingLines(settings)) {
    // Keys added since the first files are written only when changed, so that a file
    // from before them keeps its bytes.
    if (std::string_view(line.Key) == "music" && settings.Music == DefaultMusic) continue;
    if (std::string_view(line.Key) == "plus" && !settings.Plus) continue;
    if (std::string_view(line.Key) == "server" && settings.Server.empty()) continue;
    if (std::string_view(line.Key) == "submit" && !settings.SubmitBests) continue;
    text += std::string(line.Key) + " = " + line.Value + "\n";
  }
  return {text.begin(), text.end()};
}

}  // namespace tobu
