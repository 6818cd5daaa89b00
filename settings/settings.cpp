#include "settings/settings.h"

#include <ini.h>

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
  } else if (key == "volume") {
    const auto volume = ParseVolume(value);
    state.BadValue |= !volume;
    if (volume) s.Volume = *volume;
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

}  // namespace

ParsedSettings ParseSettings(const std::vector<uint8_t>& bytes) {
  // A NUL inside the text would end it early for the C parser: that is damage too.
  const std::string text(bytes.begin(), bytes.end());
  ParseState state;
  const int firstBadLine =
      text.find('\0') != std::string::npos ? -3 : ini_parse_string(text.c_str(), HandleLine, &state);
  if (firstBadLine != 0 || state.BadValue) {
    const std::string where = firstBadLine > 0 ? " at line " + std::to_string(firstBadLine) : "";
    return {Settings{}, "tobu.ini is damaged" + where + "; using the default settings"};
  }
  ParsedSettings parsed{state.Values, std::nullopt};
  if (!state.Unknown.empty()) parsed.Complaint = "tobu.ini: unknown settings ignored: " + state.Unknown;
  return parsed;
}

std::vector<uint8_t> FormatSettings(const Settings& settings) {
  const auto onOff = [](bool on) { return on ? "on" : "off"; };
  const std::string text =
      std::string("[tobu]\n") + "fullscreen = " + onOff(settings.FullScreen) + "\n" +
      "scale = " + (settings.Scale == FrameScale::Integer ? "integer" : "fit") + "\n" +
      "sound = " + onOff(settings.Sound) + "\n" + "volume = " + std::to_string(settings.Volume) + "\n" +
      "gamepad = " + onOff(settings.Gamepad) + "\n" + "ghost = " + onOff(settings.Ghost) + "\n" +
      (settings.Plus ? "plus = on\n" : "");
  return {text.begin(), text.end()};
}

}  // namespace tobu
