#pragma once
#include <cstdint>
#include <string>

// The page around the game (web_page.js): what the C++ side asks of it.
namespace tobu::page {

// Puts a 640 x 480 picture of RGBA bytes on the canvas.
void ShowFrame(const uint8_t* rgba);
// The game's message box: an HTML dialog over the canvas.
void ShowMessage(const std::string& message);
bool MessageOpen();
void ShowPointer(bool shown);
// Writes the saved folder to IndexedDB if a file was written or removed since last time.
void SaveFilesIfChanged();
// The game has closed: the page says so.
void ShowClosed();
// Another tab plays now: this one neither runs nor writes.
bool Stopped();
// The page was opened for a test (?test): only the test hook runs ticks.
bool TestMode();
// The page fills the screen (or was asked to, from the player's key); the browser may
// refuse, and the player may leave full screen with the browser's own key.
void SetFullScreen(bool on);
bool FullScreen();
// The frame grows by whole multiples only (tobu.ini's scale = integer), or fits.
void SetWholeMultiplesOnly(bool on);

}  // namespace tobu::page
