#include "app/record_render.h"

#include <fstream>
#include <random>
#include <system_error>

#include "app/calendar.h"
#include "app/main_dialog.h"
#include "app/screen_layout.h"
#include "app/scroll_bar_geometry.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/ui/scripted_platform.h"
#include "store/record_file.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

constexpr const char* kAppDataFolder = "Application Data";
constexpr const char* kDataRootFolder = "StO2";
constexpr int kCellPressInset = 5;  // a press a few pixels inside the cell's origin
constexpr int kIndexPerRow = 10;
constexpr int kCentury = 2000;
// Where the pointer rests afterwards: off every drawn control, so that each shows its
// normal look.
constexpr int kRestX = 0;
constexpr int kRestY = kFaceHeight - 1;

// A folder of its own below the system's temporary folder, removed with the object.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::random_device random;
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      fs::path candidate = base / ("oxi-render-" + std::to_string(random()));
      if (fs::create_directory(candidate, ec)) path_ = candidate;
    }
  }
  ~TemporaryFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

std::optional<RecordHeader> ReadHeader(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::array<std::uint8_t, kRecordHeaderSize> bytes{};
  if (!in.read(reinterpret_cast<char*>(bytes.data()), bytes.size())) return std::nullopt;
  return DecodeHeader(bytes.data());
}

// Copies the record into a store below `working` under the name the store gives it.
std::string PlaceRecord(const fs::path& working, const fs::path& file, const RecordHeader& header,
                        std::string_view deviceId) {
  const fs::path folder = working / kAppDataFolder / kDataRootFolder / DeviceFolderName(deviceId);
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return "cannot create a temporary store";
  fs::copy_file(file, folder / RecordFileName(header), ec);
  return ec ? "cannot copy the record into a temporary store" : "";
}

// Drags the graph thumb by `pixels` one pixel at a time, as a hand would.
void DragThumb(ScriptedPlatform& platform, CMainDialog& dialog, int pixels) {
  const ScreenState& s = dialog.State();
  const int grabX = kGraphControl.x + kGraphThumbStart + s.graphOffset + s.graphThumbWidth / 2;
  const int y = kGraphControl.y + (kGraphBarTop + kGraphBarBottom) / 2;
  platform.QueueMove(grabX, y);
  platform.QueueDown(grabX, y);
  for (int step = 1; step <= pixels; ++step) platform.QueueMove(grabX + step, y);
  platform.QueueUp(grabX + pixels, y);
  platform.RunUntilIdle();
}

RenderedGraph Play(const RecordView& view, const RecordHeader& header, const fs::path& working) {
  ScriptedPlatform platform;
  platform.now =
      LocalTime{kCentury + header.year, header.month, header.day, header.hour, header.minute, 0};
  SimulatedD2xx noConverters(platform.GetClock());
  CMainDialog dialog(platform, noConverters, working);
  platform.SetTarget(&dialog);
  dialog.OnInitDialog();
  dialog.FullRepaint();

  const int index = CellIndex(header.year, header.month, header.day);
  const int x = kCalendarControl.x + kCellOriginX + kCellPitch * (index % kIndexPerRow);
  const int y = kCalendarControl.y + kCellOriginY + kCellPitch * (index / kIndexPerRow);
  platform.QueueMove(x + kCellPressInset, y + kCellPressInset);
  platform.QueueDown(x + kCellPressInset, y + kCellPressInset);
  platform.QueueUp(x + kCellPressInset, y + kCellPressInset);
  platform.RunUntilIdle();
  // A record of only a header shows an empty graph; one with samples must have loaded some.
  std::error_code ec;
  const bool hasSamples = fs::file_size(view.recordFile, ec) > kRecordHeaderSize;
  if (dialog.State().screenMode != kMeasurementShown ||
      (hasSamples && dialog.Measurement().n == 0)) {
    return {std::nullopt, "the record cannot be loaded"};
  }
  if (view.windowText) {
    platform.SetWindowEditText(*view.windowText);
    platform.Queue({ScriptedEvent::Kind::kEnter});
    platform.RunUntilIdle();
    if (!platform.MessageBoxes().empty()) return {std::nullopt, "the window must be 1..100"};
  }
  if (view.offset && *view.offset > 0) DragThumb(platform, dialog, *view.offset);
  platform.QueueMove(kRestX, kRestY);
  platform.RunUntilIdle();
  return {dialog.GetSurface(SurfaceId::kGraph), ""};
}

}  // namespace

RenderedGraph RenderRecordGraph(const RecordView& view) {
  const std::optional<RecordHeader> header = ReadHeader(view.recordFile);
  if (!header) return {std::nullopt, "not a record file (shorter than its header)"};
  const std::string_view id(header->deviceId.data(), header->deviceId.size());
  if (!IsSafeDeviceId(id)) return {std::nullopt, "the record's device ID cannot name a folder"};
  if (CellIndex(header->year, header->month, header->day) < 0 || header->month < 1 ||
      header->year > 99) {
    return {std::nullopt, "the record's date is not a day of the calendar"};
  }
  TemporaryFolder working;
  if (working.Path().empty()) return {std::nullopt, "cannot create a temporary folder"};
  if (std::string error = PlaceRecord(working.Path(), view.recordFile, *header, id);
      !error.empty()) {
    return {std::nullopt, error};
  }
  return Play(view, *header, working.Path());
}

}  // namespace oxi
