// The summary and the zones: plain counts over the record's raw samples.
#include <algorithm>

#include "analysis/analysis.h"
#include "store/record_file.h"
#include "store/sample_count.h"

namespace oxi {

void Statistics::Add(int steps) {
  min_ = count_ == 0 ? steps : std::min(min_, steps);
  max_ = count_ == 0 ? steps : std::max(max_, steps);
  sum_ += steps;
  ++count_;
}

double Statistics::MeanSteps() const {
  return static_cast<double>(sum_) / static_cast<double>(count_);
}

std::optional<double> Statistics::Min() const {
  if (Empty()) return std::nullopt;
  return static_cast<double>(min_) / stepsPerUnit_;
}

std::optional<double> Statistics::Max() const {
  if (Empty()) return std::nullopt;
  return static_cast<double>(max_) / stepsPerUnit_;
}

std::optional<double> Statistics::Mean() const {
  if (Empty()) return std::nullopt;
  return MeanSteps() / stepsPerUnit_;
}

Summary Summarise(const CurrentMeasurement& m, int first, int end) {
  end = std::min(end, UsableSamples(m));
  Summary s;
  for (int i = std::max(first, 0); i < end; ++i) {
    // The pulse is counted apart from the light: a sample whose StO2 is invalid may still
    // have a heart rate, as the FIT export's heart rates do.
    if (HeartRateInRange(m.hr[i])) s.hr.Add(m.hr[i]);
    if (!m.Valid(i)) continue;
    s.sto2.Add(m.sto2[i]);
    s.tohb.Add(m.oxhb[i] + m.dxhb[i]);
    ++s.validSamples;
  }
  return s;
}

std::vector<Zone> ZoneBands(const std::vector<int>& edges) {
  std::vector<Zone> zones(edges.size() + 1);
  for (std::size_t b = 0; b < zones.size(); ++b) {
    if (b > 0) zones[b].from = static_cast<double>(edges[b - 1]) / kTenthsPerUnit;
    if (b < edges.size()) zones[b].to = static_cast<double>(edges[b]) / kTenthsPerUnit;
  }
  return zones;
}

std::vector<Zone> ZoneSeconds(const CurrentMeasurement& m, const std::vector<int>& edges) {
  std::vector<int> counts(edges.size() + 1);
  const int n = UsableSamples(m);
  for (int i = 0; i < n; ++i) {
    if (!m.Valid(i)) continue;
    // The band of a value on an edge is the one that edge starts.
    ++counts[std::upper_bound(edges.begin(), edges.end(), m.sto2[i]) - edges.begin()];
  }
  std::vector<Zone> zones = ZoneBands(edges);
  for (std::size_t b = 0; b < zones.size(); ++b) {
    zones[b].seconds =
        static_cast<double>(SampleTenths(counts[b], EffectiveRate(m.rate))) / kTenthsPerUnit;
  }
  return zones;
}

}  // namespace oxi
