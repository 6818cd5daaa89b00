#include "platform/ttf_canvas_font.h"

#include <SDL_ttf.h>

#include <cstring>

namespace tobu {
namespace {

// Where Debian's fonts-dejavu-core and other distributions put the font.
constexpr const char* FontPaths[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/TTF/DejaVuSans.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/dejavu-sans-fonts/DejaVuSans.ttf",
    "/usr/local/share/fonts/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
};

// The game's texts are single bytes (Latin-1); SDL2_ttf wants UTF-8.
std::string Utf8FromLatin1(const std::string& text) {
  std::string utf8;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

// The alpha of a white blended rendering is the ink's coverage.
TextMask CoverageOf(SDL_Surface* surface) {
  TextMask mask;
  mask.Width = surface->w;
  mask.Height = surface->h;
  mask.Coverage.resize(static_cast<size_t>(mask.Width) * static_cast<size_t>(mask.Height));
  SDL_LockSurface(surface);
  for (int y = 0; y < surface->h; ++y) {
    const auto* row = static_cast<const uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch;
    for (int x = 0; x < surface->w; ++x) {
      uint32_t pixel = 0;
      std::memcpy(&pixel, row + static_cast<ptrdiff_t>(x) * 4, sizeof pixel);
      uint8_t r = 0, g = 0, b = 0, a = 0;
      SDL_GetRGBA(pixel, surface->format, &r, &g, &b, &a);
      mask.Coverage[static_cast<size_t>(y) * static_cast<size_t>(mask.Width) + static_cast<size_t>(x)] = a;
    }
  }
  SDL_UnlockSurface(surface);
  return mask;
}

class TtfCanvasFont : public CanvasFont {
public:
  explicit TtfCanvasFont(TTF_Font* font) : font_(font) {}
  ~TtfCanvasFont() override {
    TTF_CloseFont(font_);
    TTF_Quit();
  }
  TtfCanvasFont(const TtfCanvasFont&) = delete;
  TtfCanvasFont& operator=(const TtfCanvasFont&) = delete;

  TextMask Render(const std::string& text) override {
    if (text.empty()) return {};
    SDL_Surface* surface = TTF_RenderUTF8_Blended(font_, Utf8FromLatin1(text).c_str(), SDL_Color{255, 255, 255, 255});
    if (surface == nullptr) return {};
    TextMask mask = surface->format->BytesPerPixel == 4 ? CoverageOf(surface) : TextMask{};
    SDL_FreeSurface(surface);
    return mask;
  }

private:
  TTF_Font* font_;
};

}  // namespace

std::unique_ptr<CanvasFont> OpenTtfCanvasFont() {
  if (TTF_Init() != 0) return nullptr;
  for (const char* path : FontPaths) {
    // 8 points at 96 dpi: the 11-pixel type of the game's canvas.
    if (TTF_Font* font = TTF_OpenFontDPI(path, 8, 96, 96); font != nullptr) {
      return std::make_unique<TtfCanvasFont>(font);
    }
  }
  TTF_Quit();
  return nullptr;
}

}  // namespace tobu
