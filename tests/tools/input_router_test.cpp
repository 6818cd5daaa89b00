// SDL events as the game receives them: virtual-key codes, characters, their order,
// and the full-screen shortcuts kept from the game.
#ifdef TOBU_HAVE_PLATFORM
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "platform/input_router.h"
#include "platform/virtual_key.h"

namespace tobu {
namespace {

// Writes every call down as a short word: "down 13", "char 13", "up 13", "mouse-down 0 5 6".
class Recorder : public GameInput {
public:
  std::vector<std::string> Calls;
  void KeyDown(uint16_t key) override { Calls.push_back("down " + std::to_string(key)); }
  void KeyPress(uint8_t character, bool command) override {
    Calls.push_back("char " + std::to_string(character) + (command ? " command" : ""));
  }
  void KeyUp(uint16_t key) override { Calls.push_back("up " + std::to_string(key)); }
  void MouseDown(MouseButton button, int32_t x, int32_t y) override { Mouse("mouse-down", button, x, y); }
  void MouseMove(int32_t x, int32_t y) override {
    Calls.push_back("mouse-move " + std::to_string(x) + " " + std::to_string(y));
  }
  void MouseUp(MouseButton button, int32_t x, int32_t y) override { Mouse("mouse-up", button, x, y); }
  void MouseWheel(int32_t dx, int32_t dy) override {
    Calls.push_back("wheel " + std::to_string(dx) + " " + std::to_string(dy));
  }

private:
  void Mouse(const char* what, MouseButton button, int32_t x, int32_t y) {
    Calls.push_back(std::string(what) + " " + std::to_string(static_cast<int>(button)) + " " + std::to_string(x) +
                    " " + std::to_string(y));
  }
};

// The physical keys of the strokes below (SDL's own table needs SDL started).
SDL_Scancode ScancodeOf(SDL_Keycode sym) {
  switch (sym) {
    case SDLK_RETURN: return SDL_SCANCODE_RETURN;
    case SDLK_KP_ENTER: return SDL_SCANCODE_KP_ENTER;
    case SDLK_BACKSPACE: return SDL_SCANCODE_BACKSPACE;
    case SDLK_ESCAPE: return SDL_SCANCODE_ESCAPE;
    case SDLK_F11: return SDL_SCANCODE_F11;
    case SDLK_F2: return SDL_SCANCODE_F2;
    case SDLK_s: return SDL_SCANCODE_S;
    case SDLK_LALT: return SDL_SCANCODE_LALT;
    default: return SDL_SCANCODE_UNKNOWN;
  }
}

SDL_Event Key(uint32_t type, SDL_Keycode sym, uint16_t mod = KMOD_NONE, bool repeat = false) {
  SDL_Event event{};
  event.type = type;
  event.key.keysym.sym = sym;
  event.key.keysym.scancode = ScancodeOf(sym);
  event.key.keysym.mod = mod;
  event.key.repeat = repeat ? 1 : 0;
  return event;
}

SDL_Event Text(const char* utf8) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
  return event;
}

SDL_Event Button(uint32_t type, uint8_t button, int x, int y) {
  SDL_Event event{};
  event.type = type;
  event.button.button = button;
  event.button.x = x;
  event.button.y = y;
  return event;
}

// A pointer moved by the player; `xrel` 0 with no `yrel`: the window changed under it.
SDL_Event Motion(int x, int y, int xrel = 1) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = x;
  event.motion.y = y;
  event.motion.xrel = xrel;
  return event;
}

SDL_Event Wheel(int x, int y, uint32_t direction) {
  SDL_Event event{};
  event.type = SDL_MOUSEWHEEL;
  event.wheel.x = x;
  event.wheel.y = y;
  event.wheel.direction = direction;
  return event;
}

SDL_Event WindowEvent(uint8_t what) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = what;
  return event;
}

TEST(VirtualKeys, SdlKeysBecomeWindowsCodes) {
  const std::pair<SDL_Keycode, int> cases[] = {
      {SDLK_ESCAPE, 27}, {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13}, {SDLK_BACKSPACE, 8}, {SDLK_SPACE, 32},
      {SDLK_LEFT, 37},   {SDLK_UP, 38},     {SDLK_RIGHT, 39},    {SDLK_DOWN, 40},     {SDLK_DELETE, 46},
      {SDLK_0, 48},      {SDLK_9, 57},      {SDLK_a, 65},        {SDLK_l, 76},        {SDLK_o, 79},
      {SDLK_s, 83},      {SDLK_z, 90},      {SDLK_KP_0, 96},     {SDLK_KP_1, 97},     {SDLK_KP_9, 105},
      {SDLK_F1, 112},    {SDLK_F11, 122},   {SDLK_F12, 123},     {SDLK_LALT, 0},      {SDLK_UNKNOWN, 0},
  };
  for (const auto& [sdl, code] : cases) {
    SCOPED_TRACE(SDL_GetKeyName(sdl));
    EXPECT_EQ(VirtualKeyFromSdl(sdl), code);
  }
}

