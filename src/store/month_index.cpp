#include <algorithm>
#include <cctype>
#include <cstdio>
#include <system_error>

#include "platform/fs/folder_reads.h"
#include "store/file_ops.h"
#include "store/record_file.h"
#include "store/store_state.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kDayPosition = 4;  // DD within the ten digits

// Day of the month a record name stands for, from its ten digits; 0 when it has none.
int DayOfName(const std::string& name) {
  if (!StartsWithTenDigits(name)) return 0;
  return (name[kDayPosition] - '0') * 10 + (name[kDayPosition + 1] - '0');
}

// Names in `folder` that look like records of the month "YYMM", in time order. A device
// folder holds years of records: the listing names them without a stat each (only plain
// files: a folder is no record, and opening a pipe would wait forever), and a record's
// name is short enough to be held without an allocation of its own.
std::vector<std::string> MonthCandidates(const fs::path& folder, const std::string& yymm) {
  std::vector<std::string> names = EntryNames(folder, EntryKind::kFile);
  std::erase_if(names, [&yymm](const std::string& name) {
    return !name.starts_with(yymm) || !HasRecordExtension(name) || !StartsWithTenDigits(name);
  });
  std::sort(names.begin(), names.end());
  return names;
}

// The first 12 bytes of a file: the ID of the device that made the record. Empty when the
// file cannot be read or is shorter.
std::string OwnerId(const fs::path& file) {
  std::FILE* f = OpenStream(file, "rb");
  if (!f) return "";
  std::string id(kDeviceIdLength, '\0');
  const std::size_t got = std::fread(id.data(), 1, id.size(), f);
  std::fclose(f);
  return got == id.size() ? id : "";
}

// A record made by another device goes to that device's folder, but only when its ID can
// name a folder of its own inside the data root and nothing there has its name already.
void MoveToOwner(const StoreState& store, const fs::path& file, const std::string& owner) {
  if (!IsSafeDeviceId(owner)) return;
  const std::optional<fs::path> ownerFolder = EnsureDeviceFolder(store, owner);
  if (!ownerFolder) return;
  MoveWithoutReplacing(file, *ownerFolder / file.filename());
}

}  // namespace

// True when the 12 bytes of a record's device ID field name the device `id`.
bool SameDeviceId(std::string_view recordId, std::string_view id) {
  if (recordId.size() != static_cast<std::size_t>(kDeviceIdLength)) return false;
  for (std::size_t k = 0; k < recordId.size(); ++k) {
    if (recordId[k] != (k < id.size() ? id[k] : '\0')) return false;
  }
  return true;
}

DaysWithRecords ScanMonth(StoreState& store, int year, int month) {
  store.monthList.clear();
  char yymm[16];
  std::snprintf(yymm, sizeof yymm, "%02d%02d", year, month);
  const fs::path folder = DeviceFolder(store, store.currentDeviceId);
  // Every record of the month is kept, however many there are: a list cut short would
  // leave the later days of a busy month unmarked although they hold records. Only the
  // day list, which the screen scrolls through, has a bound.
  for (const std::string& name : MonthCandidates(folder, yymm)) {
    const std::string owner = OwnerId(folder / PathFromUtf8(name));
    if (owner.empty()) continue;
    if (SameDeviceId(owner, store.currentDeviceId)) {
      store.monthList.push_back(name);
    } else {
      MoveToOwner(store, folder / PathFromUtf8(name), owner);
    }
  }
  DaysWithRecords days;
  for (const std::string& name : store.monthList) {
    const int day = DayOfName(name);
    if (day >= 1 && day <= kMaxDaysInMonth) days.set(day - 1);
  }
  return days;
}

int SelectDay(StoreState& store, int day) {
  store.dayList.clear();
  for (const std::string& name : store.monthList) {
    if (store.dayList.size() >= static_cast<std::size_t>(kMaxDayRecords)) break;
    if (DayOfName(name) == day) store.dayList.push_back(name);
  }
  return static_cast<int>(store.dayList.size());
}

}  // namespace oxi
