#include "win32/dialog_controls.h"

#include "win32/windows_api.h"
// After windows.h: the common controls.
#include <commctrl.h>

namespace oxi {

void RegisterDialogControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS;
  InitCommonControlsEx(&controls);
}

}  // namespace oxi
