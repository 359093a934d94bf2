#pragma once

namespace oxi {

// Registers the controls the program's dialogs are made of (the standard ones and the
// progress bar) in the versions its manifest asks for. Once, before the first dialog.
void RegisterDialogControls();

}  // namespace oxi
