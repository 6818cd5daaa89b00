#include "platform/virtual_key.h"

namespace tobu {
namespace {

struct KeyPair {
  SDL_Keycode Sdl;
  uint16_t Virtual;
};

// Keys whose code is not a letter or digit. Alt is left out: it belongs to the
// full-screen shortcut.
constexpr KeyPair NamedKeys[] = {
    {SDLK_BACKSPACE, 8},   {SDLK_TAB, 9},        {SDLK_RETURN, 13},    {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},     {SDLK_RSHIFT, 16},    {SDLK_LCTRL, 17},     {SDLK_RCTRL, 17},
    {SDLK_PAUSE, 19},      {SDLK_CAPSLOCK, 20},  {SDLK_ESCAPE, 27},    {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},     {SDLK_PAGEDOWN, 34},  {SDLK_END, 35},       {SDLK_HOME, 36},
    {SDLK_LEFT, 37},       {SDLK_UP, 38},        {SDLK_RIGHT, 39},     {SDLK_DOWN, 40},
    {SDLK_INSERT, 45},     {SDLK_DELETE, 46},    {SDLK_KP_0, 96},      {SDLK_KP_1, 97},
    {SDLK_KP_2, 98},       {SDLK_KP_3, 99},      {SDLK_KP_4, 100},     {SDLK_KP_5, 101},
    {SDLK_KP_6, 102},      {SDLK_KP_7, 103},     {SDLK_KP_8, 104},     {SDLK_KP_9, 105},
    {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107}, {SDLK_KP_MINUS, 109}, {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DIVIDE, 111}, {SDLK_F1, 112},       {SDLK_F2, 113},       {SDLK_F3, 114},
    {SDLK_F4, 115},        {SDLK_F5, 116},       {SDLK_F6, 117},       {SDLK_F7, 118},
    {SDLK_F8, 119},        {SDLK_F9, 120},       {SDLK_F10, 121},      {SDLK_F11, 122},
    {SDLK_F12, 123},
};

}  // namespace

uint16_t VirtualKeyFromSdl(SDL_Keycode key) {
  // Letters and digits follow the keyboard layout, as their virtual keys do.
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<uint16_t>('A' + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<uint16_t>('0' + (key - SDLK_0));
  for (const KeyPair& pair : NamedKeys) {
    if (pair.Sdl == key) return pair.Virtual;
  }
  return 0;
}

uint8_t CharacterFromText(const char* utf8) {
  const auto lead = static_cast<unsigned char>(utf8[0]);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  uint32_t codePoint = lead & (0x3Fu >> extra);
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(utf8[i]);
    if ((next & 0xC0) != 0x80) return 0xFF;  // broken sequence: still not ASCII
    codePoint = (codePoint << 6) | (next & 0x3Fu);
  }
  // Latin-1 characters keep their code; the rest share 255. Both lie above 127.
  return codePoint >= 0x80 && codePoint <= 0xFF ? static_cast<uint8_t>(codePoint) : 0xFF;
}

}  // namespace tobu
