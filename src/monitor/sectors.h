#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/protocol.h"

namespace oxi::monitor {

// The monitor's memory is a run of 256-byte sectors: sector 0 describes the device and
// lists its measurements, sectors 1..ring size hold the measurements in a ring. Values of
// more than one byte are stored most significant byte first.
using SectorBytes = std::array<std::uint8_t, kSectorSize>;

inline constexpr int kTypeOffset = 0;
inline constexpr std::uint8_t kSystemSectorType = 0x00;
inline constexpr std::uint8_t kHeadSectorType = 0x01;
inline constexpr std::uint8_t kContinuationSectorType = 0x02;

// System sector.
inline constexpr int kSystemSectorNumber = 0;
inline constexpr int kDeviceIdOffset = 1;
inline constexpr int kDeviceIdLength = 12;
// The clock the PC last set, as six BCD bytes YY MM DD hh mm ss, in bytes the monitor
// leaves unused. Only the simulated monitor writes it; the PC never reads it back.
inline constexpr int kClockOffset = 22;
inline constexpr int kClockLength = 6;
inline constexpr int kRingSizeOffset = 30;
inline constexpr int kDataTableOffset = 128;
inline constexpr int kDataTableEntries = 30;
inline constexpr int kDataTableEntrySize = 4;
inline constexpr std::uint16_t kEndOfTable = 0xFFFF;

// Head sector: the measurement's start time (five BCD bytes: year after 2000, month, day,
// hour, minute), its settings, then the first samples.
inline constexpr int kStartTimeOffset = 1;
inline constexpr int kStartTimeLength = 5;
inline constexpr int kHeadReservedOffset = 6;
inline constexpr int kHeadReservedLength = 3;
inline constexpr int kFatThicknessOffset = 9;
inline constexpr int kRateOffset = 10;
inline constexpr int kSto2AverageOffset = 11;
inline constexpr int kHeadReserved4Offset = 13;
inline constexpr int kMaxHeartRateOffset = 14;
inline constexpr int kCurrentSettingOffset = 15;
inline constexpr int kHeadSamplesOffset = 16;
inline constexpr int kHeadSampleSlots = 48;

// Continuation sector: the type byte, then samples.
inline constexpr int kContinuationSamplesOffset = 1;
inline constexpr int kContinuationSampleSlots = 51;

// Sample: StO2 (16 bits, top bit set when invalid), heart rate, oxHb, dxHb.
inline constexpr int kSampleBytes = 5;
inline constexpr std::uint16_t kInvalidSampleBit = 0x8000;

struct DataTableEntry {
  std::uint16_t firstSector = 0;
  std::uint16_t sampleCount = 0;
  bool operator==(const DataTableEntry&) const = default;
};

struct SystemSector {
  std::string deviceId;  // the 12 characters as stored, unchecked
  std::uint16_t ringSize = 0;
  std::vector<DataTableEntry> table;  // entries before the first 0xFFFF, at most 30
};

struct HeadSector {
  std::array<std::uint8_t, kStartTimeLength> bcdStart{};  // YY MM DD hh mm, BCD
  std::array<std::uint8_t, kHeadReservedLength> reserved{};
  std::uint8_t fatThickness = 0;
  std::uint8_t rate = 0;
  std::uint16_t sto2Average = 0;
  std::uint8_t reserved4 = 0;
  std::uint8_t maxHeartRate = 0;
  std::uint8_t currentSetting = 0;
  bool operator==(const HeadSector&) const = default;
};

struct MonitorSample {
  std::uint16_t sto2 = 0;  // with kInvalidSampleBit
  std::uint8_t hr = 0;
  std::uint8_t oxhb = 0;
  std::uint8_t dxhb = 0;
  bool operator==(const MonitorSample&) const = default;
};

std::uint16_t ReadU16(const SectorBytes& sector, int offset);
void WriteU16(SectorBytes& sector, int offset, std::uint16_t value);

// High digit x 10 + low digit; digits above 9 are taken as they come.
int BcdToInt(std::uint8_t bcd);
// True when both digits are 0..9.
bool IsBcd(std::uint8_t byte);
std::uint8_t IntToBcd(int value);  // value 0..99

SystemSector DecodeSystemSector(const SectorBytes& sector);
DataTableEntry ReadTableEntry(const SectorBytes& sector, int index);
void WriteTableEntry(SectorBytes& sector, int index, const DataTableEntry& entry);

HeadSector DecodeHeadSector(const SectorBytes& sector);
void EncodeHeadSector(const HeadSector& head, SectorBytes& sector);

MonitorSample ReadSample(const SectorBytes& sector, int offset);
void WriteSample(SectorBytes& sector, int offset, const MonitorSample& sample);

// Sample slots of the `index`-th sector of a measurement (0: the head sector).
int SampleSlotOffset(int sectorIndexInMeasurement);
int SampleSlots(int sectorIndexInMeasurement);
// Sample `slot` (from 0) of the `index`-th sector of a measurement.
MonitorSample ReadSampleSlot(const SectorBytes& sector, int sectorIndexInMeasurement, int slot);
void WriteSampleSlot(SectorBytes& sector, int sectorIndexInMeasurement, int slot,
                     const MonitorSample& sample);

// Sectors a measurement of `sampleCount` samples fills: the head sector, then as many
// continuation sectors as the rest needs.
int SectorsFor(int sampleCount);
// The sector number to request for position `s` of the ring (positions past the ring's
// end come round to its start; sector 0 is not part of the ring).
int RingSector(std::int32_t s, int ringSize);

// A sector-read reply text: `lead` (kReplyLeadLength characters) and the sector as
// upper-case hexadecimal digit pairs.
std::string EncodeSectorReplyText(std::string_view lead, const SectorBytes& sector);
// The sector carried by a reply text, or nothing when the text is too short or holds a
// character that is not a hexadecimal digit where a digit belongs.
std::optional<SectorBytes> DecodeSectorReplyText(std::string_view text);

}  // namespace oxi::monitor
