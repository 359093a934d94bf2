// oxitool prune-raw --keep N [--root DIR]: removes each device's oldest raw images, keeping
// its newest N. Downloads keep every image: only this removes any. Lists what it removed;
// exit status 1 when an image could not be removed.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/store_options.h"
#include "platform/fs/files.h"
#include "store/raw_images.h"
#include "store/stored_records.h"

namespace oxi::cli {
namespace {

constexpr const char* kName = "prune-raw";

std::optional<std::size_t> ParseCount(const std::string& text) {
  std::size_t n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return n;
}

int RunPruneRaw(const std::vector<std::string>& args) {
  std::filesystem::path root = std::filesystem::current_path();
  std::optional<std::size_t> keep;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--root" && i + 1 < args.size()) {
      root = PathFromUtf8(args[++i]);
    } else if (args[i] == "--keep" && i + 1 < args.size()) {
      keep = ParseCount(args[++i]);
      if (!keep) return FailUsage(kName, "--keep takes a count of images");
    } else {
      return FailUsage(kName);
    }
  }
  if (!keep) return FailUsage(kName, "--keep N is required");
  const std::string noStore = NoStoreBelow(root);
  if (!noStore.empty()) return Fail(noStore);
  const RawPrune prune = PruneRawImages(DataRootBelow(root), *keep);
  for (const auto& path : prune.removed) std::printf("removed %s\n", PathToUtf8(path).c_str());
  for (const auto& path : prune.failed) Fail(PathToUtf8(path) + ": cannot be removed");
  std::printf("%s raw images removed\n", std::to_string(prune.removed.size()).c_str());
  return prune.failed.empty() ? 0 : 1;
}

const CommandRegistration kRegistration(
    {kName, "--keep N [--root DIR]",
     "remove each device's oldest raw images beyond the newest N (all are kept otherwise)",
     RunPruneRaw});

}  // namespace
}  // namespace oxi::cli
