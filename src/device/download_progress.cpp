#include "device/download_progress.h"

#include <algorithm>
#include <cstdio>

#include "res/texts.h"

namespace oxi {
namespace {

constexpr int kPercentTextSize = 16;

}  // namespace

void DownloadProgress::Start(int sectorTotal) {
  total_ = sectorTotal;
  done_ = 0;
}

void DownloadProgress::SectorDone() {
  ++done_;
  const int percent =
      total_ > 0 ? std::min(kProgressBarMaximum, done_ * kProgressBarMaximum / total_) : 0;
  char text[kPercentTextSize];
  std::snprintf(text, sizeof text, texts::kPercentFormat, percent);
  dialog_.SetBar(percent);
  dialog_.SetPercentText(text);
  dialog_.Repaint();
}

bool DownloadProgress::CancelRequested() {
  platform_.PumpOneMessage();
  return dialog_.CancelRequested();
}

}  // namespace oxi
