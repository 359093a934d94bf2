// The window's diagnostics: stderr at once, the log file in the store's folder once known.
#include "app/viewer_log.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "test_files.h"

namespace oxi {
namespace {

// The file's lines without the time each begins with; "?" for a line without it.
std::vector<std::string> LoggedLines(const std::filesystem::path& file) {
  constexpr std::string_view kStamp = "dddd-dd-dd dd:dd:dd ";
  auto stamped = [&](const std::string& line) {
    if (line.size() < kStamp.size()) return false;
    for (std::size_t i = 0; i < kStamp.size(); ++i) {
      const bool digit = std::isdigit(static_cast<unsigned char>(line[i])) != 0;
      if (kStamp[i] == 'd' ? !digit : line[i] != kStamp[i]) return false;
    }
    return true;
  };
  std::vector<std::string> lines;
  std::istringstream in(testing::ReadBytes(file));
  for (std::string line; std::getline(in, line);) {
    lines.push_back(stamped(line) ? line.substr(kStamp.size()) : "?");
  }
  return lines;
}

TEST(ViewerLog, LinesGoToStderrAtOnceAndToTheStoresLogOnceItIsKnown) {
  testing::TempFolder store{"oxi-viewer-log"};
  const std::filesystem::path file = ViewerLogFile(store.Path());
  // Whatever reads the store takes OXI* entries for devices, in any letter case.
  std::string name = PathToUtf8(file.filename());
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(name.substr(0, 3), "oxi");
  EXPECT_EQ(file.parent_path(), store.Path());

  ViewerLog log;
  ::testing::internal::CaptureStderr();
  log.Log("before the store\n");
  EXPECT_FALSE(std::filesystem::exists(file));
  log.OpenFile(file);
  log.Log("two\nlines\n");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "before the store\ntwo\nlines\n");
  EXPECT_EQ(LoggedLines(file), (std::vector<std::string>{"before the store", "two", "lines"}));
}

TEST(ViewerLog, PastItsLimitTheOlderHalfGoes) {
  testing::TempFolder store{"oxi-viewer-log"};
  const std::filesystem::path file = ViewerLogFile(store.Path());
  ViewerLog log;
  log.OpenFile(file);
  const int lines = 40;
  const std::string filler(10 * 1024, '.');
  ::testing::internal::CaptureStderr();
  for (int i = 0; i < lines; ++i) log.Log("line " + std::to_string(i) + filler + "\n");
  ::testing::internal::GetCapturedStderr();
  EXPECT_LE(std::filesystem::file_size(file), kViewerLogLimitBytes);
  const std::vector<std::string> kept = LoggedLines(file);
  // Whole lines only, the newest last, no fewer than half the limit holds.
  ASSERT_GE(kept.size() * filler.size(), kViewerLogLimitBytes / 2 - filler.size());
  ASSERT_LT(kept.size(), static_cast<std::size_t>(lines));
  for (std::size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(kept[i], "line " + std::to_string(lines - kept.size() + i) + filler);
  }
}

}  // namespace
}  // namespace oxi
