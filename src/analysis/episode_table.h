#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis.h"

namespace oxi {

// The decimals every file the analysis writes shows its numbers with.
inline constexpr int kSecondsDecimals = 2;  // times within a record
inline constexpr int kPercentDecimals = 2;  // StO2 levels
inline constexpr int kSlopeDecimals = 3;    // %/s
inline constexpr int kTohbDecimals = 4;     // mM
inline constexpr int kHrDecimals = 1;       // beats per minute
inline constexpr int kZoneDecimals = 1;     // zone edges and seconds

// One column of the episode table: its name (the same in every file the analysis
// writes), its value and the decimals it is shown with.
struct EpisodeColumn {
  const char* name;
  std::optional<double> (*value)(const Episode&);
  int decimals;
};
// The episode's values in the order of the table, without its number.
const std::vector<EpisodeColumn>& EpisodeColumns();

// `value` with at most `decimals` decimals, trailing zeros dropped: "13.9", "-0.667", "70".
std::string FormatNumber(double value, int decimals);
// The same, or `empty` when there is no value.
std::string FormatNumber(const std::optional<double>& value, int decimals, std::string_view empty);

// One row of the summary: its key in JSON, its label in the text report, the statistics it
// shows and their decimals (StO2 to 0.01 %, total haemoglobin to 0.0001 mM, heart rate to
// 0.1 bpm).
struct SummaryRow {
  const char* key;
  const char* label;
  Statistics Summary::*statistics;
  int decimals;
};
inline constexpr SummaryRow kSummaryRows[] = {
    {"sto2", "StO2 %", &Summary::sto2, kPercentDecimals},
    {"tohb", "toHb mM", &Summary::tohb, kTohbDecimals},
    {"hr", "HR bpm", &Summary::hr, kHrDecimals},
};

using TextTable = std::vector<std::vector<std::string>>;
// The episode table: a header row ("episode" and the column names), then one row per
// episode numbered from 1, `empty` standing for each missing value.
TextTable EpisodeTable(const Analysis& a, std::string_view empty);

// The episode table as tab-separated lines, missing values empty: what a spreadsheet
// takes from the clipboard.
std::string TabSeparated(const Analysis& a);
// A table as lines of right-aligned columns two spaces apart, for a terminal.
std::string AlignedColumns(const TextTable& table);

}  // namespace oxi
