#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace oxi {

// The data root of the store kept below `startupFolder`: "Application Data/StO2".
std::filesystem::path DataRootBelow(const std::filesystem::path& startupFolder);

struct StoredRecord {
  std::string deviceFolder;  // "OXI" + device ID
  std::filesystem::path path;
  int date = 0;  // YYYYMMDD of the start, from the name
};

// Every record file of every device folder below `dataRoot`, device folders and then
// names in order; read-only, so nothing is created or moved. Empty when there is no
// store there.
std::vector<StoredRecord> ListStoredRecords(const std::filesystem::path& dataRoot);

}  // namespace oxi
