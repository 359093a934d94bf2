#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/analysis_parameters.h"
#include "analysis/trend_figures.h"
#include "platform/ui/diagnostics.h"
#include "views/tool_view.h"
#include "views/trend_plot.h"

namespace oxi {

// What the trend window asks of the main window.
class TrendOwner {
 public:
  virtual ~TrendOwner() = default;
  // Shows record file `name` of device `device`, started on that day, as a press on its day
  // and its row would; false when the main window cannot now.
  virtual bool ShowStoredRecord(const std::string& device, const std::string& name, int year,
                                int month, int day) = 0;
};

// Whose figures the window shows, around which month, analysed how.
struct TrendSubject {
  std::filesystem::path dataRoot;
  std::string device;
  int year = 2000;  // the month the main window shows
  int month = 1;
  AnalysisParameters parameters;
};

// The trend window: one figure of every record of a device over a few months, a point per
// record against its date with the weekly medians over them, a choice of figure, a month
// earlier or later. The figures come from the store's cache, made where it lacks them
// while the window shows its progress; a press on a point shows that record in the main
// window.
class TrendView : public ToolView {
 public:
  TrendView(Platform& platform, TrendOwner& owner);
  void SetDiagnostics(Diagnostics& diagnostics) { diagnostics_ = &diagnostics; }

  // Opens the window over the months around the subject's, or brings it to the front with
  // them. It shows its face at once and then makes the figures, dispatching the messages
  // of every window meanwhile; so it must be called where the main window may pump, not
  // from one of a tool window's handlers.
  void Open(const TrendSubject& subject);

  const std::vector<RecordFigures>& Records() const { return records_; }
  bool Filling() const { return filling_; }
  int Choice() const { return choice_; }
  // The first month shown, as year * 12 + month - 1.
  int FirstMonth() const { return firstMonth_; }

  // ToolWindowHandlers
  void OnMouseMove(int, int) override {}
  void OnLButtonDown(int x, int y) override;
  void OnLButtonUp(int, int) override {}
  void OnEnterKey() override {}

 private:
  void Fill(bool pump);
  bool Progress(int done, int total, bool pump);
  void StepMonths(int step);
  void PressPoint(int x, int y);
  void Draw(Dc& dc) override;
  void DrawTopRow(Dc& dc);
  void DrawChoices(Dc& dc);
  void DrawPlot(Dc& dc);
  void DrawProgress(Dc& dc);
  int Choices() const;
  // Where the plot stands and what its edges mean for series `s`.
  PlotFrame PlotFrameOf(const TrendSeries& s) const;

  TrendOwner& owner_;
  NoDiagnostics noDiagnostics_;
  Diagnostics* diagnostics_ = &noDiagnostics_;
  TrendSubject subject_;
  int firstMonth_ = 0;
  int choice_ = static_cast<int>(Figure::kSto2Mean);
  std::vector<RecordFigures> records_;
  std::string chosenRecord_;  // the record last shown in the main window from here
  bool filling_ = false;
  bool refill_ = false;  // the months or the subject changed while the figures were made
  int done_ = 0;
  int total_ = 0;
  std::int64_t lastShownMs_ = 0;
};

}  // namespace oxi
