#pragma once
#include "device/download_events.h"

namespace oxi {

// The share of one device's sectors requested so far, and the user's Cancel.
class DownloadProgress {
 public:
  explicit DownloadProgress(DownloadEvents& events) : events_(events) {}
  void Start(int sectorTotal);
  // One more sector requested (read or not): done x 100 / total percent.
  void SectorDone();
  // Whether the user asked to stop, the input that came meanwhile dispatched first.
  bool CancelRequested() { return events_.CancelRequested(); }

 private:
  DownloadEvents& events_;
  int total_ = 0;
  int done_ = 0;
};

}  // namespace oxi
