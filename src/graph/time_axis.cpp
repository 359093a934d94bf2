#include "graph/time_axis.h"

#include <algorithm>
#include <cstdint>

#include "graph/visible_window.h"
#include "platform/text/text_format.h"
#include "res/texts.h"
#include "store/elapsed_time.h"

namespace oxi {
namespace {

constexpr int kTickSamples = 900;
constexpr int kTickColumns = kTickSamples / kSamplesPerColumn;
// The screen counts tick times in tenths of a minute: one tick of 900 samples is
// 900 * rate / 10 seconds = 15 * rate tenths of a minute.
constexpr int kTenthMinutesPerTickRate = 15;
constexpr int kTenthMinutesPerHour = 600;
constexpr int kTenthMinutesPerMinute = 10;
constexpr int kSecondsPerTenthMinute = 6;
constexpr int kPrintPlotUnits = 600;
constexpr int kQuartersOfPrintAxis = 4;

AxisTick ScreenTick(int p, int t) {
  const int hours = t / kTenthMinutesPerHour;
  const int minutes = t % kTenthMinutesPerHour / kTenthMinutesPerMinute;
  const int seconds = t % kTenthMinutesPerMinute * kSecondsPerTenthMinute;
  if (t < kTenthMinutesPerHour) return {p, FormatText(texts::kShortTimeFormat, minutes, seconds)};
  return {p, FormatText(texts::kScreenLongTimeFormat, hours, minutes, seconds), true};
}

AxisTick PrintTick(int p, std::int64_t seconds) {
  const Hms t = SplitSeconds(seconds);
  if (seconds < kSecondsPerHour) {
    return {p, FormatText(texts::kShortTimeFormat, t.minutes, t.seconds)};
  }
  return {p, FormatText(texts::kPrintLongTimeFormat, t.hours, t.minutes, t.seconds), true};
}

}  // namespace

std::vector<AxisTick> ScreenTimeTicks(int start, int rate) {
  const int r = EffectiveRate(rate);
  int p = 0;
  int t = 0;
  if (start != 0) {
    const int q = start / kTickSamples;
    p = ((q + 1) * kTickSamples - start) / kSamplesPerColumn;
    t = (q + 1) * kTenthMinutesPerTickRate * r;
  }
  std::vector<AxisTick> ticks;
  for (; p <= kVisibleColumns; p += kTickColumns, t += kTenthMinutesPerTickRate * r) {
    ticks.push_back(ScreenTick(p, t));
  }
  return ticks;
}

int PrintTickStep(int n) {
  if (n <= kWindowSamples) return kTickSamples;
  return n / kQuartersOfPrintAxis / kTickSamples * kTickSamples;
}

std::vector<AxisTick> PrintTimeTicks(int n, int rate) {
  const std::int64_t span = std::max(n, kWindowSamples);
  const std::int64_t step = PrintTickStep(n);
  const int r = EffectiveRate(rate);
  std::vector<AxisTick> ticks;
  for (std::int64_t t = 0; t <= span; t += step) {
    ticks.push_back(
        PrintTick(static_cast<int>(t * kPrintPlotUnits / span), t * r / kTenthsPerSecond));
  }
  return ticks;
}

}  // namespace oxi
