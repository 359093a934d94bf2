#include "analysis/episode_search.h"

namespace oxi {

void EpisodeSearch::Add(const TracePoint& point) {
  const Level& s = point.level;
  switch (state_) {
    case State::kStart:
      peak_ = point;
      state_ = State::kPeak;
      break;
    case State::kPeak:
      if (s > peak_.level) {
        peak_ = point;
      } else if (s <= peak_.level.Plus(-delta_)) {
        StartFall(point);
      }
      break;
    case State::kTrough:
      // "<=": the end of a flat floor counts, since the recovery starts there.
      if (s <= min_.level) {
        min_ = point;
      } else if (s >= min_.level.Plus(delta_)) {
        state_ = State::kRecover;
        top_ = point;
      }
      break;
    case State::kRecover:
      if (s > top_.level) {
        top_ = point;
      } else if (s <= top_.level.Plus(-delta_)) {
        found_.push_back({peak_, min_, top_});
        peak_ = top_;
        StartFall(point);
      }
      break;
  }
}

std::vector<EpisodeMarks> EpisodeSearch::Finish() {
  if (state_ == State::kRecover) found_.push_back({peak_, min_, top_});
  if (state_ == State::kTrough) found_.push_back({peak_, min_, std::nullopt});
  state_ = State::kStart;
  return std::move(found_);
}

void EpisodeSearch::StartFall(const TracePoint& point) {
  state_ = State::kTrough;
  min_ = point;
}

}  // namespace oxi
