#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "device/download.h"
#include "device/link.h"

namespace oxi {

// Pauses that leave the user time to read the dialog's last state.
inline constexpr int kPauseAfterDataMs = 1000;
inline constexpr int kPauseWithoutDataMs = 1500;

// What the work on one converter leaves behind.
struct ConverterRun {
  ConverterOutcome outcome = ConverterOutcome::kNotRecognised;
  std::optional<std::string> takenId;  // the ID of the system sector taken, if any
  int sectorTotal = 0;
};

// The whole work on converter `index` of the driver's list: serial number, open, read,
// clock, erase, close. Appends what became of each measurement to `reports`, which holds
// those of the converters before it too.
ConverterRun DownloadFromConverter(DownloadEvents& events, D2xx& d2xx, StoreState& store,
                                   std::uint32_t index, std::vector<MeasurementReport>& reports);

// The message that names a folder the store cannot write into, and why.
void ReportStoreNotWritable(DownloadEvents& events, const std::filesystem::path& folder,
                            std::error_code reason);

}  // namespace oxi
