#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace oxi {

// What a user chooses for an analysis. Every value is kept in tenths, the record's own
// steps (StO2 in 0.1 %, rate in 0.1 s), so that the thresholds compare exactly.
struct AnalysisParameters {
  int delta = 100;                      // episode threshold, 0.1 points of StO2
  int smooth = 50;                      // smoothing span, 0.1 s
  std::vector<int> zones = {400, 600};  // StO2 band edges, 0.1 %, increasing
};

// The ranges a user may choose from, in tenths: Δ from 0.1 to 100 points, a smoothing span
// up to an hour (a window that large already spans most records), zone edges from 0 to
// 100 %.
inline constexpr int kMinDelta = 1;
inline constexpr int kMaxDelta = 1000;
inline constexpr int kMaxSmooth = 36000;
inline constexpr int kMaxEdge = 1000;

// The fields as a user types them ("10", "7.5", "40,60"), taken to 0.1 with halves rounded
// up; nothing when the text is no such value or out of range: delta 0.1 to 100 points,
// smooth 0 to 3600 s, zones one or more edges from 0 to 100 %, each above the one before.
std::optional<int> ParseDelta(std::string_view text);
std::optional<int> ParseSmooth(std::string_view text);
std::optional<std::vector<int>> ParseZones(std::string_view text);

// A value in tenths as a field shows it: "10", "7.5".
std::string TenthsText(int tenths);
// The zone edges as their field shows them: "40,60".
std::string ZonesText(const std::vector<int>& zones);

}  // namespace oxi
