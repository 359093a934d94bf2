#include "store/stored_records.h"

#include <algorithm>
#include <system_error>

#include "platform/fs/files.h"
#include "store/record_file.h"
#include "store/store_state.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

constexpr int kYearBase = 2000;
constexpr int kDateDigits = 6;  // YYMMDD at the front of a record's name

// The entries of `folder` that are folders (or else plain files), sorted by name.
std::vector<fs::path> Entries(const fs::path& folder, bool folders) {
  std::vector<fs::path> found;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (folders ? it->is_directory(typeError) : it->is_regular_file(typeError)) {
      found.push_back(it->path());
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

int DateOfName(const std::string& name) {
  return kYearBase * 10000 + std::stoi(name.substr(0, kDateDigits));
}

}  // namespace

fs::path DataRootBelow(const fs::path& startupFolder) {
  return startupFolder / kAppDataFolder / kDataRootFolder;
}

std::vector<StoredRecord> ListStoredRecords(const fs::path& dataRoot) {
  std::vector<StoredRecord> records;
  for (const fs::path& device : Entries(dataRoot, true)) {
    const std::string folder = PathToUtf8(device.filename());
    if (folder.rfind(DeviceFolderName(""), 0) != 0) continue;
    for (const fs::path& file : Entries(device, false)) {
      const std::string name = PathToUtf8(file.filename());
      if (!StartsWithTenDigits(name) || !HasRecordExtension(name)) continue;
      records.push_back({folder, file, DateOfName(name)});
    }
  }
  return records;
}

}  // namespace oxi
