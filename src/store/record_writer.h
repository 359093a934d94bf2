#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "platform/fs/files.h"
#include "store/record_file.h"

namespace oxi {

// Writes one record file so that a record's name never holds half a file: the bytes go to
// a temporary file in the destination folder, are flushed to disk and only then renamed
// into place. A measurement whose name is taken by a file with other bytes (two
// measurements started in the same minute) gets the first free name with a letter after
// the ten digits (0803150905b.oxi, then c, ...); the same bytes again replace the file.
class RecordFileWriter {
 public:
  explicit RecordFileWriter(std::filesystem::path folder);
  ~RecordFileWriter();  // removes the temporary file unless committed
  RecordFileWriter(const RecordFileWriter&) = delete;
  RecordFileWriter& operator=(const RecordFileWriter&) = delete;

  // False when the temporary file could not be created or a write failed.
  bool Ok() const { return temp_.Ok(); }
  void WriteHeader(const RecordHeader& header);
  void AppendSample(const Sample& sample);
  // Flushes, syncs, closes and renames into place under a name made from `baseName`
  // ("YYMMDDhhmm"); the final path, or nothing on any failure (the temporary is removed).
  std::optional<std::filesystem::path> Commit(const std::string& baseName);
  // Drops what was written.
  void Abort();

 private:
  std::filesystem::path folder_;
  TempFile temp_;
};

}  // namespace oxi
