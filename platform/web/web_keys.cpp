#include "platform/web/web_keys.h"

#include <algorithm>
#include <iterator>

namespace tobu {
namespace {

// The desktop's named keys (platform/virtual_key.cpp) by their virtual codes; the
// browser's keyCode is the same number for each.
constexpr uint16_t NamedKeys[] = {8,   9,   13,  16,  17,  19,  20,  27,  32,  33,  34,  35,  36,  37,  38,
                                  39,  40,  45,  46,  96,  97,  98,  99,  100, 101, 102, 103, 104, 105, 106,
                                  107, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 123};

}  // namespace

uint16_t VirtualKeyFromKeyCode(uint32_t keyCode) {
  if (keyCode >= 'A' && keyCode <= 'Z') return static_cast<uint16_t>(keyCode);
  if (keyCode >= '0' && keyCode <= '9') return static_cast<uint16_t>(keyCode);
  if (keyCode == 0 || keyCode > 0xFFFF) return 0;
  const bool named = std::find(std::begin(NamedKeys), std::end(NamedKeys), keyCode) != std::end(NamedKeys);
  return named ? static_cast<uint16_t>(keyCode) : 0;
}

uint8_t CharacterFromCharCode(uint32_t charCode) {
  if (charCode == 0) return 0;
  return charCode <= 0xFF ? static_cast<uint8_t>(charCode) : 0xFF;
}

bool SuppressesBrowserAction(uint16_t virtualKey, bool ctrl) {
  if (ctrl) return true;  // Ctrl with a letter is the editor's, not the browser's
  const bool typesCharacter = virtualKey == 32 || (virtualKey >= '0' && virtualKey <= '9') ||
                              (virtualKey >= 'A' && virtualKey <= 'Z') ||
                              (virtualKey >= 96 && virtualKey <= 111);
  return !typesCharacter;
}

}  // namespace tobu
