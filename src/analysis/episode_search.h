#pragma once
#include <optional>
#include <vector>

#include "analysis/smoothed_level.h"

namespace oxi {

// A point of the smoothed trace: its sample index and level.
struct TracePoint {
  int index = 0;
  Level level;
};

// Where an episode's peak, floor and recovery maximum lie.
struct EpisodeMarks {
  TracePoint peak;
  TracePoint min;
  std::optional<TracePoint> recoveryMax;  // empty while the trace never rose delta off the floor
};

// The episodes of a smoothed trace, found by hysteresis of `delta` (0.1 points): a fall of
// delta from the highest level opens one, a rise of delta off its lowest level starts its
// recovery, and a fall of delta from the recovery's highest level closes it and opens the
// next at that level. It is given the defined levels in order, and keeps only the marks.
class EpisodeSearch {
 public:
  explicit EpisodeSearch(int delta) : delta_(delta) {}
  void Add(const TracePoint& point);
  std::vector<EpisodeMarks> Finish();

 private:
  enum class State { kStart, kPeak, kTrough, kRecover };
  void StartFall(const TracePoint& point);

  const int delta_;
  State state_ = State::kStart;
  // The point each state follows: the highest so far in kPeak and kRecover, the lowest in
  // kTrough.
  TracePoint peak_, min_, top_;
  std::vector<EpisodeMarks> found_;
};

}  // namespace oxi
