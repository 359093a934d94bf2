#include "store/id_dialog.h"

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
  store_.currentDeviceId = CutToId(combo.GetWindowText());
}

// Only closing the list commits a choice, so a selection scrolled through with the keys
// while the list is open changes nothing until it closes.
void CIdDialog::OnSelChange(ComboBox&) {}

void CIdDialog::OnCloseUp(ComboBox& combo) {
  store_.currentDeviceId = CutToId(combo.GetWindowText());
}

}  // namespace oxi
