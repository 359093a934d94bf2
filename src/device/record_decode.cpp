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
  CopyHeadSettings(head, h);
  h.announcedSamples = announcedSamples;
  return h;
}

Sample ToRecordSample(const monitor::MonitorSample& s) {
  return {static_cast<std::int16_t>(s.sto2), s.hr, s.oxhb, s.dxhb};
}

}  // namespace oxi
