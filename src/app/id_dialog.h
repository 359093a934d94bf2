#pragma once
#include "platform/ui/platform.h"
#include "store/store_state.h"

namespace oxi {

// The device-ID chooser's behaviour: it lists the device folders' IDs, preselects the
// first and writes the shown ID into the store's current device ID whenever the shown ID
// changes (a selection change) and when the list closes up.
class CIdDialog : public IdDialogHandlers {
 public:
  explicit CIdDialog(StoreState& store) : store_(store) {}
  void OnShowWindow(ComboBox& combo) override;
  void OnSelChange(ComboBox& combo) override;
  void OnCloseUp(ComboBox& combo) override;

 private:
  void TakeShownId(ComboBox& combo);
  StoreState& store_;
};

// The store's device chooser of a window: the device-ID dialog, run by the platform.
DeviceChooser IdDialogChooser(Platform& platform);

}  // namespace oxi
