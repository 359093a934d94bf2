#pragma once
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/fs/files.h"
#include "store/record_file.h"

namespace oxi {

// The names of the store's files being written: a leading dot and no .oxi extension, so
// that no month scan or day list can take one for a record.
inline constexpr const char* kRecordTempPrefix = ".tmp-";

// How a committed record stands in the store.
enum class StoredAs {
  kNew,            // under a name of its own: the first free one of its minute
  kExtended,       // it replaced an earlier, shorter copy of the same measurement
  kAlreadyStored,  // the same bytes were there already: nothing was written
  kStoredLonger,   // a copy with these samples and more was there: nothing was written
};

struct StoredRecord {
  std::filesystem::path path;
  StoredAs how = StoredAs::kNew;
};

// Where an earlier copy of the measurement is looked for.
enum class CopySearch {
  kSameMinute,   // the names of its start time's minute
  kWholeFolder,  // every record of the folder: a record named by the download's time (its
                 // own start time names no day) has no name to be found by
};

// Writes one record file so that a record's name never holds half a file: the bytes go to
// a temporary file in the destination folder, are flushed to disk and only then renamed
// into place. One measurement keeps one file however often it is downloaded: the same
// bytes again write nothing, and a longer reading of a measurement whose earlier reading
// was cut short replaces that shorter copy. Another measurement whose name is taken (two
// started in the same minute) gets the first free name with a letter after the ten digits
// (0803150905b.oxi, then c, ...).
class RecordFileWriter {
 public:
  explicit RecordFileWriter(std::filesystem::path folder);
  ~RecordFileWriter();  // removes the temporary file unless committed
  RecordFileWriter(const RecordFileWriter&) = delete;
  RecordFileWriter& operator=(const RecordFileWriter&) = delete;

  // False when the temporary file could not be created or a write failed.
  bool Ok() const { return temp_.Ok(); }
  // The system's reason for the first failure of the temporary file; for a record that
  // found no name to take, "file exists".
  std::error_code Error() const { return temp_.Error() ? temp_.Error() : placeError_; }
  void WriteHeader(const RecordHeader& header);
  void AppendSample(const Sample& sample);
  // Flushes, syncs, closes and renames into place under a name made from `baseName`
  // ("YYMMDDhhmm") unless the store holds the bytes already; where the record now is, or
  // nothing on any failure (the temporary is removed).
  std::optional<StoredRecord> Commit(const std::string& baseName,
                                     CopySearch search = CopySearch::kSameMinute);
  // Drops what was written.
  void Abort();

 private:
  void Append(const std::uint8_t* bytes, std::size_t size);
  // The record files an earlier copy may be among, the minute's names first.
  std::vector<std::filesystem::path> EarlierCopies(const std::string& baseName,
                                                   CopySearch search) const;
  std::optional<StoredRecord> Place(const std::string& baseName,
                                    const std::vector<std::filesystem::path>& shorter);

  std::filesystem::path folder_;
  TempFile temp_;
  std::vector<std::uint8_t> bytes_;  // what went to temp_, to compare with earlier copies
  std::error_code placeError_;
};

// A temporary file of the record writer's that was last written longer ago than this
// belongs to a writer that was killed: one at work writes every few seconds.
inline constexpr std::chrono::hours kStaleTempAge{1};

// Removes the temporary files of the record writer's pattern in `folder` that have not
// been written for kStaleTempAge.
void RemoveStaleTempFiles(const std::filesystem::path& folder);

// Makes `folder` ready to take records: creates it (with its parents) when it is missing,
// removes stale temporary files and tries a new file in it. The system's reason when it
// cannot take records, else an empty error.
std::error_code PrepareRecordFolder(const std::filesystem::path& folder);

}  // namespace oxi
