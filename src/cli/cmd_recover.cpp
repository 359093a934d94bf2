// oxitool recover IMAGE... [--root DIR]: decodes raw images that downloads kept before
// erasing a monitor into record files again, as the download wrote them. Nothing in the
// store is replaced: a record already there byte for byte is not written again, and another
// measurement of the same minute takes the next letter. A line per image on stdout with its
// counts; exit status 1 when an image could not be read or a record not written.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command.h"
#include "device/raw_recovery.h"
#include "platform/fs/files.h"
#include "store/raw_images.h"
#include "store/store_state.h"

namespace oxi::cli {
namespace {

constexpr const char* kName = "recover";
constexpr std::uintmax_t kMaxRawImageBytes =
    monitor::kRawHeaderSize +
    static_cast<std::uintmax_t>(monitor::kRawMaxSectors) * monitor::kRawSectorEntrySize +
    monitor::kRawChecksumSize;

// Recovers one image; false when any of it could not be.
bool RecoverOne(const std::string& name, const StoreState& store) {
  std::string problem;
  const std::optional<std::string> bytes =
      ReadRawImageFile(PathFromUtf8(name), kMaxRawImageBytes, &problem);
  std::optional<monitor::RawImage> image;
  if (bytes) image = monitor::DecodeRawImage(*bytes, &problem);
  if (!image) return Fail(name + ": " + problem) == 0;
  const RawRecovery recovery = RecoverRawImage(*image, store);
  if (!recovery.problem.empty()) return Fail(name + ": " + recovery.problem) == 0;
  std::printf("%s: %d records written, %d already in the store, %d not recovered\n", name.c_str(),
              recovery.written, recovery.alreadyStored, recovery.notRecovered);
  return recovery.notRecovered == 0;
}

int RunRecover(const std::vector<std::string>& args) {
  std::filesystem::path root = std::filesystem::current_path();
  std::vector<std::string> images;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--root" && i + 1 < args.size()) {
      root = PathFromUtf8(args[++i]);
    } else if (!args[i].empty() && args[i][0] != '-') {
      images.push_back(args[i]);
    } else {
      return FailUsage(kName);
    }
  }
  if (images.empty()) return FailUsage(kName, "no image named");
  std::error_code ec;
  if (!std::filesystem::is_directory(root, ec)) return Fail(PathToUtf8(root) + ": no such folder");
  StoreState store;
  StartStore(store, root, ChooseFirstDevice);
  bool ok = true;
  for (const std::string& image : images) ok = RecoverOne(image, store) && ok;
  return ok ? 0 : 1;
}

const CommandRegistration kRegistration(
    {kName, "IMAGE... [--root DIR]",
     "decode raw images a download kept before the erase into DIR's store again", RunRecover});

}  // namespace
}  // namespace oxi::cli
