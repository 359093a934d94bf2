#include "device/record_decode.h"

#include <algorithm>

#include "store/dates.h"

namespace oxi {

RecordHeader MakeRecordHeader(std::string_view deviceId, const monitor::HeadSector& head,
                              std::uint16_t announcedSamples) {
  RecordHeader h;
  for (int i = 0; i < kDeviceIdLength && i < static_cast<int>(deviceId.size()); ++i) {
    h.deviceId[i] = deviceId[i];
  }
  std::uint8_t* start[] = {&h.year, &h.month, &h.day, &h.hour, &h.minute};
  for (int i = 0; i < monitor::kStartTimeLength; ++i) {
    *start[i] = static_cast<std::uint8_t>(monitor::BcdToInt(head.bcdStart[i]));
  }
  CopyHeadSettings(head, h);
  h.announcedSamples = announcedSamples;
  return h;
}

bool HasRealStartTime(const monitor::HeadSector& head) {
  const auto& bcd = head.bcdStart;
  if (!std::all_of(bcd.begin(), bcd.end(), monitor::IsBcd)) return false;
  return IsRealStartTime(monitor::BcdToInt(bcd[0]), monitor::BcdToInt(bcd[1]),
                         monitor::BcdToInt(bcd[2]), monitor::BcdToInt(bcd[3]),
                         monitor::BcdToInt(bcd[4]));
}

Sample ToRecordSample(const monitor::MonitorSample& s) {
  return {static_cast<std::int16_t>(s.sto2), s.hr, s.oxhb, s.dxhb};
}

}  // namespace oxi
