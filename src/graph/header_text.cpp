#include "graph/header_text.h"

#include "platform/text/text_format.h"
#include "store/elapsed_time.h"

namespace oxi {
namespace {
constexpr int kTenths = 10;  // fat thickness (0.1 mm) and rate (0.1 s) are both kept in tenths
}  // namespace

std::string MeasurementHeaderText(const CurrentMeasurement& m, const char* format) {
  const Hms d = SplitSeconds(DurationSeconds(m.n, m.rate));
  return FormatText(format, m.year, m.month, m.day, m.hour, m.minute, d.hours, d.minutes, d.seconds,
                    m.fatThickness / kTenths, m.fatThickness % kTenths, m.rate / kTenths,
                    m.rate % kTenths);
}

}  // namespace oxi