TEST(VirtualKeys, TypedTextBecomesOneCharacter) {
  const std::pair<const char*, int> cases[] = {
      {"a", 'a'}, {"Z", 'Z'}, {" ", ' '}, {"~", '~'}, {"ab", 'a'},
      {"\xC3\xA9", 0xE9},          // é keeps its Latin-1 code
      {"\xE2\x82\xAC", 0xFF},      // € has none: above 127 all the same
      {"\xF0\x9F\x98\x80", 0xFF},  // beyond the basic plane
      {"\xC3", 0xFF},              // a broken sequence
      {"", 0},
  };
  for (const auto& [text, code] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(CharacterFromText(text), code);
  }
}

struct Stroke {
  const char* Name;
  std::vector<SDL_Event> Events;
  std::vector<std::string> Calls;
  std::vector<WindowRequest> Requests;  // only the requests other than None
};

// Test names and failure messages show a stroke by its name.
void PrintTo(const Stroke& stroke, std::ostream* out) { *out << stroke.Name; }

class RouterStrokes : public ::testing::TestWithParam<Stroke> {};

TEST_P(RouterStrokes, DeliverTheGameItsCalls) {
  Recorder game;
  InputRouter router(game);
  std::vector<WindowRequest> requests;
  for (const SDL_Event& event : GetParam().Events) {
    if (const WindowRequest request = router.Route(event); request != WindowRequest::None) requests.push_back(request);
  }
  EXPECT_EQ(game.Calls, GetParam().Calls);
  EXPECT_EQ(requests, GetParam().Requests);
}

const Stroke Strokes[] = {
    {"LetterDownCharacterUp", {Key(SDL_KEYDOWN, SDLK_s), Text("s"), Key(SDL_KEYUP, SDLK_s)},
     {"down 83", "char 115", "up 83"}, {}},
    {"ReturnTypesThirteen", {Key(SDL_KEYDOWN, SDLK_RETURN), Key(SDL_KEYUP, SDLK_RETURN)},
     {"down 13", "char 13", "up 13"}, {}},
    {"KeypadEnterIsReturn", {Key(SDL_KEYDOWN, SDLK_KP_ENTER), Key(SDL_KEYUP, SDLK_KP_ENTER)},
     {"down 13", "char 13", "up 13"}, {}},
    {"BackTypesEight", {Key(SDL_KEYDOWN, SDLK_BACKSPACE), Key(SDL_KEYUP, SDLK_BACKSPACE)},
     {"down 8", "char 8", "up 8"}, {}},
    // SDL types no text for Tab (nor for Ctrl with a letter): the editor's keys arrive as
    // key-downs alone, as tobu-script delivers them.
    {"TabCtrlZAndF5TypeNothing",
     {Key(SDL_KEYDOWN, SDLK_TAB), Key(SDL_KEYUP, SDLK_TAB), Key(SDL_KEYDOWN, SDLK_LCTRL), Key(SDL_KEYDOWN, SDLK_z),
      Key(SDL_KEYUP, SDLK_z), Key(SDL_KEYUP, SDLK_LCTRL), Key(SDL_KEYDOWN, SDLK_F5), Key(SDL_KEYUP, SDLK_F5)},
     {"down 9", "up 9", "down 17", "down 90", "up 90", "up 17", "down 116", "up 116"},
     {}},
    // Ctrl's or left Alt's letters are commands; AltGr (Ctrl with right Alt on Windows) types.
    {"CommandLettersAndAltGr",
     {Key(SDL_KEYDOWN, SDLK_z, KMOD_LCTRL), Text("z"), Key(SDL_KEYDOWN, SDLK_s, KMOD_LALT), Text("s"),
      Key(SDL_KEYDOWN, SDLK_s, KMOD_RALT | KMOD_LCTRL), Text("@")},
     {"down 90", "char 122 command", "down 83", "char 115 command", "down 83", "char 64"}, {}},
    {"EscapeTypesNothing", {Key(SDL_KEYDOWN, SDLK_ESCAPE), Key(SDL_KEYUP, SDLK_ESCAPE)}, {"down 27", "up 27"}, {}},
    {"AutoRepeatReachesTheGame",
     {Key(SDL_KEYDOWN, SDLK_ESCAPE), Key(SDL_KEYDOWN, SDLK_ESCAPE, KMOD_NONE, true),
      Key(SDL_KEYDOWN, SDLK_ESCAPE, KMOD_NONE, true), Key(SDL_KEYUP, SDLK_ESCAPE)},
     {"down 27", "down 27", "down 27", "up 27"}, {}},
    {"AltReturnTogglesOnceAndNeverReachesTheGame",
     {Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT), Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT, true),
      Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_NONE, true), Key(SDL_KEYUP, SDLK_RETURN)},
     {}, {WindowRequest::ToggleFullScreen}},
    {"F11TogglesOncePerPress",
     {Key(SDL_KEYDOWN, SDLK_F11), Key(SDL_KEYDOWN, SDLK_F11, KMOD_NONE, true), Key(SDL_KEYUP, SDLK_F11),
      Key(SDL_KEYDOWN, SDLK_F11), Key(SDL_KEYUP, SDLK_F11)},
     {}, {WindowRequest::ToggleFullScreen, WindowRequest::ToggleFullScreen}},
    {"ReturnAfterTheShortcutIsAReturnAgain",
     {Key(SDL_KEYDOWN, SDLK_RETURN, KMOD_RALT), Key(SDL_KEYUP, SDLK_RETURN), Key(SDL_KEYDOWN, SDLK_RETURN),
      Key(SDL_KEYUP, SDLK_RETURN)},
     {"down 13", "char 13", "up 13"}, {WindowRequest::ToggleFullScreen}},
    {"F2SwitchesSoundOncePerPressAndNeverReachesTheGame",
     {Key(SDL_KEYDOWN, SDLK_F2), Key(SDL_KEYDOWN, SDLK_F2, KMOD_NONE, true), Key(SDL_KEYUP, SDLK_F2),
      Key(SDL_KEYDOWN, SDLK_F2, KMOD_LCTRL), Key(SDL_KEYUP, SDLK_F2)},
     {}, {WindowRequest::ToggleSound, WindowRequest::ToggleSound}},
    {"UnknownKeysStayAway", {Key(SDL_KEYDOWN, SDLK_LALT), Key(SDL_KEYUP, SDLK_LALT), Text("-")}, {"char 45"}, {}},
    {"MouseInBackBufferPixels",
     {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20), Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 639, 479),
      Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 3, 400), Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 1)},
     {"mouse-down 0 10 20", "mouse-up 1 639 479", "mouse-down 2 3 400"}, {}},
    {"ClicksBesideTheFrameStayAway",
     {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, -3, 400), Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, -3, 400),
      Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 640, 0), Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 0, 480)},
     {}, {}},
    {"DragLeavingTheFrameIsHeldAtItsEdge",
     {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20), Motion(-50, 20), Motion(700, 500),
      Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 900, -7), Motion(-50, 20)},
     {"mouse-down 0 10 20", "mouse-move 0 20", "mouse-move 639 479", "mouse-up 0 639 0"}, {}},
    {"DragComingBackMovesFreelyAgain",
     {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 5), Motion(5, -1), Motion(6, 7),
      Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 6, 7)},
     {"mouse-down 1 5 5", "mouse-move 5 0", "mouse-move 6 7", "mouse-up 1 6 7"}, {}},
    {"ButtonPressedOutsideDragsNothing",
     {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, -1, 5), Motion(-20, 5), Motion(3, 5),
      Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, -9, 5)},
     {"mouse-move 3 5"}, {}},
    {"StillPointerUnderAChangedWindowMovesNothingButADrag",
     {Motion(30, 40, 0), Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1), Motion(30, 40, 0)},
     {"mouse-down 0 1 1", "mouse-move 30 40"}, {}},
    {"OtherButtonReleasedOutsideStaysAway",
     {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1), Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, -5, 1),
      Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, -5, 1), Motion(-5, 1)},
     {"mouse-down 0 1 1", "mouse-up 0 0 1"}, {}},
    // SDL counts a notch away from the player as up, and reports a flipped wheel reversed.
    {"WheelNotchesRightAndDown",
     {Wheel(1, 2, SDL_MOUSEWHEEL_NORMAL), Wheel(-1, 1, SDL_MOUSEWHEEL_FLIPPED)}, {"wheel 1 -2", "wheel 1 1"}, {}},
    {"WindowEvents",
     {WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST),
      WindowEvent(SDL_WINDOWEVENT_EXPOSED), WindowEvent(SDL_WINDOWEVENT_MOVED)},
     {}, {WindowRequest::FocusGained, WindowRequest::FocusLost, WindowRequest::Redraw}},
};

