// oxitool download [--root DIR]: the window's Download button without the window. Copies
// the measurements of every monitor plugged in (or simulated through
// OXI_SIMULATED_MONITOR) into DIR/Application Data/StO2, sets the monitors' clocks and
// erases them once everything is on disk. The progress is a bar on the terminal, the
// messages go to stderr; at the end stdout has a line for every record in the store with
// its sample count, for every record named by the download's time, for every measurement
// whose damaged head sector was read as before, and for every measurement left incomplete
// on the monitor. Ctrl-C, SIGTERM and SIGHUP (a closed terminal) cancel as the window's
// Cancel does.
// Exit status 0 when every converter was read and erased, 128 + the signal's number after a
// cancel (130 for Ctrl-C), 1 otherwise.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/console_download.h"
#include "cli/terminal_diagnostics.h"
#include "device/download.h"
#include "platform/d2xx/d2xx_factory.h"
#include "platform/fs/files.h"
#include "platform/ui/process_signals.h"
#include "store/record_file.h"
#include "store/store_state.h"

namespace oxi::cli {
namespace {

constexpr const char* kName = "download";

const char* HowStored(StoredAs how) {
  switch (how) {
    case StoredAs::kNew:
      return "";
    case StoredAs::kExtended:
      return ", replacing a shorter copy";
    case StoredAs::kAlreadyStored:
      return ", already in the store";
    case StoredAs::kStoredLonger:
      return ", the store holds more of it";
  }
  return "";
}

const char* WhyIncomplete(MeasurementEnd end) {
  switch (end) {
    case MeasurementEnd::kWhole:
      return "its record could not be written";
    case MeasurementEnd::kDamaged:
      return "a sector of the wrong type";
    case MeasurementEnd::kUnreadable:
      return "a sector could not be read";
    case MeasurementEnd::kGone:
      return "the monitor went away";
    case MeasurementEnd::kCancelled:
      return "cancelled";
    case MeasurementEnd::kNotRead:
      return "not read";
  }
  return "";
}

// The samples a record file holds.
long StoredSamples(const std::filesystem::path& record) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(record, ec);
  if (ec || size < static_cast<std::uintmax_t>(kRecordHeaderSize)) return 0;
  return static_cast<long>((size - kRecordHeaderSize) / kSampleSize);
}

// What became of each measurement, one line each, for the user and for scripts.
void PrintReport(const DownloadResult& result, const std::filesystem::path& dataRoot) {
  for (const MeasurementReport& m : result.measurements) {
    // Listed with '/' between the names on every system, as the Linux tool lists them.
    const std::string where =
        m.record ? PathToUtf8(std::filesystem::path(
                       m.record->path.lexically_relative(dataRoot).generic_u8string()))
                 : std::string();
    if (m.record) {
      std::printf("record: %s, %ld samples%s\n", where.c_str(), StoredSamples(m.record->path),
                  HowStored(m.record->how));
    }
    if (m.record && m.undated) {
      std::printf("undated: %s, its start time is no real date: named by the download's time\n",
                  where.c_str());
    }
    if (m.damagedHead && m.complete) {
      std::printf(
          "damaged: %s measurement %d (sector %d): its head sector reads as damaged as "
          "before; nothing to store\n",
          m.deviceId.c_str(), m.tableIndex + 1, m.firstSector);
    }
    if (!m.complete) {
      std::printf("incomplete: %s measurement %d (sector %d): %d of %d samples read, %s%s%s\n",
                  m.deviceId.c_str(), m.tableIndex + 1, m.firstSector, m.samplesRead,
                  m.announcedSamples, WhyIncomplete(m.end), m.record ? "; kept in " : "",
                  where.c_str());
    }
  }
}

int RunDownload(const std::vector<std::string>& args) {
  std::filesystem::path root = std::filesystem::current_path();
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--root" && i + 1 < args.size()) {
      root = PathFromUtf8(args[++i]);
    } else {
      return FailUsage(kName);
    }
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(root, ec)) return Fail(PathToUtf8(root) + ": no such folder");
  ConsoleDownloadEvents events;
  TerminalDiagnostics diagnostics;
  std::vector<std::string> problems;
  std::unique_ptr<D2xx> d2xx = MakeD2xxFromEnvironment(events.GetClock(), diagnostics, &problems);
  if (!problems.empty()) {
    for (const std::string& problem : problems) Fail(problem + " (not a monitor memory image)");
    return 1;
  }
  StoreState store;
  StartStore(store, root, ChooseFirstDevice);
  const DownloadResult result = Download(events, *d2xx, store);
  PrintReport(result, store.dataRoot);
  if (result.cancelled) return InterruptExitStatus();
  return result.AllReadAndErased() ? 0 : 1;
}

const CommandRegistration kRegistration(
    {kName, "[--root DIR]",
     "copy every connected monitor's measurements into DIR's store, set its clock, erase it",
     RunDownload});

}  // namespace
}  // namespace oxi::cli
