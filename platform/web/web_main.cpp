// The game in a web page: the browser's events reach the game through Emscripten's
// html5 callbacks; the page (web_page.js) holds the canvas, the files and the dialog.
#include <emscripten.h>
#include <emscripten/html5.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>

#include "platform/web/saved_folder.h"
#include "platform/web/web_game.h"
#include "platform/web/web_online.h"
#include "platform/web/web_pads.h"
#include "platform/web/web_page.h"

namespace {

using tobu::WebGame;

constexpr const char* Canvas = "#canvas";
WebGame* game = nullptr;  // the page has one game; the callbacks reach it through here
tobu::WebPads* pads = nullptr;

bool HasFocusAndIsVisible() {
  EmscriptenVisibilityChangeEvent visibility{};
  const bool visible = emscripten_get_visibility_status(&visibility) != EMSCRIPTEN_RESULT_SUCCESS ||
                       visibility.visibilityState == EMSCRIPTEN_VISIBILITY_VISIBLE;
  return visible && EM_ASM_INT({ return document.hasFocus() ? 1 : 0; }) != 0;
}

void UpdateActive() { game->SetActive(HasFocusAndIsVisible(), emscripten_performance_now()); }

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* key, void*) {
  if (type == EMSCRIPTEN_EVENT_KEYDOWN)
    return game->KeyDown(key->keyCode, key->ctrlKey, key->altKey, key->repeat);
  if (type == EMSCRIPTEN_EVENT_KEYPRESS) game->KeyPress(key->charCode);
  if (type == EMSCRIPTEN_EVENT_KEYUP) game->KeyUp(key->keyCode);
  return type == EMSCRIPTEN_EVENT_KEYPRESS;  // a typed space must not scroll the page
}

// The canvas is drawn at any size with its 4:3 aspect, so CSS pixels scale to frame pixels.
void ToFramePixel(const EmscriptenMouseEvent* mouse, int& x, int& y) {
  double width = 0, height = 0;
  emscripten_get_element_css_size(Canvas, &width, &height);
  x = width > 0 ? static_cast<int>(std::floor(mouse->targetX * tobu::ViewWidth / width)) : -1;
  y = height > 0 ? static_cast<int>(std::floor(mouse->targetY * tobu::ViewHeight / height)) : -1;
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* mouse, void*) {
  int x = 0, y = 0;
  ToFramePixel(mouse, x, y);
  if (type == EMSCRIPTEN_EVENT_MOUSEDOWN) game->MouseDown(mouse->button, x, y);
  if (type == EMSCRIPTEN_EVENT_MOUSEUP) game->MouseUp(mouse->button, x, y);
  if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) game->MouseMove(x, y);
  return EM_TRUE;
}

// The browser measures the wheel's travel in pixels, lines or pages; a notch is about
// 100 pixels or 3 lines, and a touchpad's small steps add up to notches. Only the
// editor's view keeps the page from scrolling.
double wheelX = 0, wheelY = 0;  // travel not yet a whole notch
EM_BOOL OnWheel(int, const EmscriptenWheelEvent* wheel, void*) {
  const double perNotch = wheel->deltaMode == DOM_DELTA_PIXEL  ? 100
                          : wheel->deltaMode == DOM_DELTA_LINE ? 3
                                                               : 1;
  wheelX += wheel->deltaX / perNotch;
  wheelY += wheel->deltaY / perNotch;
  const int dx = static_cast<int>(std::trunc(wheelX)), dy = static_cast<int>(std::trunc(wheelY));
  wheelX -= dx;
  wheelY -= dy;
  if (dx != 0 || dy != 0) game->MouseWheel(dx, dy);
  return game->EditorView() ? EM_TRUE : EM_FALSE;
}

EM_BOOL OnFocus(int, const EmscriptenFocusEvent*, void*) {
  UpdateActive();
  return EM_FALSE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent*, void*) {
  UpdateActive();
  return EM_FALSE;
}

EM_BOOL OnAnimationFrame(double now, void*) {
  if (game->PadsOn()) pads->Poll();
  game->AnimationFrame(now);
  return game->Closed() ? EM_FALSE : EM_TRUE;
}

