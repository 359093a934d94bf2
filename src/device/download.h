#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "device/download_events.h"
#include "platform/d2xx/d2xx.h"
#include "store/record_writer.h"
#include "store/store_state.h"

namespace oxi {

// How the work on one listed converter ended.
enum class ConverterOutcome {
  kNotRecognised,       // serial number unreadable or not a monitor's
  kNotOpened,           // the converter could not be opened
  kCommunicationError,  // no usable system sector, or the monitor went away
  kIdRefused,           // the device ID cannot name a folder: nothing read, clock not set
  kStoreNotWritable,    // the device's folder cannot take records: nothing read
  kNoSystemSector,      // the first sector was not a system sector: clock set, nothing read
  kNoMeasurements,      // the monitor held nothing: clock set
  kNotErased,           // something could not be read or stored: the memory was kept
  kCancelled,           // the user stopped the download: clock not set, memory kept
  kEraseFailed,         // everything stored, but the erase was not confirmed
  kErased,              // everything stored and the memory erased
};

// How the reading of one measurement ended.
enum class MeasurementEnd {
  kWhole,       // every sector read, each of the type it should have
  kDamaged,     // a sector came whole but of another type: the monitor's memory holds it so
  kUnreadable,  // a sector could not be read
  kGone,        // the converter or monitor went away
  kCancelled,   // the user stopped the download before the measurement's last sector
  kNotRead,     // the download ended before it came to this measurement
};

// What became of one measurement listed in a monitor's data table.
struct MeasurementReport {
  std::string deviceId;
  int tableIndex = 0;  // its entry in the data table, from 0
  int firstSector = 0;
  int announcedSamples = 0;  // the count the data table gave
  int samplesRead = 0;       // the samples taken from the monitor this time
  MeasurementEnd end = MeasurementEnd::kNotRead;
  std::optional<StoredRecord> record;  // where its samples are in the store
  // The store holds all the monitor can give of it: every sector was read, or the same
  // damage in its memory was read a second time.
  bool complete = false;
  // Named by the download's time, as its own start time is no real date and time.
  bool undated = false;
  // Its head sector was read whole but of another type: no record can be made of it.
  bool damagedHead = false;
};

struct DownloadResult {
  std::vector<ConverterOutcome> converters;     // one per listed converter, in order
  std::vector<MeasurementReport> measurements;  // every measurement met, in order
  bool cancelled = false;                       // the user stopped the download
  // The record file of every measurement that has one in the store.
  std::vector<std::filesystem::path> Records() const;
  // True when converters were found and every one was read and, if it held measurements,
  // erased.
  bool AllReadAndErased() const;
};

// Copies every measurement of every monitor plugged in into the store, sets each
// monitor's clock and erases its memory once all its measurements are safely on disk.
// Reports its progress, its failures and the store's change through `events`; afterwards
// the device read last is the current device. A store that cannot take records ends it
// before anything is asked of a monitor; the user's Cancel ends it after the sector being
// read, with nothing half-written, the clock not set and nothing erased.
DownloadResult Download(DownloadEvents& events, D2xx& d2xx, StoreState& store);

}  // namespace oxi
