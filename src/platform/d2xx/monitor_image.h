#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/sectors.h"
#include "platform/fs/safe_write.h"

namespace oxi::monitor {

// The monitor's whole memory as it is: sector k at byte offset 256 x k, sector 0 the
// system sector, sectors 1..ring size the ring. A memory image file holds exactly these
// bytes, nothing before or after.
class MonitorImage {
 public:
  // A freshly erased memory: an empty data table, the given ring size, zeros elsewhere.
  explicit MonitorImage(int ringSize);
  // Nothing when the file cannot be read or is not a whole number of sectors (at least
  // the system sector); `problem`, when given, then says why.
  static std::optional<MonitorImage> Load(const std::filesystem::path& file,
                                          std::string* problem = nullptr);
  // Writes under a unique temporary name and renames, so a reader never sees half an
  // image and nothing placed beside it is followed (the safe writer's rules).
  WriteStatus Save(const std::filesystem::path& file) const;

  int SectorCount() const { return static_cast<int>(sectors_.size()); }
  const SectorBytes& Sector(int n) const { return sectors_[n]; }
  SectorBytes& Sector(int n) { return sectors_[n]; }
  SectorBytes& System() { return sectors_[kSystemSectorNumber]; }
  const SectorBytes& System() const { return sectors_[kSystemSectorNumber]; }
  int RingSize() const { return ReadU16(System(), kRingSizeOffset); }

  void SetDeviceId(std::string_view id);  // the first 12 characters, padded with spaces
  void SetTableEntry(int index, const DataTableEntry& entry);
  // Every entry to 0xFFFF: the memory holds no measurement.
  void ClearDataTable();
  void SetClock(const std::array<std::uint8_t, kClockLength>& bcd);
  std::array<std::uint8_t, kClockLength> Clock() const;

  // Writes a measurement into the ring from `first` on (coming round after the ring's
  // last sector) and returns the ring position after it. Does not touch the data table.
  int WriteMeasurement(int first, const HeadSector& head,
                       const std::vector<MonitorSample>& samples);

 private:
  std::vector<SectorBytes> sectors_;
};

}  // namespace oxi::monitor
