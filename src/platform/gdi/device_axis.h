#pragma once
#include <cstdint>

#include "platform/gdi/scale.h"

namespace oxi {

// One axis of a scaled drawing's mapping from logical to device pixels: the surface grid's
// own, bent by the framed box being drawn, if any (`depth` frame pixels inside each of its
// edges lo and hi). A frame pixel of the box is one pen width of device pixels, so that a
// frame is as thick on one side as on the other; the box's inside is spread evenly over
// what is left; the edges themselves stay where the grid puts them, so the box fits among
// what is drawn around it.
class DeviceAxis {
 public:
  // An axis with no box: the grid's plain mapping.
  DeviceAxis(Scale scale, int origin)
      : scale_(scale), origin_(origin), base_(scale.ToDevice(origin)) {}
  DeviceAxis(Scale scale, int origin, int lo, int hi, int depth);

  // The device position of logical edge p.
  int Edge(std::int64_t p) const;
  // Where the device pixels of logical pixel p end: at its next edge, but at least a pen
  // width on, so that a one-pixel line never thins to one device pixel where another has
  // two; and never from the box's inside into its frame, which may be drawn first.
  int Reach(int p) const;

 private:
  int Plain(std::int64_t p) const { return scale_.ToDevice(origin_ + p) - base_; }
  bool Framed() const { return depth_ > 0; }

  Scale scale_;
  int origin_;
  int base_;  // the origin's own device position
  int pen_ = scale_.PenWidth(1);
  int lo_ = 0;
  int hi_ = 0;
  int depth_ = 0;  // frame pixels at each end: fewer in a box too small for its frame
  int inLo_ = 0;   // device edges of the box's inside
  int inHi_ = 0;
};

}  // namespace oxi
