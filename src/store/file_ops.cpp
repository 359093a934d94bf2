#include "store/file_ops.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

#include "store/record_file.h"

namespace oxi {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// A header followed by whole samples.
bool IsWholeRecordSize(std::uintmax_t size) {
  return size >= static_cast<std::uintmax_t>(kRecordHeaderSize) &&
         (size - kRecordHeaderSize) % kSampleSize == 0;
}

// True when the next bytes of `in` are `expected`.
bool ReadsAs(std::FILE* in, std::span<const std::uint8_t> expected) {
  std::vector<std::uint8_t> got(expected.size());
  return std::fread(got.data(), 1, got.size(), in) == got.size() &&
         std::equal(got.begin(), got.end(), expected.begin());
}

}  // namespace

StoredCopy CompareStoredCopy(const std::filesystem::path& file,
                             std::span<const std::uint8_t> record) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec || !IsWholeRecordSize(size) || !IsWholeRecordSize(record.size())) {
    return StoredCopy::kOther;
  }
  std::unique_ptr<std::FILE, FileCloser> in(OpenStream(file, "rb"));
  if (!in) return StoredCopy::kOther;
  // The header first, where the files a whole folder's search meets mostly differ; then
  // only the bytes both have: a longer file must begin with the record.
  const std::size_t common =
      static_cast<std::size_t>(std::min<std::uintmax_t>(size, record.size()));
  if (!ReadsAs(in.get(), record.first(kRecordHeaderSize)) ||
      !ReadsAs(in.get(), record.subspan(kRecordHeaderSize, common - kRecordHeaderSize))) {
    return StoredCopy::kOther;
  }
  if (size == record.size()) return StoredCopy::kSame;
  return size < record.size() ? StoredCopy::kShorter : StoredCopy::kLonger;
}

bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

}  // namespace oxi
