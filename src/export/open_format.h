#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/current_measurement.h"

namespace oxi {

// The formats other programs read: FIT for training software, SNIRF for NIRS research
// tools, a plain UTF-8 CSV for anything else.
enum class OpenFormat { kFit, kSnirf, kCsvUtf8 };

struct OpenFormatInfo {
  OpenFormat format;
  const char* name;         // as oxitool takes it
  const char* extension;    // without the dot
  const char* chooserText;  // the save chooser's entry
};

// Every open format, in the order the save chooser offers them.
const std::vector<OpenFormatInfo>& OpenFormats();
const OpenFormatInfo& InfoOf(OpenFormat format);
std::optional<OpenFormat> ParseOpenFormat(std::string_view name);
// False for SNIRF in a build without HDF5.
bool Supported(OpenFormat format);

struct ExportOptions {
  bool byteOrderMark = false;  // UTF-8 CSV only
};

// The file of `m` in `format`, or why there is none.
struct ExportedBytes {
  std::optional<std::string> bytes;
  std::string error;
};
ExportedBytes OpenFormatBytes(OpenFormat format, const CurrentMeasurement& m,
                              const ExportOptions& options);

}  // namespace oxi
