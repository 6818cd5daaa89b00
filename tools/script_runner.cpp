#include "tools/script_runner.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <istream>
#include <ostream>
#include <sstream>

#include "replay/crc32.h"
#include "world/bytes.h"
#include "world/file_error.h"
#include "world/file_io.h"

namespace tobu {
namespace {

using Kind = ScriptCommand::Kind;

ScriptCommand Command(Kind kind) {
  ScriptCommand command;
  command.What = kind;
  return command;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream stream(line);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

template <typename Number>
std::optional<Number> ParseNumber(const std::string& word, Number lowest, Number highest) {
  Number value{};
  const char* end = word.data() + word.size();
  const auto [rest, error] = std::from_chars(word.data(), end, value);
  if (error != std::errc() || rest != end || value < lowest || value > highest) return std::nullopt;
  return value;
}

std::string Lower(std::string word) {
  std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::tolower(c); });
  return word;
}

// The text after the command word and one space, kept exactly (spaces included).
std::string RestOfLine(const std::string& line, const std::string& command) {
  const size_t start = line.find(command) + command.size();
  return start < line.size() ? line.substr(start + 1) : std::string();
}

uint8_t ParseCharacter(const std::string& text) {
  if (text.size() == 1 && std::isprint(static_cast<unsigned char>(text[0]))) {
    return static_cast<uint8_t>(text[0]);
  }
  if (text.size() > 1 && text[0] == '#') {
    if (const auto code = ParseNumber<int>(text.substr(1), 0, 255)) return static_cast<uint8_t>(*code);
  }
  throw ScriptError("char needs one printable character or #code (0..255), not '" + text + "'");
}

void ExpectWords(const std::vector<std::string>& words, size_t count, const char* usage) {
  if (words.size() != count) throw ScriptError(std::string("usage: ") + usage);
}

uint16_t RequireKey(const std::string& word) {
  if (const auto key = ParseKey(word)) return *key;
  throw ScriptError("unknown key '" + word + "'");
}

int32_t RequireCoordinate(const std::string& word) {
  if (const auto value = ParseNumber<int32_t>(word, -1000000, 1000000)) return *value;
  throw ScriptError("bad coordinate '" + word + "'");
}

MouseButton RequireButton(const std::string& word) {
  const std::string name = Lower(word);
  if (name == "left") return MouseButton::Left;
  if (name == "right") return MouseButton::Right;
  if (name == "middle") return MouseButton::Middle;
  throw ScriptError("unknown mouse button '" + word + "' (left, right or middle)");
}

ScriptCommand ParseMouse(Kind kind, const std::vector<std::string>& words) {
  ScriptCommand command = Command(kind);
  if (kind == Kind::MouseMove) {
    ExpectWords(words, 3, "mouse-move X Y");
  } else {
    ExpectWords(words, 4, "mouse-down|mouse-up BUTTON X Y");
    command.Button = RequireButton(words[1]);
  }
  command.X = RequireCoordinate(words[words.size() - 2]);
  command.Y = RequireCoordinate(words[words.size() - 1]);
  return command;
}

ScriptCommand ParseKeyCommand(Kind kind, const std::vector<std::string>& words) {
  ExpectWords(words, 2, "down|up|press KEY");
  ScriptCommand command = Command(kind);
  command.Key = RequireKey(words[1]);
  return command;
}

std::string Join(double x, double y) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g,%.17g", x, y);
  return text;
}

// RGB565 widened to 8 bits per channel, the top bits repeated into the low ones.
uint8_t Widen(uint32_t value, int bits) {
  return static_cast<uint8_t>((value << (8 - bits)) | (value >> (2 * bits - 8)));
}

}  // namespace

std::optional<uint16_t> ParseKey(const std::string& word) {
  struct Named {
    const char* Name;
    uint16_t Code;
  };
  static constexpr Named names[] = {{"escape", 27}, {"return", 13}, {"back", 8},   {"space", 32}, {"left", 37},
                                    {"up", 38},     {"right", 39},  {"down", 40}, {"delete", 46}, {"tab", 9}};
  const std::string name = Lower(word);
  for (const Named& named : names) {
    if (name == named.Name) return named.Code;
  }
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return static_cast<uint16_t>(name[0] - 'a' + 'A');
  if (name.size() >= 2 && name[0] == 'f') {
    if (const auto number = ParseNumber<int>(name.substr(1), 1, 12); number && name[1] != '0') {
      return static_cast<uint16_t>(111 + *number);
    }
  }
  // A digit is both the key's name and its code's first figure: one figure means the key.
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return static_cast<uint16_t>(name[0]);
  if (const auto code = ParseNumber<int>(name, 0, 255)) return static_cast<uint16_t>(*code);
  return std::nullopt;
}

