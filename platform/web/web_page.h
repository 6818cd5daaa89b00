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

}  // namespace tobu::page
