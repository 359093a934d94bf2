#include "store/backup_setting.h"

#include <string>
#include <string_view>

#include "platform/fs/files.h"

namespace oxi {
namespace {

constexpr std::string_view kSection = "[backup]";
constexpr std::string_view kFolderKey = "folder=";

}  // namespace

std::optional<std::filesystem::path> RememberedBackupFolder(const std::filesystem::path& dataRoot) {
  const std::optional<std::string> text = ReadWholeFile(dataRoot / kBackupSettingFile);
  if (!text) return std::nullopt;
  std::size_t start = 0;
  while (start < text->size()) {
    std::size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    std::string_view line(text->data() + start, end - start);
    // A file edited by hand on Windows may have CR LF line ends.
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with(kFolderKey) && line.size() > kFolderKey.size()) {
      return PathFromUtf8(line.substr(kFolderKey.size()));
    }
    start = end + 1;
  }
  return std::nullopt;
}

WriteStatus RememberBackupFolder(const std::filesystem::path& dataRoot,
                                 const std::filesystem::path& folder) {
  const std::string text =
      std::string(kSection) + "\n" + std::string(kFolderKey) + PathToUtf8(folder) + "\n";
  return WriteFileSafely(dataRoot / kBackupSettingFile, text);
}

}  // namespace oxi
