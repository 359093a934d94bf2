#pragma once
#include <optional>
#include <vector>

#include "analysis/smoothed_level.h"

namespace oxi {

// Where an episode's peak, floor and recovery maximum lie, as sample indices.
struct EpisodeMarks {
  int peak = 0;
  int min = 0;
  std::optional<int> recoveryMax;  // empty while the trace never rose `delta` off the floor
};

// The episodes of a smoothed trace, found by hysteresis of `delta` (0.1 points): a fall of
// delta from the highest level opens one, a rise of delta off its lowest level starts its
// recovery, and a fall of delta from the recovery's highest level closes it and opens the
// next at that level. Undefined levels are skipped.
std::vector<EpisodeMarks> FindEpisodes(const std::vector<Level>& levels, int delta);

}  // namespace oxi
