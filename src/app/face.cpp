#include "app/face.h"

#include <array>
#include <string_view>

#include "app/line_drawing.h"
#include "platform/gdi/font.h"
#include "res/texts.h"

namespace oxi {
namespace {

constexpr std::array<FillRect, 13> kGreyAreas = {{{0, 0, 1024, 18},
                                                  {826, 18, 834, 49},
                                                  {905, 18, 913, 49},
                                                  {984, 18, 1024, 49},
                                                  {755, 49, 1024, 60},
                                                  {0, 15, 20, 700},
                                                  {740, 15, 755, 700},
                                                  {0, 700, 1024, 738},
                                                  {1005, 60, 1024, 820},
                                                  {755, 351, 1005, 355},
                                                  {755, 535, 1005, 540},
                                                  {755, 540, 1005, 570},
                                                  {755, 570, 839, 597}}};
// Grey lines round the moving-average field and the spin arrows.
constexpr std::array<Segment, 3> kGreyLines = {
    {{839, 570, 886, 570}, {884, 571, 884, 597}, {903, 570, 1005, 570}}};
constexpr std::array<FillRect, 2> kGreyAreasAfterLines = {
    {{904, 551, 1005, 597}, {755, 597, 1005, 700}}};
constexpr FillRect kGreyUnderHint = {755, 680, 1005, 700};
constexpr std::array<PixelPoint, 4> kGreyDots = {{{755, 18}, {845, 18}, {755, 48}, {845, 48}}};

struct Label {
  const char* text;
  PixelPoint at;
};
constexpr std::array<Label, 3> kLabels = {{{texts::kMovingAverageLabel, {755, 575}},
                                           {texts::kRangeLabel, {915, 575}},
                                           {texts::kIntervalLabel, {845, 550}}}};
constexpr Label kHint = {texts::kEnterHint, {755, 605}};
// Where the hint may break when it does not fit on one line: after its comma.
constexpr std::string_view kHintBreakAfter = "、";
// The second line of a broken hint, below the first.
constexpr int kHintLineStep = 18;

void FillAreas(Dc& dc, std::span<const FillRect> areas) {
  for (const FillRect& r : areas) dc.Rectangle(r.left, r.top, r.right, r.bottom);
}

// The hint that Enter confirms the window, on one line where the window shows it whole. A
// face wider than the one the layout was made for, in a client area narrower than the
// face (a window frame takes its share), would cut its end off: then it breaks after its
// comma and goes on below.
void DrawHint(Dc& face, int shownWidth) {
  const std::string_view text = kHint.text;
  const std::size_t comma = text.find(kHintBreakAfter);
  if (kHint.at.x + TextWidth(face.CurrentFont(), text) <= shownWidth ||
      comma == std::string_view::npos) {
    face.TextOutUtf8(kHint.at.x, kHint.at.y, text);
    return;
  }
  const std::size_t rest = comma + kHintBreakAfter.size();
  face.TextOutUtf8(kHint.at.x, kHint.at.y, text.substr(0, rest));
  face.TextOutUtf8(kHint.at.x, kHint.at.y + kHintLineStep, text.substr(rest));
}

}  // namespace

void DrawFace(Dc& face, int shownWidth) {
  face.SelectPen(SolidPen(kFaceGrey));
  face.SelectBrush(Brush{kFaceGrey});
  FillAreas(face, kGreyAreas);
  for (const Segment& s : kGreyLines) DrawSegment(face, s);
  FillAreas(face, kGreyAreasAfterLines);

  face.SelectFont(kScreenFont);
  face.SetBkMode(BkMode::kTransparent);
  face.SetTextColor(kBlack);
  for (const Label& label : kLabels) face.TextOutUtf8(label.at.x, label.at.y, label.text);
  DrawHint(face, shownWidth);

  FillAreas(face, std::span(&kGreyUnderHint, 1));
  DrawPixels(face, kFaceGrey, kGreyDots);
}

}  // namespace oxi