std::optional<uint8_t> KeyCharacter(uint16_t key) {
  if (key == 13 || key == 8 || key == 32) return static_cast<uint8_t>(key);
  if (key >= 'A' && key <= 'Z') return static_cast<uint8_t>(key - 'A' + 'a');
  if (key >= '0' && key <= '9') return static_cast<uint8_t>(key);
  if (key >= 96 && key <= 105) return static_cast<uint8_t>('0' + (key - 96));  // keypad digits
  return std::nullopt;
}

ScriptCommand ParseScriptLine(const std::string& rawLine) {
  std::string line = rawLine;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  const std::vector<std::string> words = Words(line);
  if (words.empty() || words[0][0] == '#') return {};
  const std::string& name = words[0];
  if (name == "tick") {
    if (words.size() > 2) throw ScriptError("usage: tick [N]");
    ScriptCommand command = Command(Kind::Tick);
    if (words.size() == 2) {
      const auto count = ParseNumber<int64_t>(words[1], 0, 1000000000);
      if (!count) throw ScriptError("bad tick count '" + words[1] + "'");
      command.Count = *count;
    }
    return command;
  }
  if (name == "down") return ParseKeyCommand(Kind::Down, words);
  if (name == "up") return ParseKeyCommand(Kind::Up, words);
  if (name == "press") return ParseKeyCommand(Kind::Press, words);
  if (name == "char") {
    ScriptCommand command = Command(Kind::Char);
    command.Character = ParseCharacter(RestOfLine(line, name));
    return command;
  }
  if (name == "type") {
    ScriptCommand command = Command(Kind::Type);
    command.Text = RestOfLine(line, name);
    return command;
  }
  if (name == "mouse-down") return ParseMouse(Kind::MouseDown, words);
  if (name == "mouse-up") return ParseMouse(Kind::MouseUp, words);
  if (name == "mouse-move") return ParseMouse(Kind::MouseMove, words);
  if (name == "wheel") {
    ExpectWords(words, 3, "wheel DX DY");
    const auto dx = ParseNumber<int32_t>(words[1], -1000, 1000),
               dy = ParseNumber<int32_t>(words[2], -1000, 1000);
    if (!dx || !dy) throw ScriptError("bad wheel notches '" + words[1] + " " + words[2] + "'");
    ScriptCommand command = Command(Kind::Wheel);
    command.X = *dx;
    command.Y = *dy;
    return command;
  }
  if (name == "shot") {
    ExpectWords(words, 2, "shot FILE");
    ScriptCommand command = Command(Kind::Shot);
    command.Text = words[1];
    return command;
  }
  if (name == "replay" || name == "verify") {
    // The rest of the line, so that a name may hold spaces.
    if (words.size() < 2) throw ScriptError(name == "replay" ? "usage: replay FILE" : "usage: verify FILE");
    ScriptCommand command = Command(name == "replay" ? Kind::Replay : Kind::Verify);
    command.Text = RestOfLine(line, name);
    return command;
  }
  if (name == "plus") {
    ExpectWords(words, 2, "plus on|off");
    if (words[1] != "on" && words[1] != "off") throw ScriptError("usage: plus on|off");
    ScriptCommand command = Command(Kind::Plus);
    command.Count = words[1] == "on" ? 1 : 0;
    return command;
  }
  if (name == "file") {
    if (words.size() < 2) throw ScriptError("usage: file NAME");
    ScriptCommand command = Command(Kind::File);
    command.Text = RestOfLine(line, name);
    return command;
  }
  if (name == "title") {
    ExpectWords(words, 1, "title");
    return Command(Kind::Title);
  }
  if (name == "close") {  // the window's close button
    ExpectWords(words, 1, "close");
    return Command(Kind::Close);
  }
  if (name == "state") {
    ExpectWords(words, 1, "state");
    return Command(Kind::State);
  }
  if (name == "events") {
    ExpectWords(words, 1, "events");
    return Command(Kind::Events);
  }
  throw ScriptError("unknown command '" + name + "'");
}

