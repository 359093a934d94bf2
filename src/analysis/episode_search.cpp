#include "analysis/episode_search.h"

namespace oxi {
namespace {

enum class State { kPeak, kTrough, kRecover };

// The walk through the trace: the state, and the index of the level each state follows
// (the highest so far in kPeak and kRecover, the lowest in kTrough).
class Walk {
 public:
  Walk(const std::vector<Level>& levels, int delta) : levels_(levels), delta_(delta) {}

  void Step(int i) {
    const Level& s = levels_[i];
    switch (state_) {
      case State::kPeak:
        if (s > levels_[peak_]) {
          peak_ = i;
        } else if (s <= levels_[peak_].Plus(-delta_)) {
          StartFall(i);
        }
        break;
      case State::kTrough:
        // "<=": the end of a flat floor counts, since the recovery starts there.
        if (s <= levels_[min_]) {
          min_ = i;
        } else if (s >= levels_[min_].Plus(delta_)) {
          state_ = State::kRecover;
          top_ = i;
        }
        break;
      case State::kRecover:
        if (s > levels_[top_]) {
          top_ = i;
        } else if (s <= levels_[top_].Plus(-delta_)) {
          found_.push_back({peak_, min_, top_});
          peak_ = top_;
          StartFall(i);
        }
        break;
    }
  }

  void Start(int i) { peak_ = i; }

  std::vector<EpisodeMarks> Finish() {
    if (state_ == State::kRecover) found_.push_back({peak_, min_, top_});
    if (state_ == State::kTrough) found_.push_back({peak_, min_, std::nullopt});
    return std::move(found_);
  }

 private:
  void StartFall(int i) {
    state_ = State::kTrough;
    min_ = i;
  }

  const std::vector<Level>& levels_;
  const int delta_;
  State state_ = State::kPeak;
  int peak_ = 0, min_ = 0, top_ = 0;
  std::vector<EpisodeMarks> found_;
};

}  // namespace

std::vector<EpisodeMarks> FindEpisodes(const std::vector<Level>& levels, int delta) {
  Walk walk(levels, delta);
  bool started = false;
  for (int i = 0; i < static_cast<int>(levels.size()); ++i) {
    if (!levels[i].Defined()) continue;
    if (!started) {
      walk.Start(i);
      started = true;
      continue;
    }
    walk.Step(i);
  }
  return walk.Finish();
}

}  // namespace oxi
