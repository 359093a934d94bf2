#pragma once
#include "platform/gdi/color.h"
#include "platform/gdi/dc.h"
#include "platform/ui/tool_window.h"

// Pixel layout of the trend window, in its client coordinates: the months' buttons and the
// state along the top, the choice of figure on the left, the plot of the chosen figure
// against date, a hint below.
namespace oxi::trend_layout {

inline constexpr int kWidth = 880;
inline constexpr int kHeight = 560;
// Where the window first opens: a little below and right of the analysis window's place,
// so that the two never stand exactly over one another.
inline constexpr int kScreenX = 70;
inline constexpr int kScreenY = 70;

// The months shown: this many, starting so many before the main window's month.
inline constexpr int kSpanMonths = 5;
inline constexpr int kMonthsBefore = 3;

// The top row: a month earlier and later, the months shown, the state at the right.
inline constexpr ToolRect kEarlierButton{12, 8, 32, 24};
inline constexpr ToolRect kLaterButton{48, 8, 32, 24};
inline constexpr int kSpanTextX = 92;
inline constexpr int kTopTextY = 12;
inline constexpr int kStateRight = 868;

// The choice of figure: a row per figure, then a row per band.
inline constexpr int kChoiceLeft = 12;
inline constexpr int kChoiceTop = 44;
inline constexpr int kChoiceWidth = 200;
inline constexpr int kChoicePitch = 22;
inline constexpr int kChoiceTextDx = 6;
inline constexpr int kChoiceTextDy = 3;
inline constexpr int kMostChoices = 21;  // rows that fit; bands beyond them are not offered

// The plot: a frame round it, the first day of the span on its left column, the day after
// the last on its right; the figure's range from bottom to top.
inline constexpr int kPlotLeft = 300;
inline constexpr int kPlotTop = 44;
inline constexpr int kPlotRight = 866;   // excluded
inline constexpr int kPlotBottom = 500;  // excluded
inline constexpr int kValueLabelRight = 292;
inline constexpr int kMonthLabelY = 506;
inline constexpr int kMonthLabelDx = 3;
inline constexpr int kPointHalf = 2;   // a point is 5 x 5 pixels
inline constexpr int kChosenHalf = 4;  // the ring round the point shown in the main window
inline constexpr int kPressReach = 6;  // a press this near a point's centre takes it
// The progress while the figures are made, in the middle of the plot.
inline constexpr ToolRect kProgressBar{433, 262, 300, 16};
inline constexpr int kProgressTextY = 240;

inline constexpr int kHintX = 12;
inline constexpr int kHintY = 534;

inline constexpr Colorref kBackground = Rgb(245, 245, 245);
inline constexpr Colorref kText = Rgb(0, 0, 0);
// The plot's frame has a colour of its own, found nowhere else on the screen, so that a
// check of the window finds the plot by it.
inline constexpr Colorref kPlotFrame = Rgb(96, 72, 144);
inline constexpr Colorref kMonthLine = Rgb(224, 224, 224);
inline constexpr Colorref kChosen = Rgb(255, 128, 0);
inline constexpr Colorref kBarFill = Rgb(128, 192, 255);
inline constexpr Colorref kBarOutline = Rgb(32, 64, 128);

inline const Font kLabelFont{kScreenFace, 16};
inline const Font kSmallFont{kScreenFace, 14};

}  // namespace oxi::trend_layout
