#pragma once
#include <string>

#include "graph/display_series.h"
#include "platform/text/text_format.h"

// The numbers written along the plots' scales, shared by the screen and the page: each
// plot's full scale is divided into ten grid divisions.
namespace oxi::scale_labels {

inline constexpr int kDivisions = 10;

// Heart rate at grid row k from the top: 200, 180, ..., 20.
constexpr int HeartRateAt(int k) {
  return kHrFullScale - kHrFullScale / kDivisions * k;
}

// StO2 labels in percent, 10 to 100 (StO2 itself counts tenths of a percent).
inline constexpr int kStO2Percent = kSto2FullScale / 10;
inline constexpr int kStO2PercentStep = kStO2Percent / kDivisions;

// Hb at grid row k from the top in hundredths of mM/L: 20, 18, ..., 2 (Hb itself counts
// thousandths).
constexpr int HbHundredthsAt(int k) {
  return (kHbFullScale - kHbFullScale / kDivisions * k) / 10;
}

// A StO2 label and which of the three right-aligning x positions it takes.
struct StO2Label {
  std::string text;
  int column;  // 0 for three digits, 1 for two, 2 for one
};
inline StO2Label StO2LabelOf(int percent) {
  std::string text = FormatText("%d", percent);
  const int column = text.size() >= 3 ? 0 : text.size() == 2 ? 1 : 2;
  return {std::move(text), column};
}

}  // namespace oxi::scale_labels
