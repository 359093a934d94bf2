#pragma once
#include <array>

#include "platform/gdi/color.h"
#include "platform/gdi/dc.h"
#include "platform/ui/tool_window.h"

// Pixel layout of the analysis window, in its client coordinates: the fields along the
// top, the chart of the smoothed trace, the summary and the zones, the episode table.
namespace oxi::analysis_layout {

inline constexpr int kWidth = 960;
inline constexpr int kHeight = 672;
// Where the window first opens on the screen: over the main window's top left, so that
// both fit on the smallest screen the main window fits on.
inline constexpr int kScreenX = 40;
inline constexpr int kScreenY = 40;

// The fields, as real edit fields of the host, and their labels.
enum Field { kDeltaField, kSmoothField, kZonesField, kFieldCount };
inline constexpr std::array<ToolRect, kFieldCount> kFields{{
    {60, 10, 60, 26},
    {226, 10, 60, 26},
    {384, 10, 110, 26},
}};
inline constexpr int kLabelY = 15;
inline constexpr std::array<int, kFieldCount> kFieldLabelX{12, 140, 306};
inline constexpr int kHintX = 510;
inline constexpr ToolRect kCopyButton{824, 7, 124, 32};
inline constexpr int kCopyStatusRight = 812;  // the copy's outcome ends here

// The chart: a frame round the plot, 0 % on its bottom row and 100 % on its top row, two
// rows a point; the record's first sample on its left column and its last on its right.
inline constexpr ToolRect kChartFrame{56, 52, 889, 203};
inline constexpr int kPlotLeft = kChartFrame.x + 1;
inline constexpr int kPlotRight = kChartFrame.x + kChartFrame.width - 2;    // inclusive
inline constexpr int kPlotTop = kChartFrame.y + 1;                          // 100 %
inline constexpr int kPlotBottom = kChartFrame.y + kChartFrame.height - 2;  // 0 %
inline constexpr int kRowsPerPercent = 2;
inline constexpr int kGridPercent = 20;
inline constexpr int kLevelLabelRight = 50;
inline constexpr int kLevelLabelDy = -8;
inline constexpr int kTickLength = 4;
inline constexpr int kTimeLabelY = 260;
inline constexpr int kMostTimeTicks = 8;
// Dots of a zone edge, one every so many columns.
inline constexpr int kZoneDotSpacing = 3;
// The markers: a triangle on the floor, a diamond on the half-recovery point.
inline constexpr int kMarkerRadius = 4;

// The legend below the chart: each sign at a fixed place, its text beside it.
inline constexpr int kLegendY = 282;
inline constexpr ToolRect kLegendShade{56, 283, 7, 12};  // one of two, side by side
inline constexpr int kLegendShadeTextX = 76;
inline constexpr int kLegendMinimumX = 344;
inline constexpr int kLegendHalfX = 444;
inline constexpr int kLegendMarkerDy = 7;
inline constexpr int kLegendMarkerTextDx = 10;

// The summary (a label and three columns, right-aligned) and the zones (columns of band
// and seconds).
inline constexpr int kSummaryTop = 310;
inline constexpr int kRowPitch = 20;
inline constexpr int kSummaryLabelX = 12;
inline constexpr std::array<int, 3> kSummaryColumnRight{210, 290, 370};
inline constexpr int kValidSamplesY = 396;
inline constexpr int kZonesX = 420;
inline constexpr int kZoneColumnWidth = 170;
inline constexpr int kZoneSecondsRight = 150;  // from the column's left
inline constexpr int kZoneRows = 4;
inline constexpr int kZoneColumns = 3;

// The episode table: a heading and a unit line, a rule, then a page of rows; the number
// column and ten value columns, right-aligned.
inline constexpr int kTableHeadingY = 420;
inline constexpr int kTableUnitY = 436;
inline constexpr int kTableRuleY = 454;
inline constexpr int kTableLeft = 12;
inline constexpr int kTableFirstRowY = 458;
inline constexpr int kTableRowPitch = 18;
inline constexpr int kTableRows = 10;
inline constexpr int kNumberColumnRight = 50;
inline constexpr int kValueColumnWidth = 89;
// The page buttons below the table and the rows they show.
inline constexpr ToolRect kPreviousPage{12, 642, 32, 24};
inline constexpr ToolRect kNextPage{48, 642, 32, 24};
inline constexpr int kPageTextX = 92;
inline constexpr int kPageTextY = 646;

inline constexpr Colorref kBackground = Rgb(245, 245, 245);
inline constexpr Colorref kText = Rgb(0, 0, 0);
// The chart's frame has a colour of its own, found nowhere else on the screen, so that a
// check of the window finds the chart by it.
inline constexpr Colorref kFrame = Rgb(72, 96, 144);
inline constexpr Colorref kPlot = Rgb(255, 255, 255);
inline constexpr Colorref kGrid = Rgb(224, 224, 224);
inline constexpr Colorref kTrace = Rgb(255, 0, 0);
// Episodes follow one another end to end, so neighbours are shaded in two tones.
inline constexpr std::array<Colorref, 2> kEpisodeShades{Rgb(255, 232, 204), Rgb(255, 216, 176)};
inline constexpr Colorref kMinimumMarker = Rgb(0, 64, 255);
inline constexpr Colorref kHalfMarker = Rgb(0, 160, 0);
inline constexpr Colorref kZoneEdge = Rgb(128, 128, 128);

inline const Font kLabelFont{kScreenFace, 16};
inline const Font kSmallFont{kScreenFace, 14};

}  // namespace oxi::analysis_layout
