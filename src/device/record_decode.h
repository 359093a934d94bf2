#pragma once
#include <cstdint>
#include <string_view>

#include "monitor/sectors.h"
#include "store/record_file.h"

namespace oxi {

// The record header of a measurement: the device's ID, the head sector's start time
// (BCD to binary) and settings, and the sample count the data table announced.
RecordHeader MakeRecordHeader(std::string_view deviceId, const monitor::HeadSector& head,
                              std::uint16_t announcedSamples);
// True when the head's start time is a minute that exists: five BCD bytes of digits 0..9
// naming a real date and time of day. Records of any other start time cannot be named by
// it, or the calendar would never show them.
bool HasRealStartTime(const monitor::HeadSector& head);
// A sample as the record file keeps it; the invalid bit becomes the sign.
Sample ToRecordSample(const monitor::MonitorSample& sample);

}  // namespace oxi
