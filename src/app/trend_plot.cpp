#include "app/trend_plot.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "analysis/episode_table.h"
#include "platform/gdi/dc.h"
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
constexpr Colorref kPoint = Rgb(70, 110, 200);
constexpr Colorref kMedian = Rgb(220, 40, 40);
constexpr int kMedianWidth = 2;

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kDaysPerWeek = 7;
constexpr long kFirstMonday = 2;  // 2000-01-01 was a Saturday

// Days from 1970-01-01 to a civil date (Howard Hinnant's algorithm).
long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - static_cast<int>(era * 400);
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}
const long kDay2000 = DaysFromCivil(2000, 1, 1);

// The start's "YYYY-MM-DDThh:mm" as days since 2000-01-01.
std::optional<double> DayOf(const std::optional<std::string>& start) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0;
  if (!start || std::sscanf(start->c_str(), "%d-%d-%dT%d:%d", &y, &mo, &d, &h, &mi) != 5) {
    return std::nullopt;
  }
  return static_cast<double>(DaysFromCivil(y, mo, d) - kDay2000) +
         static_cast<double>(h * 60 + mi) / kMinutesPerDay;
}

std::string DateText(double day) {
  const long z = static_cast<long>(std::floor(day)) + kDay2000 + 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const long d = doy - (153 * mp + 2) / 5 + 1;
  const long m = mp + (mp < 10 ? 3 : -9);
  return FormatText("%04ld-%02ld-%02ld", yoe + era * 400 + (m <= 2), m, d);
}

std::optional<double> ValueOf(const RecordFigures& r, int k) {
  if (k < kFigureCount) return r.values[k];
  const std::size_t zone = static_cast<std::size_t>(k - kFigureCount);
  if (zone < r.zoneSeconds.size()) return r.zoneSeconds[zone];
  return std::nullopt;
}

std::string NameOf(int k) {
  if (k < kFigureCount) return ColumnOf(static_cast<Figure>(k)).name;
  return FormatText("zone_%d_s", k - kFigureCount + 1);
}

struct Frame {
  int left, top, right, bottom;
  double day0, day1, low, high;
  int X(double day) const {
    return left + static_cast<int>(std::lround((day - day0) / (day1 - day0) * (right - left - 1)));
  }
  int Y(double v) const {
    return bottom - 1 -
           static_cast<int>(std::lround((v - low) / (high - low) * (bottom - top - 1)));
  }
};

void DrawPanel(SurfaceDc& dc, const Frame& f, const TrendSeries& s, const std::string& name,
               int decimals) {
  dc.SetTextColor(kBlack);
  dc.TextOutUtf8(kLeft, f.top - kTitleHeight, name);
  dc.TextOutUtf8(kGap, f.top, FormatNumber(f.high, decimals));
  dc.TextOutUtf8(kGap, f.bottom - kLabelFont.height, FormatNumber(f.low, decimals));
  dc.SelectPen({kFrame, 1});
  dc.SelectBrush({kWhite});
  dc.Rectangle(f.left - 1, f.top - 1, f.right + 1, f.bottom + 1);
  for (std::size_t i = 0; i < s.days.size(); ++i) {
    const int x = f.X(s.days[i]), y = f.Y(s.values[i]);
    dc.Target().FillRect(x - kPointHalf, y - kPointHalf, x + kPointHalf + 1, y + kPointHalf + 1,
                         kPoint);
  }
  const std::vector<std::pair<double, double>> weeks = WeeklyMedians(s);
  dc.SelectPen({kMedian, kMedianWidth});
  for (std::size_t w = 0; w < weeks.size(); ++w) {
    const int x = f.X(std::clamp(weeks[w].first + kDaysPerWeek / 2.0, f.day0, f.day1));
    const int y = f.Y(weeks[w].second);
    if (w == 0) dc.MoveTo(x, y);
    dc.LineTo(x, y);
  }
}

}  // namespace

TrendSeries SeriesOf(const std::vector<RecordFigures>& records, int k) {
  TrendSeries s;
  for (const RecordFigures& r : records) {
    const std::optional<double> day = DayOf(r.start), value = ValueOf(r, k);
    if (!day || !value) continue;
    s.days.push_back(*day);
    s.values.push_back(*value);
  }
  return s;
}

std::vector<std::pair<double, double>> WeeklyMedians(const TrendSeries& s) {
  std::map<long, std::vector<double>> weeks;
  for (std::size_t i = 0; i < s.days.size(); ++i) {
    const long day = static_cast<long>(std::floor(s.days[i]));
    const long monday = day - ((day - kFirstMonday) % kDaysPerWeek + kDaysPerWeek) % kDaysPerWeek;
    weeks[monday].push_back(s.values[i]);
  }
  std::vector<std::pair<double, double>> out;
  for (auto& [monday, values] : weeks) out.emplace_back(monday, *Median(values));
  return out;
}

Surface DrawTrendPlot(const std::vector<RecordFigures>& records, std::size_t zones) {
  const int panels = kFigureCount + static_cast<int>(zones);
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
    double low = 0, high = 1;
    if (!s.values.empty()) {
      low = *std::min_element(s.values.begin(), s.values.end());
      high = *std::max_element(s.values.begin(), s.values.end());
      if (high <= low) high = low + 1;
    }
    const int top = k * panelStride + kTitleHeight + kGap;
    const Frame f{kLeft, top, kWidth - kRight, top + kPanelHeight, day0, day1, low, high};
    DrawPanel(dc, f, s, NameOf(k),
              k < kFigureCount ? ColumnOf(static_cast<Figure>(k)).decimals : kZoneDecimals);
  }
  const int dateTop = panels * panelStride + kGap;
  dc.TextOutUtf8(kLeft, dateTop, DateText(day0));
  const std::string last = DateText(day1 - 1);
  dc.TextOutUtf8(kWidth - kRight - TextWidth(kLabelFont, last), dateTop, last);
  return surface;
}

}  // namespace oxi
