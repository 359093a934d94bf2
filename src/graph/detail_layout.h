#pragma once
#include "platform/gdi/color.h"
#include "platform/gdi/dc.h"

// Pixel layout of the detail graph, in the graph control's client coordinates.
namespace oxi::detail_layout {

// The graph control's outline and the off-screen bitmap the graph is drawn into.
inline constexpr int kControlRight = 719;
inline constexpr int kControlBottom = 684;
inline constexpr int kBitmapWidth = 720;
inline constexpr int kBitmapHeight = 661;
inline constexpr int kBlitWidth = 719;  // the bitmap's last column never reaches the control

// Plots: both 600 columns wide, 300 rows for their full scale.
inline constexpr int kPlotLeft = 60;
inline constexpr int kPlotRight = 660;
inline constexpr int kUpperTop = 25;
inline constexpr int kUpperBottom = 325;
inline constexpr int kLowerTop = 335;
inline constexpr int kLowerBottom = 635;
inline constexpr int kGridStep = 30;
inline constexpr int kGridLeft = 61;

// Time axis below the lower plot.
inline constexpr int kTickBottom = 639;
inline constexpr int kTickLabelY = 640;
inline constexpr int kShortLabelDx = 49;
inline constexpr int kLongLabelDx = 38;

// Curves skip the first three samples of the window.
inline constexpr int kCurveSkip = 3;

inline constexpr int kHeaderX = 80;
inline constexpr int kHeaderY = 5;

inline constexpr Colorref kFrameColor = Rgb(113, 111, 100);
inline constexpr Colorref kGridColor = Rgb(224, 224, 224);
inline constexpr Colorref kRed = Rgb(255, 0, 0);
inline constexpr Colorref kGreen = Rgb(0, 160, 0);
inline constexpr Colorref kBlue = Rgb(0, 64, 255);
inline constexpr Colorref kOrange = Rgb(255, 127, 0);
inline constexpr Colorref kStO2TitleColor = Rgb(255, 64, 64);
inline constexpr Colorref kToHbTitleColor = Rgb(255, 164, 92);

inline const Font kLargeFont{kScreenFace, 20};
inline const Font kSmallFont{kScreenFace, 16};

// Heart-rate scale right of the upper plot: a tick and a label per grid row.
inline constexpr int kHrTickLeft = 661;
inline constexpr int kHrTickRight = 665;
inline constexpr int kHrLabelX = 667;
inline constexpr int kHrLabelDy = -9;
inline constexpr int kHrZeroY = 310;
inline constexpr int kHrTitleX = 700;
inline constexpr int kHrTitleY[3] = {139, 169, 201};

// StO2 scale left of the upper plot: value v at row kStO2LabelBase - 3 v.
inline constexpr int kStO2LabelBase = 316;
inline constexpr int kStO2RowsPerPercent = 3;
inline constexpr int kStO2LabelX[3] = {28, 38, 48};  // three, two and one digits
inline constexpr int kStO2ZeroY = 309;
inline constexpr int kStO2TitleX[4] = {16, 18, 16, 18};
inline constexpr int kStO2TitleY[4] = {130, 150, 170, 190};
inline constexpr int kPercentX = 6;
inline constexpr int kPercentY = 19;

// Hb scale left of the lower plot.
inline constexpr int kHbLabelX = 22;
inline constexpr int kHbFirstLabelY = 328;
inline constexpr int kHbLabelBase = 326;
inline constexpr int kHbZeroY = 621;
inline constexpr int kHbUnitX = 664;
inline constexpr int kHbUnitY = 337;

// Plot titles.
inline constexpr int kTitleLeft = 66;
inline constexpr int kUpperTitleY = 30;
inline constexpr int kLowerTitleY = 340;
inline constexpr int kHrTitleLeft = 128;
inline constexpr int kDxHbTitleLeft = 126;
inline constexpr int kToHbTitleLeft = 186;

}  // namespace oxi::detail_layout
