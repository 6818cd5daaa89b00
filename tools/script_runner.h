// tools/: tobu-script (the game run headless from a script), the level compiler, the
// level pictures and the run search. May include any game folder but platform/.
#pragma once
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "present/software_display.h"
#include "session/session.h"
#include "shell/game.h"

namespace tobu {

// A script line that cannot be understood.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One line of an input script.
struct ScriptCommand {
  enum class Kind {
    Nothing,
    Tick,
    Down,
    Up,
    Press,
    Char,
    Type,
    MouseDown,
    MouseUp,
    MouseMove,
    Wheel,
    Shot,
    State,
    Events,
    Replay,
    Verify,
    Plus,
    Title,
    File,
    Close
  };
  Kind What = Kind::Nothing;
  int64_t Count = 1;      // tick; plus: 1 on, 0 off
  uint16_t Key = 0;       // down, up, press
  uint8_t Character = 0;  // char
  std::string Text;       // type, shot, replay, verify
  MouseButton Button = MouseButton::Left;
  int32_t X = 0;  // mouse commands; wheel: the notches right and down
  int32_t Y = 0;
};

// Parses one line (blank lines and # comments are Nothing); throws ScriptError.
ScriptCommand ParseScriptLine(const std::string& line);
// A key by name (Escape, Return, Back, Space, Left, Up, Right, Down, Delete, F1..F12,
// A..Z, 0..9) or decimal virtual-key code 0..255.
std::optional<uint16_t> ParseKey(const std::string& word);
// The character the platform delivers with a key-down, if the key types one.
std::optional<uint8_t> KeyCharacter(uint16_t key);

// The game's state as one line of key=value pairs, in a fixed order.
std::string StateLine(const Game& form);
// A frame as a 24-bit BMP file, rows bottom-up, little-endian headers.
std::vector<uint8_t> EncodeBmp(const FrameBuffer& frame);

// Runs the game headless from a script: each command becomes calls on the session (the
// form and its help and pause cards; F12 takes no screenshot here, `shot` does; F2 switches
// a sound that is not played, as the window's F2 would),
// a file error is printed as "error: <message>" and the script goes on, and "closed"
// is printed once the game closes.
class ScriptRunner {
 public:
  static constexpr uint16_t SoundKey = 113;  // F2

  ScriptRunner(Game& form, SoftwareDisplay& display, std::ostream& out);

  // Start, as the program's start-up does.
  void Start();
  // Runs one line; false once the game has closed. Throws ScriptError.
  bool RunLine(const std::string& line);
  // Runs the lines to the end or until the game closes. Returns the exit status:
  // 0, or 2 after reporting a line that cannot be parsed on `err` with its number.
  int RunStream(std::istream& in, std::ostream& err);
  // The script's end ends the game: it closes as the window's game does (no "closed"
  // line), writing what it writes then; a file error is printed as any other.
  void Finish();

 private:
  void Run(const ScriptCommand& command);
  void PlayReplay(const std::filesystem::path& file);
  void VerifyReplay(const std::filesystem::path& file);
  // Calls one handler unless the game has closed; true while it is still open.
  template <typename Handler>
  bool Call(Handler&& handler);

  Game& form_;
  SoftwareDisplay& display_;
  Session session_;
  std::ostream& out_;
  // Shots are written relative to the starting directory, wherever the game has gone.
  std::filesystem::path startDirectory_;
  bool closedReported_ = false;
  bool soundOn_ = true;  // switched by F2, which only plus shows
  bool controlHeld_ = false;  // `down 17`: characters come typed with Ctrl, as a window's would
};

}  // namespace tobu
