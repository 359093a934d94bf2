#pragma once
#include "platform/ui/platform.h"

namespace oxi {

// The bar and percentage of the download dialog while one device's sectors are read.
class DownloadProgress {
 public:
  explicit DownloadProgress(ProgressDialog& dialog) : dialog_(dialog) {}
  void Start(int sectorTotal);
  // One more sector requested (read or not): bar and text show done x 100 / total.
  void SectorDone();

 private:
  ProgressDialog& dialog_;
  int total_ = 0;
  int done_ = 0;
};

}  // namespace oxi
