#include "export/sample_values.h"

#include "platform/ui/local_time.h"
#include "store/dates.h"
#include "store/elapsed_time.h"
#include "store/record_file.h"

namespace oxi {
namespace {

namespace chrono = std::chrono;

constexpr int kYearBase = 2000;  // the header's two-digit years
constexpr std::int64_t kSecondsPerDay = 86400;

}  // namespace

SampleValues ValuesOf(const CurrentMeasurement& m, int i) {
  SampleValues v;
  if (HeartRateInRange(m.hr[i])) v.heartRate = m.hr[i];
  if (!m.Valid(i)) return v;
  v.sto2 = m.sto2[i];
  v.oxhb = m.oxhb[i];
  v.dxhb = m.dxhb[i];
  v.tohb = m.oxhb[i] + m.dxhb[i];
  return v;
}

std::int64_t CivilSeconds(const CivilTime& t) {
  const chrono::sys_days day{chrono::year{t.year} / t.month / t.day};
  return static_cast<std::int64_t>(day.time_since_epoch().count()) * kSecondsPerDay +
         static_cast<std::int64_t>(t.hour) * kSecondsPerHour + t.minute * kSecondsPerMinute +
         t.second;
}

CivilTime CivilOf(std::int64_t seconds) {
  std::int64_t days = seconds / kSecondsPerDay;
  std::int64_t rest = seconds % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --days;
  }
  const chrono::year_month_day ymd{chrono::sys_days{chrono::days{days}}};
  CivilTime t;
  t.year = static_cast<int>(ymd.year());
  t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  t.hour = static_cast<int>(rest / kSecondsPerHour);
  t.minute = static_cast<int>(rest % kSecondsPerHour / kSecondsPerMinute);
  t.second = static_cast<int>(rest % kSecondsPerMinute);
  return t;
}

CivilTime MeasurementStart::LocalAfter(std::int64_t tenths) const {
  const std::int64_t seconds = tenths / kTenthsPerSecond;
  const std::optional<LocalTime> t = LocalTimeOfUtc(utc + seconds);
  // A zone that cannot place the instant leaves the start's own clock running.
  if (!t) return CivilOf(CivilSeconds(local) + seconds);
  return CivilTime{t->year, t->month, t->day, t->hour, t->minute, t->second};
}

std::optional<MeasurementStart> StartOf(const CurrentMeasurement& m) {
  // The store's rule, years of two digits included: the titles cannot name a later year,
  // nor FIT's clock hold one past 2125.
  if (!IsRealStartTime(m.year, m.month, m.day, m.hour, m.minute)) return std::nullopt;
  MeasurementStart start;
  start.local = CivilTime{kYearBase + m.year, m.month, m.day, m.hour, m.minute, 0};
  const std::optional<std::int64_t> utc =
      UtcSecondsOfLocal(LocalTime{start.local.year, m.month, m.day, m.hour, m.minute, 0});
  if (!utc) return std::nullopt;
  start.utc = *utc;
  return start;
}

}  // namespace oxi
