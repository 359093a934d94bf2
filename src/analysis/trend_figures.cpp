#include "analysis/trend_figures.h"

#include <algorithm>

#include "analysis/analysis_report.h"
#include "analysis/episode_table.h"
#include "store/record_file.h"
#include "store/sample_count.h"

namespace oxi {
namespace {

constexpr int kCountDecimals = 0;

constexpr FigureColumn kColumns[kFigureCount] = {
    {"duration_s", kZoneDecimals},
    {"valid_samples", kCountDecimals},
    {"sto2_min", kPercentDecimals},
    {"sto2_max", kPercentDecimals},
    {"sto2_mean", kPercentDecimals},
    {"tohb_mean", kTohbDecimals},
    {"hr_mean", kHrDecimals},
    {"hr_max", kHrDecimals},
    {"episodes", kCountDecimals},
    {"drop_median", kPercentDecimals},
    {"half_recovery_median_s", kSecondsDecimals},
    {"desat_slope_min", kSlopeDecimals},
    {"reox_slope_max", kSlopeDecimals},
};

// The values an episode member holds over every episode that has one.
std::vector<double> Collect(const Analysis& a, std::optional<double> (*value)(const Episode&)) {
  std::vector<double> out;
  for (const Episode& e : a.episodes) {
    if (const std::optional<double> v = value(e)) out.push_back(*v);
  }
  return out;
}

std::optional<double> Least(const std::vector<double>& values) {
  if (values.empty()) return std::nullopt;
  return *std::min_element(values.begin(), values.end());
}

std::optional<double> Greatest(const std::vector<double>& values) {
  if (values.empty()) return std::nullopt;
  return *std::max_element(values.begin(), values.end());
}

}  // namespace

const FigureColumn& ColumnOf(Figure f) {
  return kColumns[static_cast<int>(f)];
}

std::optional<double> Median(std::vector<double> values) {
  if (values.empty()) return std::nullopt;
  const std::size_t half = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + half, values.end());
  if (values.size() % 2) return values[half];
  const double upper = values[half];
  const double lower = *std::max_element(values.begin(), values.begin() + half);
  return (lower + upper) / 2;
}

RecordFigures FiguresOf(const std::string& record, const CurrentMeasurement& m, const Analysis& a) {
  RecordFacts facts = FactsOf(record, m, a);
  RecordFigures f{std::move(facts.record), std::move(facts.device), std::move(facts.start), {}, {}};
  auto set = [&f](Figure which, std::optional<double> value) {
    f.values[static_cast<int>(which)] = value;
  };
  const Summary& s = a.summary;
  set(Figure::kDuration,
      static_cast<double>(SampleTenths(UsableSamples(m), EffectiveRate(m.rate))) / kTenthsPerUnit);
  set(Figure::kValidSamples, s.validSamples);
  set(Figure::kSto2Min, s.sto2.Min());
  set(Figure::kSto2Max, s.sto2.Max());
  set(Figure::kSto2Mean, s.sto2.Mean());
  set(Figure::kTohbMean, s.tohb.Mean());
  set(Figure::kHrMean, s.hr.Mean());
  set(Figure::kHrMax, s.hr.Max());
  set(Figure::kEpisodes, static_cast<double>(a.episodes.size()));
  using E = const Episode&;
  set(Figure::kDropMedian, Median(Collect(a, [](E e) -> std::optional<double> { return e.drop; })));
  set(Figure::kHalfRecoveryMedian, Median(Collect(a, [](E e) { return e.halfRecoverySeconds; })));
  set(Figure::kDesatSlopeMin, Least(Collect(a, [](E e) { return e.desatSlope; })));
  set(Figure::kReoxSlopeMax, Greatest(Collect(a, [](E e) { return e.reoxSlope; })));
  for (const Zone& z : a.zones) f.zoneSeconds.push_back(z.seconds);
  return f;
}

bool StartsBefore(const RecordFigures& a, const RecordFigures& b) {
  if (a.start.has_value() != b.start.has_value()) return a.start.has_value();
  if (a.start != b.start) return *a.start < *b.start;
  return a.record < b.record;
}

}  // namespace oxi
