#include "views/trend_series.h"

#include <cmath>
#include <cstdio>
#include <map>

#include "analysis/episode_table.h"
#include "platform/text/text_format.h"

namespace oxi {
namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kDaysPerWeek = 7;
constexpr long kFirstMonday = 2;  // 2000-01-01 was a Saturday
// Days from 0000-03-01 to 1970-01-01, and in a 400-year era, of the civil calendar.
constexpr long kEpochShift = 719468;
constexpr long kDaysPerEra = 146097;

// Days from 1970-01-01 to a civil date (Howard Hinnant's algorithm).
long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - static_cast<int>(era * 400);
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * kDaysPerEra + doe - kEpochShift;
}
const long kDay2000 = DaysFromCivil(2000, 1, 1);

std::optional<double> ValueOf(const RecordFigures& r, int k) {
  if (k < kFigureCount) return r.values[k];
  const std::size_t zone = static_cast<std::size_t>(k - kFigureCount);
  if (zone < r.zoneSeconds.size()) return r.zoneSeconds[zone];
  return std::nullopt;
}

}  // namespace

int ChoiceCount(std::size_t zones) {
  return kFigureCount + static_cast<int>(zones);
}

std::string ChoiceName(int choice) {
  if (choice < kFigureCount) return ColumnOf(static_cast<Figure>(choice)).name;
  return FormatText("zone_%d_s", choice - kFigureCount + 1);
}

int ChoiceDecimals(int choice) {
  return choice < kFigureCount ? ColumnOf(static_cast<Figure>(choice)).decimals : kZoneDecimals;
}

long DayNumber(int year, int month, int day) {
  return DaysFromCivil(year, month, day) - kDay2000;
}

std::optional<double> DayOfStart(const std::optional<std::string>& start) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0;
  if (!start || std::sscanf(start->c_str(), "%d-%d-%dT%d:%d", &y, &mo, &d, &h, &mi) != 5) {
    return std::nullopt;
  }
  return static_cast<double>(DayNumber(y, mo, d)) +
         static_cast<double>(h * 60 + mi) / kMinutesPerDay;
}

CivilDate DateOfDay(double day) {
  const long z = static_cast<long>(std::floor(day)) + kDay2000 + kEpochShift;
  const long era = (z >= 0 ? z : z - (kDaysPerEra - 1)) / kDaysPerEra;
  const long doe = z - era * kDaysPerEra;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const long d = doy - (153 * mp + 2) / 5 + 1;
  const long m = mp + (mp < 10 ? 3 : -9);
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

std::string DateText(double day) {
  const CivilDate c = DateOfDay(day);
  return FormatText("%04d-%02d-%02d", c.year, c.month, c.day);
}

TrendSeries SeriesOf(const std::vector<RecordFigures>& records, int k) {
  TrendSeries s;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::optional<double> day = DayOfStart(records[i].start), value = ValueOf(records[i], k);
    if (!day || !value) continue;
    s.days.push_back(*day);
    s.values.push_back(*value);
    s.records.push_back(static_cast<int>(i));
  }
  return s;
}

std::vector<std::pair<double, double>> WeeklyMedians(const TrendSeries& s) {
  std::map<long, std::vector<double>> weeks;
  for (std::size_t i = 0; i < s.days.size(); ++i) {
    const long day = static_cast<long>(std::floor(s.days[i]));
    const long monday = day - ((day - kFirstMonday) % kDaysPerWeek + kDaysPerWeek) % kDaysPerWeek;
    weeks[monday].push_back(s.values[i]);
  }
  std::vector<std::pair<double, double>> out;
  for (auto& [monday, values] : weeks) out.emplace_back(monday, *Median(values));
  return out;
}

}  // namespace oxi
