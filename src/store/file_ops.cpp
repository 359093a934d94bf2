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

}  // namespace

StoredCopy CompareStoredCopy(const std::filesystem::path& file,
                             std::span<const std::uint8_t> record) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec || !IsWholeRecordSize(size) || !IsWholeRecordSize(record.size())) {
    return StoredCopy::kOther;
  }
  // Only the bytes both have are compared: a longer file must begin with the record.
  const std::size_t common =
      static_cast<std::size_t>(std::min<std::uintmax_t>(size, record.size()));
  std::unique_ptr<std::FILE, FileCloser> in(OpenStream(file, "rb"));
  if (!in) return StoredCopy::kOther;
  std::vector<std::uint8_t> stored(common);
  if (std::fread(stored.data(), 1, common, in.get()) != common ||
      !std::equal(stored.begin(), stored.end(), record.begin())) {
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
