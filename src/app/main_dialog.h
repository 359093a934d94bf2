#pragma once
#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "app/hit_regions.h"
#include "app/screen_state.h"
#include "graph/display_series.h"
#include "platform/gdi/surface.h"
#include "platform/ui/platform.h"
#include "store/current_measurement.h"
#include "store/store_state.h"
#include "views/analysis_view.h"
#include "views/trend_view.h"

namespace oxi {

class D2xx;
class ClientDc;
struct ArrowRect;

// The main window's behaviour, free of any toolkit: it owns the screen state, the current
// measurement, the store state and the comment text, and paints four surfaces that the
// host shows (the window face and the graph, calendar and list controls).
class CMainDialog : public WindowHandlers, public TrendOwner {
 public:
  CMainDialog(Platform& platform, D2xx& d2xx, std::filesystem::path workingFolder);
  ~CMainDialog() override;
  CMainDialog(const CMainDialog&) = delete;
  CMainDialog& operator=(const CMainDialog&) = delete;

  // Sets the state to its initial values, sets up the store and chooses the device. The
  // host calls it once before the window is first shown. Today's month is scanned once
  // the first paint is on the screen (OnFirstPaintShown): a device folder of years of
  // records takes many times longer to list than the window takes to draw.
  void OnInitDialog();
  // Draws the whole face in its fixed order.
  void FullRepaint();

  // WindowHandlers
  void OnPaint() override;
  // The scan OnInitDialog left, unless a month was scanned since; the calendar is drawn
  // again with its days.
  void OnFirstPaintShown() override;
  void OnScaleChanged(Scale scale) override;
  void OnActivate(bool active) override;
  void OnMouseMove(int x, int y) override;
  void OnLButtonDown(int x, int y) override;
  void OnLButtonUp(int x, int y) override;
  bool OnEnterKey() override;
  // Ctrl+P and Ctrl+S do what the Print and Save buttons do, once a measurement is shown.
  void OnCommandKey(CommandKey key) override;
  void OnCancel() override;
  void OnExportCommand() override;
  void OnBackupCommand() override;
  void OnAnalysisCommand() override;
  void OnTrendCommand() override;
  bool MeasurementShown() const override;

  // True once Esc or the close box ended the window.
  bool Ended() const { return ended_; }

  const Surface& GetSurface(SurfaceId id) const;
  Scale CurrentScale() const { return face_.Grid().scale; }
  // The four surfaces indexed by SurfaceId, as a host shows them.
  std::array<const Surface*, 4> Surfaces() const;
  ScreenState& State() { return state_; }
  StoreState& Store() { return store_; }
  CurrentMeasurement& Measurement() { return measurement_; }
  // The rows the graph draws the shown measurement with.
  const DisplaySeries& Series() const { return series_; }
  // The comment of the shown measurement: CP932 bytes, lines ending in CR LF.
  const std::string& CommentText() const { return comment_; }
  Platform& GetPlatform() { return platform_; }

  // Loads day-list entry `name` as the shown measurement, with the screen's part of a load
  // (window back to 1, thumb width, offset 0, no hovered row). 1 on success, -1 on failure.
  int LoadRecord(const std::string& name);
  // Shows a measurement read from outside the store (a record file anywhere) as a press
  // on its day would once it loaded: the screen's part of a load, the graph and its bar
  // drawn, screen mode 1.
  void ShowMeasurement(CurrentMeasurement measurement);
  // One spin step of the moving-average edit, +1 or -1.
  void StepWindowEdit(int direction);
  // True while the Download button's download runs.
  bool Downloading() const override { return downloading_; }
  // The analysis window, which follows the shown measurement while it is open.
  AnalysisView& AnalysisWindow() { return analysis_; }
  TrendView& TrendWindow() { return trend_; }
  // Where the window's tool windows tell what goes wrong beneath them (a cache rebuilt).
  void SetDiagnostics(Diagnostics& diagnostics) { trend_.SetDiagnostics(diagnostics); }

  // TrendOwner: the record's month in the calendar, its day listed as a press on the day
  // lists it, the record loaded and its row in view; not while a download runs, nor for
  // another device than the one shown.
  bool ShowStoredRecord(const std::string& device, const std::string& name, int year, int month,
                        int day) override;

 private:
  ClientDc OpenDc(SurfaceId id);
  Surface& SurfaceOf(SurfaceId id);
  // The screen's part of a load: the graph's rows of the samples' own values, the window
  // back to 1 when samples came, and for a load that succeeded the thumb width, offset 0
  // and no hovered row.
  void TakeLoadedMeasurement(bool loaded);
  // Which days of the shown month hold records of the current device, as the day table.
  void ScanShownMonth();

  // Drawings, each on a fresh client context of its surface.
  void DrawCalendarNow();
  // Every day's frame in its day-table colour, then `cell` (if any, and if it holds a day)
  // in the colour for a day without or with records.
  void DrawDaysThenCell(std::optional<CalendarCell> cell, Colorref withoutRecords,
                        Colorref withRecords);
  void DrawMonthArrowMark(const ArrowRect& arrow, Colorref color);
  void DrawGraphNow();
  void DrawGraphBar(int look);
  void DrawGraphAndBar(int look);
  void DrawDayListNow(int top);
  void DrawListBar(int look);
  void DrawButtonNow(int code);
  void HoverRowNow(int row);

  // Pointer movement, by region.
  void MoveOverMonthArrows(int x, int y);
  void MoveOverCalendar(int x, int y);
  void MoveOverGraphBar(int x, int y);
  void MoveOverListBar(int x, int y);
  void MoveOverButtons(int x, int y);

  // Press, by region.
  void PressMonthArrow(int step);
  void PressCalendar(const CalendarCell& cell);
  // The day's records listed, its cell framed as pressed; false (the list emptied) for a
  // cell without a day with records.
  bool ListDay(const CalendarCell& cell);
  void PressGraphBar(GraphBarPart part, int x);
  void StepGraphArrow(int step, int look);
  void DragGraphThumb(int x);
  void PressDayListRow(int row);
  void PressListBar(ListBarPart part, int y);
  void PressListUp();
  void PressListDown();
  void DragListThumb(int y);
  void PageList(int step);
  void SetListTopFromThumb();
  void RedrawListIfMoved(int look);
  int ThumbPositionForTop() const;
  void PressCommandButtons(int x, int y);
  void RunDownload();
  void ShowDownloadedDevice(const std::string& deviceBefore);
  void RunPrint();
  void RunSave();
  void PressSpin(int control, int direction);
  void EmptyDayList();
  int& ButtonStateOf(int control);

  Platform& platform_;
  D2xx& d2xx_;
  std::filesystem::path workingFolder_;
  ScreenState state_;
  StoreState store_;
  CurrentMeasurement measurement_;
  DisplaySeries series_;
  AnalysisView analysis_;
  TrendView trend_;
  std::string comment_;
  Surface face_;
  Surface graph_;
  Surface calendar_;
  Surface list_;
  bool ended_ = false;
  bool downloading_ = false;
  bool monthScanDue_ = false;  // the shown month was never scanned
};

}  // namespace oxi
