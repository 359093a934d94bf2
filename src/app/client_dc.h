#pragma once
#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"
#include "platform/ui/platform.h"

namespace oxi {

// A drawing context on one of the main window's surfaces for the length of one drawing:
// when it goes out of scope the host is told to show the surface, so every drawing is on
// the screen the moment it ends, without waiting for a repaint.
class ClientDc : public SurfaceDc {
 public:
  ClientDc(Platform& platform, Surface& surface, SurfaceId id)
      : SurfaceDc(surface), platform_(platform), id_(id) {}
  ~ClientDc() override { platform_.Present(id_); }
  ClientDc(const ClientDc&) = delete;
  ClientDc& operator=(const ClientDc&) = delete;

 private:
  Platform& platform_;
  SurfaceId id_;
};

}  // namespace oxi
