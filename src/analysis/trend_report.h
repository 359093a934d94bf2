#pragma once
#include <string>
#include <vector>

#include "analysis/trend_figures.h"

namespace oxi {

// The figures of records as CSV (UTF-8, a header line, a row per record, empty cells for
// missing values, the zones as zone_1_s, zone_2_s, ...) or as a JSON array of objects
// (null for missing values, the zones as the list "zone_seconds"). `zones` is the count
// of bands, which the header names even when no record is written.
std::string TrendCsv(const std::vector<RecordFigures>& rows, std::size_t zones);
std::string TrendJson(const std::vector<RecordFigures>& rows);

}  // namespace oxi
