#pragma once
#include <array>

#include "app/screen_layout.h"
#include "platform/ui/platform.h"

// Where the hosts (the Qt window on Linux, the Win32 window on Windows) put the main
// window, its real controls and the download-progress window: facts both hosts share.
namespace oxi::host {

// Where the window is placed when it opens.
inline constexpr int kWindowX = 0;
inline constexpr int kWindowY = 0;

// The moving-average edit field: a real edit control below the day list, in the screen
// font, so that the user can type into it.
inline constexpr ControlRect kWindowEditRect{839, 571, 45, 26};
inline constexpr int kScreenFontPixels = 16;

// The download-progress window on the screen, in pixels, outer size.
inline constexpr ControlRect kProgressWindowRect{362, 284, 300, 200};

// The client rectangle a surface is shown in; the face covers the whole client area.
inline constexpr ControlRect RectOf(SurfaceId id) {
  switch (id) {
    case SurfaceId::kGraph:
      return kGraphControl;
    case SurfaceId::kCalendar:
      return kCalendarControl;
    case SurfaceId::kList:
      return kListControl;
    case SurfaceId::kFace:
      break;
  }
  return ControlRect{0, 0, kFaceWidth, kFaceHeight};
}

// Where a logical rectangle of the client area lies in device pixels at a scale: its
// edges mapped as the drawings map them.
inline ControlRect DeviceRect(const ControlRect& r, Scale scale) {
  const int x = scale.ToDevice(r.x);
  const int y = scale.ToDevice(r.y);
  return ControlRect{x, y, scale.ToDevice(r.x + r.width) - x, scale.ToDevice(r.y + r.height) - y};
}

// The grid a surface is drawn on: the window's own, from the surface's place in it.
inline PixelGrid GridOf(SurfaceId id, Scale scale) {
  const ControlRect r = RectOf(id);
  return PixelGrid{scale, r.x, r.y};
}

inline constexpr std::array<SurfaceId, 4> kAllSurfaces{SurfaceId::kFace, SurfaceId::kGraph,
                                                       SurfaceId::kCalendar, SurfaceId::kList};

}  // namespace oxi::host
