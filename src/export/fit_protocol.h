#pragma once
// The numbers of the FIT protocol and profile that the activity file uses.
#include <cstddef>
#include <cstdint>

namespace oxi::fit {

// File header: its size, protocol 2.0 (the first with developer fields), the profile
// version the messages below are taken from (21.40), and the data type signature.
inline constexpr std::uint8_t kHeaderSize = 14;
inline constexpr std::uint8_t kProtocolVersion = 0x20;
inline constexpr std::uint16_t kProfileVersion = 2140;
inline constexpr char kSignature[] = ".FIT";
inline constexpr int kCrcSize = 2;

// FIT times count seconds from 1989-12-31 00:00 UTC.
inline constexpr std::int64_t kEpochUnixSeconds = 631065600;

// Record header byte: a normal header with the local message type in the low bits.
inline constexpr std::uint8_t kDefinitionMessage = 0x40;
inline constexpr std::uint8_t kHasDeveloperFields = 0x20;
inline constexpr std::uint8_t kLittleEndian = 0;

// Base types, with the endian bit set for the multi-byte ones.
enum class BaseType : std::uint8_t {
  kEnum = 0x00,
  kUint8 = 0x02,
  kString = 0x07,
  kByte = 0x0D,
  kUint16 = 0x84,
  kUint32 = 0x86,
  kFloat32 = 0x88,
};
inline constexpr std::uint8_t kInvalidUint8 = 0xFF;
inline constexpr std::uint16_t kInvalidUint16 = 0xFFFF;
inline constexpr std::uint32_t kInvalidUint32 = 0xFFFFFFFF;
inline constexpr std::uint32_t kInvalidFloat32Bits = 0xFFFFFFFF;
// Laps are numbered and counted in 16 bits, whose highest value means none.
inline constexpr std::size_t kMaxLaps = kInvalidUint16 - 1;

// Global message numbers.
enum Message : std::uint16_t {
  kFileIdMessage = 0,
  kSessionMessage = 18,
  kLapMessage = 19,
  kRecordMessage = 20,
  kEventMessage = 21,
  kActivityMessage = 34,
  kFieldDescriptionMessage = 206,
  kDeveloperDataIdMessage = 207,
};

// Field numbers, by message; timestamp and message_index are common to all.
inline constexpr std::uint8_t kTimestampField = 253;
inline constexpr std::uint8_t kMessageIndexField = 254;
namespace file_id {
inline constexpr std::uint8_t kType = 0, kManufacturer = 1, kProduct = 2, kTimeCreated = 4;
}
namespace developer_data_id {
inline constexpr std::uint8_t kApplicationId = 1, kDeveloperDataIndex = 3;
}
namespace field_description {
inline constexpr std::uint8_t kDeveloperDataIndex = 0, kFieldDefinitionNumber = 1, kBaseTypeId = 2,
                              kFieldName = 3, kUnits = 8;
}
namespace event {
inline constexpr std::uint8_t kEvent = 0, kEventType = 1;
}
namespace record {
inline constexpr std::uint8_t kHeartRate = 3, kTime128 = 48, kTotalHemoglobinConc = 54,
                              kSaturatedHemoglobinPercent = 57;
}
// The haemoglobin summaries of a lap or a session: average, minimum and maximum of the
// total haemoglobin concentration and of the saturated percentage. The profile makes each
// an array (one value per sensor); ours are arrays of one.
struct HemoglobinSummaryFields {
  std::uint8_t avgTotal, minTotal, maxTotal, avgSaturated, minSaturated, maxSaturated;
};
namespace lap {
inline constexpr std::uint8_t kEvent = 0, kEventType = 1, kStartTime = 2, kTotalElapsedTime = 7,
                              kTotalTimerTime = 8, kAvgHeartRate = 15, kMaxHeartRate = 16,
                              kSport = 25;
inline constexpr HemoglobinSummaryFields kHemoglobin = {84, 85, 86, 87, 88, 89};
}  // namespace lap
namespace session {
inline constexpr std::uint8_t kEvent = 0, kEventType = 1, kStartTime = 2, kSport = 5, kSubSport = 6,
                              kTotalElapsedTime = 7, kTotalTimerTime = 8, kAvgHeartRate = 16,
                              kMaxHeartRate = 17, kFirstLapIndex = 25, kNumLaps = 26;
inline constexpr HemoglobinSummaryFields kHemoglobin = {95, 96, 97, 98, 99, 100};
}  // namespace session
namespace activity {
inline constexpr std::uint8_t kTotalTimerTime = 0, kNumSessions = 1, kType = 2, kEvent = 3,
                              kEventType = 4, kLocalTimestamp = 5;
}

// Values of the profile's enumerations.
inline constexpr std::uint8_t kFileActivity = 4;
inline constexpr std::uint16_t kManufacturerDevelopment = 255;
inline constexpr std::uint8_t kEventTimer = 0, kEventSession = 8, kEventLap = 9,
                              kEventActivity = 26;
inline constexpr std::uint8_t kEventTypeStart = 0, kEventTypeStop = 1;
inline constexpr std::uint8_t kSportGeneric = 0, kSubSportGeneric = 0;
inline constexpr std::uint8_t kActivityManual = 0;

// Scales: time128 counts 1/128 s, elapsed and timer times count milliseconds, the
// saturated haemoglobin percentage counts 0.1 %, as the record does, and the total
// haemoglobin concentration counts 0.01 g/dL.
inline constexpr int kTime128PerSecond = 128;
inline constexpr int kMillisecondsPerSecond = 1000;
inline constexpr int kSaturatedPercentScale = 10;
inline constexpr int kTotalHemoglobinScale = 100;

}  // namespace oxi::fit
