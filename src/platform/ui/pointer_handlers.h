#pragma once

namespace oxi {

// The pointer as every window of the program receives it, in its client coordinates.
class PointerHandlers {
 public:
  virtual ~PointerHandlers() = default;
  virtual void OnMouseMove(int x, int y) = 0;
  virtual void OnLButtonDown(int x, int y) = 0;
  virtual void OnLButtonUp(int x, int y) = 0;
};

}  // namespace oxi
