#include "app/scroll_bars.h"

#include <algorithm>
#include <array>

#include "app/line_drawing.h"

namespace oxi {
namespace {

// The eight pens both bars are drawn with.
constexpr Pen kFramePen = SolidPen(Rgb(192, 192, 192));
constexpr Pen kOutlinePen = SolidPen(Rgb(128, 192, 255));
constexpr Pen kNormalPen = SolidPen(Rgb(192, 224, 255));
constexpr Pen kGlyphPen = SolidPen(Rgb(32, 64, 128));
constexpr Pen kHoveredPen = SolidPen(Rgb(224, 240, 255));
constexpr Pen kPressedPen = SolidPen(Rgb(95, 164, 255));
constexpr Pen kTrackPen = SolidPen(kFaceGrey);
constexpr Pen kWhitePen = SolidPen(kWhite);

constexpr std::array<Segment, 4> kGraphFrame = {
    {{196, 663, 196, 683}, {197, 683, 660, 683}, {660, 682, 660, 663}, {659, 663, 196, 663}}};
// The box each bar's frame outlines, taken out to the control's own frame where the two
// lie side by side (the graph's bottom, the list's top, right and bottom), so that each
// of the two lines gets a pen width of its own.
constexpr FramedBox kGraphFrameBox = {196, 663, 661, 685, 1, 2};
constexpr FramedBox kListFrameBox = {228, 0, 250, 180, 2, 2};
constexpr std::array<Segment, 4> kLeftChevron = {
    {{208, 668, 204, 672}, {204, 672, 209, 677}, {207, 668, 203, 672}, {203, 672, 208, 677}}};
constexpr std::array<Segment, 4> kRightChevron = {
    {{648, 668, 652, 672}, {652, 672, 647, 677}, {649, 668, 653, 672}, {653, 672, 648, 677}}};

constexpr std::array<Segment, 4> kListFrame = {
    {{228, 2, 228, 178}, {229, 178, 248, 178}, {248, 177, 248, 1}, {247, 1, 228, 1}}};
constexpr std::array<Segment, 4> kUpChevron = {
    {{234, 12, 238, 8}, {238, 8, 243, 13}, {234, 11, 238, 7}, {238, 7, 243, 12}}};
constexpr std::array<Segment, 4> kDownChevron = {
    {{234, 166, 238, 170}, {238, 170, 243, 165}, {234, 167, 238, 171}, {238, 171, 243, 166}}};
// The list's free track: its rows, and the white edges two pixels wide on either side.
constexpr int kListTrackEdgeWidth = 2;
constexpr int kListTrackFirstRow = 20;
constexpr int kListTrackLastRow = 159;
constexpr int kListTrackEdgeTop = 21;
constexpr int kListTrackEdgeBottom = 163;

// Arrow boxes and thumbs: the outline, then a white line above the bottom one.
constexpr int kBoxEdgeDepth = 2;

// The face pen of a part: hovered or pressed when the look names it, else normal.
const Pen& FacePen(int look, int hoveredLook, int pressedLook) {
  if (look == hoveredLook) return kHoveredPen;
  if (look == pressedLook) return kPressedPen;
  return kNormalPen;
}

void DrawArrowBox(Dc& dc, const ArrowBox& b, const Pen& face) {
  const FramedBoxScope scope(dc, {b.left, b.top, b.right + 1, b.bottom + 1, 1, kBoxEdgeDepth});
  dc.SelectPen(kOutlinePen);
  DrawSegment(dc, b.left, b.top + 1, b.left, b.bottom);
  DrawSegment(dc, b.left + 1, b.bottom, b.right, b.bottom);
  DrawSegment(dc, b.right, b.bottom - 1, b.right, b.top);
  dc.SelectPen(face);
  for (int y = b.faceTop; y <= b.bottom - 2; ++y) DrawSegment(dc, b.left + 1, y, b.right, y);
  dc.SelectPen(kWhitePen);
  DrawSegment(dc, b.left + 1, b.bottom - 1, b.right, b.bottom - 1);
  const std::array<PixelPoint, 4> corners = {
      {{b.left, b.top}, {b.left, b.bottom}, {b.right, b.bottom}, {b.right, b.top}}};
  DrawPixels(dc, kWhite, corners);
}

void DrawGraphThumb(Dc& dc, int x0, int x1, const Pen& face) {
  constexpr int top = kGraphBarTop;
  constexpr int bottom = kGraphBarBottom;
  const FramedBoxScope scope(dc, {x0, top, x1 + 1, bottom + 1, 1, kBoxEdgeDepth});
  dc.SelectPen(kOutlinePen);
  DrawSegment(dc, x0, top + 1, x0, bottom);
  DrawSegment(dc, x0 + 1, bottom, x1, bottom);
  DrawSegment(dc, x1, bottom, x1, top);
  DrawSegment(dc, x1 - 1, top, x0, top);
  dc.SelectPen(face);
  for (int y = top; y <= bottom - 2; ++y) DrawSegment(dc, x0 + 1, y, x1, y);
  dc.SelectPen(kWhitePen);
  DrawSegment(dc, x0 + 1, bottom - 1, x1, bottom - 1);
  const std::array<PixelPoint, 4> corners = {{{x0, top}, {x0, bottom}, {x1, bottom}, {x1, top}}};
  DrawPixels(dc, kWhite, corners);
}

// The free track between columns `from` and `to` (exclusive), with white edges.
void DrawGraphTrack(Dc& dc, int from, int to) {
  const FramedBoxScope scope(dc, {from, kGraphBarTop, to, kGraphBarBottom + 1, 0, 1});
  dc.SelectPen(kTrackPen);
  for (int y = kGraphBarTop + 1; y <= kGraphBarBottom - 1; ++y) DrawSegment(dc, from, y, to, y);
  dc.SelectPen(kWhitePen);
  DrawSegment(dc, from, kGraphBarTop, to, kGraphBarTop);
  DrawSegment(dc, from, kGraphBarBottom, to, kGraphBarBottom);
}

void DrawListThumb(Dc& dc, int y0, int y1, const Pen& face) {
  constexpr int left = kListBarLeft;
  constexpr int right = kListBarRight;
  const FramedBoxScope scope(dc, {left, y0, right + 1, y1 + 1, 1, kBoxEdgeDepth});
  dc.SelectPen(kOutlinePen);
  DrawSegment(dc, left, y0 + 1, left, y1);
  DrawSegment(dc, left + 1, y1, right, y1);
  DrawSegment(dc, right, y1 - 1, right, y0);
  DrawSegment(dc, right - 1, y0, left, y0);
  dc.SelectPen(face);
  for (int y = y0 + 1; y <= y1 - 2; ++y) DrawSegment(dc, left + 1, y, right, y);
  dc.SelectPen(kWhitePen);
  DrawSegment(dc, left + 1, y1 - 1, right, y1 - 1);
  const std::array<PixelPoint, 4> corners = {{{left, y0}, {left, y1}, {right, y1}, {right, y0}}};
  DrawPixels(dc, kWhite, corners);
}

// The free track over rows firstRow..lastRow, with white edges from edgeFrom to edgeTo.
void DrawListTrack(Dc& dc, int firstRow, int lastRow, int edgeFrom, int edgeTo) {
  const FramedBoxScope scope(dc, {kListBarLeft - 1, std::min(firstRow, edgeFrom), kListBarRight + 2,
                                  std::max(lastRow + 1, edgeTo), kListTrackEdgeWidth, 0});
  dc.SelectPen(kTrackPen);
  for (int y = firstRow; y <= lastRow; ++y) DrawSegment(dc, kListBarLeft + 1, y, kListBarRight, y);
  dc.SelectPen(kWhitePen);
  for (int x : {kListBarLeft - 1, kListBarLeft, kListBarRight + 1, kListBarRight}) {
    DrawSegment(dc, x, edgeFrom, x, edgeTo);
  }
}

// The fixed parts both bars share: frame and two arrow boxes with their chevrons.
struct BarParts {
  FramedBox frameBox;
  std::span<const Segment> frame;
  ArrowBox firstArrow;
  std::span<const Segment> firstChevron;
  ArrowBox secondArrow;
  std::span<const Segment> secondChevron;
};
constexpr BarParts kGraphParts = {kGraphFrameBox, kGraphFrame,      kGraphLeftArrow,
                                  kLeftChevron,   kGraphRightArrow, kRightChevron};
constexpr BarParts kListParts = {kListFrameBox, kListFrame,     kListUpArrow,
                                 kUpChevron,    kListDownArrow, kDownChevron};

// Draws the frame, holds `position` inside 0..last (storing it back), draws the arrows.
int DrawFrameAndArrows(Dc& dc, const BarParts& parts, int& position, int last, int look) {
  {
    const FramedBoxScope scope(dc, parts.frameBox);
    DrawSegments(dc, kFramePen, parts.frame);
  }
  if (position < 0) position = 0;
  if (position > last) position = last;
  DrawArrowBox(dc, parts.firstArrow, FacePen(look, kLookFirstArrowHovered, kLookFirstArrowPressed));
  DrawSegments(dc, kGlyphPen, parts.firstChevron);
  DrawArrowBox(dc, parts.secondArrow,
               FacePen(look, kLookSecondArrowHovered, kLookSecondArrowPressed));
  DrawSegments(dc, kGlyphPen, parts.secondChevron);
  return position;
}

const Pen& ThumbPen(int look) {
  return FacePen(look, kLookThumbHovered, kLookThumbDragged);
}

}  // namespace

void DrawGraphScrollBar(Dc& control, int& offset, int look, int thumbWidth) {
  const int a =
      DrawFrameAndArrows(control, kGraphParts, offset, kGraphTrackLength - thumbWidth, look);
  const int x0 = a + kGraphThumbStart;
  const int x1 = x0 + thumbWidth;
  DrawGraphThumb(control, x0, x1, ThumbPen(look));
  if (a > 0) DrawGraphTrack(control, kGraphLeftArrow.right + 1, x0);
  if (a + thumbWidth < kGraphTrackLength) DrawGraphTrack(control, x1 + 1, kGraphRightArrow.left);
}

void DrawListScrollBar(Dc& control, int& position, int look, int thumbLength) {
  const int p =
      DrawFrameAndArrows(control, kListParts, position, kListDownArrowTop - thumbLength, look);
  const int y0 = p + kListThumbStart;
  const int y1 = y0 + thumbLength;
  DrawListThumb(control, y0, y1, ThumbPen(look));
  if (p > 0) DrawListTrack(control, kListTrackFirstRow, y0 - 1, kListTrackEdgeTop, y0);
  if (p + thumbLength < kListDownArrowTop) {
    DrawListTrack(control, y1 + 1, kListTrackLastRow, y1 + 1, kListTrackEdgeBottom);
  }
}

}  // namespace oxi
