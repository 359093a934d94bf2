#include "store/record_writer.h"

#include <system_error>

#include "store/file_ops.h"

namespace oxi {
namespace {

// A leading dot and no .oxi extension: no month scan or day list can take it for a record.
constexpr const char* kTempPrefix = ".tmp-";
// Letters that tell apart measurements started in the same minute; the first one has none.
constexpr char kFirstSuffix = 'b';
constexpr char kLastSuffix = 'z';

// The k-th name a measurement of `baseName` may take: the plain name, then one letter on.
std::string CandidateName(const std::string& baseName, int k) {
  std::string name = baseName;
  if (k > 0) name += static_cast<char>(kFirstSuffix + k - 1);
  return name + kRecordExtension;
}

}  // namespace

RecordFileWriter::RecordFileWriter(std::filesystem::path folder) : folder_(std::move(folder)) {
  temp_.Create(folder_, kTempPrefix);
}

RecordFileWriter::~RecordFileWriter() = default;  // temp_ removes an uncommitted file

void RecordFileWriter::WriteHeader(const RecordHeader& header) {
  const auto bytes = EncodeHeader(header);
  temp_.Write(bytes.data(), bytes.size());
}

void RecordFileWriter::AppendSample(const Sample& sample) {
  const auto bytes = EncodeSample(sample);
  temp_.Write(bytes.data(), bytes.size());
}

std::optional<std::filesystem::path> RecordFileWriter::Commit(const std::string& baseName) {
  if (!temp_.Ok() || !IsPlainFileName(baseName) || !temp_.Finish()) {
    Abort();
    return std::nullopt;
  }
  for (int k = 0; k <= kLastSuffix - kFirstSuffix + 1; ++k) {
    const std::filesystem::path target = folder_ / CandidateName(baseName, k);
    if (SameBytes(temp_.Path(), target)) {
      // The same measurement downloaded again: it takes the place of its earlier copy.
      if (!MoveReplacing(temp_.Path(), target)) break;
    } else if (!MoveWithoutReplacing(temp_.Path(), target)) {
      continue;
    }
    temp_.Release();
    SyncFolder(folder_);
    return target;
  }
  Abort();
  return std::nullopt;
}

void RecordFileWriter::Abort() {
  temp_.Remove();
}

}  // namespace oxi
