#include "store/load_record.h"

#include "store/comment.h"
#include "store/file_ops.h"
#include "store/record_reader.h"

namespace oxi {
namespace {

int FailedLoad(CurrentMeasurement& m) {
  m.n = 0;
  m.headerStale = true;
  return -1;
}

}  // namespace

int LoadRecord(const StoreState& store, const std::string& name, CurrentMeasurement& m,
               std::string& commentField) {
  m.title.clear();
  const bool anotherRecord =
      name.substr(0, kRecordKeyLength) != m.recordName.substr(0, kRecordKeyLength);
  if (!IsPlainFileName(name)) return FailedLoad(m);

  RecordReader reader;
  if (reader.Open(DeviceFolder(store, store.currentDeviceId) / PathFromUtf8(name)) !=
      RecordReader::Status::kOk) {
    return FailedLoad(m);
  }
  const auto& id = reader.Header().deviceId;
  if (!SameDeviceId(std::string_view(id.data(), id.size()), store.currentDeviceId)) {
    return FailedLoad(m);
  }
  reader.ReadInto(m);
  m.headerStale = false;
  if (m.n > 0) {
    ComputeDisplaySeriesUnaveraged(m);
    m.title = MeasurementTitle(m.year, m.month, m.day, m.hour, m.minute, name);
    m.recordName = name;
  }
  LoadComment(store, name, anotherRecord, commentField);
  return 1;
}

}  // namespace oxi
