#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace oxi {

// Every device folder keeps the raw images of its downloads in a folder of its own, which
// no month scan or day list takes for records: "OXI<ID>/Raw/<YYYYMMDDhhmmss>.img".
inline constexpr const char* kRawFolder = "Raw";
inline constexpr const char* kRawImageExtension = ".img";

std::filesystem::path RawFolder(const std::filesystem::path& deviceFolder);

struct RawImageWrite {
  std::optional<std::filesystem::path> path;  // where the image is, once durable
  std::error_code error;                      // the system's reason when it is not
};

// Writes an image's bytes durably (flushed, renamed into place, the folder synced) as
// "<stamp>.img" in the device folder's raw folder, which it creates. An image is never
// replaced: a taken name gets the next letter ("<stamp>b.img", ...), and a name that holds
// the same bytes already counts as written.
RawImageWrite WriteRawImage(const std::filesystem::path& deviceFolder, const std::string& stamp,
                            std::string_view bytes);

// The raw images of a device folder, oldest first: their names are the downloads' times.
std::vector<std::filesystem::path> ListRawImages(const std::filesystem::path& deviceFolder);

// Removes all but the newest `keep` raw images of each device folder below `dataRoot`.
// The images removed, and those that could not be.
struct RawPrune {
  std::vector<std::filesystem::path> removed;
  std::vector<std::filesystem::path> failed;
};
RawPrune PruneRawImages(const std::filesystem::path& dataRoot, std::size_t keep);

// The bytes of an image file, at most `maxBytes` of them; nothing, with the reason in
// `problem`, when it cannot be read or is larger (a raw image has a bound).
std::optional<std::string> ReadRawImageFile(const std::filesystem::path& file,
                                            std::uintmax_t maxBytes, std::string* problem);

}  // namespace oxi
