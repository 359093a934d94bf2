#include "export/csv_utf8.h"

#include <cstdio>
#include <optional>

#include "res/texts.h"
#include "store/elapsed_time.h"
#include "store/record_file.h"
#include "store/sample_count.h"

namespace oxi {
namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kHbStepsPerMilliMolar = 1000;

// Appends `format` with its values; the cells are short numbers and times.
template <typename... Values>
void Append(std::string& out, const char* format, Values... values) {
  char cell[64];
  const int length = std::snprintf(cell, sizeof cell, format, values...);
  if (length > 0) out.append(cell, static_cast<std::size_t>(length));
}

void AppendTimes(std::string& out, const MeasurementStart& start, std::int64_t tenths) {
  const std::int64_t seconds = tenths / kTenthsPerSecond;
  const int tenth = static_cast<int>(tenths % kTenthsPerSecond);
  Append(out, "%lld.%d,", static_cast<long long>(seconds), tenth);
  const Hms elapsed = SplitSeconds(seconds);
  Append(out, "%02d:%02d:%02d.%d,", elapsed.hours, elapsed.minutes, elapsed.seconds, tenth);
  const CivilTime t = start.LocalAfter(tenths);
  Append(out, "%04d-%02d-%02dT%02d:%02d:%02d.%d", t.year, t.month, t.day, t.hour, t.minute,
         t.second, tenth);
}

void AppendTenths(std::string& out, std::optional<int> value) {
  out += ',';
  if (value) Append(out, "%d.%d", *value / kTenthsPerUnit, *value % kTenthsPerUnit);
}

void AppendWhole(std::string& out, std::optional<int> value) {
  out += ',';
  if (value) Append(out, "%d", *value);
}

void AppendHb(std::string& out, std::optional<int> steps) {
  out += ',';
  if (steps) {
    Append(out, "%d.%03d", *steps / kHbStepsPerMilliMolar, *steps % kHbStepsPerMilliMolar);
  }
}

}  // namespace

std::string CsvUtf8Bytes(const CurrentMeasurement& m, const MeasurementStart& start,
                         bool byteOrderMark) {
  std::string out = byteOrderMark ? kByteOrderMark : "";
  out += texts::kCsvUtf8Columns;
  const int n = UsableSamples(m);
  for (int i = 0; i < n; ++i) {
    AppendTimes(out, start, SampleTenths(i, m.rate));
    const SampleValues v = ValuesOf(m, i);
    AppendTenths(out, v.sto2);
    AppendWhole(out, v.heartRate);
    AppendHb(out, v.oxhb);
    AppendHb(out, v.dxhb);
    AppendHb(out, v.tohb);
    out += '\n';
  }
  return out;
}

}  // namespace oxi
