#include "store/record_writer.h"

#include <algorithm>
#include <system_error>

#include "store/file_ops.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTempPrefix = kRecordTempPrefix;
constexpr std::size_t kTempPrefixLength = 5;
constexpr std::size_t kTempRandomLength = 10;
// Letters that tell apart measurements started in the same minute; the first one has none.
constexpr char kFirstSuffix = 'b';
constexpr char kLastSuffix = 'z';
constexpr int kNamesPerMinute = kLastSuffix - kFirstSuffix + 2;

// The k-th name a measurement of `baseName` may take: the plain name, then one letter on.
std::string CandidateName(const std::string& baseName, int k) {
  std::string name = baseName;
  if (k > 0) name += static_cast<char>(kFirstSuffix + k - 1);
  return name + kRecordExtension;
}

bool IsRegularFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(fs::symlink_status(path, ec));
}

// ".tmp-" and ten lower-case letters or digits: the names TempFile gives our records.
bool IsRecordTempName(const std::string& name) {
  return name.size() == kTempPrefixLength + kTempRandomLength &&
         name.compare(0, kTempPrefixLength, kTempPrefix) == 0 &&
         std::all_of(name.begin() + kTempPrefixLength, name.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

}  // namespace

RecordFileWriter::RecordFileWriter(fs::path folder) : folder_(std::move(folder)) {
  temp_.Create(folder_, kTempPrefix);
}

RecordFileWriter::~RecordFileWriter() = default;  // temp_ removes an uncommitted file

void RecordFileWriter::Append(const std::uint8_t* bytes, std::size_t size) {
  if (temp_.Write(bytes, size)) bytes_.insert(bytes_.end(), bytes, bytes + size);
}

void RecordFileWriter::WriteHeader(const RecordHeader& header) {
  const auto bytes = EncodeHeader(header);
  Append(bytes.data(), bytes.size());
}

void RecordFileWriter::AppendSample(const Sample& sample) {
  const auto bytes = EncodeSample(sample);
  Append(bytes.data(), bytes.size());
}

std::vector<fs::path> RecordFileWriter::EarlierCopies(const std::string& baseName,
                                                      CopySearch search) const {
  std::vector<fs::path> copies;
  for (int k = 0; k < kNamesPerMinute; ++k) {
    const fs::path name = folder_ / CandidateName(baseName, k);
    if (IsRegularFile(name)) copies.push_back(name);
  }
  if (search == CopySearch::kWholeFolder) {
    std::vector<fs::path> others;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
      const fs::path& path = it->path();
      if (path.extension() == kRecordExtension && IsRegularFile(path) &&
          std::find(copies.begin(), copies.end(), path) == copies.end()) {
        others.push_back(path);
      }
    }
    std::sort(others.begin(), others.end());
    copies.insert(copies.end(), others.begin(), others.end());
  }
  return copies;
}

std::optional<StoredRecord> RecordFileWriter::Commit(const std::string& baseName,
                                                     CopySearch search) {
  if (!temp_.Ok() || !IsPlainFileName(baseName)) {
    Abort();
    return std::nullopt;
  }
  std::vector<fs::path> shorter;
  for (const fs::path& copy : EarlierCopies(baseName, search)) {
    switch (CompareStoredCopy(copy, bytes_)) {
      case StoredCopy::kSame:
        Abort();
        return StoredRecord{copy, StoredAs::kAlreadyStored};
      case StoredCopy::kLonger:
        Abort();
        return StoredRecord{copy, StoredAs::kStoredLonger};
      case StoredCopy::kShorter:
        shorter.push_back(copy);
        break;
      case StoredCopy::kOther:
        break;
    }
  }
  if (!temp_.Finish()) {
    Abort();
    return std::nullopt;
  }
  std::optional<StoredRecord> placed = Place(baseName, shorter);
  if (!placed) {
    placeError_ = std::make_error_code(std::errc::file_exists);
    Abort();
    return std::nullopt;
  }
  temp_.Release();
  SyncFolder(folder_);
  return placed;
}

std::optional<StoredRecord> RecordFileWriter::Place(const std::string& baseName,
                                                    const std::vector<fs::path>& shorter) {
  // The earlier copy stays whole until the rename puts the flushed longer one in its place.
  if (!shorter.empty()) {
    if (!MoveReplacing(temp_.Path(), shorter.front())) return std::nullopt;
    return StoredRecord{shorter.front(), StoredAs::kExtended};
  }
  for (int k = 0; k < kNamesPerMinute; ++k) {
    const fs::path target = folder_ / CandidateName(baseName, k);
    if (MoveWithoutReplacing(temp_.Path(), target)) return StoredRecord{target, StoredAs::kNew};
  }
  return std::nullopt;
}

void RecordFileWriter::Abort() {
  temp_.Remove();
}

void RemoveStaleTempFiles(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& path = it->path();
    if (!IsRecordTempName(PathToUtf8(path.filename())) || !IsRegularFile(path)) continue;
    const auto age = TimeSinceWritten(path);
    std::error_code removeError;
    if (age && *age >= kStaleTempAge) fs::remove(path, removeError);
  }
}

std::error_code PrepareRecordFolder(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    fs::create_directories(folder, ec);
    if (ec) return ec;
  }
  RemoveStaleTempFiles(folder);
  TempFile probe;
  if (!probe.Create(folder, kTempPrefix)) {
    return probe.Error() ? probe.Error() : std::make_error_code(std::errc::io_error);
  }
  probe.Remove();
  return {};
}

}  // namespace oxi
