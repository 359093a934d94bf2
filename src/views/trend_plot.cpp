#include "views/trend_plot.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/episode_table.h"
#include "platform/gdi/font.h"
#include "platform/text/text_format.h"

namespace oxi {
namespace {

constexpr int kWidth = 1000;
constexpr int kPanelHeight = 110;
constexpr int kLeft = 80;  // room for the range's labels
constexpr int kRight = 20;
constexpr int kTitleHeight = 18;  // the figure's name above its plot
constexpr int kBottom = 22;       // the dates below the last panel
constexpr int kGap = 6;
constexpr int kPointHalf = 1;  // a point is 3 x 3 pixels
const Font kLabelFont{kScreenFace, 12, 0};
constexpr Colorref kFrame = Rgb(160, 160, 160);
constexpr Colorref kMedian = Rgb(220, 40, 40);
constexpr int kMedianWidth = 2;
constexpr double kHalfWeek = 3.5;

void DrawPanelLabels(Dc& dc, const PlotFrame& f, const std::string& name, int decimals) {
  dc.SetTextColor(kBlack);
  dc.TextOutUtf8(kLeft, f.top - kTitleHeight, name);
  dc.TextOutUtf8(kGap, f.top, FormatNumber(f.high, decimals));
  dc.TextOutUtf8(kGap, f.bottom - kLabelFont.height, FormatNumber(f.low, decimals));
}

}  // namespace

int PlotFrame::X(double day) const {
  return left + static_cast<int>(std::lround((day - day0) / (day1 - day0) * (right - left - 1)));
}

int PlotFrame::Y(double value) const {
  return bottom - 1 -
         static_cast<int>(std::lround((value - low) / (high - low) * (bottom - top - 1)));
}

std::pair<double, double> ValueRange(const TrendSeries& s) {
  if (s.values.empty()) return {0, 1};
  const auto [low, high] = std::minmax_element(s.values.begin(), s.values.end());
  return {*low, *high > *low ? *high : *low + 1};
}

void DrawPlotBox(Dc& dc, const PlotFrame& f) {
  dc.SelectPen({kFrame, 1});
  dc.SelectBrush({kWhite});
  dc.Rectangle(f.left - 1, f.top - 1, f.right + 1, f.bottom + 1);
}

void DrawTrendPoints(Dc& dc, const PlotFrame& f, const TrendSeries& s, int pointHalf) {
  dc.SelectPen({kTrendPoint, 1});
  dc.SelectBrush({kTrendPoint});
  for (std::size_t i = 0; i < s.days.size(); ++i) {
    const int x = f.X(s.days[i]), y = f.Y(s.values[i]);
    dc.Rectangle(x - pointHalf, y - pointHalf, x + pointHalf + 1, y + pointHalf + 1);
  }
  const std::vector<std::pair<double, double>> weeks = WeeklyMedians(s);
  dc.SelectPen({kMedian, kMedianWidth});
  for (std::size_t w = 0; w < weeks.size(); ++w) {
    const int x = f.X(std::clamp(weeks[w].first + kHalfWeek, f.day0, f.day1));
    const int y = f.Y(weeks[w].second);
    if (w == 0) dc.MoveTo(x, y);
    dc.LineTo(x, y);
  }
}

Surface DrawTrendPlot(const std::vector<RecordFigures>& records, std::size_t zones) {
  const int panels = ChoiceCount(zones);
  const int panelStride = kPanelHeight + kTitleHeight + kGap;
  Surface surface(kWidth, panels * panelStride + kBottom + kGap);
  SurfaceDc dc(surface);
  dc.SelectFont(kLabelFont);
  dc.SetBkMode(BkMode::kTransparent);
  double day0 = 0, day1 = 1;
  const TrendSeries all = SeriesOf(records, static_cast<int>(Figure::kValidSamples));
  if (!all.days.empty()) {
    day0 = std::floor(*std::min_element(all.days.begin(), all.days.end()));
    day1 = std::max(day0 + 1, std::ceil(*std::max_element(all.days.begin(), all.days.end())));
  }
  for (int k = 0; k < panels; ++k) {
    const TrendSeries s = SeriesOf(records, k);
    const auto [low, high] = ValueRange(s);
    const int top = k * panelStride + kTitleHeight + kGap;
    const PlotFrame f{kLeft, top, kWidth - kRight, top + kPanelHeight, day0, day1, low, high};
    DrawPanelLabels(dc, f, ChoiceName(k), ChoiceDecimals(k));
    DrawPlotBox(dc, f);
    DrawTrendPoints(dc, f, s, kPointHalf);
  }
  const int dateTop = panels * panelStride + kGap;
  dc.TextOutUtf8(kLeft, dateTop, DateText(day0));
  const std::string last = DateText(day1 - 1);
  dc.TextOutUtf8(kWidth - kRight - TextWidth(kLabelFont, last), dateTop, last);
  return surface;
}

}  // namespace oxi
