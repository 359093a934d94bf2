#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/analysis_parameters.h"
#include "store/current_measurement.h"
#include "store/record_file.h"

namespace oxi {

// Minimum, maximum and mean of one quantity over the samples that count, kept in the
// record's steps so that a mean rounds exactly as a hand calculation does.
class Statistics {
 public:
  explicit Statistics(int stepsPerUnit) : stepsPerUnit_(stepsPerUnit) {}
  void Add(int steps);
  bool Empty() const { return count_ == 0; }
  // In the record's steps; meaningless while empty.
  int MinSteps() const { return min_; }
  int MaxSteps() const { return max_; }
  double MeanSteps() const;
  // In the quantity's unit; empty when no sample counted.
  std::optional<double> Min() const;
  std::optional<double> Max() const;
  std::optional<double> Mean() const;

 private:
  int stepsPerUnit_;
  int min_ = 0;
  int max_ = 0;
  std::int64_t sum_ = 0;
  int count_ = 0;
};

inline constexpr int kHbStepsPerMilliMolar = 1000;  // the record's Hb step, 0.001 mM
inline constexpr int kBeatsPerMinutePerStep = 1;

// What the valid samples of a stretch of a record hold.
struct Summary {
  Statistics sto2{kTenthsPerUnit};         // %
  Statistics tohb{kHbStepsPerMilliMolar};  // mM
  Statistics hr{kBeatsPerMinutePerStep};   // beats per minute; only rates in the counted range
  int validSamples = 0;
};

// One fall, floor and recovery of the smoothed StO2 trace. Times are seconds from the
// record's start, levels % of the smoothed trace; the recovery's values are empty while
// the trace had not risen by delta off its floor when the record ended.
struct Episode {
  int peakIndex = 0;  // sample indices of the peak, the floor and the recovery maximum
  int minIndex = 0;
  std::optional<int> recoveryMaxIndex;
  double peakSeconds = 0;
  double peak = 0;
  double minSeconds = 0;
  double min = 0;
  double drop = 0;                            // peak - min
  std::optional<double> desatSlope;           // %/s, the steepest fall from peak to floor
  std::optional<double> reoxSlope;            // %/s, the steepest rise from floor to maximum
  std::optional<double> halfRecoverySeconds;  // from the floor to half the way back
  std::optional<double> recoveryMaxSeconds;
  std::optional<double> recoveryMax;
};

// Seconds of valid StO2 in one band; the first band has no lower edge, the last no upper.
struct Zone {
  std::optional<double> from;  // %
  std::optional<double> to;    // %, excluded
  double seconds = 0;
};

struct Analysis {
  double rateSeconds = 1;
  // The smoothed StO2 % of every sample; NaN where no valid sample lies in its window.
  std::vector<double> smoothed;
  Summary summary;
  std::vector<Episode> episodes;
  std::vector<Zone> zones;
};

// The numbers a coach reads from a measurement: the summary of its valid samples, its
// episodes and the time spent in each StO2 band. A pure function of the loaded
// measurement and the parameters (a smoothing span beyond 0..kMaxSmooth is held to it).
Analysis Analyse(const CurrentMeasurement& m, const AnalysisParameters& p);

// The summary of samples `first` to `end` (excluded) of `m`.
Summary Summarise(const CurrentMeasurement& m, int first, int end);

// The bands cut at `edges` (0.1 %, increasing), without seconds.
std::vector<Zone> ZoneBands(const std::vector<int>& edges);
// The seconds of valid StO2 in each band cut at `edges`.
std::vector<Zone> ZoneSeconds(const CurrentMeasurement& m, const std::vector<int>& edges);

}  // namespace oxi
