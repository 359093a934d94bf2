#include "analysis/episode_table.h"

#include <algorithm>
#include <cstdio>

namespace oxi {
namespace {

// Times are multiples of the rate, or interpolated between samples; levels are means of
// 0.1 % steps; slopes are shown to 0.001 %/s.
constexpr int kSecondsDecimals = 2;
constexpr int kPercentDecimals = 2;
constexpr int kSlopeDecimals = 3;
constexpr const char* kEpisodeNumberColumn = "episode";
constexpr char kTab = '\t';
constexpr const char* kColumnGap = "  ";

}  // namespace

const std::vector<EpisodeColumn>& EpisodeColumns() {
  using E = const Episode&;
  static const std::vector<EpisodeColumn> columns = {
      {"peak_s", [](E e) -> std::optional<double> { return e.peakSeconds; }, kSecondsDecimals},
      {"peak", [](E e) -> std::optional<double> { return e.peak; }, kPercentDecimals},
      {"min_s", [](E e) -> std::optional<double> { return e.minSeconds; }, kSecondsDecimals},
      {"min", [](E e) -> std::optional<double> { return e.min; }, kPercentDecimals},
      {"drop", [](E e) -> std::optional<double> { return e.drop; }, kPercentDecimals},
      {"desat_slope", [](E e) { return e.desatSlope; }, kSlopeDecimals},
      {"reox_slope", [](E e) { return e.reoxSlope; }, kSlopeDecimals},
      {"half_recovery_s", [](E e) { return e.halfRecoverySeconds; }, kSecondsDecimals},
      {"recovery_max_s", [](E e) { return e.recoveryMaxSeconds; }, kSecondsDecimals},
      {"recovery_max", [](E e) { return e.recoveryMax; }, kPercentDecimals},
  };
  return columns;
}

std::string FormatNumber(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

std::string FormatNumber(const std::optional<double>& value, int decimals, std::string_view empty) {
  return value ? FormatNumber(*value, decimals) : std::string(empty);
}

TextTable EpisodeTable(const Analysis& a, std::string_view empty) {
  TextTable table(1, {kEpisodeNumberColumn});
  for (const EpisodeColumn& c : EpisodeColumns()) table[0].push_back(c.name);
  for (std::size_t k = 0; k < a.episodes.size(); ++k) {
    std::vector<std::string> row = {std::to_string(k + 1)};
    for (const EpisodeColumn& c : EpisodeColumns()) {
      row.push_back(FormatNumber(c.value(a.episodes[k]), c.decimals, empty));
    }
    table.push_back(std::move(row));
  }
  return table;
}

std::string TabSeparated(const Analysis& a) {
  std::string text;
  for (const std::vector<std::string>& row : EpisodeTable(a, "")) {
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) text += kTab;
      text += row[c];
    }
    text += '\n';
  }
  return text;
}

std::string AlignedColumns(const TextTable& table) {
  std::vector<std::size_t> widths;
  for (const std::vector<std::string>& row : table) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
  }
  std::string text;
  for (const std::vector<std::string>& row : table) {
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) text += kColumnGap;
      text.append(widths[c] - row[c].size(), ' ');
      text += row[c];
    }
    text += '\n';
  }
  return text;
}

}  // namespace oxi
