#pragma once
#include <cstdint>

namespace oxi {

// A colour as the drawing code names it: red in the low byte, blue in the high byte, so
// the day table's stored values (0xFFFFFF, 0xFF00FF) read the same as everywhere else.
using Colorref = std::uint32_t;

constexpr Colorref Rgb(int r, int g, int b) {
  return static_cast<Colorref>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Colorref c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Colorref c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Colorref c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

constexpr Colorref kWhite = Rgb(255, 255, 255);
constexpr Colorref kBlack = Rgb(0, 0, 0);

}  // namespace oxi
