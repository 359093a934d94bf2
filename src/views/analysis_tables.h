#pragma once
#include <string>

#include "analysis/analysis.h"
#include "platform/gdi/dc.h"

namespace oxi {

// The summary of the valid samples (StO2, total haemoglobin and heart rate: minimum,
// maximum, mean) and their count, and the seconds in each StO2 band.
void DrawSummaryAndZones(Dc& dc, const Analysis& a);

// A band as the tables name it: "below", "from .. to", "from".
std::string BandText(const Zone& z);

// The episode table from row `first` (0 is the first episode), as many rows as a page
// holds, and the page buttons below it, greyed where there is no page to go to.
void DrawEpisodePage(Dc& dc, const Analysis& a, int first);

}  // namespace oxi
