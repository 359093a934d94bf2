#include "device/demo_monitor.h"

#include <algorithm>
#include <random>
#include <vector>

namespace oxi {
namespace {

using namespace monitor;

// Physiology of the demo, in the monitor's units (StO2 0.1 %, Hb 0.001 mM, HR 1/min).
struct Levels {
  double sto2, hr, oxhb, dxhb;
};
constexpr Levels kRest{680, 72, 100, 60};
constexpr Levels kWork{470, 165, 62, 112};
constexpr Levels kRecovery{725, 88, 118, 50};
constexpr double kFollowSeconds = 25;  // how fast the values follow the phase
constexpr double kNoise = 4;
constexpr double kFullSto2 = 1000;  // 100.0 %

constexpr int kMinSamples = 700;
constexpr int kMaxSamples = 960;
constexpr std::uint8_t kRate = 10;  // 1.0 s per sample
constexpr int kTenthsPerSecond = 10;
constexpr int kRestSeconds = 120;
constexpr int kWorkSeconds = 150;
constexpr int kRecoverySeconds = 110;
constexpr double kInvalidChance = 0.004;
constexpr int kFirstHour = 7;
constexpr int kLastHour = 20;
constexpr int kMinFat = 30;
constexpr int kMaxFat = 80;
constexpr std::uint8_t kCurrentSetting = 3;
constexpr int kMinutesPerHour = 60;

Levels TargetAt(int second) {
  if (second < kRestSeconds) return kRest;
  const int inCycle = (second - kRestSeconds) % (kWorkSeconds + kRecoverySeconds);
  return inCycle < kWorkSeconds ? kWork : kRecovery;
}

std::uint8_t Byte(double v) {
  return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
}

HeadSector MakeHead(std::mt19937& rng, const LocalTime& start,
                    const std::vector<MonitorSample>& samples) {
  HeadSector head;
  const int fields[] = {start.TwoDigitYear(), start.month, start.day, start.hour, start.minute};
  for (int i = 0; i < kStartTimeLength; ++i) head.bcdStart[i] = IntToBcd(fields[i]);
  head.fatThickness =
      static_cast<std::uint8_t>(std::uniform_int_distribution<int>(kMinFat, kMaxFat)(rng));
  head.rate = kRate;
  long sum = 0;
  int valid = 0;
  for (const MonitorSample& s : samples) {
    head.maxHeartRate = std::max(head.maxHeartRate, s.hr);
    if (s.sto2 & kInvalidSampleBit) continue;
    sum += s.sto2;
    ++valid;
  }
  head.sto2Average = static_cast<std::uint16_t>(valid ? sum / valid : 0);
  head.currentSetting = kCurrentSetting;
  return head;
}

// Start times on days 1..today, spread over the month so far, in order.
std::vector<LocalTime> StartTimes(std::mt19937& rng, int count, const LocalTime& today) {
  std::uniform_int_distribution<int> day(1, today.day);
  std::uniform_int_distribution<int> minute(kFirstHour * kMinutesPerHour,
                                            kLastHour * kMinutesPerHour - 1);
  std::vector<std::pair<int, int>> picks;
  for (int i = 0; i < count; ++i) picks.emplace_back(day(rng), minute(rng));
  std::sort(picks.begin(), picks.end());
  std::vector<LocalTime> times;
  for (const auto& [d, m] : picks) {
    times.push_back({today.year, today.month, d, m / kMinutesPerHour, m % kMinutesPerHour, 0});
  }
  return times;
}

}  // namespace

std::vector<MonitorSample> DemoSamples(std::mt19937& rng, int count) {
  std::normal_distribution<double> noise(0, kNoise);
  std::bernoulli_distribution invalid(kInvalidChance);
  std::vector<MonitorSample> samples;
  Levels now = kRest;
  const double follow = static_cast<double>(kRate) / kTenthsPerSecond / kFollowSeconds;
  for (int i = 0; i < count; ++i) {
    const Levels target = TargetAt(i * kRate / kTenthsPerSecond);
    now.sto2 += (target.sto2 - now.sto2) * follow;
    now.hr += (target.hr - now.hr) * follow;
    now.oxhb += (target.oxhb - now.oxhb) * follow;
    now.dxhb += (target.dxhb - now.dxhb) * follow;
    auto sto2 = static_cast<std::uint16_t>(std::clamp(now.sto2 + noise(rng), 0.0, kFullSto2));
    if (invalid(rng)) sto2 |= kInvalidSampleBit;
    samples.push_back({sto2, Byte(now.hr + noise(rng) / 2), Byte(now.oxhb + noise(rng) / 2),
                       Byte(now.dxhb + noise(rng) / 2)});
  }
  return samples;
}

MonitorImage MakeDemoMonitor(const DemoMonitorOptions& options, const LocalTime& today) {
  MonitorImage image(options.ringSize);
  image.SetDeviceId(options.deviceId);
  image.SetClock({IntToBcd(today.TwoDigitYear()), IntToBcd(today.month), IntToBcd(today.day),
                  IntToBcd(today.hour), IntToBcd(today.minute), IntToBcd(today.second)});
  std::mt19937 rng(options.seed);
  const int count = std::clamp(options.measurements, 0, kDataTableEntries);
  int next = 1;
  int index = 0;
  for (const LocalTime& start : StartTimes(rng, count, today)) {
    const int samples = std::uniform_int_distribution<int>(kMinSamples, kMaxSamples)(rng);
    const std::vector<MonitorSample> data = DemoSamples(rng, samples);
    image.SetTableEntry(index++,
                        {static_cast<std::uint16_t>(next), static_cast<std::uint16_t>(samples)});
    next = image.WriteMeasurement(next, MakeHead(rng, start, data), data);
  }
  return image;
}

}  // namespace oxi
