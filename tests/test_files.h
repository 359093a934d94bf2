#pragma once
// Folders and files of the tests, the same on every operating system.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/fs/files.h"

namespace oxi::testing {

// A fresh folder of its own under the system's temporary folder, named `tag` and a random
// tail, removed with everything in it when it goes.
class TempFolder {
 public:
  explicit TempFolder(const std::string& tag = "oxi-test") {
    static std::mt19937 random{std::random_device{}()};
    const auto base = std::filesystem::temp_directory_path();
    std::error_code ec;
    do {
      path_ = base / (tag + "-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_, ec));
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Writes the bytes as the file's whole content, making its folders first.
inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The names in a folder as UTF-8, sorted.
inline std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    names.push_back(PathToUtf8(e.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Marks the file read-only (no write permission for anyone; on Windows its read-only
// attribute), or writable again, which Windows needs before the file can be removed.
inline void SetReadOnly(const std::filesystem::path& file, bool readOnly) {
  using std::filesystem::perm_options;
  using std::filesystem::perms;
  const perms write = perms::owner_write | perms::group_write | perms::others_write;
  std::filesystem::permissions(file, write, readOnly ? perm_options::remove : perm_options::add);
}

}  // namespace oxi::testing
