// Windows lists a folder's entries with their kinds and opens a file by name cheaply
// enough that the standard library's calls serve; what matters is that a record's time
// reads as it always has, which these give.
#include <cstdio>
#include <system_error>

#include "platform/fs/files.h"
#include "platform/fs/folder_reads.h"

namespace oxi {

std::vector<std::string> EntryNames(const std::filesystem::path& folder, EntryKind kind) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code typeError;
    if (kind == EntryKind::kFile ? it->is_regular_file(typeError) : it->is_directory(typeError)) {
      names.push_back(PathToUtf8(it->path().filename()));
    }
  }
  return names;
}

MeasuredRead ReadMeasured(const std::filesystem::path& file, std::uintmax_t maxBytes,
                          std::string& bytes, std::filesystem::file_time_type& modified) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return MeasuredRead::kUnreadable;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) return MeasuredRead::kUnreadable;
  if (size > maxBytes) return MeasuredRead::kTooLarge;
  modified = std::filesystem::last_write_time(file, ec);
  if (ec) return MeasuredRead::kUnreadable;
  std::FILE* f = OpenStream(file, "rb");
  if (!f) return MeasuredRead::kUnreadable;
  bytes.resize(size);
  // A file that shrank since it was measured is read as it is now.
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  return failed ? MeasuredRead::kUnreadable : MeasuredRead::kRead;
}

}  // namespace oxi
