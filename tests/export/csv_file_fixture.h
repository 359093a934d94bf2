#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "export/csv_export.h"
#include "platform/fs/files.h"
#include "test_files.h"

namespace oxi {

namespace fs = std::filesystem;

// A folder of its own for the CSV files of one test.
class CsvFile : public ::testing::Test {
 protected:
  static std::string Read(const fs::path& p) { return testing::ReadBytes(p); }
  std::vector<std::string> Entries() const { return testing::Names(folder_); }

  testing::TempFolder temp_{"oxi-csv"};
  const fs::path& folder_ = temp_.Path();
};

}  // namespace oxi
