#include "views/trend_view.h"

#include <algorithm>
#include <cmath>

#include "analysis/episode_table.h"
#include "analysis/trend_cache.h"
#include "platform/fs/files.h"
#include "platform/text/text_format.h"
#include "res/texts.h"
#include "views/analysis_tables.h"
#include "views/trend_layout.h"
#include "views/trend_plot.h"
#include "views/view_drawing.h"

namespace oxi {
namespace {

using namespace trend_layout;

constexpr int kMonthsPerYear = 12;
// The months records can fall in: their names keep two digits of the year.
constexpr int kFirstMonth = 2000 * kMonthsPerYear;
constexpr int kLastFirstMonth = 2099 * kMonthsPerYear + kMonthsPerYear - kSpanMonths;
// How often the progress is shown and the windows' messages dispatched while the figures
// are made: often enough to keep both windows alive, seldom enough to cost little.
constexpr int kShowEveryMs = 40;
// Room above and below the points, as a share of the figure's range.
constexpr double kRangeMargin = 0.05;
constexpr int kValueLabels = 3;         // top, middle, bottom
constexpr double kFlatHalfRange = 0.5;  // ValueRange gives a flat series a range of one

ToolWindowForm TrendWindowForm() {
  return {.title = texts::kTrendTitle,
          .x = kScreenX,
          .y = kScreenY,
          .width = kWidth,
          .height = kHeight,
          .edits = {}};
}

int YearOf(int month) {
  return month / kMonthsPerYear;
}
int MonthOf(int month) {
  return month % kMonthsPerYear + 1;
}
double DayOfMonthStart(int month) {
  return static_cast<double>(DayNumber(YearOf(month), MonthOf(month), 1));
}
int DateNumber(int month, int day) {
  return (YearOf(month) * 100 + MonthOf(month)) * 100 + day;
}

ToolRect ChoiceRow(int choice) {
  return {kChoiceLeft, kChoiceTop + choice * kChoicePitch, kChoiceWidth, kChoicePitch};
}

std::string ChoiceLabel(int choice, const std::vector<Zone>& bands) {
  if (choice < kFigureCount) return texts::kTrendChoices[choice];
  return FormatText(texts::kTrendZoneFormat,
                    BandText(bands[static_cast<std::size_t>(choice - kFigureCount)]).c_str());
}

}  // namespace

static_assert(std::size(texts::kTrendChoices) == kFigureCount);

TrendView::TrendView(Platform& platform, TrendOwner& owner)
    : ToolView(platform, TrendWindowForm()), owner_(owner) {}

void TrendView::Open(const TrendSubject& subject) {
  if (!MakeWindow()) return;
  subject_ = subject;
  firstMonth_ = std::clamp(subject.year * kMonthsPerYear + subject.month - 1 - kMonthsBefore,
                           kFirstMonth, kLastFirstMonth);
  choice_ = std::min(choice_, Choices() - 1);
  chosenRecord_.clear();
  SetTitle(FormatText(texts::kTrendTitleFormat, subject.device.c_str()));
  if (filling_) {
    // The fill under way starts again with what is asked now.
    refill_ = true;
    ShowWindow();
    return;
  }
  records_.clear();
  filling_ = true;  // the face shows that figures are coming, not that there are none
  ShowWindow();
  Fill(true);
}

int TrendView::Choices() const {
  return std::min(ChoiceCount(subject_.parameters.zones.size() + 1), kMostChoices);
}

void TrendView::Fill(bool pump) {
  filling_ = true;
  do {
    refill_ = false;
    done_ = total_ = 0;
    Redraw();
    // The first record's progress is shown and dispatches what waits, the rest now and then.
    lastShownMs_ = GetPlatform().ClockMs() - kShowEveryMs;
    TrendQuery query;
    query.device = subject_.device;
    query.from = DateNumber(firstMonth_, 1);
    query.to = DateNumber(firstMonth_ + kSpanMonths - 1, 31);
    query.parameters = subject_.parameters;
    TrendResult result =
        StoreFigures(subject_.dataRoot, query, *diagnostics_,
                     [this, pump](int done, int total) { return Progress(done, total, pump); });
    if (!result.stopped) records_ = std::move(result.figures);
  } while (refill_ && IsOpen());
  filling_ = false;
  if (IsOpen()) Redraw();
}

bool TrendView::Progress(int done, int total, bool pump) {
  done_ = done;
  total_ = total;
  const std::int64_t now = GetPlatform().ClockMs();
  if (now - lastShownMs_ >= kShowEveryMs) {
    lastShownMs_ = now;
    Redraw();
    if (pump) GetPlatform().PumpOneMessage();
  }
  return IsOpen() && !refill_;
}

void TrendView::OnLButtonDown(int x, int y) {
  if (kEarlierButton.Contains(x, y)) return StepMonths(-1);
  if (kLaterButton.Contains(x, y)) return StepMonths(+1);
  for (int c = 0; c < Choices(); ++c) {
    if (!ChoiceRow(c).Contains(x, y) || c == choice_) continue;
    choice_ = c;
    return Redraw();
  }
  PressPoint(x, y);
}

void TrendView::StepMonths(int step) {
  const int first = std::clamp(firstMonth_ + step, kFirstMonth, kLastFirstMonth);
  if (first == firstMonth_) return;
  firstMonth_ = first;
  if (filling_) {
    refill_ = true;
    return;
  }
  // A tool window's handler may run inside a loop of the main window, so it does not pump:
  // the few months' figures are made here, the progress shown as they come.
  Fill(false);
}

void TrendView::PressPoint(int x, int y) {
  if (filling_) return;
  const TrendSeries s = SeriesOf(records_, choice_);
  const PlotFrame f = PlotFrameOf(s);
  int nearest = -1;
  int best = kPressReach * kPressReach + 1;
  for (std::size_t i = 0; i < s.days.size(); ++i) {
    const int dx = f.X(s.days[i]) - x, dy = f.Y(s.values[i]) - y;
    if (dx * dx + dy * dy < best) best = dx * dx + dy * dy, nearest = static_cast<int>(i);
  }
  if (nearest < 0) return;
  const RecordFigures& r = records_[s.records[nearest]];
  const CivilDate date = DateOfDay(s.days[nearest]);
  const std::string name = PathToUtf8(PathFromUtf8(r.record).filename());
  if (!owner_.ShowStoredRecord(r.device, name, date.year, date.month, date.day)) return;
  chosenRecord_ = r.record;
  Redraw();
}

PlotFrame TrendView::PlotFrameOf(const TrendSeries& s) const {
  const std::pair<double, double> range = ValueRange(s);
  double low = range.first, high = range.second;
  // A figure the same in every record stands in the middle of the plot, not on its floor.
  if (std::all_of(s.values.begin(), s.values.end(), [low](double v) { return v == low; })) {
    low -= kFlatHalfRange;
    high -= kFlatHalfRange;
  }
  const double margin = (high - low) * kRangeMargin;
  return {kPlotLeft,
          kPlotTop,
          kPlotRight,
          kPlotBottom,
          DayOfMonthStart(firstMonth_),
          DayOfMonthStart(firstMonth_ + kSpanMonths),
          low - margin,
          high + margin};
}

void TrendView::Draw(Dc& dc) {
  FillArea(dc, {0, 0, kWidth, kHeight}, kBackground);
  dc.SetBkMode(BkMode::kTransparent);
  dc.SetTextColor(kText);
  DrawTopRow(dc);
  DrawChoices(dc);
  DrawPlot(dc);
  dc.SelectFont(kSmallFont);
  dc.SetTextColor(kText);
  dc.TextOutUtf8(kHintX, kHintY, texts::kTrendHint);
}

void TrendView::DrawTopRow(Dc& dc) {
  DrawArrowButton(dc, kEarlierButton, -1, firstMonth_ > kFirstMonth);
  DrawArrowButton(dc, kLaterButton, +1, firstMonth_ < kLastFirstMonth);
  dc.SelectFont(kLabelFont);
  const int last = firstMonth_ + kSpanMonths - 1;
  dc.TextOutUtf8(kSpanTextX, kTopTextY,
                 FormatText(texts::kTrendSpanFormat, YearOf(firstMonth_), MonthOf(firstMonth_),
                            YearOf(last), MonthOf(last)));
  const std::string state =
      filling_ ? FormatText(texts::kTrendFillingFormat, done_, total_)
               : FormatText(texts::kTrendCountFormat, static_cast<int>(records_.size()));
  TextEndingAt(dc, kStateRight, kTopTextY, state);
}

void TrendView::DrawChoices(Dc& dc) {
  dc.SelectFont(kSmallFont);
  const std::vector<Zone> bands = ZoneBands(subject_.parameters.zones);
  for (int c = 0; c < Choices(); ++c) {
    const ToolRect row = ChoiceRow(c);
    if (c == choice_) DrawButtonFrame(dc, row, kToolButtonLook);
    dc.SetTextColor(kText);
    dc.TextOutUtf8(row.x + kChoiceTextDx, row.y + kChoiceTextDy, ChoiceLabel(c, bands));
  }
}

void TrendView::DrawPlot(Dc& dc) {
  const TrendSeries s = SeriesOf(records_, choice_);
  const PlotFrame f = PlotFrameOf(s);
  FillArea(dc, {f.left, f.top, f.right - f.left, f.bottom - f.top}, kWhite);
  FrameArea(dc, {f.left - 1, f.top - 1, f.right - f.left + 2, f.bottom - f.top + 2}, kPlotFrame);
  dc.SelectFont(kSmallFont);
  dc.SetTextColor(kText);
  for (int m = firstMonth_; m < firstMonth_ + kSpanMonths; ++m) {
    const int x = f.X(DayOfMonthStart(m));
    if (m != firstMonth_) {
      dc.SelectPen(Pen{kMonthLine});
      dc.MoveTo(x, f.top);
      dc.LineTo(x, f.bottom);
    }
    dc.TextOutUtf8(x + kMonthLabelDx, kMonthLabelY, FormatText("%04d-%02d", YearOf(m), MonthOf(m)));
  }
  if (filling_) return DrawProgress(dc);
  if (s.days.empty()) {
    TextCentredIn(dc, {f.left, f.top, f.right - f.left, f.bottom - f.top}, texts::kTrendNoRecords);
    return;
  }
  const int decimals = ChoiceDecimals(choice_);
  for (int k = 0; k < kValueLabels; ++k) {
    const double v = f.low + (f.high - f.low) * k / (kValueLabels - 1);
    TextEndingAt(dc, kValueLabelRight, f.Y(v) - kSmallFont.height / 2, FormatNumber(v, decimals));
  }
  DrawTrendPoints(dc, f, s, kPointHalf);
  for (std::size_t i = 0; i < s.days.size(); ++i) {
    if (records_[s.records[i]].record != chosenRecord_) continue;
    const int x = f.X(s.days[i]), y = f.Y(s.values[i]);
    FrameArea(dc, {x - kChosenHalf, y - kChosenHalf, 2 * kChosenHalf + 1, 2 * kChosenHalf + 1},
              kChosen);
  }
}

void TrendView::DrawProgress(Dc& dc) {
  dc.SelectFont(kLabelFont);
  dc.SetTextColor(kText);
  const std::string text = FormatText(texts::kTrendFillingFormat, done_, total_);
  TextCentredIn(dc, {kProgressBar.x, kProgressTextY, kProgressBar.width, kLabelFont.height}, text);
  FillArea(dc, kProgressBar, kWhite);
  const int filled = total_ > 0 ? (kProgressBar.width - 2) * done_ / total_ : 0;
  if (filled > 0) {
    FillArea(dc, {kProgressBar.x + 1, kProgressBar.y + 1, filled, kProgressBar.height - 2},
             kBarFill);
  }
  FrameArea(dc, kProgressBar, kBarOutline);
}

}  // namespace oxi
