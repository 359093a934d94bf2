#pragma once
#include <bitset>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace oxi {

inline constexpr const char* kNoDeviceId = "00099990000Z";
inline constexpr const char* kAppDataFolder = "Application Data";
inline constexpr const char* kDataRootFolder = "StO2";
inline constexpr int kMaxDeviceFolders = 64;
inline constexpr int kMaxDayRecords = 512;
inline constexpr int kMaxDaysInMonth = 31;

// The days of a month that hold records: bit d - 1 stands for day d.
using DaysWithRecords = std::bitset<kMaxDaysInMonth>;

// The folder tree below the data root and the indexes made from it.
struct StoreState {
  std::filesystem::path startupFolder;
  std::filesystem::path dataRoot;          // startupFolder / "Application Data" / "StO2"
  std::vector<std::string> deviceFolders;  // "OXI" + device ID, at most 64
  std::string currentDeviceId = kNoDeviceId;
  std::vector<std::string> monthList;  // record names of the shown month, in time order
  std::vector<std::string> dayList;    // record names of the chosen day, at most 512
};

// True when `id` may name a device folder: 12 characters of printable ASCII without
// / \ : * ? " < > |, neither beginning nor ending with a space or a dot. The monitor's ID
// and the ID a record names go through this before they name a folder.
bool IsSafeDeviceId(std::string_view id);
// True when the 12 bytes of a record's device ID field name the device `id` (an ID shorter
// than 12 characters matches bytes that end in NULs).
bool SameDeviceId(std::string_view recordId, std::string_view id);
// "OXI" + id.
std::string DeviceFolderName(std::string_view id);
std::filesystem::path DeviceFolder(const StoreState& store, std::string_view id);
// The device ID a device folder stands for: up to 12 characters after "OXI".
std::string DeviceIdOfFolder(std::string_view folderName);
// The comment folder of the current device.
std::filesystem::path CommentFolder(const StoreState& store);

// 1 when `folder` exists as a folder; otherwise creates it and returns 0.
int EnsureFolder(const std::filesystem::path& folder);
// The device's folder, created when missing; nothing when it cannot be had under exactly
// its own name: a file is in the way, or (where folder names ignore case, as on Windows)
// the folder of a device whose ID differs only in case holds the name. Devices never share
// a folder.
std::optional<std::filesystem::path> EnsureDeviceFolder(const StoreState& store,
                                                        std::string_view id);

// Chooses the current device when the store holds several: sets `currentDeviceId` to the
// ID of one of `deviceFolders`. The window asks the user; a program without one takes
// the first.
using DeviceChooser = std::function<void(StoreState& store)>;
// The first device folder's ID, which a chooser closed at once would leave.
void ChooseFirstDevice(StoreState& store);

// Sets up the data root below `workingFolder`, lists the device folders, creates their
// comment folders and chooses the current device (through `choose` when there are
// several).
void StartStore(StoreState& store, const std::filesystem::path& workingFolder,
                const DeviceChooser& choose);

// Fills the month list for the current device and tells which days of the month hold its
// records; moves records of other devices found there to their owners' folders.
DaysWithRecords ScanMonth(StoreState& store, int year, int month);
// Fills the day list from the month list; returns its count.
int SelectDay(StoreState& store, int day);

}  // namespace oxi
