#include "app/record_render.h"

#include "app/main_dialog.h"
#include "app/screen_layout.h"
#include "app/scroll_bar_geometry.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/ui/scripted_platform.h"
#include "store/load_record.h"

namespace oxi {
namespace {

// Where the pointer rests afterwards: off every drawn control, so that each shows its
// normal look.
constexpr int kRestX = 0;
constexpr int kRestY = kFaceHeight - 1;

// Drags the graph thumb by `pixels` one pixel at a time, as a hand would.
void DragThumb(ScriptedPlatform& platform, CMainDialog& dialog, int pixels) {
  const ScreenState& s = dialog.State();
  const int grabX = kGraphControl.x + kGraphThumbStart + s.graphOffset + s.graphThumbWidth / 2;
  const int y = kGraphControl.y + (kGraphBarTop + kGraphBarBottom) / 2;
  platform.QueueMove(grabX, y);
  platform.QueueDown(grabX, y);
  for (int step = 1; step <= pixels; ++step) platform.QueueMove(grabX + step, y);
  platform.QueueUp(grabX + pixels, y);
  platform.RunUntilIdle();
}

}  // namespace

RenderedGraph RenderRecordGraph(const RecordView& view) {
  CurrentMeasurement m;
  const std::string error = LoadRecordFile(view.recordFile, m);
  if (!error.empty()) return {std::nullopt, error};

  ScriptedPlatform platform;
  SimulatedD2xx noConverters(platform.GetClock());
  // No store: the window is given the measurement as a load would leave it.
  CMainDialog dialog(platform, noConverters, {});
  platform.SetTarget(&dialog);
  dialog.FullRepaint();
  dialog.ShowMeasurement(std::move(m));
  if (view.windowText) {
    platform.SetWindowEditText(*view.windowText);
    platform.Queue({ScriptedEvent::Kind::kEnter});
    platform.RunUntilIdle();
    if (!platform.MessageBoxes().empty()) return {std::nullopt, "the window must be 1..100"};
  }
  if (view.offset && *view.offset > 0) DragThumb(platform, dialog, *view.offset);
  platform.QueueMove(kRestX, kRestY);
  platform.RunUntilIdle();
  return {dialog.GetSurface(SurfaceId::kGraph), ""};
}

}  // namespace oxi
