#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/gdi/font.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/text_draw.h"
#include "platform/gdi/win32/gdi_font.h"
#include "platform/text/utf16.h"

namespace oxi {

namespace {

constexpr int kBytesPerDibPixel = 4;
constexpr std::uint8_t kGlyphPixel = 255;

// A memory device context with the fonts created on it so far, kept for the life of the
// process: the screen draws the same few labels in the same few sizes over and over.
// Single-threaded.
class TextContext {
 public:
  static TextContext& Instance() {
    static TextContext context;
    return context;
  }
  TextContext(const TextContext&) = delete;
  TextContext& operator=(const TextContext&) = delete;
  ~TextContext() {
    if (dc_) DeleteDC(dc_);
    for (auto& [key, font] : fonts_) DeleteObject(font);
  }

  // The context with `font` selected; nullptr when GDI has none to give.
  HDC With(const Font& font) {
    if (!dc_) return nullptr;
    HFONT handle = Handle(font);
    if (!handle) return nullptr;
    SelectObject(dc_, handle);
    return dc_;
  }

 private:
  TextContext() : dc_(CreateCompatibleDC(nullptr)) {}

  // The program's faces as a Japanese Windows program names them: a positive height is
  // the cell height, the Japanese character set, and no smoothing, so every glyph pixel
  // is either painted in the text colour or left alone.
  HFONT Handle(const Font& font) {
    const auto key = std::tuple{font.face, std::max(font.height, 1), font.weight};
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    const LOGFONTW lf = LogFontOf(font, NONANTIALIASED_QUALITY);
    return fonts_.emplace(key, CreateFontIndirectW(&lf)).first->second;
  }

  HDC dc_;
  std::map<std::tuple<std::string, int, int>, HFONT> fonts_;
};

// A top-down 32-bit DIB section selected into a context for as long as it lives.
class Dib {
 public:
  Dib(HDC dc, int width, int rows) : dc_(dc) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -rows;  // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBytesPerDibPixel * 8;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (bitmap_) previous_ = SelectObject(dc, bitmap_);
  }
  ~Dib() {
    if (!bitmap_) return;
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
  }
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;

  std::uint8_t* Bits() { return static_cast<std::uint8_t*>(bits_); }
  bool Ok() const { return bitmap_ && bits_; }

 private:
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
};

// A line of text as GDI draws it without smoothing: which pixels are glyph pixels, in a
// bitmap whose top-left lies `margin` pixels left of and above the text cell's.
struct TextImage {
  int advance = 0;
  int margin = 0;
  int width = 0;
  int rows = 0;
  std::vector<std::uint8_t> coverage;  // 255 where a glyph pixel is, else 0
};

// GDI draws the text in white on a black DIB reaching a cell height around its cell; the
// white pixels are the glyphs.
TextImage Render(HDC dc, const Font& font, const std::wstring& text) {
  TextImage image;
  SIZE size{};
  if (text.empty() ||
      !GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size)) {
    return image;
  }
  image.advance = size.cx;
  image.margin = std::max(font.height, 1);
  image.width = size.cx + 2 * image.margin;
  image.rows = 3 * image.margin;
  Dib dib(dc, image.width, image.rows);
  if (!dib.Ok()) return image;
  std::memset(dib.Bits(), 0,
              static_cast<std::size_t>(image.width) * image.rows * kBytesPerDibPixel);
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  TextOutW(dc, image.margin, image.margin, text.data(), static_cast<int>(text.size()));
  GdiFlush();
  image.coverage.resize(static_cast<std::size_t>(image.width) * image.rows);
  const std::uint8_t* pixel = dib.Bits();
  for (std::uint8_t& c : image.coverage) {
    c = (pixel[0] | pixel[1] | pixel[2]) ? kGlyphPixel : 0;
    pixel += kBytesPerDibPixel;
  }
  return image;
}

// The lines drawn so far: the screen draws the same labels over and over, and each GDI
// drawing into a DIB costs far more than blending its result. Dropped whole when full.
class TextImages {
 public:
  static TextImages& Instance() {
    static TextImages images;
    return images;
  }
  // The image of `utf8` in `font`; nullptr when GDI cannot draw in that font.
  const TextImage* Of(const Font& font, std::string_view utf8) {
    auto key = std::tuple{font.face, font.height, font.weight, std::string(utf8)};
    auto it = images_.find(key);
    if (it != images_.end()) return &it->second;
    HDC dc = TextContext::Instance().With(font);
    if (!dc) return nullptr;
    if (images_.size() >= kMaxImages) images_.clear();
    return &images_.emplace(std::move(key), Render(dc, font, Utf16FromUtf8<wchar_t>(utf8)))
                .first->second;
  }

 private:
  static constexpr std::size_t kMaxImages = 4096;
  std::map<std::tuple<std::string, int, int, std::string>, TextImage> images_;
};

}  // namespace

int TextWidth(const Font& font, std::string_view utf8) {
  const TextImage* image = TextImages::Instance().Of(font, utf8);
  return image ? image->advance : 0;
}

void BlendText(Surface& surface, int x, int y, const Font& font, Colorref color,
               std::string_view utf8) {
  const TextImage* image = TextImages::Instance().Of(font, utf8);
  if (!image || image->coverage.empty()) return;
  BlendCoverage(surface, long{x} - image->margin, long{y} - image->margin, image->width,
                image->rows, image->coverage.data(), color);
}

}  // namespace oxi
