#include "store/load_record.h"

#include "platform/fs/files.h"
#include "store/file_ops.h"
#include "store/record_reader.h"

namespace oxi {
namespace {

constexpr const char* kOtherDevice = "was made by another device";

int FailedLoad(CurrentMeasurement& m) {
  m.n = 0;
  m.headerStale = true;
  return -1;
}

// The one path from a record file to the current measurement: the file must open as a
// record and, when `deviceId` names a device, be that device's; only then does `m` take
// its header values and samples. Empty on success, else why it failed.
std::string ReadRecordFile(const std::filesystem::path& path, const std::string* deviceId,
                           CurrentMeasurement& m) {
  RecordReader reader;
  const RecordReader::Status status = reader.Open(path);
  if (status != RecordReader::Status::kOk) return StatusText(status);
  const auto& id = reader.Header().deviceId;
  if (deviceId && !SameDeviceId(std::string_view(id.data(), id.size()), *deviceId)) {
    return kOtherDevice;
  }
  reader.ReadInto(m);
  m.headerStale = false;
  return {};
}

void NameMeasurement(CurrentMeasurement& m, const std::string& recordName) {
  m.title = MeasurementTitle(m.year, m.month, m.day, m.hour, m.minute, recordName);
  m.recordName = recordName;
}

}  // namespace

int LoadRecord(const StoreState& store, const std::string& name, CurrentMeasurement& m,
               std::string& commentField) {
  m.title.clear();
  const bool anotherRecord =
      name.substr(0, kRecordKeyLength) != m.recordName.substr(0, kRecordKeyLength);
  if (!IsPlainFileName(name)) return FailedLoad(m);
  const std::filesystem::path path =
      DeviceFolder(store, store.currentDeviceId) / PathFromUtf8(name);
  if (!ReadRecordFile(path, &store.currentDeviceId, m).empty()) return FailedLoad(m);
  // A record without samples shows nothing, so the window keeps naming the one before.
  if (m.n > 0) NameMeasurement(m, name);
  LoadComment(store, name, anotherRecord, commentField);
  return 1;
}

std::string LoadRecordFile(const std::filesystem::path& path, CurrentMeasurement& m) {
  const std::string error = ReadRecordFile(path, nullptr, m);
  if (error.empty()) NameMeasurement(m, PathToUtf8(path.filename()));
  return error;
}

}  // namespace oxi
