#pragma once
#include <string>

#include "platform/ui/platform.h"
#include "win32/windows_api.h"

namespace oxi {

// The drop-down list of the device-ID chooser as its handlers see it. Changes made through
// it are the program's own and notify nobody, as only the user's changes do.
class Win32ComboBox : public ComboBox {
 public:
  explicit Win32ComboBox(HWND combo) : combo_(combo) {}
  void ResetContent() override;
  void AddString(const std::string& text) override;
  void SetCurSel(int index) override;
  std::string WindowText() const override;

 private:
  HWND combo_;
};

// Runs the device-ID chooser (template IDD_ID_DIALOG) modally, without an owner: it comes
// up before the main window is shown. Its behaviour is the handlers': they fill the list
// when the window shows and read the choice as the list changes and closes up.
void RunIdChooser(IdDialogHandlers& handlers);

}  // namespace oxi
