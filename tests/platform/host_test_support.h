#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/host_layout.h"
#include "platform/gdi/surface.h"
#include "platform/ui/platform.h"
#include "platform/ui/pump_pacing.h"

// What the checks of both window hosts (Qt, Win32) hand a host window.
namespace oxi::testing {

// The main window's handlers as a log of calls; a test may hook the pointer handlers.
class RecordingHandlers : public WindowHandlers {
 public:
  void OnPaint() override { log.push_back("paint"); }
  void OnFirstPaintShown() override { log.push_back("shown"); }
  void OnScaleChanged(Scale scale) override {
    log.push_back("scale " + std::to_string(scale.Steps()));
    if (onScale) onScale(scale);
  }
  void OnActivate(bool active) override { log.push_back(active ? "activate" : "deactivate"); }
  void OnMouseMove(int x, int y) override { Record("move", x, y); }
  void OnLButtonDown(int x, int y) override {
    Record("down", x, y);
    if (onDown) onDown(x, y);
  }
  void OnLButtonUp(int x, int y) override {
    Record("up", x, y);
    if (onUp) onUp(x, y);
  }
  bool OnEnterKey() override {
    log.push_back("enter");
    return true;
  }
  void OnCommandKey(CommandKey key) override {
    log.push_back(key == CommandKey::kPrint ? "print" : "save");
  }
  void OnCancel() override { log.push_back("cancel"); }
  void OnExportCommand() override { log.push_back("export"); }
  bool Downloading() const override { return downloading; }
  bool downloading = false;
  void OnBackupCommand() override { log.push_back("backup"); }
  void OnAnalysisCommand() override { log.push_back("analysis"); }
  void OnTrendCommand() override { log.push_back("trend"); }
  bool MeasurementShown() const override { return measurementShown; }

  int Count(const std::string& entry) const {
    int n = 0;
    for (const auto& e : log) n += (e == entry);
    return n;
  }
  // Calls other than painting and activation, which the window system sends whenever it
  // likes (a late expose or focus change of the shown window).
  std::size_t InputCount() const {
    std::size_t n = 0;
    for (const auto& e : log) {
      n += e != "paint" && e != "shown" && e != "activate" && e != "deactivate";
    }
    return n;
  }

  std::vector<std::string> log;
  bool measurementShown = false;
  std::function<void(int, int)> onDown;
  std::function<void(int, int)> onUp;
  std::function<void(Scale)> onScale;

 private:
  void Record(const char* what, int x, int y) {
    log.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
  }
};

// A tool window's handlers as a log of calls.
class RecordingToolHandlers : public ToolWindowHandlers {
 public:
  void OnMouseMove(int x, int y) override { Record("move", x, y); }
  void OnLButtonDown(int x, int y) override { Record("down", x, y); }
  void OnLButtonUp(int x, int y) override { Record("up", x, y); }
  void OnEnterKey() override { log.push_back("enter"); }
  void OnClose() override { log.push_back("close"); }
  void OnScaleChanged(Scale scale) override {
    log.push_back("scale " + std::to_string(scale.Steps()));
  }
  int Count(const std::string& entry) const {
    int n = 0;
    for (const auto& e : log) n += (e == entry);
    return n;
  }
  std::vector<std::string> log;

 private:
  void Record(const char* what, int x, int y) {
    log.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
  }
};

// A tool window of three fields, as the hosts' checks open it.
inline ToolWindowForm TestToolSpec() {
  ToolWindowForm form;
  form.title = "解析";
  form.x = 40;
  form.y = 40;
  form.width = 400;
  form.height = 300;
  form.edits = {{10, 10, 60, 26}, {80, 10, 60, 26}, {150, 10, 110, 26}};
  return form;
}

// The four surfaces of a main window, at their real sizes.
struct TestSurfaces {
  TestSurfaces()
      : face(kFaceWidth, kFaceHeight),
        graph(kGraphControl.width, kGraphControl.height),
        calendar(kCalendarControl.width, kCalendarControl.height),
        list(kListControl.width, kListControl.height) {}
  std::array<const Surface*, 4> Pointers() const { return {&face, &graph, &calendar, &list}; }
  // Makes every surface anew at the scale, as the main window does.
  void ScaleTo(Scale scale) {
    const std::array<Surface*, 4> all = {&face, &graph, &calendar, &list};
    for (SurfaceId id : host::kAllSurfaces) {
      Surface& s = *all[static_cast<int>(id)];
      s = Surface(host::GridOf(id, scale), s.LogicalWidth(), s.LogicalHeight());
    }
  }

  Surface face;
  Surface graph;
  Surface calendar;
  Surface list;
};

// Handlers that behave as the device-ID chooser does and log what reaches them.
class LoggingIdHandlers : public IdDialogHandlers {
 public:
  void OnShowWindow(ComboBox& combo) override {
    log.push_back("show");
    combo.ResetContent();
    combo.AddString("AAAA00000001");
    combo.AddString("BBBB00000002");
    combo.SetCurSel(0);
    chosen = combo.WindowText();
  }
  void OnSelChange(ComboBox& combo) override { log.push_back("selchange " + combo.WindowText()); }
  void OnCloseUp(ComboBox& combo) override {
    log.push_back("closeup " + combo.WindowText());
    chosen = combo.WindowText();
  }
  std::vector<std::string> log;
  std::string chosen;
};

// How a host's pumps pace a loop, measured: pumping with nothing drawn for 400 ms, and
// pumping after a drawing on every turn for 100 ms. `cpuMs` reads the thread's CPU time.
struct PumpPacingFigures {
  std::int64_t idleCpuMs = 0;
  int idleTurns = 0;
  int drawingTurns = 0;
};
inline constexpr int kPacingDrawingMs = 100;
// Four times what that time allows a pump that waits its idle wait on every turn: so many
// turns show that a pump after a drawing does not wait, even on a loaded machine.
inline constexpr int kDrawingTurnsAtLeast = 4 * kPacingDrawingMs / PumpPacing::kIdleWaitMs;
inline PumpPacingFigures MeasurePumpPacing(Platform& platform,
                                           const std::function<std::int64_t()>& cpuMs) {
  PumpPacingFigures figures;
  Clock& clock = platform.GetClock();
  const std::int64_t cpuBefore = cpuMs();
  const std::int64_t idleEnd = clock.NowMs() + 400;
  while (clock.NowMs() < idleEnd) {
    platform.PumpOneMessage();
    ++figures.idleTurns;
  }
  figures.idleCpuMs = cpuMs() - cpuBefore;
  const std::int64_t drawingEnd = clock.NowMs() + kPacingDrawingMs;
  while (clock.NowMs() < drawingEnd) {
    platform.Present(SurfaceId::kGraph);
    platform.PumpOneMessage();
    ++figures.drawingTurns;
  }
  return figures;
}

}  // namespace oxi::testing
