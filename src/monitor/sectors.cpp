#include "monitor/sectors.h"

namespace oxi::monitor {
namespace {

constexpr int kBitsPerDigit = 4;
constexpr int kDecimalBase = 10;
constexpr std::uint8_t kLowNibble = 0x0F;
constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + kDecimalBase;
  if (c >= 'a' && c <= 'f') return c - 'a' + kDecimalBase;
  return -1;
}

int TableEntryOffset(int index) {
  return kDataTableOffset + index * kDataTableEntrySize;
}

}  // namespace

std::uint16_t ReadU16(const SectorBytes& sector, int offset) {
  return static_cast<std::uint16_t>((sector[offset] << 8) | sector[offset + 1]);
}

void WriteU16(SectorBytes& sector, int offset, std::uint16_t value) {
  sector[offset] = static_cast<std::uint8_t>(value >> 8);
  sector[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

int BcdToInt(std::uint8_t bcd) {
  return (bcd >> kBitsPerDigit) * kDecimalBase + (bcd & kLowNibble);
}

bool IsBcd(std::uint8_t byte) {
  return (byte >> kBitsPerDigit) < kDecimalBase && (byte & kLowNibble) < kDecimalBase;
}

std::uint8_t IntToBcd(int value) {
  return static_cast<std::uint8_t>(((value / kDecimalBase) << kBitsPerDigit) |
                                   (value % kDecimalBase));
}

DataTableEntry ReadTableEntry(const SectorBytes& sector, int index) {
  const int at = TableEntryOffset(index);
  return {ReadU16(sector, at), ReadU16(sector, at + 2)};
}

void WriteTableEntry(SectorBytes& sector, int index, const DataTableEntry& entry) {
  const int at = TableEntryOffset(index);
  WriteU16(sector, at, entry.firstSector);
  WriteU16(sector, at + 2, entry.sampleCount);
}

SystemSector DecodeSystemSector(const SectorBytes& sector) {
  SystemSector s;
  s.deviceId.assign(reinterpret_cast<const char*>(&sector[kDeviceIdOffset]), kDeviceIdLength);
  s.ringSize = ReadU16(sector, kRingSizeOffset);
  for (int i = 0; i < kDataTableEntries; ++i) {
    const DataTableEntry entry = ReadTableEntry(sector, i);
    if (entry.firstSector == kEndOfTable) break;
    s.table.push_back(entry);
  }
  return s;
}

HeadSector DecodeHeadSector(const SectorBytes& sector) {
  HeadSector h;
  for (int i = 0; i < kStartTimeLength; ++i) h.bcdStart[i] = sector[kStartTimeOffset + i];
  for (int i = 0; i < kHeadReservedLength; ++i) h.reserved[i] = sector[kHeadReservedOffset + i];
  h.fatThickness = sector[kFatThicknessOffset];
  h.rate = sector[kRateOffset];
  h.sto2Average = ReadU16(sector, kSto2AverageOffset);
  h.reserved4 = sector[kHeadReserved4Offset];
  h.maxHeartRate = sector[kMaxHeartRateOffset];
  h.currentSetting = sector[kCurrentSettingOffset];
  return h;
}

void EncodeHeadSector(const HeadSector& h, SectorBytes& sector) {
  sector[kTypeOffset] = kHeadSectorType;
  for (int i = 0; i < kStartTimeLength; ++i) sector[kStartTimeOffset + i] = h.bcdStart[i];
  for (int i = 0; i < kHeadReservedLength; ++i) sector[kHeadReservedOffset + i] = h.reserved[i];
  sector[kFatThicknessOffset] = h.fatThickness;
  sector[kRateOffset] = h.rate;
  WriteU16(sector, kSto2AverageOffset, h.sto2Average);
  sector[kHeadReserved4Offset] = h.reserved4;
  sector[kMaxHeartRateOffset] = h.maxHeartRate;
  sector[kCurrentSettingOffset] = h.currentSetting;
}

MonitorSample ReadSample(const SectorBytes& sector, int offset) {
  return {ReadU16(sector, offset), sector[offset + 2], sector[offset + 3], sector[offset + 4]};
}

void WriteSample(SectorBytes& sector, int offset, const MonitorSample& sample) {
  WriteU16(sector, offset, sample.sto2);
  sector[offset + 2] = sample.hr;
  sector[offset + 3] = sample.oxhb;
  sector[offset + 4] = sample.dxhb;
}

int SampleSlotOffset(int sectorIndexInMeasurement) {
  return sectorIndexInMeasurement == 0 ? kHeadSamplesOffset : kContinuationSamplesOffset;
}

int SampleSlots(int sectorIndexInMeasurement) {
  return sectorIndexInMeasurement == 0 ? kHeadSampleSlots : kContinuationSampleSlots;
}

MonitorSample ReadSampleSlot(const SectorBytes& sector, int sectorIndexInMeasurement, int slot) {
  return ReadSample(sector, SampleSlotOffset(sectorIndexInMeasurement) + slot * kSampleBytes);
}

void WriteSampleSlot(SectorBytes& sector, int sectorIndexInMeasurement, int slot,
                     const MonitorSample& sample) {
  WriteSample(sector, SampleSlotOffset(sectorIndexInMeasurement) + slot * kSampleBytes, sample);
}

int SectorsFor(int sampleCount) {
  // The head holds three slots fewer than a continuation sector, hence the + 3 - 1.
  const int headShortfall = kContinuationSampleSlots - kHeadSampleSlots;
  return 1 + (sampleCount + headShortfall - 1) / kContinuationSampleSlots;
}

int RingSector(std::int32_t s, int ringSize) {
  return s <= ringSize ? s : s - ringSize;
}

std::string EncodeSectorReplyText(std::string_view lead, const SectorBytes& sector) {
  std::string text(lead.substr(0, kReplyLeadLength));
  text.resize(kReplyLeadLength, '0');
  for (std::uint8_t b : sector) {
    text += kHexDigits[b >> kBitsPerDigit];
    text += kHexDigits[b & kLowNibble];
  }
  return text;
}

std::optional<SectorBytes> DecodeSectorReplyText(std::string_view text) {
  if (static_cast<int>(text.size()) < kSectorReplyTextLength) return std::nullopt;
  SectorBytes sector{};
  for (int k = 0; k < kSectorSize; ++k) {
    const int hi = HexValue(text[kReplyLeadLength + 2 * k]);
    const int lo = HexValue(text[kReplyLeadLength + 2 * k + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    sector[k] = static_cast<std::uint8_t>((hi << kBitsPerDigit) | lo);
  }
  return sector;
}

}  // namespace oxi::monitor
