#include "export/file_export.h"

#include <map>
#include <optional>
#include <set>
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
  const std::optional<FileIdentity> existing = IdentityOf(path);
  if (existing && written_.count(*existing)) {
    return recordName + ": " + PathToUtf8(path) + " was already written for another record";
  }
  if (SameFile(path, record)) {
    return PathToUtf8(path) + ": is the record being read; left as it is";
  }
  const WriteStatus status = WriteFileSafely(path, *exported.bytes);
  if (status != WriteStatus::kWritten) return PathToUtf8(path) + ": " + WriteStatusText(status);
  if (const std::optional<FileIdentity> made = IdentityOf(path)) written_.insert(*made);
  return {};
}

namespace {

// The device folders of one store export, each known by the folder the file system gives
// it: the first device to reach a folder has it.
class DeviceFolders {
 public:
  explicit DeviceFolders(fs::path outFolder) : outFolder_(std::move(outFolder)) {}

  // The folder the device's files go to, made if needed; nothing, with the reason in
  // `errors` the first time, when it cannot be made or is another device's.
  std::optional<fs::path> Of(const std::string& deviceFolder, std::vector<std::string>& errors) {
    if (refused_.count(deviceFolder)) return std::nullopt;
    const fs::path folder = outFolder_ / PathFromUtf8(deviceFolder);
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::optional<FileIdentity> id = ec ? std::nullopt : IdentityOf(folder);
    if (!id) return Refuse(deviceFolder, PathToUtf8(folder) + ": cannot be created", errors);
    const auto [owner, isNew] = owners_.emplace(*id, deviceFolder);
    if (isNew || owner->second == deviceFolder) return folder;
    return Refuse(deviceFolder,
                  PathToUtf8(folder) + ": is the folder of " + owner->second +
                      " too (the file system does not tell the names apart); the records of " +
                      deviceFolder + " are not exported",
                  errors);
  }

 private:
  std::optional<fs::path> Refuse(const std::string& deviceFolder, std::string reason,
                                 std::vector<std::string>& errors) {
    refused_.insert(deviceFolder);
    errors.push_back(std::move(reason));
    return std::nullopt;
  }

  fs::path outFolder_;
  std::map<FileIdentity, std::string> owners_;
  std::set<std::string> refused_;
};

}  // namespace

std::vector<std::string> ExportStore(const fs::path& startupFolder, const fs::path& outFolder,
                                     DateRange dates, RecordExporter& exporter,
                                     const std::function<bool()>& stopRequested) {
  std::vector<std::string> errors;
  DeviceFolders folders(outFolder);
  for (const StoredRecord& r : ListStoredRecords(DataRootBelow(startupFolder))) {
    if (stopRequested()) break;
    if (r.date < dates.from || r.date > dates.to) continue;
    const std::optional<fs::path> folder = folders.Of(r.deviceFolder, errors);
    if (!folder) continue;
    std::string error = exporter.ExportInto(r.path, *folder);
    if (!error.empty()) errors.push_back(std::move(error));
  }
  return errors;
}

}  // namespace oxi
