#include "store/raw_images.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/fs/safe_write.h"
#include "store/store_state.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

// Letters after the stamp for images of the same second: 'b' to 'z'.
constexpr char kFirstSuffix = 'b';
constexpr char kLastSuffix = 'z';

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::error_code LastError() {
  return {errno ? errno : EIO, std::generic_category()};
}

// The reason a write left the name untouched, for the message that names the folder.
std::error_code ReasonOf(WriteStatus status, const TempFile& temp) {
  if (temp.Error()) return temp.Error();
  return std::make_error_code(status == WriteStatus::kCannotCreate ? std::errc::permission_denied
                                                                   : std::errc::io_error);
}

bool HoldsBytes(const fs::path& file, std::string_view bytes) {
  std::string problem;
  const std::optional<std::string> held = ReadRawImageFile(file, bytes.size(), &problem);
  return held && *held == bytes;
}

}  // namespace

fs::path RawFolder(const fs::path& deviceFolder) {
  return deviceFolder / kRawFolder;
}

RawImageWrite WriteRawImage(const fs::path& deviceFolder, const std::string& stamp,
                            std::string_view bytes) {
  const fs::path folder = RawFolder(deviceFolder);
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return {std::nullopt, ec};
  for (char suffix = kFirstSuffix - 1; suffix <= kLastSuffix; ++suffix) {
    const std::string letter = suffix < kFirstSuffix ? "" : std::string(1, suffix);
    const fs::path target = folder / PathFromUtf8(stamp + letter + kRawImageExtension);
    if (HoldsBytes(target, bytes)) return {target, {}};
    SafeFileWriter writer;
    WriteStatus status = writer.Begin(target, Existing::kKeep);
    if (status == WriteStatus::kExists) continue;
    if (status == WriteStatus::kWritten) {
      writer.Temp().Write(bytes);
      status = writer.Commit();
    }
    if (status == WriteStatus::kWritten) return {target, {}};
    if (status != WriteStatus::kExists) return {std::nullopt, ReasonOf(status, writer.Temp())};
  }
  return {std::nullopt, std::make_error_code(std::errc::file_exists)};
}

std::vector<fs::path> ListRawImages(const fs::path& deviceFolder) {
  std::vector<fs::path> images;
  std::error_code ec;
  for (fs::directory_iterator it(RawFolder(deviceFolder), ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code typeError;
    if (it->path().extension() == kRawImageExtension && it->is_regular_file(typeError)) {
      images.push_back(it->path());
    }
  }
  std::sort(images.begin(), images.end());
  return images;
}

RawPrune PruneRawImages(const fs::path& dataRoot, std::size_t keep) {
  RawPrune prune;
  for (const std::string& name : ListDeviceFolders(dataRoot)) {
    const std::vector<fs::path> images = ListRawImages(dataRoot / PathFromUtf8(name));
    const std::size_t excess = images.size() > keep ? images.size() - keep : 0;
    for (std::size_t i = 0; i < excess; ++i) {
      std::error_code ec;
      fs::remove(images[i], ec);
      (ec ? prune.failed : prune.removed).push_back(images[i]);
    }
    if (excess > 0) SyncFolder(RawFolder(dataRoot / PathFromUtf8(name)));
  }
  return prune;
}

std::optional<std::string> ReadRawImageFile(const fs::path& file, std::uintmax_t maxBytes,
                                            std::string* problem) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) {
    *problem = ec ? ec.message() : "not a regular file";
    return std::nullopt;
  }
  const std::uintmax_t size = fs::file_size(file, ec);
  if (ec || size > maxBytes) {
    *problem = ec ? ec.message() : "too large for a raw image";
    return std::nullopt;
  }
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> in(OpenStream(file, "rb"));
  if (!in) {
    *problem = LastError().message();
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (std::fread(bytes.data(), 1, bytes.size(), in.get()) != bytes.size()) {
    *problem = "cannot be read whole";
    return std::nullopt;
  }
  return bytes;
}

}  // namespace oxi
