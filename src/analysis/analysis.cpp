#include "analysis/analysis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/episode_search.h"
#include "analysis/smoothed_level.h"
#include "store/record_file.h"
#include "store/sample_count.h"

namespace oxi {
namespace {

// Slopes are fitted over this many samples either side of their centre (11 in all).
constexpr int kSlopeHalf = 5;
// The sum of k * k for k = -kSlopeHalf..kSlopeHalf: the spread of the fit's times, in
// samples squared.
constexpr double kSlopeSpread = 110;

// Samples either side of the centre that the smoothing span covers: half of the span
// rounded to whole samples, rounded down, so that an even span of samples still gives a
// window centred on its sample.
int SmoothingHalfWidth(int smoothTenths, int rateTenths) {
  smoothTenths = std::clamp(smoothTenths, 0, kMaxSmooth);
  const int samples = (2 * smoothTenths + rateTenths) / (2 * rateTenths);
  return samples / 2;
}

// The steepest fall (`steepestFall`) or rise of the smoothed trace in %/s among the
// least-squares slopes centred in `first`..`last`; a slope counts only where every sample
// it spans lies in the record and is defined. Each centre's sum of k * s is added up in the
// same order as a hand calculation, k from -kSlopeHalf to kSlopeHalf, but for all centres
// at once, one k after another, so that the sums do not wait on each other; an undefined
// sample makes its sums NaN. The sums are compared before the division by the fit's
// spread: the division keeps their order, so the steepest quotient is the quotient of the
// steepest sum.
std::optional<double> SteepestSlope(const std::vector<double>& smoothed, int first, int last,
                                    bool steepestFall, double rateSeconds) {
  first = std::max(first, kSlopeHalf);
  last = std::min(last, static_cast<int>(smoothed.size()) - 1 - kSlopeHalf);
  if (first > last) return std::nullopt;
  std::vector<double> sums(static_cast<std::size_t>(last - first + 1), 0.0);
  for (int k = -kSlopeHalf; k <= kSlopeHalf; ++k) {
    const double* s = smoothed.data() + first + k;
    for (std::size_t i = 0; i < sums.size(); ++i) sums[i] += k * s[i];
  }
  std::optional<double> steepest;
  for (double sum : sums) {
    if (std::isnan(sum)) continue;
    if (!steepest || (steepestFall ? sum < *steepest : sum > *steepest)) steepest = sum;
  }
  if (!steepest) return std::nullopt;
  return *steepest / (kSlopeSpread * rateSeconds);
}

// What measuring an episode needs besides its marks.
struct Trace {
  const CurrentMeasurement& m;
  int n;
  int half;  // the smoothing window's samples either side
  int rate;  // 0.1 s
  const std::vector<double>& smoothed;
};

// Seconds from the start to sample `i`, exact to the record's tenths.
double Seconds(int i, int rate) {
  return static_cast<double>(SampleTenths(i, rate)) / kTenthsPerUnit;
}

// Seconds from the floor until the trace first stands half-way back to the recovery
// maximum, between the two defined samples that straddle that level.
double HalfRecoverySeconds(const Trace& trace, const TracePoint& floor, const TracePoint& top) {
  const Level half = Midpoint(floor.level, top.level);
  SlidingLevels levels(trace.m, trace.n, trace.half, floor.index + 1);
  TracePoint below = floor;
  TracePoint above = top;
  for (int k = floor.index + 1; k < top.index; ++k) {
    const Level s = levels.Next();
    if (!s.Defined()) continue;
    if (s >= half) {
      above = {k, s};
      break;
    }
    below = {k, s};
  }
  const double low = below.level.Percent();
  const double fraction = (half.Percent() - low) / (above.level.Percent() - low);
  return (below.index - floor.index + fraction * (above.index - below.index)) *
         Seconds(1, trace.rate);
}

Episode Measure(const Trace& trace, const EpisodeMarks& marks) {
  const double rateSeconds = Seconds(1, trace.rate);
  Episode e;
  e.peakIndex = marks.peak.index;
  e.minIndex = marks.min.index;
  e.peakSeconds = Seconds(marks.peak.index, trace.rate);
  e.peak = marks.peak.level.Percent();
  e.minSeconds = Seconds(marks.min.index, trace.rate);
  e.min = marks.min.level.Percent();
  e.drop = e.peak - e.min;
  e.desatSlope =
      SteepestSlope(trace.smoothed, marks.peak.index, marks.min.index, true, rateSeconds);
  if (!marks.recoveryMax) return e;
  const TracePoint& top = *marks.recoveryMax;
  e.recoveryMaxIndex = top.index;
  e.reoxSlope = SteepestSlope(trace.smoothed, marks.min.index, top.index, false, rateSeconds);
  e.halfRecoverySeconds = HalfRecoverySeconds(trace, marks.min, top);
  e.recoveryMaxSeconds = Seconds(top.index, trace.rate);
  e.recoveryMax = top.level.Percent();
  return e;
}

}  // namespace

Analysis Analyse(const CurrentMeasurement& m, const AnalysisParameters& p) {
  const int n = UsableSamples(m);
  const int rate = EffectiveRate(m.rate);
  const int half = SmoothingHalfWidth(p.smooth, rate);
  Analysis a;
  a.rateSeconds = Seconds(1, rate);
  a.smoothed.assign(static_cast<std::size_t>(n), std::numeric_limits<double>::quiet_NaN());
  SlidingLevels levels(m, n, half, 0);
  EpisodeSearch search(p.delta);
  for (int i = 0; i < n; ++i) {
    const Level s = levels.Next();
    if (!s.Defined()) continue;
    a.smoothed[i] = s.Percent();
    search.Add({i, s});
  }
  const Trace trace{m, n, half, rate, a.smoothed};
  for (const EpisodeMarks& marks : search.Finish()) a.episodes.push_back(Measure(trace, marks));
  a.summary = Summarise(m, 0, n);
  a.zones = ZoneSeconds(m, p.zones);
  return a;
}

}  // namespace oxi
