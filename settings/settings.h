// settings/: tobu.ini, read from its bytes and written line by line. Includes world/.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tobu {

// How the frame fills the screen: stretched to touch two edges, or whole multiples only.
enum class FrameScale { Fit, Integer };

// The player's settings (tobu.ini). The defaults are the game as it always was: full
// screen, scaled to fit; the platform reads them at start (the sound's two for the audio).
constexpr int32_t DefaultMusic = 60;

struct Settings {
  bool FullScreen = true;
  FrameScale Scale = FrameScale::Fit;
  bool Sound = true;
  int32_t Volume = 100;          // 0..100
  int32_t Music = DefaultMusic;  // the music's own volume, 0..100
  bool Gamepad = true;
  bool Ghost = false;  // the best run's ghost in a run
  bool Plus = false;   // the plus profile: more shown and heard over the same runs
  std::string Server;  // the online server's URL (http:// or https://); empty: offline
  // The player's answer to "send new personal bests to the server?"; none: not asked yet.
  std::optional<bool> SubmitBests;
  bool operator==(const Settings&) const = default;
};

// A settings file read from its bytes: the values, and at most one line about what was
// wrong ("damaged ..." with the defaults, or the unknown keys that were ignored).
struct ParsedSettings {
  Settings Values;
  std::optional<std::string> Complaint;
};

ParsedSettings ParseSettings(const std::vector<uint8_t>& bytes);
// Each setting's key and its value as the file writes it, in the file's order.
struct SettingLine {
  const char* Key;
  std::string Value;
};
std::vector<SettingLine> SettingLines(const Settings& settings);
// The file's bytes: one [tobu] section, one key a line, every key written but `music`
// and `plus`, written only when changed (so a file from before them keeps its bytes).
std::vector<uint8_t> FormatSettings(const Settings& settings);

}  // namespace tobu
