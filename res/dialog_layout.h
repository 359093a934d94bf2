#pragma once
// The fonts of the dialog templates, and the layouts of the device-ID chooser and the
// download-progress window in dialog units of their 8-point template font: x, y, width,
// height. The Windows
// resource compiler reads the macros for the dialog templates (src/win32/oxiview.rc); the
// hosts' C++ reads them through the rectangles below.

// The main window's template font, and the smaller one of the two small dialogs.
#define OXI_MAIN_DIALOG_FONT_POINTS 9
#define OXI_SMALL_DIALOG_FONT_POINTS 8

// Device-ID chooser.
#define OXI_ID_DIALOG_WIDTH 202
#define OXI_ID_DIALOG_HEIGHT 84
#define OXI_ID_DIALOG_OK 78, 60, 50, 14
#define OXI_ID_DIALOG_CANCEL 132, 60, 50, 14
// The drop-down list: its height is that of the list when dropped.
#define OXI_ID_DIALOG_COMBO 36, 36, 132, 84
#define OXI_ID_DIALOG_PROMPT 36, 18, 84, 8

// Download progress.
#define OXI_PROGRESS_DIALOG_WIDTH 186
#define OXI_PROGRESS_DIALOG_HEIGHT 90
// OK and CANCEL are the template's hidden buttons, which give Enter and Esc nothing to
// press; STOP is the visible Cancel button, centred under the bar below the percentage.
#define OXI_PROGRESS_DIALOG_OK 132, 6, 50, 14
#define OXI_PROGRESS_DIALOG_CANCEL 132, 24, 50, 14
#define OXI_PROGRESS_DIALOG_BAR 18, 48, 150, 14
#define OXI_PROGRESS_DIALOG_STATUS 60, 30, 84, 8
#define OXI_PROGRESS_DIALOG_PERCENT 90, 72, 24, 8
#define OXI_PROGRESS_DIALOG_STOP 68, 84, 50, 14

#ifndef RC_INVOKED
namespace oxi::dialog_layout {

struct DluRect {
  int x;
  int y;
  int width;
  int height;
};

inline constexpr int kMainDialogFontPoints = OXI_MAIN_DIALOG_FONT_POINTS;
inline constexpr int kSmallDialogFontPoints = OXI_SMALL_DIALOG_FONT_POINTS;

inline constexpr int kIdDialogWidth = OXI_ID_DIALOG_WIDTH;
inline constexpr int kIdDialogHeight = OXI_ID_DIALOG_HEIGHT;
inline constexpr DluRect kIdOk{OXI_ID_DIALOG_OK};
inline constexpr DluRect kIdCancel{OXI_ID_DIALOG_CANCEL};
inline constexpr DluRect kIdCombo{OXI_ID_DIALOG_COMBO};
inline constexpr DluRect kIdPrompt{OXI_ID_DIALOG_PROMPT};

inline constexpr DluRect kProgressBar{OXI_PROGRESS_DIALOG_BAR};
inline constexpr DluRect kProgressStatus{OXI_PROGRESS_DIALOG_STATUS};
inline constexpr DluRect kProgressPercent{OXI_PROGRESS_DIALOG_PERCENT};
inline constexpr DluRect kProgressStop{OXI_PROGRESS_DIALOG_STOP};

}  // namespace oxi::dialog_layout
#endif
