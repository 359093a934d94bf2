// A whole Download from a simulated monitor whose memory and line faults the fuzzer
// chooses, on a virtual clock. Whatever happens, nothing is written outside the data
// root, no temporary file is left, every record file is a header and whole samples copied
// from what the monitor held, and the memory is erased only when every measurement it
// listed is stored whole.
// Input: a fault count (0..3), six bytes per fault (kind, command, value high and low,
// skip, times; a replaced answer's bytes follow), then the memory image.
#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/download_view.h"
#include "device/download.h"
#include "fuzz_support.h"
#include "platform/d2xx/monitor_image.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/ui/scripted_platform.h"
#include "store/damage_note.h"
#include "store/record_file.h"
#include "store/store_state.h"

namespace oxi::fuzz {
namespace {

namespace fs = std::filesystem;
using namespace monitor;
using Bytes = std::string;
using Kind = SimulatedFault::Kind;

constexpr int kMaxFaults = 3;
constexpr int kMaxSectors = 33;
constexpr int kKinds = static_cast<int>(Kind::kAnswer) + 1;
constexpr int kMaxAnswerBytes = 64;
constexpr int kMaxTimes = 3;  // 0..2 commands, or every one

std::string FaultCommand(std::uint8_t selector) {
  constexpr const char* kCommands[] = {"", "SR", "SR,0000", "SC", "DE"};
  constexpr int kFixed = static_cast<int>(std::size(kCommands));
  if (selector % (kFixed + 1) < kFixed) return kCommands[selector % (kFixed + 1)];
  char text[8];
  std::snprintf(text, sizeof text, "SR,%04X", selector / (kFixed + 1) % kMaxSectors);
  return text;
}

std::vector<SimulatedFault> TakeFaults(Input& in) {
  std::vector<SimulatedFault> faults;
  const int count = in.Byte() % (kMaxFaults + 1);
  for (int i = 0; i < count; ++i) {
    SimulatedFault f{static_cast<Kind>(in.Byte() % kKinds)};
    f.command = FaultCommand(in.Byte());
    f.value = in.U16();
    f.skip = in.Byte() % 4;
    const int times = in.Byte() % (kMaxTimes + 1);
    f.times = times == kMaxTimes ? -1 : times;
    if (f.kind == Kind::kAnswer) {
      const std::string_view bytes = in.Bytes(f.value % kMaxAnswerBytes);
      f.bytes.assign(bytes.begin(), bytes.end());
    }
    faults.push_back(std::move(f));
  }
  return faults;
}

MonitorImage TakeImage(Input& in) {
  const std::string_view rest = in.Bytes(static_cast<std::size_t>(kMaxSectors) * kSectorSize);
  const int sectors =
      std::max<int>(1, static_cast<int>((rest.size() + kSectorSize - 1) / kSectorSize));
  std::string bytes(rest);
  bytes.resize(static_cast<std::size_t>(sectors) * kSectorSize, '\0');
  // Grow the image sector by sector: the constructor makes the system sector and one
  // ring sector; the ring size itself comes from the fuzzer's system sector.
  std::vector<SectorBytes> all(sectors);
  for (int s = 0; s < sectors; ++s) {
    std::copy_n(bytes.begin() + static_cast<long>(s) * kSectorSize, kSectorSize, all[s].begin());
  }
  MonitorImage sized(sectors - 1);
  for (int s = 0; s < sectors; ++s) sized.Sector(s) = all[s];
  return sized;
}

// Faults that make a sector reply say what the memory does not hold: a replaced answer
// (anything may come), a changed type byte (the record may take a sector the memory marks
// otherwise, so the check goes by the sectors' places alone).
struct Forgery {
  bool answers = false;
  bool types = false;
};

// The record file a table entry must give, as far as the memory can give it: the
// measurement's header and the samples of the sectors that are there and of the right
// type. `whole` tells whether every sector was.
struct ExpectedRecord {
  Bytes header;
  Bytes samples;
  bool whole = true;
};

void PutLe16(Bytes& b, std::uint16_t v) {
  b += static_cast<char>(v & 0xFF);
  b += static_cast<char>(v >> 8);
}

Bytes HeaderOf(const std::string& id, const SectorBytes& head, std::uint16_t announced) {
  Bytes b = id;
  for (int i = 0; i < kStartTimeLength; ++i)
    b += static_cast<char>(BcdToInt(head[kStartTimeOffset + i]));
  for (int i = 0; i < kHeadReservedLength; ++i)
    b += static_cast<char>(head[kHeadReservedOffset + i]);
  b += static_cast<char>(head[kFatThicknessOffset]);
  b += static_cast<char>(head[kRateOffset]);
  PutLe16(b, ReadU16(head, kSto2AverageOffset));
  b += static_cast<char>(head[kHeadReserved4Offset]);
  b += static_cast<char>(head[kMaxHeartRateOffset]);
  b += static_cast<char>(head[kCurrentSettingOffset]);
  PutLe16(b, announced);
  return b;
}

std::optional<ExpectedRecord> Expect(const MonitorImage& image, const SystemSector& system,
                                     const DataTableEntry& entry, bool typesForged) {
  ExpectedRecord r;
  int taken = 0;
  for (int k = 0; k < SectorsFor(entry.sampleCount); ++k) {
    const int sector =
        RingSector(static_cast<std::int32_t>(entry.firstSector) + k, system.ringSize);
    const std::uint8_t type = k == 0 ? kHeadSectorType : kContinuationSectorType;
    if (sector < 0 || sector >= image.SectorCount() ||
        (!typesForged && image.Sector(sector)[kTypeOffset] != type)) {
      r.whole = false;
      break;
    }
    const SectorBytes& bytes = image.Sector(sector);
    if (k == 0) r.header = HeaderOf(system.deviceId, bytes, entry.sampleCount);
    for (int slot = 0; slot < SampleSlots(k) && taken < entry.sampleCount; ++slot, ++taken) {
      const int at = SampleSlotOffset(k) + slot * kSampleBytes;
      PutLe16(r.samples, ReadU16(bytes, at));
      for (int i = 2; i < kSampleBytes; ++i) r.samples += static_cast<char>(bytes[at + i]);
    }
  }
  if (r.header.empty()) return std::nullopt;
  return r;
}

// Everything below `work` lies below the data root; nothing else appeared in `scratch`.
void CheckPlaces(const fs::path& scratch, const fs::path& work, const fs::path& dataRoot) {
  for (const auto& e : fs::directory_iterator(scratch)) {
    Check(e.path() == work, "something written beside the working folder", e.path().string());
  }
  const std::string root = dataRoot.string() + "/";
  for (const auto& e : fs::recursive_directory_iterator(work)) {
    Check(!e.is_symlink(), "a link was made", e.path().string());
    const std::string p = e.path().string() + (e.is_directory() ? "/" : "");
    Check(p.rfind(root, 0) == 0 || root.rfind(p, 0) == 0, "written outside the data root", p);
  }
}

// The record files of the device folder: each whole, each what the memory held (or the
// first part of it), and, when the memory was erased, one whole copy of every measurement.
void CheckRecords(const fs::path& folder, const MonitorImage& before, bool erased,
                  const Forgery& forged) {
  const SystemSector system = DecodeSystemSector(before.System());
  std::vector<Bytes> files;
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    const std::string name = e.path().filename().string();
    if (e.is_directory()) continue;
    if (IsDamageNoteName(name)) {
      // The note of a damaged head read once; an erase takes the notes with it.
      Check(!erased, "a damage note left after the erase", name);
      continue;
    }
    Check(e.path().extension() == kRecordExtension, "a stray file in the device folder", name);
    const Bytes bytes = ReadFile(e.path());
    Check(bytes.size() >= static_cast<std::size_t>(kRecordHeaderSize) &&
              (bytes.size() - kRecordHeaderSize) % kSampleSize == 0,
          "a record file holding part of a sample", name);
    files.push_back(bytes);
    names.push_back(name);
  }
  if (forged.answers) return;
  std::vector<ExpectedRecord> expected;
  for (const DataTableEntry& entry : system.table) {
    const auto r = Expect(before, system, entry, forged.types);
    Check(!erased || (r && r->whole), "erased although a measurement could not be whole");
    if (r) expected.push_back(*r);
  }
  for (std::size_t f = 0; f < files.size(); ++f) {
    const Bytes& file = files[f];
    const bool matches =
        std::any_of(expected.begin(), expected.end(), [&](const ExpectedRecord& r) {
          return file.compare(0, kRecordHeaderSize, r.header) == 0 &&
                 r.samples.compare(0, file.size() - kRecordHeaderSize, file, kRecordHeaderSize) ==
                     0;
        });
    Check(matches, "a record file that is not what the monitor held",
          names[f] + " (" + std::to_string(file.size()) + " bytes)");
  }
  if (!erased) return;
  for (const ExpectedRecord& r : expected) {
    Check(std::find(files.begin(), files.end(), r.header + r.samples) != files.end(),
          "erased without a whole record of every measurement");
  }
}

Forgery ForgeryOf(const std::vector<SimulatedFault>& faults) {
  Forgery forged;
  for (const SimulatedFault& f : faults) {
    if (!f.command.empty() && f.command.rfind("SR", 0) != 0) continue;
    forged.answers = forged.answers || f.kind == Kind::kAnswer;
    forged.types = forged.types || f.kind == Kind::kSectorType;
  }
  return forged;
}

}  // namespace
}  // namespace oxi::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace oxi;
  using namespace oxi::fuzz;
  Input in(data, size);
  std::vector<SimulatedFault> faults = TakeFaults(in);
  const monitor::MonitorImage before = TakeImage(in);

  const fs::path scratch = Scratch::Fresh();
  const fs::path work = scratch / "work";
  fs::create_directories(work);
  ScriptedPlatform platform;
  SimulatedD2xx d2xx(platform.Virtual());
  const Forgery forged = ForgeryOf(faults);
  d2xx.AddConverter("Kx47FUZZ", std::make_unique<SimulatedMonitor>(before)).faults =
      std::move(faults);
  StoreState store;
  StartStore(store, work, ChooseFirstDevice);
  WindowDownloadEvents events(platform);
  const DownloadResult result = Download(events, d2xx, store);

  CheckPlaces(scratch, work, store.dataRoot);
  for (const fs::path& record : result.Records()) {
    Check(fs::is_regular_file(record), "a reported record is missing", record.string());
  }
  const monitor::SystemSector was = monitor::DecodeSystemSector(before.System());
  const monitor::SystemSector now =
      monitor::DecodeSystemSector(d2xx.Converter(0).monitor->Image().System());
  const bool erased = !was.table.empty() && now.table.empty();
  if (!IsSafeDeviceId(was.deviceId)) {
    Check(!erased, "erased a monitor whose ID was refused");
    return 0;
  }
  CheckRecords(DeviceFolder(store, was.deviceId), before, erased, forged);
  return 0;
}
