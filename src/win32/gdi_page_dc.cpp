#include "win32/gdi_page_dc.h"

#include <algorithm>

#include "platform/gdi/win32/gdi_font.h"
#include "win32/win32_text.h"

namespace oxi {
namespace {

COLORREF GdiColor(Colorref c) {
  return RGB(RedOf(c), GreenOf(c), BlueOf(c));
}

}  // namespace

GdiPageDc::GdiPageDc(HDC dc, bool owned) : dc_(dc), owned_(owned), savedState_(SaveDC(dc)) {
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

GdiPageDc::~GdiPageDc() {
  // The context gets its own objects back before ours are deleted.
  RestoreDC(dc_, savedState_);
  for (auto& [key, pen] : pens_) DeleteObject(pen);
  for (auto& [key, brush] : brushes_) DeleteObject(brush);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  if (owned_) DeleteDC(dc_);
}

int GdiPageDc::DpiX() const {
  return GetDeviceCaps(dc_, LOGPIXELSX);
}
int GdiPageDc::DpiY() const {
  return GetDeviceCaps(dc_, LOGPIXELSY);
}
int GdiPageDc::PrintableWidth() const {
  return GetDeviceCaps(dc_, HORZRES);
}
int GdiPageDc::PrintableHeight() const {
  return GetDeviceCaps(dc_, VERTRES);
}

void GdiPageDc::StartDocument(const std::string& name) {
  const std::wstring title = Wide(name);
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  documentStarted_ = StartDocW(dc_, &info) > 0;
}

// The spooler's answers are not examined: a printer reports its failures itself.
void GdiPageDc::StartPage() {
  if (documentStarted_) ::StartPage(dc_);
}
void GdiPageDc::EndPage() {
  if (documentStarted_) ::EndPage(dc_);
}
bool GdiPageDc::EndDocument() {
  if (documentStarted_) EndDoc(dc_);
  documentStarted_ = false;
  return true;
}

// One-dot pens are cosmetic, as the screen's are: the end point of a line is left out.
// Wider ones are geometric with flat ends, so that a band ends where its line does.
void GdiPageDc::UsePen(bool insideFrame) {
  const int width = std::max(1, pen_.width);
  const auto key = std::make_tuple(pen_.color, width, insideFrame);
  auto it = pens_.find(key);
  if (it == pens_.end()) {
    HPEN pen;
    if (width == 1) {
      pen = CreatePen(insideFrame ? PS_INSIDEFRAME : PS_SOLID, 1, GdiColor(pen_.color));
    } else {
      const LOGBRUSH brush{BS_SOLID, GdiColor(pen_.color), 0};
      const DWORD style =
          PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER | (insideFrame ? PS_INSIDEFRAME : PS_SOLID);
      pen = ExtCreatePen(style, static_cast<DWORD>(width), &brush, 0, nullptr);
    }
    it = pens_.emplace(key, pen).first;
  }
  SelectObject(dc_, it->second);
}

HBRUSH GdiPageDc::SolidBrush(Colorref color) {
  auto it = brushes_.find(color);
  if (it == brushes_.end()) it = brushes_.emplace(color, CreateSolidBrush(GdiColor(color))).first;
  return it->second;
}

void GdiPageDc::UseFont() {
  const auto key = std::make_tuple(font_.face, font_.height, font_.weight);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) it = fonts_.emplace(key, CreateDraftFont(font_)).first;
  SelectObject(dc_, it->second);
}

void GdiPageDc::LineTo(int x, int y) {
  if (x == curX_ && y == curY_) {
    // A flat-ended line of no length would vanish, but the page uses such lines as the
    // dots of a gap: they leave a square of the pen's width.
    const int width = std::max(1, pen_.width);
    const RECT square{x - width / 2, y - width / 2, x - width / 2 + width, y - width / 2 + width};
    FillRect(dc_, &square, SolidBrush(pen_.color));
  } else {
    UsePen(false);
    MoveToEx(dc_, curX_, curY_, nullptr);
    ::LineTo(dc_, x, y);
  }
  curX_ = x;
  curY_ = y;
}

void GdiPageDc::SetPixel(int x, int y, Colorref c) {
  ::SetPixel(dc_, x, y, GdiColor(c));
}

void GdiPageDc::Rectangle(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  UsePen(true);
  SelectObject(dc_, SolidBrush(brush_.color));
  ::Rectangle(dc_, left, top, right, bottom);
}

void GdiPageDc::TextOutUtf8(int x, int y, std::string_view utf8) {
  const std::wstring text = Wide(utf8);
  UseFont();
  ::SetTextColor(dc_, GdiColor(textColor_));
  ::SetBkColor(dc_, GdiColor(bkColor_));
  ::SetBkMode(dc_, bkMode_ == BkMode::kOpaque ? OPAQUE : TRANSPARENT);
  TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace oxi
