#include "qt/screen_font.h"

#include "platform/gdi/dc.h"
#include "platform/gdi/posix/font_match.h"
#include "res/dialog_layout.h"

namespace oxi {
namespace {

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
  return PointFont(dialog_layout::kMainDialogFontPoints);
}

QFont ShellDialogFont() {
  return PointFont(dialog_layout::kSmallDialogFontPoints);
}

}  // namespace oxi
