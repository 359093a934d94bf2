#include "store/record_writer.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "store/file_ops.h"

namespace oxi {
namespace {

// A leading dot and no .oxi extension: no month scan or day list can take it for a record.
constexpr const char* kTempTemplate = ".tmp-XXXXXX";
// Letters that tell apart measurements started in the same minute; the first one has none.
constexpr char kFirstSuffix = 'b';
constexpr char kLastSuffix = 'z';

// The k-th name a measurement of `baseName` may take: the plain name, then one letter on.
std::string CandidateName(const std::string& baseName, int k) {
  std::string name = baseName;
  if (k > 0) name += static_cast<char>(kFirstSuffix + k - 1);
  return name + kRecordExtension;
}

// mkstemp makes the file private; a record is as readable as any file the user creates.
void UsualPermissions(int fd) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
}

}  // namespace

RecordFileWriter::RecordFileWriter(std::filesystem::path folder) : folder_(std::move(folder)) {
  std::string pattern = (folder_ / kTempTemplate).string();
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return;
  tempPath_ = pattern;
  UsualPermissions(fd);
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    ::close(fd);
    Abort();
    return;
  }
  ok_ = true;
}

RecordFileWriter::~RecordFileWriter() {
  Abort();
}

void RecordFileWriter::WriteHeader(const RecordHeader& header) {
  const auto bytes = EncodeHeader(header);
  if (ok_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) ok_ = false;
}

void RecordFileWriter::AppendSample(const Sample& sample) {
  const auto bytes = EncodeSample(sample);
  if (ok_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) ok_ = false;
}

std::optional<std::filesystem::path> RecordFileWriter::Commit(const std::string& baseName) {
  if (!ok_ || !IsPlainFileName(baseName)) {
    Abort();
    return std::nullopt;
  }
  const bool flushed = std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed) {
    Abort();
    return std::nullopt;
  }
  for (int k = 0; k <= kLastSuffix - kFirstSuffix + 1; ++k) {
    const std::filesystem::path target = folder_ / CandidateName(baseName, k);
    std::error_code ec;
    if (SameBytes(tempPath_, target)) {
      // The same measurement downloaded again: it takes the place of its earlier copy.
      std::filesystem::rename(tempPath_, target, ec);
      if (ec) break;
    } else if (!MoveWithoutReplacing(tempPath_, target)) {
      continue;
    }
    tempPath_.clear();
    SyncFolder(folder_);
    return target;
  }
  Abort();
  return std::nullopt;
}

void RecordFileWriter::Abort() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!tempPath_.empty()) {
    std::error_code ec;
    std::filesystem::remove(tempPath_, ec);
    tempPath_.clear();
  }
  ok_ = false;
}

}  // namespace oxi
