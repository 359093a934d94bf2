#include "store/store_state.h"

#include <algorithm>
#include <system_error>

#include "platform/fs/files.h"
#include "store/record_file.h"
#include "store/stored_records.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDeviceFolderPrefix = "OXI";
constexpr std::size_t kDeviceFolderPrefixLength = 3;
constexpr const char* kCommentFolder = "Comment";

// Printable ASCII, less what a path or a Windows file name cannot hold.
constexpr char kFirstPrintable = ' ';
constexpr char kLastPrintable = '~';
constexpr std::string_view kNotInFileNames = "/\\:*?\"<>|";

bool IsIdCharacter(char c) {
  return c >= kFirstPrintable && c <= kLastPrintable &&
         kNotInFileNames.find(c) == std::string_view::npos;
}

// Windows drops a trailing space or dot from a file name, and a leading one hides or
// misleads: such an ID would not name the same folder everywhere.
bool IsIdEnd(char c) {
  return c != ' ' && c != '.';
}

bool IsFolder(const fs::directory_entry& entry) {
  std::error_code ec;
  return entry.is_directory(ec);
}

// The device folders of the data root, sorted by name so the chooser and the one-device
// case do not depend on the order the file system happens to list them in.
std::vector<std::string> ListDeviceFolders(const fs::path& dataRoot) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dataRoot, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = PathToUtf8(it->path().filename());
    // "OXI" alone names no device.
    if (name.rfind(kDeviceFolderPrefix, 0) == 0 && name.size() > kDeviceFolderPrefixLength &&
        IsFolder(*it)) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  if (names.size() > static_cast<std::size_t>(kMaxDeviceFolders)) names.resize(kMaxDeviceFolders);
  return names;
}

// True when the folder holds an entry of exactly that name, not merely one that a file
// system blind to case finds under it.
bool HoldsExactName(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (PathToUtf8(it->path().filename()) == name) return true;
  }
  return false;
}

}  // namespace

// Twelve characters are never "." or "..".
bool IsSafeDeviceId(std::string_view id) {
  return id.size() == static_cast<std::size_t>(kDeviceIdLength) &&
         std::all_of(id.begin(), id.end(), IsIdCharacter) && IsIdEnd(id.front()) &&
         IsIdEnd(id.back());
}

std::string DeviceFolderName(std::string_view id) {
  return std::string(kDeviceFolderPrefix) + std::string(id);
}

std::string DeviceIdOfFolder(std::string_view folderName) {
  if (folderName.size() <= kDeviceFolderPrefixLength) return "";
  return std::string(folderName.substr(kDeviceFolderPrefixLength, kDeviceIdLength));
}

fs::path DeviceFolder(const StoreState& store, std::string_view id) {
  return store.dataRoot / PathFromUtf8(DeviceFolderName(id));
}

fs::path CommentFolder(const StoreState& store) {
  return DeviceFolder(store, store.currentDeviceId) / kCommentFolder;
}

int EnsureFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return 1;
  // A plain file of that name makes this fail; the store carries on without the folder.
  fs::create_directory(folder, ec);
  return 0;
}

std::optional<fs::path> EnsureDeviceFolder(const StoreState& store, std::string_view id) {
  const fs::path folder = DeviceFolder(store, id);
  EnsureFolder(folder);
  std::error_code ec;
  if (!fs::is_directory(folder, ec) || !HoldsExactName(store.dataRoot, DeviceFolderName(id))) {
    return std::nullopt;
  }
  return folder;
}

void ChooseFirstDevice(StoreState& store) {
  store.currentDeviceId =
      store.deviceFolders.empty() ? kNoDeviceId : DeviceIdOfFolder(store.deviceFolders.front());
}

void StartStore(StoreState& store, const fs::path& workingFolder, const DeviceChooser& choose) {
  std::error_code ec;
  store.startupFolder = fs::absolute(workingFolder, ec);
  if (ec) store.startupFolder = workingFolder;
  EnsureFolder(store.startupFolder / kAppDataFolder);
  store.dataRoot = DataRootBelow(store.startupFolder);
  EnsureFolder(store.dataRoot);

  store.deviceFolders = ListDeviceFolders(store.dataRoot);
  for (const std::string& folder : store.deviceFolders) {
    EnsureFolder(store.dataRoot / PathFromUtf8(folder) / kCommentFolder);
  }
  if (store.deviceFolders.empty()) {
    store.currentDeviceId = kNoDeviceId;
  } else if (store.deviceFolders.size() == 1) {
    store.currentDeviceId = DeviceIdOfFolder(store.deviceFolders[0]);
  } else {
    choose(store);
  }
}

}  // namespace oxi
