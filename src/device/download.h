#pragma once
#include <array>
#include <filesystem>
#include <vector>

#include "platform/d2xx/d2xx.h"
#include "platform/gdi/color.h"
#include "platform/ui/platform.h"
#include "store/store_state.h"

namespace oxi {

// How the work on one listed converter ended.
enum class ConverterOutcome {
  kNotRecognised,       // serial number unreadable or not a monitor's
  kNotOpened,           // the converter could not be opened
  kCommunicationError,  // no usable system sector, or the monitor went away
  kNoSystemSector,      // the first sector was not a system sector: clock set, nothing read
  kNoMeasurements,      // the monitor held nothing: clock set
  kNotErased,           // something could not be read or stored: the memory was kept
  kEraseFailed,         // everything stored, but the erase was not confirmed
  kErased,              // everything stored and the memory erased
};

struct DownloadResult {
  std::vector<ConverterOutcome> converters;    // one per listed converter, in order
  std::vector<std::filesystem::path> records;  // the record files written
  // True when converters were found and every one was read and, if it held measurements,
  // erased.
  bool AllReadAndErased() const;
};

// Copies every measurement of every monitor plugged in into the store, sets each
// monitor's clock and erases its memory once all its measurements are safely on disk.
// Shows its progress in the platform's download dialog and its failures in message
// boxes; afterwards the device read last is the current device and the shown month
// (`shownYear` two digits) is scanned anew into `dayTable`.
DownloadResult Download(Platform& platform, D2xx& d2xx, StoreState& store, int shownYear,
                        int shownMonth, std::array<Colorref, 31>& dayTable);

}  // namespace oxi
