#include "device/download_progress.h"

#include <algorithm>

namespace oxi {

void DownloadProgress::Start(int sectorTotal) {
  total_ = sectorTotal;
  done_ = 0;
}

void DownloadProgress::SectorDone() {
  ++done_;
  events_.SectorProgress(total_ > 0 ? std::min(kProgressDone, done_ * kProgressDone / total_) : 0);
}

}  // namespace oxi
