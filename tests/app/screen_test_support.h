#pragma once
#include <filesystem>
#include <fstream>
#include <string>

#include "app/calendar.h"
#include "app/main_dialog.h"
#include "app/screen_layout.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/ui/scripted_platform.h"
#include "store/record_file.h"
#include "test_files.h"

namespace oxi::testing {

namespace fs = std::filesystem;

inline constexpr const char* kDeviceA = "0123456789AB";
inline constexpr const char* kDeviceB = "BA9876543210";

inline RecordHeader TestHeader(const std::string& id, int yy, int mo, int dd, int hh, int mi) {
  RecordHeader h;
  for (int i = 0; i < kDeviceIdLength && i < static_cast<int>(id.size()); ++i)
    h.deviceId[i] = id[i];
  h.year = static_cast<std::uint8_t>(yy);
  h.month = static_cast<std::uint8_t>(mo);
  h.day = static_cast<std::uint8_t>(dd);
  h.hour = static_cast<std::uint8_t>(hh);
  h.minute = static_cast<std::uint8_t>(mi);
  h.rate = 10;
  h.fatThickness = 42;
  return h;
}

// A record file of `samples` samples whose StO2 climbs with the minute of its start, so
// that different records draw differently.
inline void WriteRecordFile(const fs::path& path, const RecordHeader& h, int samples) {
  const auto head = EncodeHeader(h);
  std::string bytes(head.begin(), head.end());
  for (int i = 0; i < samples; ++i) {
    const Sample s{static_cast<std::int16_t>(300 + (10 * h.minute + i) % 600),
                   static_cast<std::uint8_t>(80 + i % 90), static_cast<std::uint8_t>(i % 150),
                   static_cast<std::uint8_t>(40 + i % 50)};
    const auto b = EncodeSample(s);
    bytes.append(b.begin(), b.end());
  }
  std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
}

// A main window on a scripted platform over a working folder of its own. Records are
// written into the store before Start(), which runs the window's start-up and first paint.
class Session {
  TempFolder folder_{"oxi-screen"};

 public:
  ScriptedPlatform platform;
  SimulatedD2xx d2xx{platform.GetClock()};
  CMainDialog dialog{platform, d2xx, folder_.Path()};

  explicit Session(LocalTime now = {2008, 3, 15, 9, 30, 0}) {
    platform.now = now;
    platform.SetTarget(&dialog);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  fs::path DataRoot() const { return folder_.Path() / "Application Data" / "StO2"; }

  // Writes a record into the device's folder of the store; returns its name.
  std::string AddRecord(const std::string& id, int yy, int mo, int dd, int hh, int mi,
                        int samples) {
    const fs::path folder = DataRoot() / ("OXI" + id);
    fs::create_directories(folder);
    const RecordHeader h = TestHeader(id, yy, mo, dd, hh, mi);
    WriteRecordFile(folder / RecordFileName(h), h, samples);
    return RecordFileName(h);
  }

  void Start() {
    dialog.OnInitDialog();
    dialog.FullRepaint();
    dialog.OnFirstPaintShown();
  }

  // A point well inside the calendar cell of `day` of the shown month.
  PixelPoint DayPoint(int day) {
    const ScreenState& s = dialog.State();
    const int index = CellIndex(s.shownYear, s.shownMonth, day);
    return {kCalendarControl.x + kCellOriginX + kCellPitch * (index % 10) + 5,
            kCalendarControl.y + kCellOriginY + kCellPitch * (index / 10) + 5};
  }

  // Moves onto the point, presses and releases there, as a quick click does.
  void Click(int x, int y) {
    platform.QueueMove(x, y);
    platform.QueueDown(x, y);
    platform.QueueUp(x, y);
    platform.RunUntilIdle();
  }
  void Click(PixelPoint p) { Click(p.x, p.y); }
  // Moves onto the point and holds the pointer down there for `ms` of virtual time.
  void Hold(int x, int y, std::int64_t ms) {
    platform.QueueMove(x, y);
    platform.QueueDown(x, y);
    platform.QueueUp(x, y, Now() + ms);
    platform.RunUntilIdle();
  }
  std::int64_t Now() { return platform.Virtual().NowMs(); }
  void Move(int x, int y) {
    platform.QueueMove(x, y);
    platform.RunUntilIdle();
  }

  Colorref Pixel(SurfaceId id, int x, int y) const { return dialog.GetSurface(id).Pixel(x, y); }
  ScreenState& State() { return dialog.State(); }
};

}  // namespace oxi::testing