std::string StateLine(const Game& form) {
  const World& level = form.Level;
  const RunOutcome& outcome = form.Outcome;
  char clock[32];
  std::snprintf(clock, sizeof clock, "%02u:%02u:%02u", unsigned{form.Clock.ClockMinutes},
                unsigned{form.Clock.ClockSeconds}, unsigned{form.Clock.ClockHundredths});
  const char* prompt = form.Editor.SavePromptOpen ? "save" : form.Editor.OpenPromptOpen ? "open" : "none";
  std::ostringstream line;
  line << "mode=" << ModeName(form.Mode) << " cursor=" << form.MenuCursor << " listtop=" << form.ListTop
       << " level=" << form.LevelIndex << " runner=" << Join(level.RunnerX, level.RunnerY)
       << " vel=" << Join(form.Runner.VelX, form.Runner.VelY) << " facing=" << unsigned{form.Runner.Facing}
       << " camera=" << level.CameraX << ',' << level.CameraY << " objects=" << level.ObjectCount
       << " clock=" << clock << " failed=" << outcome.RunFailed << " finished=" << outcome.RunFinished
       << " newbest=" << outcome.NewBestTime << " topten=" << outcome.InTopTen
       << " player=" << form.Players.PlayerName << " players=" << unsigned{form.Players.PlayerCount}
       << " brush=" << unsigned{form.Editor.Brush} << " input=" << form.Editor.InputText << " prompt=" << prompt;
  // Only plus asks questions and shows the ending, so the classic game's lines never carry these.
  if (form.OpenQuestion) line << " question=\"" << form.OpenQuestion->Text << '"';
  if (form.Ending) {
    line << " ending=\"" << form.Ending->Title;
    for (const std::string& text : form.Ending->Lines) line << " / " << text;
    line << '"';
  }
  // Plus's own words: why the dialog's save or open failed, and how a play-test ended.
  if (form.Plus && form.Editor.PromptOpen() && !form.EditorAsk.Failure.empty())
    line << " failure=\"" << form.EditorAsk.Failure << '"';
  if (form.Plus && form.Mode == GameMode::PlayTestResult)
    line << " result=\"" << form.PlayTest.ResultLine << '"';
  return line.str();
}

std::vector<uint8_t> EncodeBmp(const FrameBuffer& frame) {
  constexpr int32_t headerSize = 14 + 40;
  constexpr int32_t rowSize = ViewWidth * 3;  // 1920, already a multiple of 4
  constexpr int32_t pixelBytes = rowSize * ViewHeight;
  ByteWriter bmp;
  // File header: "BM", file size, two reserved words, offset of the pixels.
  bmp.U8('B');
  bmp.U8('M');
  bmp.I32(headerSize + pixelBytes);
  bmp.I32(0);
  bmp.I32(headerSize);
  // Information header: its size, width, height (positive: rows bottom-up), planes 1 and
  // 24 bits per pixel as two 16-bit halves, no compression, pixel bytes, 96 dpi, no palette.
  bmp.I32(40);
  bmp.I32(ViewWidth);
  bmp.I32(ViewHeight);
  bmp.I32(1 | (24 << 16));
  bmp.I32(0);
  bmp.I32(pixelBytes);
  bmp.I32(3780);
  bmp.I32(3780);
  bmp.I32(0);
  bmp.I32(0);
  for (int y = ViewHeight - 1; y >= 0; --y) {
    for (int x = 0; x < ViewWidth; ++x) {
      const uint16_t pixel = frame[static_cast<size_t>(y * ViewWidth + x)];
      bmp.U8(Widen(pixel & 0x1Fu, 5));
      bmp.U8(Widen((pixel >> 5) & 0x3Fu, 6));
      bmp.U8(Widen(pixel >> 11, 5));
    }
  }
  return bmp.Bytes();
}

namespace {

// "file NAME size=N crc=XXXXXXXX" for a file of the game's working directory (the levels
// folder once a player is chosen), or "file NAME missing": whether a step wrote it.
std::string FileLine(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return "file " + name + " missing";
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  char crc[16];
  std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(Crc32(bytes)));
  return "file " + name + " size=" + std::to_string(bytes.size()) + " crc=" + crc;
}

// Where shots are written from; empty (so shots go to the working directory) when the
// working directory has been removed.
std::filesystem::path StartDirectory() {
  std::error_code error;
  return std::filesystem::current_path(error);
}

}  // namespace

ScriptRunner::ScriptRunner(Game& form, SoftwareDisplay& display, std::ostream& out)
    : form_(form), display_(display), session_(form, display), out_(out),
      startDirectory_(StartDirectory()) {}

template <typename Handler>
bool ScriptRunner::Call(Handler&& handler) {
  if (form_.Closed) return false;
  try {
    handler();
  } catch (const FileError& error) {
    for (const std::string& message : error.Messages()) {
      out_ << "error: " << message << '\n';
      form_.Events.Push(GameEvent::Error);
    }
  }
  for (const std::string& warning : form_.Warnings) out_ << "warning: " << warning << '\n';
  form_.Warnings.clear();
  if (form_.Closed && !closedReported_) {
    closedReported_ = true;
    out_ << "closed\n";
  }
  return !form_.Closed;
}

void ScriptRunner::Start() {
  Call([&] { session_.Start(); });
}

bool ScriptRunner::RunLine(const std::string& line) {
  if (form_.Closed) return false;
  Run(ParseScriptLine(line));
  return !form_.Closed;
}

