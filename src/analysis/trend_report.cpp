#include "analysis/trend_report.h"

#include "analysis/analysis_report.h"
#include "analysis/episode_table.h"
#include "platform/text/text_format.h"

namespace oxi {
namespace {

constexpr const char* kJsonNull = "null";

std::string Cell(const RecordFigures& r, int k, std::string_view empty) {
  return FormatNumber(r.values[k], ColumnOf(static_cast<Figure>(k)).decimals, empty);
}

std::string JsonObject(const RecordFigures& r) {
  std::string out =
      FormatText("{\"record\": %s, \"device\": %s, \"start\": %s", JsonString(r.record).c_str(),
                 JsonString(r.device).c_str(), r.start ? JsonString(*r.start).c_str() : kJsonNull);
  for (int k = 0; k < kFigureCount; ++k) {
    out += FormatText(", \"%s\": %s", ColumnOf(static_cast<Figure>(k)).name,
                      Cell(r, k, kJsonNull).c_str());
  }
  out += ", \"zone_seconds\": [";
  for (std::size_t z = 0; z < r.zoneSeconds.size(); ++z) {
    out += (z ? ", " : "") + FormatNumber(r.zoneSeconds[z], kZoneDecimals);
  }
  return out + "]}";
}

}  // namespace

std::string TrendCsv(const std::vector<RecordFigures>& rows, std::size_t zones) {
  std::string out = "record,device,start";
  for (int k = 0; k < kFigureCount; ++k)
    out += std::string(",") + ColumnOf(static_cast<Figure>(k)).name;
  for (std::size_t z = 1; z <= zones; ++z) out += FormatText(",zone_%zu_s", z);
  out += "\n";
  for (const RecordFigures& r : rows) {
    out += CsvCell(r.record) + "," + CsvCell(r.device) + "," + r.start.value_or("");
    for (int k = 0; k < kFigureCount; ++k) out += "," + Cell(r, k, "");
    for (std::size_t z = 0; z < zones; ++z) {
      out += "," + (z < r.zoneSeconds.size() ? FormatNumber(r.zoneSeconds[z], kZoneDecimals) : "");
    }
    out += "\n";
  }
  return out;
}

std::string TrendJson(const std::vector<RecordFigures>& rows) {
  std::string out = "[";
  for (std::size_t k = 0; k < rows.size(); ++k) out += (k ? ",\n " : "") + JsonObject(rows[k]);
  return out + "]\n";
}

}  // namespace oxi
