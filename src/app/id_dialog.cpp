#include "app/id_dialog.h"

#include "store/record_file.h"

namespace oxi {
namespace {

std::string CutToId(const std::string& text) {
  return text.substr(0, kDeviceIdLength);
}

}  // namespace

void CIdDialog::OnShowWindow(ComboBox& combo) {
  combo.ResetContent();
  for (const std::string& folder : store_.deviceFolders) combo.AddString(DeviceIdOfFolder(folder));
  combo.SetCurSel(0);
  TakeShownId(combo);
}

// With the keyboard the selection of a closed list changes without any close-up, so a
// selection change takes the shown ID too: the ID the dialog shows is always the one used.
void CIdDialog::OnSelChange(ComboBox& combo) {
  TakeShownId(combo);
}

void CIdDialog::OnCloseUp(ComboBox& combo) {
  TakeShownId(combo);
}

void CIdDialog::TakeShownId(ComboBox& combo) {
  store_.currentDeviceId = CutToId(combo.WindowText());
}

DeviceChooser IdDialogChooser(Platform& platform) {
  return [&platform](StoreState& store) {
    CIdDialog dialog(store);
    platform.RunIdDialog(dialog);
  };
}

}  // namespace oxi
