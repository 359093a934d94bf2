#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/trend_figures.h"

namespace oxi {

// What a trend is drawn of: one of the figures, or the seconds in one of the bands. A
// choice is numbered from 0: the figures in their order, then each band's seconds.
int ChoiceCount(std::size_t zones);
std::string ChoiceName(int choice);  // the figure's column name ("zone_2_s" for a band)
int ChoiceDecimals(int choice);

// A figure of records against the day they started on, a point per record.
struct TrendSeries {
  std::vector<double> days;    // days since 2000-01-01, with the time of day as a fraction
  std::vector<double> values;  // the figure, one per day
  std::vector<int> records;    // the index of each point's record in what it was made from
};
// The records' values of choice `k`; records without a start time or without the value
// are left out.
TrendSeries SeriesOf(const std::vector<RecordFigures>& records, int k);
// Each week's (Monday to Sunday) median: its Monday's day number and the value.
std::vector<std::pair<double, double>> WeeklyMedians(const TrendSeries& s);

// Day numbers since 2000-01-01 and the civil dates they stand for.
long DayNumber(int year, int month, int day);
std::optional<double> DayOfStart(const std::optional<std::string>& start);
struct CivilDate {
  int year, month, day;
};
CivilDate DateOfDay(double day);
std::string DateText(double day);  // YYYY-MM-DD

}  // namespace oxi
