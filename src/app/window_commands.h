#pragma once
#include <array>

#include "res/texts.h"

namespace oxi {

// The window's own menu, which the right button opens on either host: the export of the
// shown measurement, a separator, the about box.
enum class WindowCommand { kNone, kExport, kAbout };

struct WindowMenuItem {
  WindowCommand command;  // kNone: a separator
  const char* text;
};

inline constexpr std::array kWindowMenu{
    WindowMenuItem{WindowCommand::kExport, texts::kExportMenuItem},
    WindowMenuItem{WindowCommand::kNone, nullptr},
    WindowMenuItem{WindowCommand::kAbout, texts::kAboutMenuItem},
};

}  // namespace oxi
