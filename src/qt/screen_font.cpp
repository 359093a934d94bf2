#include "qt/screen_font.h"

#include "platform/gdi/dc.h"
#include "platform/gdi/posix/font_match.h"

namespace oxi {
namespace {

// The main window's template asks for a 9-point face, the small dialogs' for 8 points.
constexpr int kDialogPointSize = 9;
constexpr int kShellDialogPointSize = 8;

QFont MatchedFace() {
  // The same family the painted texts use, so that typed digits and labels look alike.
  const FontMatch match = MatchFont(kScreenFace);
  QFont font;
  if (!match.family.empty()) font.setFamily(QString::fromStdString(match.family));
  return font;
}

QFont PointFont(int pointSize) {
  QFont font = MatchedFace();
  font.setPointSize(pointSize);
  return font;
}

}  // namespace

QFont ScreenFont(int pixelSize) {
  QFont font = MatchedFace();
  font.setPixelSize(pixelSize);
  return font;
}

QFont DialogFont() {
  return PointFont(kDialogPointSize);
}

QFont ShellDialogFont() {
  return PointFont(kShellDialogPointSize);
}

}  // namespace oxi
