#pragma once
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "store/current_measurement.h"
#include "store/record_file.h"

namespace oxi {

// Opens a record file and reads its header; the samples follow on request. Nothing that
// the file's length or bytes say is trusted before it is checked.
class RecordReader {
 public:
  enum class Status { kOk, kUnreadable, kNotAFile, kTooShort, kTooLarge };

  RecordReader() = default;
  ~RecordReader();
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;

  // Opens `path` and reads its header. Fails without allocating anything for a folder, a
  // file shorter than the header and a file of more than kMaxRecordSamples samples.
  Status Open(const std::filesystem::path& path);
  const RecordHeader& Header() const { return header_; }
  // Samples the file holds, a trailing incomplete one counted.
  long SampleCount() const { return samples_; }
  // Reads the samples into the sample arrays of `m` (grown to hold them) and returns how
  // many were read; the missing bytes of a trailing incomplete sample read as 0.
  int ReadSamples(CurrentMeasurement& m);
  // The header values and the samples into `m`; n becomes the count read.
  void ReadInto(CurrentMeasurement& m);

 private:
  std::FILE* file_ = nullptr;
  RecordHeader header_;
  long samples_ = 0;
};

// The header's values as the current measurement holds them.
void TakeHeaderValues(const RecordHeader& header, CurrentMeasurement& m);

// A whole record file's bytes, already read, into `m` as ReadInto would take them from
// the file (a trailing incomplete sample's missing bytes read as 0); the same checks as Open.
RecordReader::Status DecodeRecord(std::string_view bytes, CurrentMeasurement& m);

// The text of a failed Open, for the command-line tool.
const char* StatusText(RecordReader::Status status);

}  // namespace oxi
