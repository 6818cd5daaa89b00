#include "platform/web/web_page.h"

#include <emscripten.h>

namespace {

// clang-format off
EM_JS(void, tobu_show_frame, (const uint8_t* rgba), { TobuPage.showFrame(rgba); });
EM_JS(void, tobu_show_message, (const char* message), { TobuPage.showMessage(UTF8ToString(message)); });
EM_JS(int, tobu_message_open, (), { return TobuPage.messageOpen() ? 1 : 0; });
EM_JS(void, tobu_show_pointer, (int shown), { TobuPage.showPointer(shown !== 0); });
EM_JS(void, tobu_save_files, (), { TobuPage.saveFilesIfChanged(); });
EM_JS(void, tobu_show_closed, (), { TobuPage.showClosed(); });
EM_JS(int, tobu_stopped, (), { return TobuPage.stopped ? 1 : 0; });
EM_JS(int, tobu_test_mode, (), { return TobuPage.testMode ? 1 : 0; });
EM_JS(void, tobu_set_full_screen, (int on), { TobuPage.setFullScreen(on !== 0); });
EM_JS(int, tobu_full_screen, (), { return TobuPage.fullScreen() ? 1 : 0; });
EM_JS(void, tobu_whole_multiples_only, (int on), { TobuLayout.setWholeMultiplesOnly(on !== 0); });
// clang-format on

}  // namespace

namespace tobu::page {

void ShowFrame(const uint8_t* rgba) { tobu_show_frame(rgba); }
void ShowMessage(const std::string& message) { tobu_show_message(message.c_str()); }
bool MessageOpen() { return tobu_message_open() != 0; }
void ShowPointer(bool shown) { tobu_show_pointer(shown ? 1 : 0); }
void SaveFilesIfChanged() { tobu_save_files(); }
void ShowClosed() { tobu_show_closed(); }
bool Stopped() { return tobu_stopped() != 0; }
bool TestMode() { return tobu_test_mode() != 0; }
void SetFullScreen(bool on) { tobu_set_full_screen(on ? 1 : 0); }
bool FullScreen() { return tobu_full_screen() != 0; }
void SetWholeMultiplesOnly(bool on) { tobu_whole_multiples_only(on ? 1 : 0); }

}  // namespace tobu::page
