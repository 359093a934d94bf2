#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/gdi/dc.h"
#include "platform/gdi/device_axis.h"
#include "platform/gdi/line_raster.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/text_draw.h"

namespace oxi {

namespace {

// Rectangles are computed in 64 bits so that far-out coordinates cannot overflow, then
// pulled in to just outside the surface, which FillRect clips exactly as before.
int ClampCoord(std::int64_t v, int limit) {
  return static_cast<int>(std::clamp<std::int64_t>(v, -1, std::int64_t{limit} + 1));
}

void FillWide(Surface& s, std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
              Colorref c) {
  s.FillRect(ClampCoord(l, s.Width()), ClampCoord(t, s.Height()), ClampCoord(r, s.Width()),
             ClampCoord(b, s.Height()), c);
}

// A pen wider than one pixel covers, around each pixel of the thin line, `width` pixels
// across the line's major axis, from -(width - 1) / 2 to width / 2.
int PenLow(int width) {
  return -((width - 1) / 2);
}

// Pens up to this wide (every screen pen at every scale) set their pixels one by one.
constexpr int kFewPixels = 4;

// The band of `width` pixels from `lo` across the major axis at every pixel of the thin
// line, clipped to what can reach the surface.
void LineBand(Surface& s, int x0, int y0, int x1, int y1, int width, int lo, Colorref c) {
  const int hi = lo + width - 1;
  // Walk only the part of the thin line whose band can touch the surface.
  const LineSteps steps =
      ClipLine(x0, y0, x1, y1, -width, -width, s.Width() + width, s.Height() + width);
  if (width <= kFewPixels) {
    // The few pixels across each step are set one by one, cheaper than a fill each; the
    // clip keeps every step within a few pixels of the surface.
    WalkLine(steps, [&](int x, int y) {
      for (int k = lo; k <= hi; ++k) {
        if (steps.xMajor) {
          s.SetPixel(x, y + k, c);
        } else {
          s.SetPixel(x + k, y, c);
        }
      }
    });
    return;
  }
  WalkLine(steps, [&](int x, int y) {
    if (steps.xMajor) {
      FillWide(s, x, std::int64_t{y} + lo, std::int64_t{x} + 1, std::int64_t{y} + hi + 1, c);
    } else {
      FillWide(s, std::int64_t{x} + lo, y, std::int64_t{x} + hi + 1, std::int64_t{y} + 1, c);
    }
  });
}

void WideLine(Surface& s, int x0, int y0, int x1, int y1, int width, Colorref c) {
  const int lo = PenLow(width);
  const int hi = lo + width - 1;
  LineBand(s, x0, y0, x1, y1, width, lo, c);
  // Square caps at both ends, so that segments joined at an angle leave no notch.
  for (const auto& [px, py] : {std::pair{x0, y0}, std::pair{x1, y1}}) {
    FillWide(s, std::int64_t{px} + lo, std::int64_t{py} + lo, std::int64_t{px} + hi + 1,
             std::int64_t{py} + hi + 1, c);
  }
}

}  // namespace

SurfaceDc::SurfaceDc(Surface& surface) : surface_(surface) {}

SurfaceDc::~SurfaceDc() = default;

DeviceAxis SurfaceDc::AxisX() const {
  const PixelGrid& g = surface_.Grid();
  if (!box_) return DeviceAxis(g.scale, g.originX);
  return DeviceAxis(g.scale, g.originX, box_->left, box_->right, box_->depthX);
}

DeviceAxis SurfaceDc::AxisY() const {
  const PixelGrid& g = surface_.Grid();
  if (!box_) return DeviceAxis(g.scale, g.originY);
  return DeviceAxis(g.scale, g.originY, box_->top, box_->bottom, box_->depthY);
}

void SurfaceDc::LineTo(int x, int y) {
  const int width = std::max(pen_.width, 1);
  if (!surface_.Grid().IsIdentity()) {
    ScaledLine(x, y);
  } else if (x != curX_ || y != curY_) {
    if (width == 1) {
      const LineSteps steps =
          ClipLine(curX_, curY_, x, y, 0, 0, surface_.Width(), surface_.Height());
      WalkLine(steps, [&](int px, int py) { surface_.SetPixel(px, py, pen_.color); });
    } else {
      WideLine(surface_, curX_, curY_, x, y, width, pen_.color);
    }
  }
  curX_ = x;
  curY_ = y;
}

// A level or upright one-pixel line covers the device pixels of the logical pixels it
// paints, at least a pen width across and at its last pixel, so that it never thins to
// one device pixel where another line of the same pen has two; any other line is drawn
// at device pixels between the mapped points, a pen width across.
void SurfaceDc::ScaledLine(int x, int y) {
  if (x == curX_ && y == curY_) return;
  const int width = std::max(pen_.width, 1);
  const int pen = surface_.Grid().scale.PenWidth(width);
  const DeviceAxis ax = AxisX(), ay = AxisY();
  if (width == 1 && (x == curX_ || y == curY_)) {
    // The logical pixels painted, first to last along the line, its end point left out.
    const int fromX = x >= curX_ ? curX_ : x + 1;
    const int toX = x > curX_ ? x - 1 : curX_;
    const int fromY = y >= curY_ ? curY_ : y + 1;
    const int toY = y > curY_ ? y - 1 : curY_;
    FillWide(surface_, ax.Edge(fromX), ay.Edge(fromY), ax.Reach(toX), ay.Reach(toY), pen_.color);
    return;
  }
  const int x0 = ax.Edge(curX_), y0 = ay.Edge(curY_), x1 = ax.Edge(x), y1 = ay.Edge(y);
  if (width == 1) {
    LineBand(surface_, x0, y0, x1, y1, pen, 0, pen_.color);
  } else {
    WideLine(surface_, x0, y0, x1, y1, pen, pen_.color);
  }
}

void SurfaceDc::SetPixel(int x, int y, Colorref c) {
  if (surface_.Grid().IsIdentity()) return surface_.SetPixel(x, y, c);
  const DeviceAxis ax = AxisX(), ay = AxisY();
  FillWide(surface_, ax.Edge(x), ay.Edge(y), ax.Reach(x), ay.Reach(y), c);
}

void SurfaceDc::Rectangle(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  // The outline lies inside the rectangle, a pen width deep on every side.
  const std::int64_t w = surface_.Grid().scale.PenWidth(pen_.width);
  const DeviceAxis ax = AxisX(), ay = AxisY();
  const std::int64_t l = ax.Edge(left), t = ay.Edge(top), r = ax.Edge(right), b = ay.Edge(bottom);
  FillWide(surface_, l + w, t + w, r - w, b - w, brush_.color);
  const Colorref c = pen_.color;
  FillWide(surface_, l, t, r, std::min(t + w, b), c);
  FillWide(surface_, l, std::max(b - w, t), r, b, c);
  FillWide(surface_, l, t, std::min(l + w, r), b, c);
  FillWide(surface_, std::max(r - w, l), t, r, b, c);
}

void SurfaceDc::TextOutUtf8(int x, int y, std::string_view utf8) {
  std::optional<Colorref> background;
  if (bkMode_ == BkMode::kOpaque) background = bkColor_;
  Font font = font_;
  font.height = std::max(1, surface_.Grid().scale.ToDevice(std::max(font.height, 1)));
  PaintText(surface_, AxisX().Edge(x), AxisY().Edge(y), font, textColor_, background, utf8);
}

Surface SurfaceDc::CompatibleSurface(int x, int y, int width, int height) const {
  const PixelGrid& g = surface_.Grid();
  return Surface(PixelGrid{g.scale, g.originX + x, g.originY + y}, width, height);
}

void SurfaceDc::BitBlt(int x, int y, int width, int height, const Surface& src, int srcX,
                       int srcY) {
  // In device pixels: the destination's edges through this grid, the source's through its.
  const PixelGrid& g = surface_.Grid();
  const PixelGrid& from = src.Grid();
  std::int64_t dx = g.X(x), dy = g.Y(y), sx = from.X(srcX), sy = from.Y(srcY);
  std::int64_t w = std::int64_t{g.X(std::int64_t{x} + width)} - dx;
  std::int64_t h = std::int64_t{g.Y(std::int64_t{y} + height)} - dy;
  // Shrink the copied block until both its source and its destination lie inside.
  auto clipStart = [&](std::int64_t& a, std::int64_t& other, std::int64_t& len) {
    if (a < 0) {
      len += a;
      other -= a;
      a = 0;
    }
  };
  clipStart(dx, sx, w);
  clipStart(sx, dx, w);
  clipStart(dy, sy, h);
  clipStart(sy, dy, h);
  w = std::min({w, std::int64_t{surface_.Width()} - dx, std::int64_t{src.Width()} - sx});
  h = std::min({h, std::int64_t{surface_.Height()} - dy, std::int64_t{src.Height()} - sy});
  if (w <= 0 || h <= 0) return;
  const std::size_t rowBytes = static_cast<std::size_t>(w) * 3;
  // Copying a surface onto itself downwards must start from the bottom row.
  const bool upwards = &src == &surface_ && dy > sy;
  for (std::int64_t i = 0; i < h; ++i) {
    const std::int64_t row = upwards ? h - 1 - i : i;
    const std::uint8_t* from = src.Data() + (sy + row) * src.Stride() + sx * 3;
    std::uint8_t* to = surface_.Data() + (dy + row) * surface_.Stride() + dx * 3;
    std::memmove(to, from, rowBytes);
  }
}

}  // namespace oxi
