#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "store/current_measurement.h"

namespace oxi {

// The figures a coach follows from one measurement to the next, one value each.
enum class Figure {
  kDuration,
  kValidSamples,
  kSto2Min,
  kSto2Max,
  kSto2Mean,
  kTohbMean,
  kHrMean,
  kHrMax,
  kEpisodes,
  kDropMedian,
  kHalfRecoveryMedian,
  kDesatSlopeMin,
  kReoxSlopeMax,
};
inline constexpr int kFigureCount = static_cast<int>(Figure::kReoxSlopeMax) + 1;

// A figure's name in every file it is written to and the decimals it is shown with.
struct FigureColumn {
  const char* name;
  int decimals;
};
const FigureColumn& ColumnOf(Figure f);

// The figures of one record: what the analysis of it says, boiled down to single values.
struct RecordFigures {
  std::string record;                // the file as named, in UTF-8
  std::string device;                // printable
  std::optional<std::string> start;  // local ISO 8601; empty when the header's is no time
  std::array<std::optional<double>, kFigureCount> values;
  std::vector<double> zoneSeconds;  // in the bands' order

  const std::optional<double>& operator[](Figure f) const { return values[static_cast<int>(f)]; }
  bool operator==(const RecordFigures&) const = default;
};

// The figures of the analysis `a` of the measurement `m` read from the file `record`.
RecordFigures FiguresOf(const std::string& record, const CurrentMeasurement& m, const Analysis& a);

// The middle value of `values`, the mean of the two middle ones for an even count; empty
// for none.
std::optional<double> Median(std::vector<double> values);

// Records by start; those whose header holds no time last; then by name.
bool StartsBefore(const RecordFigures& a, const RecordFigures& b);

}  // namespace oxi
