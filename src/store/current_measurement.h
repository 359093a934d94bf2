#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace oxi {

inline constexpr int kInitialSampleCapacity = 3600;
// The main screen's mode once a measurement has been shown (0 before): the mode in which
// the page gets a header and curves and the Save button writes a file.
inline constexpr int kMeasurementShown = 1;

// The in-memory image of the loaded record file: what the graph, the page and the CSV
// file are made from.
struct CurrentMeasurement {
  CurrentMeasurement();

  // The 12 bytes of the record's device ID, as read.
  std::string deviceId;
  // Header values, each held as an int; all 0 before the first load.
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  std::array<int, 3> reserved{};
  int fatThickness = 0;
  int rate = 0;
  int sto2Average = 0;
  int reserved4 = 0;
  int maxHeartRate = 0;
  int currentSetting = 0;
  int announcedSamples = 0;

  // Sample arrays, indexed 0..n-1; they grow for longer records and never shrink.
  std::vector<std::int16_t> sto2;
  std::vector<std::uint8_t> hr;
  std::vector<std::uint8_t> oxhb;
  std::vector<std::uint8_t> dxhb;
  int n = 0;

  std::string title;       // "no-data" until a load found samples
  std::string recordName;  // file name of the record shown; empty at start-up
  // True after a load that failed: the header values are still those of the record
  // before, so nothing may present them as the record just chosen.
  bool headerStale = false;

  // Grows every array to hold at least `samples` entries.
  void EnsureCapacity(int samples);
  bool Valid(int i) const { return sto2[i] >= 0; }
};

// The moving averages of every sample over a centred window of `window` samples, with
// invalid samples carrying the last valid value; what the averaged rows and the printed
// curves are made from.
struct MovingAverages {
  std::vector<int> sto2, hr, oxhb, dxhb, tohb;
};
MovingAverages ComputeMovingAverages(const CurrentMeasurement& m, int window);

}  // namespace oxi
