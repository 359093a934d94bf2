#include <optional>
#include <string>

#include "export/csv_export.h"
#include "platform/text/cp932.h"
#include "platform/text/text_format.h"
#include "res/texts.h"
#include "store/elapsed_time.h"
#include "store/sample_count.h"

namespace oxi {
namespace {

constexpr const char* kLineEnd = "\r\n";

// The formats end their lines with "\n"; the file ends them with CR LF.
std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string FirstLines(const CurrentMeasurement& m) {
  const Hms d = SplitSeconds(DurationSeconds(m.n, m.rate));
  std::string text = FormatText(texts::kCsvDateFormat, m.year, m.month, m.day, m.hour, m.minute);
  text += FormatText(texts::kCsvSettingsFormat, d.hours, d.minutes, d.seconds,
                     m.fatThickness / kTenthsPerUnit, m.fatThickness % kTenthsPerUnit,
                     m.rate / kTenthsPerUnit, m.rate % kTenthsPerUnit);
  text += texts::kCsvColumns;
  return Utf8ToCp932(WithCrLf(text));
}

void AppendTime(std::string& line, int sample, int rate) {
  const std::int64_t tenths = SampleTenths(sample, rate);
  const Hms t = SplitSeconds(tenths / kTenthsPerUnit);
  line += FormatText(texts::kCsvTimeColumn, t.hours, t.minutes, t.seconds,
                     static_cast<int>(tenths % kTenthsPerUnit));
}

void AppendHeartRate(std::string& line, int hr) {
  line +=
      HeartRateInRange(hr) ? FormatText(texts::kCsvHeartRateColumn, hr) : texts::kCsvMissingColumn;
}

void AppendStO2(std::string& line, std::optional<int> sto2) {
  line += sto2 ? FormatText(texts::kCsvStO2Column, *sto2 / kTenthsPerUnit, *sto2 % kTenthsPerUnit)
               : texts::kCsvMissingColumn;
}

void AppendHb(std::string& line, const CurrentMeasurement& m, int i) {
  if (!m.Valid(i)) {
    for (int column = 0; column < 3; ++column) line += texts::kCsvMissingColumn;
    return;
  }
  line += FormatText(texts::kCsvHbColumn, m.oxhb[i]);
  line += FormatText(texts::kCsvHbColumn, m.dxhb[i]);
  line += FormatText(texts::kCsvHbColumn, m.oxhb[i] + m.dxhb[i]);
}

}  // namespace

std::string CsvBytes(const CurrentMeasurement& m) {
  std::string out = FirstLines(m);
  // An invalid sample repeats the last valid StO2; before the first valid one there is
  // none to repeat and the column says so.
  std::optional<int> lastValidStO2;
  const int n = UsableSamples(m);
  for (int i = 0; i < n; ++i) {
    if (m.Valid(i)) lastValidStO2 = m.sto2[i];
    AppendTime(out, i, m.rate);
    AppendHeartRate(out, m.hr[i]);
    AppendStO2(out, lastValidStO2);
    AppendHb(out, m, i);
    out += kLineEnd;
  }
  return out;
}

}  // namespace oxi
