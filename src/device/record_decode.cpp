#include "device/record_decode.h"

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
  h.reserved = head.reserved;
  h.fatThickness = head.fatThickness;
  h.rate = head.rate;
  h.sto2Average = head.sto2Average;
  h.reserved4 = head.reserved4;
  h.maxHeartRate = head.maxHeartRate;
  h.currentSetting = head.currentSetting;
  h.announcedSamples = announcedSamples;
  return h;
}

Sample ToRecordSample(const monitor::MonitorSample& s) {
  return {static_cast<std::int16_t>(s.sto2), s.hr, s.oxhb, s.dxhb};
}

}  // namespace oxi
