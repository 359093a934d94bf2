#pragma once
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "export/open_format.h"
#include "platform/fs/files.h"

namespace oxi {

// Turns record files into files of one open format, each written whole or not at all.
// Within one exporter no two records go to the same file: the second is refused, never
// written over the first. "The same file" is as the file system tells files apart, so two
// names that differ only in letter case are one file where case is ignored. A record is
// never written over itself.
class RecordExporter {
 public:
  RecordExporter(OpenFormat format, ExportOptions options);

  // The record's file written as `target`: empty on success, else a one-line reason that
  // names the file concerned.
  std::string ExportTo(const std::filesystem::path& record, const std::filesystem::path& target);
  // The same, into `folder` under the record's export name (its title, the same-minute
  // letter, the format's extension).
  std::string ExportInto(const std::filesystem::path& record, const std::filesystem::path& folder);

  int Written() const { return static_cast<int>(written_.size()); }

 private:
  std::string Export(const std::filesystem::path& record, const std::filesystem::path& folder,
                     const std::filesystem::path* target);

  OpenFormat format_;
  ExportOptions options_;
  std::set<FileIdentity> written_;
};

// Start dates, YYYYMMDD, both included.
struct DateRange {
  int from = 0;
  int to = 99999999;
};

// Every record of every device in the store below `startupFolder` whose start date lies
// in `dates`, into `outFolder`/<device folder>/ (created as needed), so that records of
// two devices started in the same minute keep files of their own. A device whose folder
// turns out to be another device's (IDs that differ only in letter case, where the file
// system ignores case) is refused rather than mixed into it. Stops before the next record
// once `stopRequested` says so. The reasons of the records that failed, one line each.
std::vector<std::string> ExportStore(const std::filesystem::path& startupFolder,
                                     const std::filesystem::path& outFolder, DateRange dates,
                                     RecordExporter& exporter,
                                     const std::function<bool()>& stopRequested);

}  // namespace oxi
