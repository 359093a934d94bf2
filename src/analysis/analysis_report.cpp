#include "analysis/analysis_report.h"

#include <cstdio>

#include "analysis/episode_table.h"
#include "platform/text/text_format.h"
#include "platform/text/utf8.h"
#include "store/dates.h"
#include "store/record_file.h"

namespace oxi {
namespace {

constexpr int kYearBase = 2000;  // the header's two-digit years
constexpr int kRateDecimals = 1;
constexpr const char* kJsonNull = "null";
constexpr const char* kTextEmpty = "-";
constexpr char32_t kFirstPrintable = 0x20;

std::string JsonNumber(const std::optional<double>& value, int decimals) {
  return FormatNumber(value, decimals, kJsonNull);
}

std::string JsonSummary(const Summary& s) {
  std::string out = "{";
  for (const SummaryRow& row : kSummaryRows) {
    const Statistics& st = s.*row.statistics;
    out += FormatText("\"%s\": {\"min\": %s, \"max\": %s, \"mean\": %s}, ", row.key,
                      JsonNumber(st.Min(), row.decimals).c_str(),
                      JsonNumber(st.Max(), row.decimals).c_str(),
                      JsonNumber(st.Mean(), row.decimals).c_str());
  }
  return out + FormatText("\"valid_samples\": %d}", s.validSamples);
}

std::string JsonEpisode(const Episode& e) {
  std::string out = "{";
  for (const EpisodeColumn& c : EpisodeColumns()) {
    if (out.size() > 1) out += ", ";
    out += FormatText("\"%s\": %s", c.name, JsonNumber(c.value(e), c.decimals).c_str());
  }
  return out + "}";
}

std::string JsonZone(const Zone& z) {
  return FormatText(
      "{\"from\": %s, \"to\": %s, \"seconds\": %s}", JsonNumber(z.from, kZoneDecimals).c_str(),
      JsonNumber(z.to, kZoneDecimals).c_str(), FormatNumber(z.seconds, kZoneDecimals).c_str());
}

std::string Json(const RecordFacts& f, const Analysis& a) {
  std::string out = FormatText(
      "{\"record\": %s, \"device\": %s, \"start\": %s, \"rate_s\": %s,\n \"summary\": %s,\n "
      "\"episodes\": [",
      JsonString(f.record).c_str(), JsonString(f.device).c_str(),
      f.start ? JsonString(*f.start).c_str() : kJsonNull, f.rate.c_str(),
      JsonSummary(a.summary).c_str());
  for (std::size_t k = 0; k < a.episodes.size(); ++k) {
    out += (k ? ",\n  " : "\n  ") + JsonEpisode(a.episodes[k]);
  }
  out += "],\n \"zones\": [";
  for (std::size_t k = 0; k < a.zones.size(); ++k) out += (k ? ", " : "") + JsonZone(a.zones[k]);
  return out + "]}";
}

std::string CsvHeader() {
  const TextTable names = EpisodeTable(Analysis{}, "");
  std::string out = "record";
  for (const std::string& name : names.front()) out += "," + name;
  return out + "\n";
}

std::string Csv(const RecordFacts& f, const Analysis& a) {
  const TextTable table = EpisodeTable(a, "");
  std::string out;
  for (std::size_t r = 1; r < table.size(); ++r) {
    out += CsvCell(f.record);
    for (const std::string& cell : table[r]) out += "," + cell;
    out += "\n";
  }
  return out;
}

std::string ZoneText(const Zone& z) {
  const std::string from = FormatNumber(z.from, kZoneDecimals, "");
  const std::string to = FormatNumber(z.to, kZoneDecimals, "");
  const std::string band = !z.from ? "<" + to : !z.to ? ">=" + from : from + "-<" + to;
  return band + " %: " + FormatNumber(z.seconds, kZoneDecimals) + " s";
}

std::string Text(const RecordFacts& f, const Analysis& a) {
  std::string out =
      FormatText("record: %s\ndevice: %s  start: %s  rate: %s s  valid samples: %d\n",
                 f.record.c_str(), f.device.c_str(), f.start ? f.start->c_str() : kTextEmpty,
                 f.rate.c_str(), a.summary.validSamples);
  TextTable summary = {{"", "min", "max", "mean"}};
  for (const SummaryRow& row : kSummaryRows) {
    const Statistics& st = a.summary.*row.statistics;
    summary.push_back({row.label, FormatNumber(st.Min(), row.decimals, kTextEmpty),
                       FormatNumber(st.Max(), row.decimals, kTextEmpty),
                       FormatNumber(st.Mean(), row.decimals, kTextEmpty)});
  }
  out += AlignedColumns(summary) + "zones:";
  for (const Zone& z : a.zones) out += "  " + ZoneText(z);
  out += "\n";
  if (a.episodes.empty()) return out + "episodes: none\n";
  return out + AlignedColumns(EpisodeTable(a, kTextEmpty));
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) AppendUtf8(out, NextCodePoint(text, at));
  return out;
}

RecordFacts FactsOf(const std::string& record, const CurrentMeasurement& m, const Analysis& a) {
  RecordFacts facts{ValidUtf8(record), PrintableDeviceId(m.deviceId), std::nullopt,
                    FormatNumber(a.rateSeconds, kRateDecimals)};
  if (IsRealStartTime(m.year, m.month, m.day, m.hour, m.minute)) {
    facts.start = FormatText("%04d-%02d-%02dT%02d:%02d:00", kYearBase + m.year, m.month, m.day,
                             m.hour, m.minute);
  }
  return facts;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = NextCodePoint(text, at);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < kFirstPrintable) {
      out += FormatText("\\u%04x", static_cast<unsigned>(c));
    } else {
      AppendUtf8(out, c);
    }
  }
  return out + "\"";
}

std::string CsvCell(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::optional<ReportFormat> ParseReportFormat(std::string_view name) {
  if (name == "text") return ReportFormat::kText;
  if (name == "csv") return ReportFormat::kCsv;
  if (name == "json") return ReportFormat::kJson;
  return std::nullopt;
}

AnalysisReport::AnalysisReport(ReportFormat format) : format_(format) {}

void AnalysisReport::Add(const std::string& record, const CurrentMeasurement& m,
                         const Analysis& a) {
  const RecordFacts facts = FactsOf(record, m, a);
  switch (format_) {
    case ReportFormat::kText:
      body_ += (records_ ? "\n" : "") + Text(facts, a);
      break;
    case ReportFormat::kCsv:
      body_ += Csv(facts, a);
      break;
    case ReportFormat::kJson:
      body_ += (records_ ? ",\n" : "") + Json(facts, a);
      break;
  }
  ++records_;
}

std::string AnalysisReport::Finish() const {
  switch (format_) {
    case ReportFormat::kCsv:
      return CsvHeader() + body_;
    case ReportFormat::kJson:
      return "[" + body_ + "]\n";
    case ReportFormat::kText:
      break;
  }
  return body_;
}

}  // namespace oxi