void ScriptRunner::Run(const ScriptCommand& command) {
  // F2 is the platform's, as in the window: it switches the sound and never reaches the game.
  const bool soundKey = command.Key == SoundKey &&
                        (command.What == Kind::Down || command.What == Kind::Press || command.What == Kind::Up);
  if (soundKey && command.What != Kind::Up) session_.SoundSwitched(soundOn_ = !soundOn_);
  if (soundKey) return;
  switch (command.What) {
    case Kind::Nothing: break;
    case Kind::Tick:
      for (int64_t i = 0; i < command.Count && Call([&] { session_.Tick(1); }); ++i) {
      }
      break;
    case Kind::Down:
      if (command.Key == VkControl) controlHeld_ = true;
      Call([&] { session_.KeyDown(command.Key); });
      break;
    case Kind::Up:
      if (command.Key == VkControl) controlHeld_ = false;
      Call([&] { session_.KeyUp(command.Key); });
      break;
    case Kind::Press: {
      if (!Call([&] { session_.KeyDown(command.Key); })) break;
      const std::optional<uint8_t> character = KeyCharacter(command.Key);
      if (character && !Call([&] { session_.KeyPress(*character, controlHeld_); })) break;
      Call([&] { session_.KeyUp(command.Key); });
      break;
    }
    case Kind::Char: Call([&] { session_.KeyPress(command.Character, controlHeld_); }); break;
    case Kind::Type:
      for (const char c : command.Text) {
        if (!Call([&] { session_.KeyPress(static_cast<uint8_t>(c), controlHeld_); })) break;
      }
      break;
    case Kind::MouseDown: Call([&] { session_.MouseDown(command.Button, command.X, command.Y); }); break;
    case Kind::MouseUp: Call([&] { session_.MouseUp(command.Button, command.X, command.Y); }); break;
    case Kind::MouseMove: Call([&] { session_.MouseMove(command.X, command.Y); }); break;
    case Kind::Wheel:
      Call([&] { session_.MouseWheel(command.X, command.Y); });
      break;
    case Kind::Shot: {
      const std::filesystem::path file = startDirectory_ / command.Text;
      Call([&] { ReplaceFile(file.string(), EncodeBmp(display_.Presented())); });
      break;
    }
    case Kind::State: out_ << StateLine(form_) << '\n'; break;
    case Kind::Events: out_ << "events=" << JoinEventNames(form_.Events.Drain()) << '\n'; break;
    case Kind::Replay: PlayReplay(startDirectory_ / command.Text); break;
    case Kind::Verify: VerifyReplay(startDirectory_ / command.Text); break;
    case Kind::Plus: session_.SetPlus(command.Count != 0); break;
    case Kind::File: out_ << FileLine(command.Text) << '\n'; break;
    case Kind::Title:
      session_.ShowTitle();
      break;
    case Kind::Close: Call([&] { session_.RequestClose(); }); break;
  }
  session_.TakeScreenshotRequest();  // F12 asks the platform, which tobu-script is not
}

// The whole replay headless, then the state after its last tick; the game then returns
// to where it was, as at the end of a watched replay.
void ScriptRunner::PlayReplay(const std::filesystem::path& file) {
  if (!Call([&] { form_.WatchReplay(file.string()); }) || !form_.WatchingReplay()) return;
  while (form_.WatchedRunGoesOn() && Call([&] { form_.Tick(1); })) {
  }
  out_ << StateLine(form_) << '\n';
  Call([&] { form_.StopWatching(); });
}

void ScriptRunner::Finish() {
  closedReported_ = true;
  Call([&] { form_.Close(); });
}

// The same run with no frame drawn: the state line after its last tick, then the
// finishing time ("none" for a run that did not finish).
void ScriptRunner::VerifyReplay(const std::filesystem::path& file) {
  if (!Call([&] { form_.WatchReplay(file.string()); }) || !form_.WatchingReplay()) return;
  Call([&] { form_.PlayWatchedRunUndrawn(); });
  out_ << StateLine(form_) << '\n';
  out_ << "time=" << (form_.LastRun.End == RunEnd::Finished ? ClockTimeText(form_.Clock) : "none") << '\n';
  Call([&] { form_.StopWatching(); });
}

int ScriptRunner::RunStream(std::istream& in, std::ostream& err) {
  int lineNumber = 0;
  for (std::string line; !form_.Closed && std::getline(in, line);) {
    ++lineNumber;
    try {
      RunLine(line);
    } catch (const ScriptError& error) {
      out_.flush();
      err << "tobu-script: line " << lineNumber << ": " << error.what() << '\n';
      return 2;
    }
  }
  return 0;
}

}  // namespace tobu
