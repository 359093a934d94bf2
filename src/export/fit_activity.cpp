#include "export/fit_activity.h"

#include <array>
#include <limits>
#include <optional>

#include "export/fit_encoder.h"
#include "graph/elapsed_time.h"
#include "graph/sample_count.h"
#include "store/record_file.h"

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
constexpr float kMilliMolarPerStep = 0.001f;  // the record's Hb step

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

// Heart rates the activity summary gives: mean (rounded) and maximum of the counted ones.
struct HeartRateSummary {
  std::uint8_t average = fit::kInvalidUint8;
  std::uint8_t maximum = fit::kInvalidUint8;
};

HeartRateSummary SummariseHeartRate(const CurrentMeasurement& m, int n) {
  std::int64_t sum = 0;
  int count = 0;
  int maximum = 0;
  for (int i = 0; i < n; ++i) {
    const std::optional<int> hr = ValuesOf(m, i).heartRate;
    if (!hr) continue;
    sum += *hr;
    ++count;
    maximum = std::max(maximum, *hr);
  }
  if (count == 0) return {};
  return {static_cast<std::uint8_t>((sum + count / 2) / count), static_cast<std::uint8_t>(maximum)};
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

Times TimesOf(const MeasurementStart& start, int n, int rate) {
  const std::int64_t tenths = SampleTenths(n, rate);
  const std::int64_t seconds = tenths / kTenthsPerSecond;
  Times t;
  t.start = FitSeconds(start.utc);
  t.end = FitSeconds(start.utc + seconds);
  t.localEnd = FitSeconds(CivilSeconds(start.LocalAfter(tenths)));
  // A duration the field cannot hold is left out rather than wrapped round.
  const std::int64_t ms = tenths * (fit::kMillisecondsPerSecond / kTenthsPerSecond);
  t.elapsedMs = ms < std::numeric_limits<std::uint32_t>::max() ? static_cast<std::uint32_t>(ms)
                                                               : fit::kInvalidUint32;
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
    e.F32(static_cast<float>(*steps) * kMilliMolarPerStep);
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
  const Encoder::Field hr = U8Field(fit::record::kHeartRate);
  const std::initializer_list<Encoder::DeveloperField> hb = {
      {kHbFields[0].number, kHbSize, kDeveloperDataIndex},
      {kHbFields[1].number, kHbSize, kDeveloperDataIndex},
      {kHbFields[2].number, kHbSize, kDeveloperDataIndex}};
  if (fractional) {
    e.Define(kRecordLocal, fit::kRecordMessage,
             {kTimestamp, U8Field(fit::record::kTime128), hr, sto2}, hb);
  } else {
    e.Define(kRecordLocal, fit::kRecordMessage, {kTimestamp, hr, sto2}, hb);
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
    PutHb(e, v.oxhb);
    PutHb(e, v.dxhb);
    PutHb(e, v.tohb);
  }
}

void WriteSummary(Encoder& e, const Times& t, const HeartRateSummary& hr) {
  e.Message(kEventLocal).U32(t.end).U8(fit::kEventTimer).U8(fit::kEventTypeStop);

  namespace lap = fit::lap;
  e.Define(kLapLocal, fit::kLapMessage,
           {kTimestamp, U16Field(fit::kMessageIndexField), U32Field(lap::kStartTime),
            U32Field(lap::kTotalElapsedTime), U32Field(lap::kTotalTimerTime),
            U8Field(lap::kAvgHeartRate), U8Field(lap::kMaxHeartRate), EnumField(lap::kEvent),
            EnumField(lap::kEventType), EnumField(lap::kSport)});
  e.Message(kLapLocal).U32(t.end).U16(0).U32(t.start).U32(t.elapsedMs).U32(t.elapsedMs);
  e.U8(hr.average).U8(hr.maximum).U8(fit::kEventLap).U8(fit::kEventTypeStop);
  e.U8(fit::kSportGeneric);

  namespace ses = fit::session;
  e.Define(kSessionLocal, fit::kSessionMessage,
           {kTimestamp, U16Field(fit::kMessageIndexField), U32Field(ses::kStartTime),
            U32Field(ses::kTotalElapsedTime), U32Field(ses::kTotalTimerTime),
            U8Field(ses::kAvgHeartRate), U8Field(ses::kMaxHeartRate), U16Field(ses::kFirstLapIndex),
            U16Field(ses::kNumLaps), EnumField(ses::kEvent), EnumField(ses::kEventType),
            EnumField(ses::kSport), EnumField(ses::kSubSport)});
  e.Message(kSessionLocal).U32(t.end).U16(0).U32(t.start).U32(t.elapsedMs).U32(t.elapsedMs);
  e.U8(hr.average).U8(hr.maximum).U16(0).U16(1).U8(fit::kEventSession);
  e.U8(fit::kEventTypeStop).U8(fit::kSportGeneric).U8(fit::kSubSportGeneric);

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
  WriteSummary(e, times, SummariseHeartRate(m, n));
  return e.Finish();
}

}  // namespace oxi
