#pragma once
#include "analysis/analysis.h"
#include "analysis/analysis_parameters.h"
#include "store/current_measurement.h"
#include "views/tool_view.h"

namespace oxi {

// The analysis window: the analysis of the measurement the main window shows, with the
// fields that choose its parameters (applied by Enter), the chart, the summary and zones,
// the episode table a page at a time, and a button that copies the whole table to the
// clipboard as tab-separated text.
class AnalysisView : public ToolView {
 public:
  // `shown` is the main window's measurement, which the window always analyses.
  AnalysisView(Platform& platform, const CurrentMeasurement& shown);

  // Opens the window over the shown measurement, or brings it to the front analysed anew;
  // it opens with the parameters last applied.
  void Open();
  // The main window shows another measurement (or none after a load failed): an open
  // window analyses it with the parameters in force.
  void MeasurementChanged();

  const Analysis& Result() const { return result_; }
  const AnalysisParameters& Parameters() const { return parameters_; }
  // The episode (from 0) the table's page starts with.
  int FirstRow() const { return firstRow_; }

  // ToolWindowHandlers
  void OnMouseMove(int, int) override {}
  // The copy button and the page buttons act on the press.
  void OnLButtonDown(int x, int y) override;
  void OnLButtonUp(int, int) override {}
  // The three fields are applied together, or none when one of them is refused.
  void OnEnterKey() override;

 private:
  void Analyse();
  void ShowParameters();
  void CopyTable();
  void TurnPage(int direction);
  void Draw(Dc& dc) override;
  void DrawFieldsRow(Dc& dc);

  enum class Copy { kNotYet, kDone, kFailed };

  const CurrentMeasurement& shown_;
  AnalysisParameters parameters_;
  Analysis result_;
  int firstRow_ = 0;
  Copy copy_ = Copy::kNotYet;
};

}  // namespace oxi
