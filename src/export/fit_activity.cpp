#include "export/fit_activity.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "analysis/analysis.h"
#include "export/fit_encoder.h"
#include "store/elapsed_time.h"
#include "store/record_file.h"
#include "store/sample_count.h"

namespace oxi {
namespace {

using fit::BaseType;
using fit::Encoder;

// Local message types, one per message kind the file holds.
enum LocalType : std::uint8_t {
  kFileIdLocal,
  kDeveloperLocal,
  kFieldDescriptionLocal,
  kEventLocal,
  kRecordLocal,
  kLapLocal,
  kSessionLocal,
  kActivityLocal,
};

constexpr std::uint8_t kDeveloperDataIndex = 0;
// Names this program's developer fields to whoever reads them.
constexpr std::array<std::uint8_t, 16> kApplicationId = {
    0x3c, 0x8e, 0x51, 0x0a, 0x9b, 0x47, 0x4f, 0x2d, 0x8a, 0x63, 0x1e, 0x05, 0xd4, 0x7b, 0x92, 0xc6};
constexpr std::size_t kFieldNameSize = 16;
constexpr std::size_t kUnitsSize = 8;
constexpr const char* kHbUnits = "mM";
constexpr double kMilliMolarPerStep = 0.001;  // the record's Hb step

// The three Hb developer fields of every record message, in this order.
struct HbField {
  std::uint8_t number;
  const char* name;
};
constexpr std::array<HbField, 3> kHbFields = {{{0, "oxHb"}, {1, "dxHb"}, {2, "toHb"}}};

constexpr Encoder::Field U8Field(std::uint8_t number) {
  return {number, 1, BaseType::kUint8};
}
constexpr Encoder::Field EnumField(std::uint8_t number) {
  return {number, 1, BaseType::kEnum};
}
constexpr Encoder::Field U16Field(std::uint8_t number) {
  return {number, 2, BaseType::kUint16};
}
constexpr Encoder::Field U32Field(std::uint8_t number) {
  return {number, 4, BaseType::kUint32};
}
constexpr Encoder::Field kTimestamp = U32Field(fit::kTimestampField);

// Training programs read total haemoglobin as a mass concentration: 1 mM of haemoglobin
// (64,458 g/mol) is 64.458 g/L, 6.4458 g/dL.
constexpr double kGramsPerDecilitrePerMilliMolar = 6.4458;

std::uint16_t TotalHemoglobinValue(double milliMolar) {
  return static_cast<std::uint16_t>(
      std::lround(milliMolar * kGramsPerDecilitrePerMilliMolar * fit::kTotalHemoglobinScale));
}

// A stretch of the measurement as a lap or session sums it up, in FIT's units: heart
// rates (mean rounded, maximum) and the haemoglobin summary, each left out when no sample
// has the value.
struct FitSummary {
  std::uint8_t avgHeartRate = fit::kInvalidUint8;
  std::uint8_t maxHeartRate = fit::kInvalidUint8;
  // Average, minimum, maximum of the total haemoglobin, then of the saturation.
  std::array<std::uint16_t, 6> hemoglobin;
};

// Means are rounded half up from the record's steps, as the heart rate always was.
FitSummary FitSummaryOf(const Summary& s) {
  FitSummary f;
  if (!s.hr.Empty()) {
    f.avgHeartRate = static_cast<std::uint8_t>(std::lround(s.hr.MeanSteps()));
    f.maxHeartRate = static_cast<std::uint8_t>(s.hr.MaxSteps());
  }
  f.hemoglobin.fill(fit::kInvalidUint16);
  if (s.sto2.Empty()) return f;
  const auto total = [](double steps) { return TotalHemoglobinValue(steps * kMilliMolarPerStep); };
  // The record's 0.1 % steps are FIT's saturation steps.
  static_assert(fit::kSaturatedPercentScale == kTenthsPerUnit);
  f.hemoglobin = {total(s.tohb.MeanSteps()),
                  total(s.tohb.MinSteps()),
                  total(s.tohb.MaxSteps()),
                  static_cast<std::uint16_t>(std::lround(s.sto2.MeanSteps())),
                  static_cast<std::uint16_t>(s.sto2.MinSteps()),
                  static_cast<std::uint16_t>(s.sto2.MaxSteps())};
  return f;
}

// The times of the file, in FIT's seconds.
struct Times {
  std::uint32_t start = 0;
  std::uint32_t end = 0;
  std::uint32_t localEnd = 0;  // the end on the local clock
  std::uint32_t elapsedMs = 0;
};

std::uint32_t FitSeconds(std::int64_t unixSeconds) {
  return static_cast<std::uint32_t>(unixSeconds - fit::kEpochUnixSeconds);
}

// A duration the field cannot hold is left out rather than wrapped round.
std::uint32_t Milliseconds(std::int64_t tenths) {
  const std::int64_t ms = tenths * (fit::kMillisecondsPerSecond / kTenthsPerSecond);
  return ms < std::numeric_limits<std::uint32_t>::max() ? static_cast<std::uint32_t>(ms)
                                                        : fit::kInvalidUint32;
}

Times TimesOf(const MeasurementStart& start, int n, int rate) {
  const std::int64_t tenths = SampleTenths(n, rate);
  const std::int64_t seconds = tenths / kTenthsPerSecond;
  Times t;
  t.start = FitSeconds(start.utc);
  t.end = FitSeconds(start.utc + seconds);
  t.localEnd = FitSeconds(CivilSeconds(start.LocalAfter(tenths)));
  t.elapsedMs = Milliseconds(tenths);
  return t;
}

void WriteHead(Encoder& e, const Times& t) {
  e.Define(kFileIdLocal, fit::kFileIdMessage,
           {EnumField(fit::file_id::kType), U16Field(fit::file_id::kManufacturer),
            U16Field(fit::file_id::kProduct), U32Field(fit::file_id::kTimeCreated)});
  e.Message(kFileIdLocal).U8(fit::kFileActivity).U16(fit::kManufacturerDevelopment).U16(0);
  e.U32(t.start);

  e.Define(kDeveloperLocal, fit::kDeveloperDataIdMessage,
           {{fit::developer_data_id::kApplicationId, kApplicationId.size(), BaseType::kByte},
            U8Field(fit::developer_data_id::kDeveloperDataIndex)});
  e.Message(kDeveloperLocal).Bytes(kApplicationId.data(), kApplicationId.size());
  e.U8(kDeveloperDataIndex);

  namespace fd = fit::field_description;
  e.Define(kFieldDescriptionLocal, fit::kFieldDescriptionMessage,
           {U8Field(fd::kDeveloperDataIndex),
            U8Field(fd::kFieldDefinitionNumber),
            U8Field(fd::kBaseTypeId),
            {fd::kFieldName, kFieldNameSize, BaseType::kString},
            {fd::kUnits, kUnitsSize, BaseType::kString}});
  for (const HbField& f : kHbFields) {
    e.Message(kFieldDescriptionLocal).U8(kDeveloperDataIndex).U8(f.number);
    e.U8(static_cast<std::uint8_t>(BaseType::kFloat32));
    e.String(f.name, kFieldNameSize).String(kHbUnits, kUnitsSize);
  }

  e.Define(kEventLocal, fit::kEventMessage,
           {kTimestamp, EnumField(fit::event::kEvent), EnumField(fit::event::kEventType)});
  e.Message(kEventLocal).U32(t.start).U8(fit::kEventTimer).U8(fit::kEventTypeStart);
}

void PutHb(Encoder& e, std::optional<int> steps) {
  if (steps) {
    e.F32(static_cast<float>(*steps * kMilliMolarPerStep));
  } else {
    e.F32Invalid();
  }
}

void WriteRecords(Encoder& e, const CurrentMeasurement& m, int n, const Times& t) {
  // A rate in whole seconds needs no fraction; any other gives each sample's fraction of
  // a second in time128 beside its whole-second timestamp.
  const bool fractional = EffectiveRate(m.rate) % kTenthsPerSecond != 0;
  constexpr std::uint8_t kHbSize = 4;
  const Encoder::Field sto2 = U16Field(fit::record::kSaturatedHemoglobinPercent);
  const Encoder::Field tohb = U16Field(fit::record::kTotalHemoglobinConc);
  const Encoder::Field hr = U8Field(fit::record::kHeartRate);
  const std::initializer_list<Encoder::DeveloperField> hb = {
      {kHbFields[0].number, kHbSize, kDeveloperDataIndex},
      {kHbFields[1].number, kHbSize, kDeveloperDataIndex},
      {kHbFields[2].number, kHbSize, kDeveloperDataIndex}};
  if (fractional) {
    e.Define(kRecordLocal, fit::kRecordMessage,
             {kTimestamp, U8Field(fit::record::kTime128), hr, sto2, tohb}, hb);
  } else {
    e.Define(kRecordLocal, fit::kRecordMessage, {kTimestamp, hr, sto2, tohb}, hb);
  }
  for (int i = 0; i < n; ++i) {
    const std::int64_t tenths = SampleTenths(i, m.rate);
    e.Message(kRecordLocal).U32(t.start + static_cast<std::uint32_t>(tenths / kTenthsPerSecond));
    if (fractional) {
      e.U8(static_cast<std::uint8_t>(tenths % kTenthsPerSecond * fit::kTime128PerSecond /
                                     kTenthsPerSecond));
    }
    const SampleValues v = ValuesOf(m, i);
    e.U8(v.heartRate ? static_cast<std::uint8_t>(*v.heartRate) : fit::kInvalidUint8);
    e.U16(v.sto2 ? static_cast<std::uint16_t>(*v.sto2) : fit::kInvalidUint16);
    e.U16(v.tohb ? TotalHemoglobinValue(*v.tohb * kMilliMolarPerStep) : fit::kInvalidUint16);
    PutHb(e, v.oxhb);
    PutHb(e, v.dxhb);
    PutHb(e, v.tohb);
  }
}

// One lap per episode, end to end: each from its episode's peak to the next one's, the
// first from the start and the last to the end. Laps are samples `first` to `end`.
struct Lap {
  int first = 0;
  int end = 0;
};

std::vector<Lap> LapsOf(const Analysis& a, int n) {
  std::vector<Lap> laps;
  int first = 0;
  for (std::size_t k = 1; k < a.episodes.size() && laps.size() + 1 < fit::kMaxLaps; ++k) {
    laps.push_back({first, a.episodes[k].peakIndex});
    first = a.episodes[k].peakIndex;
  }
  laps.push_back({first, n});
  return laps;
}

void PutSummary(Encoder& e, const FitSummary& s) {
  for (const std::uint16_t value : s.hemoglobin) e.U16(value);
}

void WriteLaps(Encoder& e, const CurrentMeasurement& m, const std::vector<Lap>& laps,
               const Times& t) {
  namespace lap = fit::lap;
  const fit::HemoglobinSummaryFields& hb = lap::kHemoglobin;
  e.Define(kLapLocal, fit::kLapMessage,
           {kTimestamp, U16Field(fit::kMessageIndexField), U32Field(lap::kStartTime),
            U32Field(lap::kTotalElapsedTime), U32Field(lap::kTotalTimerTime),
            U8Field(lap::kAvgHeartRate), U8Field(lap::kMaxHeartRate), EnumField(lap::kEvent),
            EnumField(lap::kEventType), EnumField(lap::kSport), U16Field(hb.avgTotal),
            U16Field(hb.minTotal), U16Field(hb.maxTotal), U16Field(hb.avgSaturated),
            U16Field(hb.minSaturated), U16Field(hb.maxSaturated)});
  for (std::size_t k = 0; k < laps.size(); ++k) {
    const std::int64_t from = SampleTenths(laps[k].first, m.rate);
    const std::int64_t to = SampleTenths(laps[k].end, m.rate);
    const std::uint32_t elapsed = Milliseconds(to - from);
    const FitSummary s = FitSummaryOf(Summarise(m, laps[k].first, laps[k].end));
    e.Message(kLapLocal).U32(t.start + static_cast<std::uint32_t>(to / kTenthsPerSecond));
    e.U16(static_cast<std::uint16_t>(k));
    e.U32(t.start + static_cast<std::uint32_t>(from / kTenthsPerSecond)).U32(elapsed).U32(elapsed);
    e.U8(s.avgHeartRate).U8(s.maxHeartRate).U8(fit::kEventLap).U8(fit::kEventTypeStop);
    e.U8(fit::kSportGeneric);
    PutSummary(e, s);
  }
}

void WriteSession(Encoder& e, const Times& t, const FitSummary& s, std::size_t laps) {
  namespace ses = fit::session;
  const fit::HemoglobinSummaryFields& hb = ses::kHemoglobin;
  e.Define(kSessionLocal, fit::kSessionMessage,
           {kTimestamp, U16Field(fit::kMessageIndexField), U32Field(ses::kStartTime),
            U32Field(ses::kTotalElapsedTime), U32Field(ses::kTotalTimerTime),
            U8Field(ses::kAvgHeartRate), U8Field(ses::kMaxHeartRate), U16Field(ses::kFirstLapIndex),
            U16Field(ses::kNumLaps), EnumField(ses::kEvent), EnumField(ses::kEventType),
            EnumField(ses::kSport), EnumField(ses::kSubSport), U16Field(hb.avgTotal),
            U16Field(hb.minTotal), U16Field(hb.maxTotal), U16Field(hb.avgSaturated),
            U16Field(hb.minSaturated), U16Field(hb.maxSaturated)});
  e.Message(kSessionLocal).U32(t.end).U16(0).U32(t.start).U32(t.elapsedMs).U32(t.elapsedMs);
  e.U8(s.avgHeartRate).U8(s.maxHeartRate).U16(0).U16(static_cast<std::uint16_t>(laps));
  e.U8(fit::kEventSession).U8(fit::kEventTypeStop).U8(fit::kSportGeneric);
  e.U8(fit::kSubSportGeneric);
  PutSummary(e, s);
}

void WriteActivity(Encoder& e, const Times& t) {
  namespace act = fit::activity;
  e.Define(kActivityLocal, fit::kActivityMessage,
           {kTimestamp, U32Field(act::kTotalTimerTime), U16Field(act::kNumSessions),
            EnumField(act::kType), EnumField(act::kEvent), EnumField(act::kEventType),
            U32Field(act::kLocalTimestamp)});
  e.Message(kActivityLocal).U32(t.end).U32(t.elapsedMs).U16(1).U8(fit::kActivityManual);
  e.U8(fit::kEventActivity).U8(fit::kEventTypeStop).U32(t.localEnd);
}

}  // namespace

std::string FitActivityBytes(const CurrentMeasurement& m, const MeasurementStart& start) {
  const int n = UsableSamples(m);
  const Times times = TimesOf(start, n, m.rate);
  Encoder e;
  WriteHead(e, times);
  WriteRecords(e, m, n, times);
  e.Message(kEventLocal).U32(times.end).U8(fit::kEventTimer).U8(fit::kEventTypeStop);
  // The laps follow the analysis with its usual parameters, as the window first shows it.
  const std::vector<Lap> laps = LapsOf(Analyse(m, AnalysisParameters{}), n);
  WriteLaps(e, m, laps, times);
  WriteSession(e, times, FitSummaryOf(Summarise(m, 0, n)), laps.size());
  WriteActivity(e, times);
  return e.Finish();
}

}  // namespace oxi