void ListenToThePage() {
  const char* document = EMSCRIPTEN_EVENT_TARGET_DOCUMENT;
  emscripten_set_keydown_callback(document, nullptr, EM_TRUE, OnKey);
  emscripten_set_keypress_callback(document, nullptr, EM_TRUE, OnKey);
  emscripten_set_keyup_callback(document, nullptr, EM_TRUE, OnKey);
  emscripten_set_mousedown_callback(Canvas, nullptr, EM_TRUE, OnMouse);
  emscripten_set_mouseup_callback(Canvas, nullptr, EM_TRUE, OnMouse);
  emscripten_set_mousemove_callback(Canvas, nullptr, EM_TRUE, OnMouse);
  emscripten_set_wheel_callback(Canvas, nullptr, EM_TRUE, OnWheel);
  emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnFocus);
  emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnFocus);
  emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, OnVisibility);
}

}  // namespace

tobu::WebGame* tobu::TheWebGame() { return game; }

// The page's test hook: runs `count` ticks now and shows the last frame.
extern "C" EMSCRIPTEN_KEEPALIVE void tobu_run_ticks(int count) { game->RunTicks(count); }

// Ticks run since the page opened, to measure the pace in a real browser.
extern "C" EMSCRIPTEN_KEEPALIVE double tobu_tick_count() { return static_cast<double>(game->Ticks()); }

// A key of the page's own controls (touch buttons, the text field), as a virtual key.
extern "C" EMSCRIPTEN_KEEPALIVE void tobu_control_key(int key, int down) {
  if (key > 0 && key < 256) game->ControlKey(static_cast<uint16_t>(key), down != 0);
}

// A character typed in the page's text field.
extern "C" EMSCRIPTEN_KEEPALIVE void tobu_type(int charCode) {
  if (charCode > 0) game->KeyPress(static_cast<uint32_t>(charCode));
}

// A tap on the frame at (`x`, `y`); 1 when the screen wants a name typed.
extern "C" EMSCRIPTEN_KEEPALIVE int tobu_tap(int x, int y) { return game->Tap(x, y) ? 1 : 0; }

// Whether touch gestures edit the level: 1 in the editor's view.
extern "C" EMSCRIPTEN_KEEPALIVE int tobu_editor_view() { return game->EditorView() ? 1 : 0; }

// A mouse button (0 left, 2 right) pressed or released at a frame pixel, for the
// editor's long press.
extern "C" EMSCRIPTEN_KEEPALIVE void tobu_mouse(int button, int down, int x, int y) {
  if (down != 0) {
    game->MouseDown(button, x, y);
  } else {
    game->MouseUp(button, x, y);
  }
}

// The tab is being closed or left.
extern "C" EMSCRIPTEN_KEEPALIVE void tobu_page_hidden() { game->PageHidden(); }

// The themes' sheets painted so far, and each one's BMP file (painted now if it is not
// yet), for the page's tests.
extern "C" EMSCRIPTEN_KEEPALIVE int tobu_theme_sheets_ready() { return game->ThemeSheetsReady(); }
extern "C" EMSCRIPTEN_KEEPALIVE const unsigned char* tobu_theme_sheet(int index) {
  return game->ThemeSheet(index).data();
}
extern "C" EMSCRIPTEN_KEEPALIVE int tobu_theme_sheet_size(int index) {
  return static_cast<int>(game->ThemeSheet(index).size());
}

// Whether the sound is on (F2 switches it), for the page's tests.
extern "C" EMSCRIPTEN_KEEPALIVE int tobu_sound_on() { return game->SoundOn() ? 1 : 0; }

int main() {
  // The page mounted the saved folder at /tobu and loaded the shipped levels at /shipped.
  if (!tobu::AddShippedLevels("/shipped/Levels", "/tobu/Levels")) {
    std::fprintf(stderr, "tobu: cannot add the shipped levels to the saved folder\n");
  }
  if (chdir("/tobu") != 0) std::fprintf(stderr, "tobu: cannot enter the saved folder\n");
  game = new WebGame();
  pads = new tobu::WebPads(*game);
  if (tobu::page::TestMode()) game->HoldTicks();
  game->Start(emscripten_performance_now());
  tobu::page::SaveFilesIfChanged();
  ListenToThePage();
  UpdateActive();
  emscripten_request_animation_frame_loop(OnAnimationFrame, nullptr);
  return 0;
}