INSTANTIATE_TEST_SUITE_P(Platform, RouterStrokes, ::testing::ValuesIn(Strokes),
                         [](const auto& stroke) { return std::string(stroke.param.Name); });

TEST(RouterEvents, MotionAndQuit) {
  Recorder game;
  InputRouter router(game);
  EXPECT_EQ(router.Route(Motion(321, 4)), WindowRequest::None);
  EXPECT_EQ(router.Route(Motion(321, -4)), WindowRequest::None);  // above the frame: not the game's
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_EQ(router.Route(quit), WindowRequest::Close);
  EXPECT_EQ(game.Calls, std::vector<std::string>{"mouse-move 321 4"});
}

// In a 1920 x 1080 window the frame is doubled with bars around it: the game gets
// back-buffer pixels, nothing from the bars, and a drag into them held at the frame's edge.
TEST(RouterEvents, MouseMapsThroughWhereTheFrameLies) {
  Recorder game;
  InputRouter router(game);
  router.SetFrame(FitFrame(1920, 1080));
  for (const SDL_Event& event :
       {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 200), Motion(319, 59), Motion(0, 1079),
        Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 321, 61), Motion(0, 1079),
        Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1599, 1019), Motion(1700, 500)}) {
    router.Route(event);
  }
  EXPECT_EQ(game.Calls, (std::vector<std::string>{"mouse-down 0 0 0", "mouse-move 0 479", "mouse-up 0 639 479"}));
}

}  // namespace
}  // namespace tobu
#endif
