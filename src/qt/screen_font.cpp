#include "qt/screen_font.h"

#include "platform/gdi/font.h"

namespace oxi {
namespace {

// Dialog templates ask for a 9-point face.
constexpr int kDialogPointSize = 9;

QFont MatchedFace() {
  // The same family the painted texts use, so that typed digits and labels look alike.
  const FontMatch match = MatchFont(kScreenFace);
  QFont font;
  if (!match.family.empty()) font.setFamily(QString::fromStdString(match.family));
  return font;
}

}  // namespace

QFont ScreenFont(int pixelSize) {
  QFont font = MatchedFace();
  font.setPixelSize(pixelSize);
  return font;
}

QFont DialogFont() {
  QFont font = MatchedFace();
  font.setPointSize(kDialogPointSize);
  return font;
}

}  // namespace oxi
