#include "store/stored_records.h"

#include <algorithm>
#include <system_error>

#include "platform/fs/files.h"
#include "platform/fs/folder_reads.h"
#include "store/record_file.h"
#include "store/store_state.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

constexpr int kYearBase = 2000;
constexpr int kDateDigits = 6;  // YYMMDD at the front of a record's name

// The names of the entries of `folder` of that kind, sorted.
std::vector<std::string> SortedNames(const fs::path& folder, EntryKind kind) {
  std::vector<std::string> names = EntryNames(folder, kind);
  std::sort(names.begin(), names.end());
  return names;
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
  for (const std::string& folder : SortedNames(dataRoot, EntryKind::kFolder)) {
    if (folder.rfind(DeviceFolderName(""), 0) != 0) continue;
    const fs::path device = dataRoot / PathFromUtf8(folder);
    for (const std::string& name : SortedNames(device, EntryKind::kFile)) {
      if (!StartsWithTenDigits(name) || !HasRecordExtension(name)) continue;
      records.push_back({folder, device / PathFromUtf8(name), DateOfName(name)});
    }
  }
  return records;
}

}  // namespace oxi
