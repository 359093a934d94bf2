#pragma once
#include "platform/ui/platform.h"

namespace oxi {

// The bar and percentage of the download dialog while one device's sectors are read, and
// the user's Cancel.
class DownloadProgress {
 public:
  explicit DownloadProgress(Platform& platform)
      : platform_(platform), dialog_(platform.DownloadDialog()) {}
  void Start(int sectorTotal);
  // One more sector requested (read or not): bar and text show done x 100 / total.
  void SectorDone();
  // Dispatches the messages that came meanwhile (a press of Cancel among them), then
  // tells whether the user asked to stop.
  bool CancelRequested();

 private:
  Platform& platform_;
  ProgressDialog& dialog_;
  int total_ = 0;
  int done_ = 0;
};

}  // namespace oxi
