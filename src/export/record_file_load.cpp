#include "export/record_file_load.h"

#include "platform/fs/files.h"
#include "store/record_reader.h"

namespace oxi {

std::string LoadRecordFile(const std::filesystem::path& path, CurrentMeasurement& m) {
  RecordReader reader;
  const RecordReader::Status status = reader.Open(path);
  if (status != RecordReader::Status::kOk) return StatusText(status);
  reader.ReadInto(m);
  ComputeDisplaySeriesUnaveraged(m);
  m.recordName = PathToUtf8(path.filename());
  m.title = MeasurementTitle(m.year, m.month, m.day, m.hour, m.minute, m.recordName);
  return {};
}

}  // namespace oxi
