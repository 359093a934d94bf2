#pragma once
#include <QFont>

namespace oxi {

// The font of the main window's own texts and edit field: the face the drawing code's
// screen font resolves to, at the given pixel height.
QFont ScreenFont(int pixelSize);
// The font of the dialogs: the same face in points, as dialog templates give it.
QFont DialogFont();
// The smaller font of the download and device-ID dialogs, whose templates ask for 8 points.
QFont ShellDialogFont();

}  // namespace oxi
