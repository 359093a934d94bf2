#include "analysis/analysis.h"

#include <algorithm>

#include "analysis/episode_search.h"
#include "analysis/smoothed_level.h"
#include "graph/sample_count.h"
#include "store/record_file.h"

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
  const int samples = (2 * smoothTenths + rateTenths) / (2 * rateTenths);
  return samples / 2;
}

// The least-squares slope of the smoothed trace, in %/s, over the samples centred on each
// index whose window lies in the record and is defined throughout.
std::vector<std::optional<double>> Slopes(const std::vector<Level>& levels, double rateSeconds) {
  const int n = static_cast<int>(levels.size());
  std::vector<std::optional<double>> slopes(levels.size());
  int definedRun = 0;  // defined levels in a row, ending at the window's last index
  for (int last = 0; last < n; ++last) {
    definedRun = levels[last].Defined() ? definedRun + 1 : 0;
    if (definedRun < 2 * kSlopeHalf + 1) continue;
    const int centre = last - kSlopeHalf;
    double sum = 0;
    for (int k = -kSlopeHalf; k <= kSlopeHalf; ++k) sum += k * levels[centre + k].Percent();
    slopes[centre] = sum / (kSlopeSpread * rateSeconds);
  }
  return slopes;
}

// The most negative (`steepestFall`) or most positive slope centred in `first`..`last`.
std::optional<double> SteepestSlope(const std::vector<std::optional<double>>& slopes, int first,
                                    int last, bool steepestFall) {
  std::optional<double> steepest;
  for (int i = first; i <= last; ++i) {
    if (!slopes[i]) continue;
    if (!steepest || (steepestFall ? *slopes[i] < *steepest : *slopes[i] > *steepest)) {
      steepest = slopes[i];
    }
  }
  return steepest;
}

// Seconds from the floor until the trace first stands half-way back to the recovery
// maximum, between the two samples that straddle that level.
double HalfRecoverySeconds(const std::vector<Level>& levels, int floor, int top,
                           double rateSeconds) {
  const Level half = Midpoint(levels[floor], levels[top]);
  int below = floor;
  int k = floor + 1;
  for (; k < top && !(levels[k].Defined() && levels[k] >= half); ++k) {
    if (levels[k].Defined()) below = k;
  }
  const double low = levels[below].Percent();
  const double fraction = (half.Percent() - low) / (levels[k].Percent() - low);
  return (below - floor + fraction * (k - below)) * rateSeconds;
}

// Seconds from the start to sample `i`, exact to the record's tenths.
double Seconds(int i, int rate) {
  return static_cast<double>(SampleTenths(i, rate)) / kTenthsPerUnit;
}

Episode Measure(const EpisodeMarks& marks, const std::vector<Level>& levels,
                const std::vector<std::optional<double>>& slopes, int rate) {
  Episode e;
  e.peakIndex = marks.peak;
  e.minIndex = marks.min;
  e.recoveryMaxIndex = marks.recoveryMax;
  e.peakSeconds = Seconds(marks.peak, rate);
  e.peak = levels[marks.peak].Percent();
  e.minSeconds = Seconds(marks.min, rate);
  e.min = levels[marks.min].Percent();
  e.drop = e.peak - e.min;
  e.desatSlope = SteepestSlope(slopes, marks.peak, marks.min, true);
  if (!marks.recoveryMax) return e;
  const int top = *marks.recoveryMax;
  e.reoxSlope = SteepestSlope(slopes, marks.min, top, false);
  e.halfRecoverySeconds = HalfRecoverySeconds(levels, marks.min, top, Seconds(1, rate));
  e.recoveryMaxSeconds = Seconds(top, rate);
  e.recoveryMax = levels[top].Percent();
  return e;
}

}  // namespace

Analysis Analyse(const CurrentMeasurement& m, const AnalysisParameters& p) {
  const int n = UsableSamples(m);
  const int rate = EffectiveRate(m.rate);
  Analysis a;
  a.rateSeconds = Seconds(1, rate);
  const std::vector<Level> levels = SmoothedLevels(m, n, SmoothingHalfWidth(p.smooth, rate));
  a.smoothed.reserve(levels.size());
  for (const Level& s : levels) {
    a.smoothed.push_back(s.Defined() ? std::optional<double>(s.Percent()) : std::nullopt);
  }
  const std::vector<std::optional<double>> slopes = Slopes(levels, a.rateSeconds);
  for (const EpisodeMarks& marks : FindEpisodes(levels, p.delta)) {
    a.episodes.push_back(Measure(marks, levels, slopes, rate));
  }
  a.summary = Summarise(m, 0, n);
  a.zones = ZoneSeconds(m, p.zones);
  return a;
}

}  // namespace oxi
