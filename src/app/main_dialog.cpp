#include "app/main_dialog.h"

#include "app/buttons.h"
#include "app/calendar.h"
#include "app/client_dc.h"
#include "app/day_list_view.h"
#include "app/face.h"
#include "app/host_layout.h"
#include "app/id_dialog.h"
#include "app/screen_layout.h"
#include "app/scroll_bars.h"
#include "app/window_input.h"
#include "graph/detail_graph.h"
#include "res/texts.h"
#include "store/load_record.h"

namespace oxi {
namespace {

constexpr int kCenturyYears = 100;

}  // namespace

CMainDialog::CMainDialog(Platform& platform, D2xx& d2xx, std::filesystem::path workingFolder)
    : platform_(platform),
      d2xx_(d2xx),
      workingFolder_(std::move(workingFolder)),
      analysis_(platform, measurement_),
      trend_(platform, *this),
      face_(kFaceWidth, kFaceHeight),
      graph_(kGraphControl.width, kGraphControl.height),
      calendar_(kCalendarControl.width, kCalendarControl.height),
      list_(kListControl.width, kListControl.height) {}

void CMainDialog::OnScaleChanged(Scale scale) {
  if (scale == CurrentScale()) return;
  // Each surface lies on the window's grid at its own place, so that its edges round as
  // the face's do around it.
  for (SurfaceId id : host::kAllSurfaces) {
    const ControlRect r = host::RectOf(id);
    SurfaceOf(id) = Surface(host::GridOf(id, scale), r.width, r.height);
  }
  FullRepaint();
}

CMainDialog::~CMainDialog() = default;

void CMainDialog::OnInitDialog() {
  state_ = ScreenState{};
  const LocalTime now = platform_.Now();
  state_.shownYear = now.year % kCenturyYears;
  state_.shownMonth = now.month;
  measurement_.title = texts::kNoDataTitle;
  StartStore(store_, workingFolder_, IdDialogChooser(platform_));
  // Until the scan the calendar shows no day with records, and a press on a day finds none.
  store_.monthList.clear();
  monthScanDue_ = true;
  state_.graphThumbWidth = kGraphTrackLength;
  state_.listThumbLength = kListTrackLength;
  platform_.SetWindowEditText(texts::kInitialWindowText);
}

void CMainDialog::FullRepaint() {
  {
    ClientDc dc = OpenDc(SurfaceId::kFace);
    DrawFace(dc, platform_.ShownFaceWidth().value_or(kFaceWidth));
  }
  DrawCalendarNow();
  DrawGraphAndBar(kLookNormal);
  DrawDayListNow(state_.listTop);
  DrawListBar(kLookNormal);
  for (int control : kButtonControls) DrawButtonNow(ButtonCode(control, kButtonNormal));
}

void CMainDialog::OnPaint() {
  FullRepaint();
}

void CMainDialog::OnFirstPaintShown() {
  if (!monthScanDue_) return;
  ScanShownMonth();
  DrawCalendarNow();
}

void CMainDialog::OnActivate(bool active) {
  if (active) FullRepaint();
}

void CMainDialog::OnCancel() {
  ended_ = true;
  analysis_.Close();
  trend_.Close();
}

const Surface& CMainDialog::GetSurface(SurfaceId id) const {
  switch (id) {
    case SurfaceId::kGraph:
      return graph_;
    case SurfaceId::kCalendar:
      return calendar_;
    case SurfaceId::kList:
      return list_;
    case SurfaceId::kFace:
      break;
  }
  return face_;
}

std::array<const Surface*, 4> CMainDialog::Surfaces() const {
  return {&face_, &graph_, &calendar_, &list_};
}

Surface& CMainDialog::SurfaceOf(SurfaceId id) {
  return const_cast<Surface&>(GetSurface(id));
}

ClientDc CMainDialog::OpenDc(SurfaceId id) {
  return ClientDc(platform_, SurfaceOf(id), id);
}

int CMainDialog::LoadRecord(const std::string& name) {
  const int result = oxi::LoadRecord(store_, name, measurement_, comment_);
  TakeLoadedMeasurement(result == 1);
  return result;
}

void CMainDialog::TakeLoadedMeasurement(bool loaded) {
  // Without samples (a failed load, a record of its header alone) the rows stay as they
  // were: nothing is drawn from them.
  ComputeDisplaySeriesUnaveraged(measurement_, series_);
  if (measurement_.n > 0) {
    state_.movingAverageWindow = kMinWindow;
    platform_.SetWindowEditText(texts::kInitialWindowText);
  }
  if (loaded) {
    state_.graphThumbWidth = GraphThumbWidthFor(measurement_.n);
    state_.graphOffset = 0;
    state_.hoveredRow = -1;
  }
  analysis_.MeasurementChanged();
}

void CMainDialog::ShowMeasurement(CurrentMeasurement measurement) {
  measurement_ = std::move(measurement);
  TakeLoadedMeasurement(true);
  DrawGraphAndBar(kLookNormal);
  state_.screenMode = kMeasurementShown;
}

bool CMainDialog::OnEnterKey() {
  if (state_.screenMode != kMeasurementShown) return true;
  const std::optional<int> window = ParseEnteredWindow(platform_.WindowEditText());
  if (!window) {
    platform_.ShowMessageBox(texts::kInvalidInput, platform_.ApplicationName());
    return true;
  }
  state_.movingAverageWindow = *window;
  ComputeDisplaySeriesAveraged(measurement_, *window, series_);
  DrawGraphNow();
  return true;
}

void CMainDialog::StepWindowEdit(int direction) {
  const std::optional<std::string> text = SteppedWindowText(platform_.WindowEditText(), direction);
  if (text) platform_.SetWindowEditText(*text);
}

void CMainDialog::ScanShownMonth() {
  monthScanDue_ = false;
  state_.dayTable = DayTableOf(ScanMonth(store_, state_.shownYear, state_.shownMonth));
}

void CMainDialog::DrawCalendarNow() {
  ClientDc dc = OpenDc(SurfaceId::kCalendar);
  DrawCalendar(dc, state_.shownYear, state_.shownMonth, state_.dayTable);
}

void CMainDialog::DrawDaysThenCell(std::optional<CalendarCell> cell, Colorref withoutRecords,
                                   Colorref withRecords) {
  const int year = state_.shownYear;
  const int month = state_.shownMonth;
  ClientDc dc = OpenDc(SurfaceId::kCalendar);
  DrawAllDayCells(dc, year, month, state_.dayTable);
  if (!cell) return;
  const int day = DayOfCell(*cell, FirstColumn(year, month));
  if (day < 1 || day > DaysInMonth(year, month)) return;
  const bool empty = state_.dayTable[day - 1] == kDayTableEmpty;
  DrawDayCell(dc, year, month, cell->column, cell->row, empty ? withoutRecords : withRecords);
}

void CMainDialog::DrawMonthArrowMark(const ArrowRect& arrow, Colorref color) {
  ClientDc dc = OpenDc(SurfaceId::kCalendar);
  DrawDottedFrame(dc, arrow, color);
}

void CMainDialog::DrawGraphNow() {
  ClientDc dc = OpenDc(SurfaceId::kGraph);
  DrawDetailGraph(dc, measurement_, series_, state_.graphOffset, state_.graphThumbWidth);
}

void CMainDialog::DrawGraphBar(int look) {
  ClientDc dc = OpenDc(SurfaceId::kGraph);
  DrawGraphScrollBar(dc, state_.graphOffset, look, state_.graphThumbWidth);
}

void CMainDialog::DrawGraphAndBar(int look) {
  ClientDc dc = OpenDc(SurfaceId::kGraph);
  DrawDetailGraph(dc, measurement_, series_, state_.graphOffset, state_.graphThumbWidth);
  DrawGraphScrollBar(dc, state_.graphOffset, look, state_.graphThumbWidth);
}

void CMainDialog::DrawDayListNow(int top) {
  ClientDc dc = OpenDc(SurfaceId::kList);
  DrawDayList(dc, store_.dayList, state_.dayListCount, top);
  state_.listDrawnTop = top;
}

void CMainDialog::DrawListBar(int look) {
  ClientDc dc = OpenDc(SurfaceId::kList);
  DrawListScrollBar(dc, state_.listThumbPosition, look, state_.listThumbLength);
}

void CMainDialog::DrawButtonNow(int code) {
  ClientDc dc = OpenDc(SurfaceId::kFace);
  DrawButton(dc, code);
}

void CMainDialog::HoverRowNow(int row) {
  const HoverChange change = HoverRowChange(state_.dayListCount, state_.hoveredRow, row);
  if (!change.redraw) {
    state_.hoveredRow = change.row;
    return;
  }
  ClientDc dc = OpenDc(SurfaceId::kList);
  HoverRow(dc, store_.dayList, state_.dayListCount, state_.listTop, state_.hoveredRow, row);
}

int& CMainDialog::ButtonStateOf(int control) {
  switch (control) {
    case kDownloadButton:
      return state_.downloadButtonState;
    case kPrintButton:
      return state_.printButtonState;
    case kSaveButton:
      return state_.saveButtonState;
    case kSpinUpButton:
      return state_.spinUpState;
    default:
      return state_.spinDownState;
  }
}

void CMainDialog::EmptyDayList() {
  state_.dayListCount = 0;
  state_.listThumbPosition = 0;
  state_.listTop = 0;
  state_.listThumbLength = kListTrackLength;
}

}  // namespace oxi
