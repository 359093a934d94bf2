#pragma once
#include <filesystem>
#include <string>

#include "app/screen_state.h"
#include "platform/gdi/surface.h"
#include "platform/ui/platform.h"
#include "store/current_measurement.h"
#include "store/store_state.h"

namespace oxi {

class D2xx;

// The main window's behaviour, free of any toolkit: it owns the screen state, the current
// measurement, the store state and the comment text, and paints four surfaces that the
// host shows (the window face and the graph, calendar and list controls).
class CMainDialog : public WindowHandlers {
 public:
  CMainDialog(Platform& platform, D2xx& d2xx, std::filesystem::path workingFolder);
  ~CMainDialog() override;
  CMainDialog(const CMainDialog&) = delete;
  CMainDialog& operator=(const CMainDialog&) = delete;

  // Sets the state to its initial values, sets up the store and chooses the device, scans
  // today's month. The host calls it once before the window is first shown.
  void OnInitDialog();
  // Draws the whole face in its fixed order.
  void FullRepaint();

  // WindowHandlers
  void OnPaint() override;
  void OnActivate(bool active) override;
  void OnMouseMove(int x, int y) override;
  void OnLButtonDown(int x, int y) override;
  void OnLButtonUp(int x, int y) override;
  bool OnEnterKey() override;
  void OnCancel() override;

  // True once Esc or the close box ended the window.
  bool Ended() const { return ended_; }

  const Surface& GetSurface(SurfaceId id) const;
  ScreenState& State() { return state_; }
  StoreState& Store() { return store_; }
  CurrentMeasurement& Measurement() { return measurement_; }
  // The comment of the shown measurement: CP932 bytes, lines ending in CR LF.
  const std::string& CommentText() const { return comment_; }
  Platform& GetPlatform() { return platform_; }

 private:

  Platform& platform_;
  D2xx& d2xx_;
  std::filesystem::path workingFolder_;
  ScreenState state_;
  StoreState store_;
  CurrentMeasurement measurement_;
  std::string comment_;
  Surface face_;
  Surface graph_;
  Surface calendar_;
  Surface list_;
  bool ended_ = false;
  bool downloading_ = false;
};

}  // namespace oxi
