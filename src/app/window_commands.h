#pragma once
#include <array>

#include "platform/ui/platform.h"
#include "res/texts.h"

// The commands a host offers beside the painted face, the same on either host.
namespace oxi {

// The window's own menu, which the right button opens on either host: the export of the
// shown measurement, its analysis, the trends of the device, the store's backup, a
// separator, the about box.
enum class WindowCommand { kNone, kExport, kAnalysis, kAbout, kBackup, kTrend };

struct WindowMenuItem {
  WindowCommand command;  // kNone: a separator
  const char* text;
  bool needsMeasurement = false;  // greyed while no measurement is shown
};

inline constexpr std::array kWindowMenu{
    WindowMenuItem{WindowCommand::kExport, texts::kExportMenuItem},
    WindowMenuItem{WindowCommand::kAnalysis, texts::kAnalysisMenuItem, true},
    WindowMenuItem{WindowCommand::kTrend, texts::kTrendMenuItem},
    WindowMenuItem{WindowCommand::kBackup, texts::kBackupMenuItem},
    WindowMenuItem{WindowCommand::kNone, nullptr},
    WindowMenuItem{WindowCommand::kAbout, texts::kAboutMenuItem},
};

// The command buttons' keyboard shortcuts: Ctrl with the letter, no other modifier.
struct CommandShortcut {
  char letter;  // upper case, as both hosts name the letter keys
  CommandKey command;
};

inline constexpr std::array kCommandShortcuts{
    CommandShortcut{'P', CommandKey::kPrint},
    CommandShortcut{'S', CommandKey::kSave},
};

}  // namespace oxi
