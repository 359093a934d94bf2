#include "store/record_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

#include "res/texts.h"
#include "store/current_measurement.h"
#include "store/dates.h"

namespace oxi {
namespace {

// Byte offsets of the header fields.
constexpr int kOffYear = 12;
constexpr int kOffMonth = 13;
constexpr int kOffDay = 14;
constexpr int kOffHour = 15;
constexpr int kOffMinute = 16;
constexpr int kOffReserved = 17;
constexpr int kOffFatThickness = 20;
constexpr int kOffRate = 21;
constexpr int kOffSto2Average = 22;
constexpr int kOffReserved4 = 24;
constexpr int kOffMaxHeartRate = 25;
constexpr int kOffCurrentSetting = 26;
constexpr int kOffAnnouncedSamples = 27;

// Byte offsets inside one sample.
constexpr int kOffSampleSto2 = 0;
constexpr int kOffSampleHr = 2;
constexpr int kOffSampleOxhb = 3;
constexpr int kOffSampleDxhb = 4;

// A record's name starts with the start time's fields, two decimal digits each.
constexpr int kStartFields = 5;
constexpr int kDecimalBase = 10;

void Put16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value & 0xFF);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t Get16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

// "20YY_MMDD_hhmm" of a real minute.
std::string TitleOf(int year, int month, int day, int hour, int minute) {
  char text[64];
  std::snprintf(text, sizeof text, texts::kTitleFormat, year, month, day, hour, minute);
  return text;
}

}  // namespace

std::array<std::uint8_t, kRecordHeaderSize> EncodeHeader(const RecordHeader& h) {
  std::array<std::uint8_t, kRecordHeaderSize> b{};
  for (int i = 0; i < kDeviceIdLength; ++i) b[i] = static_cast<std::uint8_t>(h.deviceId[i]);
  b[kOffYear] = h.year;
  b[kOffMonth] = h.month;
  b[kOffDay] = h.day;
  b[kOffHour] = h.hour;
  b[kOffMinute] = h.minute;
  for (int i = 0; i < 3; ++i) b[kOffReserved + i] = h.reserved[i];
  b[kOffFatThickness] = h.fatThickness;
  b[kOffRate] = h.rate;
  Put16(&b[kOffSto2Average], h.sto2Average);
  b[kOffReserved4] = h.reserved4;
  b[kOffMaxHeartRate] = h.maxHeartRate;
  b[kOffCurrentSetting] = h.currentSetting;
  Put16(&b[kOffAnnouncedSamples], h.announcedSamples);
  return b;
}

RecordHeader DecodeHeader(const std::uint8_t* b) {
  RecordHeader h;
  for (int i = 0; i < kDeviceIdLength; ++i) h.deviceId[i] = static_cast<char>(b[i]);
  h.year = b[kOffYear];
  h.month = b[kOffMonth];
  h.day = b[kOffDay];
  h.hour = b[kOffHour];
  h.minute = b[kOffMinute];
  for (int i = 0; i < 3; ++i) h.reserved[i] = b[kOffReserved + i];
  h.fatThickness = b[kOffFatThickness];
  h.rate = b[kOffRate];
  h.sto2Average = Get16(&b[kOffSto2Average]);
  h.reserved4 = b[kOffReserved4];
  h.maxHeartRate = b[kOffMaxHeartRate];
  h.currentSetting = b[kOffCurrentSetting];
  h.announcedSamples = Get16(&b[kOffAnnouncedSamples]);
  return h;
}

std::array<std::uint8_t, kSampleSize> EncodeSample(const Sample& s) {
  std::array<std::uint8_t, kSampleSize> b{};
  Put16(&b[kOffSampleSto2], static_cast<std::uint16_t>(s.sto2));
  b[kOffSampleHr] = s.hr;
  b[kOffSampleOxhb] = s.oxhb;
  b[kOffSampleDxhb] = s.dxhb;
  return b;
}

void DecodeSamples(const std::uint8_t* bytes, int count, CurrentMeasurement& m, int first) {
  for (int k = 0; k < count; ++k, bytes += kSampleSize) {
    m.sto2[first + k] = static_cast<std::int16_t>(Get16(&bytes[kOffSampleSto2]));
    m.hr[first + k] = bytes[kOffSampleHr];
    m.oxhb[first + k] = bytes[kOffSampleOxhb];
    m.dxhb[first + k] = bytes[kOffSampleDxhb];
  }
}

Sample DecodeSample(const std::uint8_t* b) {
  Sample s;
  s.sto2 = static_cast<std::int16_t>(Get16(&b[kOffSampleSto2]));
  s.hr = b[kOffSampleHr];
  s.oxhb = b[kOffSampleOxhb];
  s.dxhb = b[kOffSampleDxhb];
  return s;
}

bool StartsWithTenDigits(const std::string& name) {
  return name.size() >= kRecordKeyLength &&
         std::all_of(name.begin(), name.begin() + kRecordKeyLength,
                     [](unsigned char c) { return std::isdigit(c); });
}

bool HasRecordExtension(const std::string& name) {
  const std::string ext = kRecordExtension;
  if (name.size() < ext.size()) return false;
  return std::equal(ext.begin(), ext.end(), name.end() - ext.size(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

std::string PrintableDeviceId(std::string_view idBytes) {
  std::string id;
  for (char c : idBytes) id += (c >= ' ' && c <= '~') ? c : '?';
  return id;
}

std::string RecordBaseName(const RecordHeader& h) {
  return RecordBaseName(h.year, h.month, h.day, h.hour, h.minute);
}

std::string RecordBaseName(int year, int month, int day, int hour, int minute) {
  // Fields of a byte give at most 15 characters even for nonsense values.
  char text[64];
  std::snprintf(text, sizeof text, "%02d%02d%02d%02d%02d", year, month, day, hour, minute);
  return text;
}

std::string RecordFileName(const RecordHeader& header) {
  return RecordBaseName(header) + kRecordExtension;
}

std::string MeasurementTitle(int year, int month, int day, int hour, int minute,
                             const std::string& recordName) {
  if (IsRealStartTime(year, month, day, hour, minute)) {
    return TitleOf(year, month, day, hour, minute);
  }
  if (StartsWithTenDigits(recordName)) {
    std::array<int, kStartFields> field{};
    for (int k = 0; k < kStartFields; ++k) {
      field[k] = (recordName[2 * k] - '0') * kDecimalBase + (recordName[2 * k + 1] - '0');
    }
    if (IsRealStartTime(field[0], field[1], field[2], field[3], field[4])) {
      return TitleOf(field[0], field[1], field[2], field[3], field[4]);
    }
  }
  const std::string stem = recordName.substr(0, recordName.rfind('.'));
  return stem.empty() ? texts::kNoDataTitle : stem;
}

}  // namespace oxi
