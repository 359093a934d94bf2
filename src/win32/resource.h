#pragma once
// The resources of oxiview.exe and the layouts of the templates only the Windows host has,
// as plain macros: the resource compiler reads this file (oxiview.rc), and so does C++.
// The layouts the Qt host shares are in res/dialog_layout.h.

// Dialog templates, the icon and the system menu's about item.
#define IDD_ABOUTBOX 100
#define IDD_MAIN 102
#define IDR_MAINFRAME 128
#define IDD_ID_DIALOG 129
#define IDD_PROGRESS 130
#define IDM_ABOUTBOX 0x0010

// Controls of the main window: the three drawing surfaces and the moving-average field.
#define IDC_GRAPH 1000
#define IDC_CALENDAR 1001
#define IDC_LIST 1002
#define IDC_WINDOW_EDIT 1017
// The device-ID chooser's list and prompt.
#define IDC_DEVICE_COMBO 1010
#define IDC_DEVICE_PROMPT 1011
// The download-progress window's bar, status line, percentage and Cancel button (an ID of
// its own: Esc gives IDCANCEL and must not stop a download).
#define IDC_PROGRESS_BAR 1013
#define IDC_PROGRESS_STATUS 1014
#define IDC_PROGRESS_PERCENT 1015
#define IDC_PROGRESS_STOP 1016
// The about box's version line, store folder and log file.
#define IDC_ABOUT_VERSION 1020
#define IDC_ABOUT_STORE 1021
#define IDC_ABOUT_LOG 1022

// The main window's template: its size and its controls' places are set in pixels when
// it initialises (app/host_layout.h), so the template gives none.
#define OXI_PLACED_AT_INIT 0, 0, 0, 0

// The about box, in dialog units of its 8-point font. It is wider than the classic one to
// show the store's folder and the log file, lines that scroll when a path is longer still.
#define OXI_ABOUT_WIDTH 240
#define OXI_ABOUT_HEIGHT 82
#define OXI_ABOUT_ICON 14, 14, 21, 20
#define OXI_ABOUT_VERSION 42, 14, 184, 8
#define OXI_ABOUT_STORE 42, 28, 184, 10
#define OXI_ABOUT_LOG 42, 40, 184, 10
#define OXI_ABOUT_OK 183, 61, 50, 14

// The character set byte of the Japanese template font.
#define OXI_SHIFTJIS_CHARSET 128
