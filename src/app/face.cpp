#include "app/face.h"

#include <array>

#include "app/line_drawing.h"
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
constexpr std::array<Label, 4> kLabels = {{{texts::kMovingAverageLabel, {755, 575}},
                                           {texts::kRangeLabel, {915, 575}},
                                           {texts::kIntervalLabel, {845, 550}},
                                           {texts::kEnterHint, {755, 605}}}};

void FillAreas(Dc& dc, std::span<const FillRect> areas) {
  for (const FillRect& r : areas) dc.Rectangle(r.left, r.top, r.right, r.bottom);
}

}  // namespace

void DrawFace(Dc& face) {
  face.SelectPen(SolidPen(kFaceGrey));
  face.SelectBrush(Brush{kFaceGrey});
  FillAreas(face, kGreyAreas);
  for (const Segment& s : kGreyLines) DrawSegment(face, s);
  FillAreas(face, kGreyAreasAfterLines);

  face.SelectFont(kScreenFont);
  face.SetBkMode(BkMode::kTransparent);
  face.SetTextColor(kBlack);
  for (const Label& label : kLabels) face.TextOutUtf8(label.at.x, label.at.y, label.text);

  FillAreas(face, std::span(&kGreyUnderHint, 1));
  DrawPixels(face, kFaceGrey, kGreyDots);
}

}  // namespace oxi
