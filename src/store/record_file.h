#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace oxi {

struct CurrentMeasurement;

// Record file: a 29-byte header, then 5-byte samples to the end of the file; little-endian,
// no padding, no magic number.
inline constexpr int kRecordHeaderSize = 29;
inline constexpr int kSampleSize = 5;
inline constexpr int kDeviceIdLength = 12;
// A file holding more samples than this cannot be a measurement (the monitor's whole
// memory holds far fewer); it is refused before anything is allocated.
inline constexpr long kMaxRecordSamples = 1'000'000;
inline constexpr const char* kRecordExtension = ".oxi";
// A record's name begins with the ten digits YYMMDDhhmm of its start time: they tell
// records apart and name the record's comment file.
inline constexpr std::size_t kRecordKeyLength = 10;

struct RecordHeader {
  std::array<char, kDeviceIdLength> deviceId{};
  std::uint8_t year = 0;  // two digits, 2000 + value
  std::uint8_t month = 0;
  std::uint8_t day = 0;
  std::uint8_t hour = 0;
  std::uint8_t minute = 0;
  std::array<std::uint8_t, 3> reserved{};  // carried from the monitor, never used
  std::uint8_t fatThickness = 0;           // 0.1 mm
  std::uint8_t rate = 0;                   // 0.1 s per sample; 0 counts as 10
  std::uint16_t sto2Average = 0;           // 0.1 %
  std::uint8_t reserved4 = 0;
  std::uint8_t maxHeartRate = 0;
  std::uint8_t currentSetting = 0;
  std::uint16_t announcedSamples = 0;  // the reader ignores it
  bool operator==(const RecordHeader&) const = default;
};

struct Sample {
  std::int16_t sto2 = 0;  // 0.1 %; negative (bit 15) marks the sample invalid
  std::uint8_t hr = 0;    // beats per minute
  std::uint8_t oxhb = 0;  // 0.001 mM
  std::uint8_t dxhb = 0;  // 0.001 mM
  bool Valid() const { return sto2 >= 0; }
  bool operator==(const Sample&) const = default;
};

// Copies the settings a measurement's head carries under the same names wherever it is
// held: the monitor's head sector, the record header and the current measurement.
template <typename From, typename To>
void CopyHeadSettings(const From& from, To& to) {
  std::copy(from.reserved.begin(), from.reserved.end(), to.reserved.begin());
  to.fatThickness = from.fatThickness;
  to.rate = from.rate;
  to.sto2Average = from.sto2Average;
  to.reserved4 = from.reserved4;
  to.maxHeartRate = from.maxHeartRate;
  to.currentSetting = from.currentSetting;
}

std::array<std::uint8_t, kRecordHeaderSize> EncodeHeader(const RecordHeader& header);
RecordHeader DecodeHeader(const std::uint8_t* bytes);  // reads kRecordHeaderSize bytes
std::array<std::uint8_t, kSampleSize> EncodeSample(const Sample& sample);
Sample DecodeSample(const std::uint8_t* bytes);  // reads kSampleSize bytes
// `count` whole samples from `bytes` into the arrays of `m` from index `first` on (they
// must hold them): a record's samples in one loop beside their layout, since a look over a
// store decodes millions.
void DecodeSamples(const std::uint8_t* bytes, int count, CurrentMeasurement& m, int first);

// True when `name` begins with the ten digits of a start time.
bool StartsWithTenDigits(const std::string& name);
// True when `name` ends in the record extension, in any case.
bool HasRecordExtension(const std::string& name);

// The device ID bytes as text; anything that is not printable ASCII shows as '?', so the
// ID can go wherever text goes (a terminal, a file's metadata).
std::string PrintableDeviceId(std::string_view idBytes);

// "YYMMDDhhmm" of the header's start time.
std::string RecordBaseName(const RecordHeader& header);
// "YYMMDDhhmm" of a minute (year two digits).
std::string RecordBaseName(int year, int month, int day, int hour, int minute);
// "YYMMDDhhmm.oxi".
std::string RecordFileName(const RecordHeader& header);
// "20YY_MMDD_hhmm": the title of the measurement loaded from the record file `recordName`
// (its file name). A start time that is no real minute (a damaged header; a year the four
// digits cannot hold) is not passed off as one: the title is then the minute the record's
// name gives, which is the one a download filed it under, or else the name without its
// extension.
std::string MeasurementTitle(int year, int month, int day, int hour, int minute,
                             const std::string& recordName);

// StO2 (0.1 %), fat thickness (0.1 mm) and rate (0.1 s) are all kept in tenths.
inline constexpr int kTenthsPerUnit = 10;

// Sampling interval in 0.1 s that times are computed with: a rate byte of 0 means 1.0 s.
inline constexpr int kDefaultRate = kTenthsPerUnit;
constexpr int EffectiveRate(int rate) {
  return rate == 0 ? kDefaultRate : rate;
}
// Whole seconds that `samples` samples at `rate` (0.1 s) last.
constexpr long DurationSeconds(long samples, int rate) {
  return samples * EffectiveRate(rate) / kTenthsPerUnit;
}
// Tenths of a second from the start to sample `i`.
constexpr std::int64_t SampleTenths(long i, int rate) {
  return static_cast<std::int64_t>(i) * EffectiveRate(rate);
}

// The monitor sends heart rates outside this range when it has no pulse to count: every
// output shows them as missing.
inline constexpr int kLowestHeartRate = 50;
inline constexpr int kHighestHeartRate = 200;
constexpr bool HeartRateInRange(int hr) {
  return hr >= kLowestHeartRate && hr <= kHighestHeartRate;
}

}  // namespace oxi
