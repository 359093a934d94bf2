// oxitool info FILE.oxi: the header and sample count of one record file, one
// "name: value" line each, for scripts and for looking at a file without the window.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "platform/fs/files.h"
#include "store/elapsed_time.h"
#include "store/record_reader.h"

namespace oxi::cli {
namespace {

constexpr int kYearBase = 2000;

std::string Tenths(int value) {
  return std::to_string(value / kTenthsPerUnit) + "." + std::to_string(value % kTenthsPerUnit);
}

std::string Duration(long seconds) {
  const Hms d = SplitSeconds(seconds);
  char text[48];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", d.hours, d.minutes, d.seconds);
  return text;
}

std::string Start(const RecordHeader& h) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", kYearBase + h.year, h.month, h.day,
                h.hour, h.minute);
  return text;
}

void Line(const char* name, const std::string& value) {
  std::printf("%s: %s\n", name, value.c_str());
}

int RunInfo(const std::vector<std::string>& args) {
  if (args.size() != 1) return FailUsage("info");
  RecordReader reader;
  const RecordReader::Status status = reader.Open(PathFromUtf8(args[0]));
  if (status != RecordReader::Status::kOk) return Fail(args[0] + " " + StatusText(status));
  const RecordHeader& h = reader.Header();
  const long n = reader.SampleCount();
  Line("device_id", PrintableDeviceId({h.deviceId.data(), h.deviceId.size()}));
  Line("start", Start(h));
  Line("fat_thickness_mm", Tenths(h.fatThickness));
  Line("rate_s", Tenths(EffectiveRate(h.rate)));
  Line("sto2_average", Tenths(h.sto2Average));
  Line("max_heart_rate", std::to_string(h.maxHeartRate));
  Line("announced_samples", std::to_string(h.announcedSamples));
  Line("samples", std::to_string(n));
  Line("duration", Duration(DurationSeconds(n, h.rate)));
  Line("title", MeasurementTitle(h.year, h.month, h.day, h.hour, h.minute,
                                 PathToUtf8(PathFromUtf8(args[0]).filename())));
  return 0;
}

const CommandRegistration kInfo({"info", "FILE.oxi",
                                 "the header values and sample count of a record", RunInfo});

}  // namespace
}  // namespace oxi::cli
