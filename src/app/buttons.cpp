#include "app/buttons.h"

#include <array>

#include "app/line_drawing.h"
#include "res/texts.h"

namespace oxi {
namespace {

constexpr int kLooks = 3;
constexpr Colorref kOutline = Rgb(128, 192, 255);
constexpr Colorref kChevron = Rgb(32, 64, 128);
// Outline and the two upper-left bevel lines: the pixels a button's frame is deep.
constexpr int kBevelDepth = 3;

// Colours of one look: upper-left bevel, lower-right bevel of the command buttons and of
// the spin arrows, face.
struct LookColors {
  Colorref upperLeft;
  Colorref commandLowerRight;
  Colorref spinLowerRight;
  Colorref face;
};
constexpr std::array<LookColors, kLooks> kLookColors = {{
    {Rgb(245, 255, 255), Rgb(192, 230, 255), Rgb(192, 230, 255), Rgb(212, 245, 255)},
    {Rgb(245, 255, 255), Rgb(192, 230, 255), Rgb(245, 255, 255), Rgb(232, 245, 255)},
    {Rgb(212, 245, 255), Rgb(212, 245, 255), Rgb(212, 245, 255), Rgb(192, 230, 255)},
}};

struct Caption {
  const char* text;
  PixelPoint at;
};
constexpr Caption kDownloadCaption = {texts::kDownloadCaption, {760, 26}};
constexpr Caption kPrintCaption = {texts::kPrintCaption, {853, 26}};
constexpr Caption kSaveCaption = {texts::kSaveCaption, {931, 26}};

constexpr std::array<PixelPoint, 14> kSpinUpChevron = {{{891, 578},
                                                        {892, 577},
                                                        {893, 576},
                                                        {894, 575},
                                                        {895, 576},
                                                        {896, 577},
                                                        {897, 578},
                                                        {891, 577},
                                                        {892, 576},
                                                        {893, 575},
                                                        {894, 574},
                                                        {895, 575},
                                                        {896, 576},
                                                        {897, 577}}};
constexpr std::array<PixelPoint, 14> kSpinDownChevron = {{{891, 588},
                                                          {892, 589},
                                                          {893, 590},
                                                          {894, 591},
                                                          {895, 590},
                                                          {896, 589},
                                                          {897, 588},
                                                          {891, 589},
                                                          {892, 590},
                                                          {893, 591},
                                                          {894, 592},
                                                          {895, 591},
                                                          {896, 590},
                                                          {897, 589}}};

// The shape every button shares: outline, two bevels, face.
void DrawButtonShape(Dc& dc, const ButtonRect& r, const LookColors& colors, Colorref lowerRight) {
  const int l = r.left, t = r.top, rt = r.right, b = r.bottom;
  const FramedBox box{l, t, rt + 1, b + 1, kBevelDepth, kBevelDepth};
  const FramedBoxScope scope(dc, box);
  dc.SelectPen(SolidPen(kOutline));
  DrawSegment(dc, l, t + 1, l, b);
  DrawSegment(dc, l + 1, b, rt, b);
  DrawSegment(dc, rt, b - 1, rt, t);
  DrawSegment(dc, rt - 1, t, l, t);
  dc.SelectPen(SolidPen(colors.upperLeft));
  DrawSegment(dc, l + 1, t + 1, rt - 1, t + 1);
  DrawSegment(dc, l + 1, t + 2, rt - 1, t + 2);
  DrawSegment(dc, l + 1, t + 2, l + 1, b - 1);
  DrawSegment(dc, l + 2, t + 2, l + 2, b - 1);
  dc.SelectPen(SolidPen(lowerRight));
  DrawSegment(dc, rt - 1, t + 2, rt - 1, b - 1);
  DrawSegment(dc, l + 3, b - 1, rt - 1, b - 1);
  dc.SelectPen(SolidPen(colors.face));
  DrawSegment(dc, l + 4, t + 3, rt - 2, t + 3);
  for (int y = t + 4; y <= b - 3; ++y) DrawSegment(dc, l + 3, y, rt - 1, y);
  DrawSegment(dc, l + 4, b - 2, rt - 2, b - 2);
}

void DrawCommandButton(Dc& dc, const ButtonRect& r, const LookColors& colors,
                       const Caption& caption) {
  DrawButtonShape(dc, r, colors, colors.commandLowerRight);
  dc.SelectFont(kScreenFont);
  dc.SetBkMode(BkMode::kTransparent);
  dc.SetTextColor(kBlack);
  dc.TextOutUtf8(caption.at.x, caption.at.y, caption.text);
}

void DrawSpinArrow(Dc& dc, const ButtonRect& r, const LookColors& colors,
                   std::span<const PixelPoint> chevron) {
  DrawButtonShape(dc, r, colors, colors.spinLowerRight);
  DrawPixels(dc, kChevron, chevron);
}

}  // namespace

const ButtonRect& ButtonRectOf(int control) {
  switch (control) {
    case kDownloadButton:
      return kDownloadRect;
    case kPrintButton:
      return kPrintRect;
    case kSaveButton:
      return kSaveRect;
    case kSpinUpButton:
      return kSpinUpRect;
    default:
      return kSpinDownRect;
  }
}

void DrawButton(Dc& face, int code) {
  const int look = ButtonLookOf(code);
  if (code < 0 || look >= kLooks) return;
  const LookColors& colors = kLookColors[look];
  switch (ButtonControlOf(code)) {
    case kDownloadButton:
      return DrawCommandButton(face, kDownloadRect, colors, kDownloadCaption);
    case kPrintButton:
      return DrawCommandButton(face, kPrintRect, colors, kPrintCaption);
    case kSaveButton:
      return DrawCommandButton(face, kSaveRect, colors, kSaveCaption);
    case kSpinUpButton:
      return DrawSpinArrow(face, kSpinUpRect, colors, kSpinUpChevron);
    case kSpinDownButton:
      return DrawSpinArrow(face, kSpinDownRect, colors, kSpinDownChevron);
    default:
      return;
  }
}

}  // namespace oxi
