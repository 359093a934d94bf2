#include "export/file_export.h"

#include <system_error>

#include "export/export_name.h"
#include "platform/fs/safe_write.h"
#include "store/load_record.h"
#include "store/stored_records.h"

namespace oxi {

namespace fs = std::filesystem;

RecordExporter::RecordExporter(OpenFormat format, ExportOptions options)
    : format_(format), options_(options) {}

std::string RecordExporter::ExportTo(const fs::path& record, const fs::path& target) {
  return Export(record, {}, &target);
}

std::string RecordExporter::ExportInto(const fs::path& record, const fs::path& folder) {
  return Export(record, folder, nullptr);
}

std::string RecordExporter::Export(const fs::path& record, const fs::path& folder,
                                   const fs::path* target) {
  const std::string recordName = PathToUtf8(record);
  CurrentMeasurement m;
  const std::string loadError = LoadRecordFile(record, m);
  if (!loadError.empty()) return recordName + ": " + loadError;
  const ExportedBytes exported = OpenFormatBytes(format_, m, options_);
  if (!exported.bytes) return recordName + ": " + exported.error;
  const fs::path path = target ? *target
                               : folder / PathFromUtf8(ExportFileStem(m.recordName, m.title) + "." +
                                                       InfoOf(format_).extension);
  std::error_code ec;
  const fs::path canonical = fs::weakly_canonical(path, ec);
  const fs::path& key = ec ? path : canonical;
  if (written_.count(key)) {
    return recordName + ": " + PathToUtf8(path) + " was already written for another record";
  }
  const WriteStatus status = WriteFileSafely(path, *exported.bytes);
  if (status != WriteStatus::kWritten) return PathToUtf8(path) + ": " + WriteStatusText(status);
  written_.insert(key);
  return {};
}

std::vector<std::string> ExportStore(const fs::path& startupFolder, const fs::path& outFolder,
                                     DateRange dates, RecordExporter& exporter) {
  std::vector<std::string> errors;
  for (const StoredRecord& r : ListStoredRecords(DataRootBelow(startupFolder))) {
    if (r.date < dates.from || r.date > dates.to) continue;
    const fs::path folder = outFolder / r.deviceFolder;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
      errors.push_back(PathToUtf8(folder) + ": cannot be created");
      continue;
    }
    std::string error = exporter.ExportInto(r.path, folder);
    if (!error.empty()) errors.push_back(std::move(error));
  }
  return errors;
}

}  // namespace oxi
