#include "views/analysis_view.h"

#include <algorithm>

#include "analysis/episode_table.h"
#include "platform/text/text_format.h"
#include "res/texts.h"
#include "views/analysis_chart.h"
#include "views/analysis_layout.h"
#include "views/analysis_tables.h"
#include "views/view_drawing.h"

namespace oxi {
namespace {

using namespace analysis_layout;

ToolWindowForm AnalysisWindowSpec() {
  return {.title = texts::kAnalysisTitle,
          .x = kScreenX,
          .y = kScreenY,
          .width = kWidth,
          .height = kHeight,
          .edits = {kFields.begin(), kFields.end()}};
}

// Why a field's text was refused, with the range it takes.
std::string Refusal(const char* format, int low, int high) {
  return FormatText(format, TenthsText(low).c_str(), TenthsText(high).c_str());
}

}  // namespace

AnalysisView::AnalysisView(Platform& platform, const CurrentMeasurement& shown)
    : ToolView(platform, AnalysisWindowSpec()), shown_(shown) {}

void AnalysisView::Open() {
  if (!MakeWindow()) return;
  // A window opened anew shows what is in force, not what was left typed when it closed.
  if (!IsOpen()) ShowParameters();
  Analyse();
  ShowWindow();
}

void AnalysisView::MeasurementChanged() {
  if (!IsOpen()) return;
  Analyse();
  Redraw();
}

void AnalysisView::Analyse() {
  result_ = oxi::Analyse(shown_, parameters_);
  firstRow_ = 0;
  copy_ = Copy::kNotYet;
  SetTitle(shown_.n > 0 ? FormatText(texts::kAnalysisTitleFormat, shown_.title.c_str())
                        : std::string(texts::kAnalysisTitle));
}

void AnalysisView::ShowParameters() {
  SetFieldText(kDeltaField, TenthsText(parameters_.delta));
  SetFieldText(kSmoothField, TenthsText(parameters_.smooth));
  SetFieldText(kZonesField, ZonesText(parameters_.zones));
}

void AnalysisView::OnEnterKey() {
  const std::optional<int> delta = ParseDelta(FieldText(kDeltaField));
  if (!delta) return ShowMessageBox(Refusal(texts::kDeltaInvalidFormat, kMinDelta, kMaxDelta));
  const std::optional<int> smooth = ParseSmooth(FieldText(kSmoothField));
  if (!smooth) return ShowMessageBox(Refusal(texts::kSmoothInvalidFormat, 0, kMaxSmooth));
  const std::optional<std::vector<int>> zones = ParseZones(FieldText(kZonesField));
  if (!zones) return ShowMessageBox(Refusal(texts::kZonesInvalidFormat, 0, kMaxEdge));
  parameters_ = AnalysisParameters{*delta, *smooth, *zones};
  ShowParameters();
  Analyse();
  Redraw();
}

void AnalysisView::OnLButtonDown(int x, int y) {
  if (kCopyButton.Contains(x, y)) CopyTable();
  if (kPreviousPage.Contains(x, y)) TurnPage(-1);
  if (kNextPage.Contains(x, y)) TurnPage(+1);
}

void AnalysisView::CopyTable() {
  copy_ = GetPlatform().SetClipboardText(TabSeparated(result_)) ? Copy::kDone : Copy::kFailed;
  Redraw();
}

void AnalysisView::TurnPage(int direction) {
  const int total = static_cast<int>(result_.episodes.size());
  const int first = firstRow_ + direction * kTableRows;
  if (first < 0 || first >= total) return;
  firstRow_ = first;
  Redraw();
}

void AnalysisView::Draw(Dc& dc) {
  FillArea(dc, {0, 0, kWidth, kHeight}, kBackground);
  DrawFieldsRow(dc);
  DrawAnalysisChart(dc, result_);
  DrawSummaryAndZones(dc, result_);
  DrawEpisodePage(dc, result_, firstRow_);
}

void AnalysisView::DrawFieldsRow(Dc& dc) {
  dc.SetBkMode(BkMode::kTransparent);
  dc.SetTextColor(kText);
  dc.SelectFont(kLabelFont);
  const char* labels[kFieldCount] = {texts::kDeltaLabel, texts::kSmoothLabel, texts::kZonesLabel};
  for (int f = 0; f < kFieldCount; ++f) dc.TextOutUtf8(kFieldLabelX[f], kLabelY, labels[f]);
  dc.TextOutUtf8(kHintX, kLabelY, texts::kRecomputeHint);
  DrawButtonFrame(dc, kCopyButton, kToolButtonLook);
  TextCentredIn(dc, kCopyButton, texts::kCopyTableButton);
  if (copy_ != Copy::kNotYet) {
    TextEndingAt(dc, kCopyStatusRight, kLabelY,
                 copy_ == Copy::kDone ? texts::kTableCopied : texts::kTableNotCopied);
  }
}

}  // namespace oxi
