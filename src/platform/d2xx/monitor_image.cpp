#include "platform/d2xx/monitor_image.h"

#include <cstdio>
#include <memory>
#include <system_error>

#include "platform/fs/safe_write.h"

namespace oxi::monitor {
namespace {

constexpr char kPaddingCharacter = ' ';
// An image is a handful of sectors of a simulated memory; anything far larger is not one.
constexpr std::uintmax_t kMaxImageBytes = 64u * 1024u * 1024u;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Ring position p as a sector number 1..ring, however often p went round.
int Wrap(int p, int ring) {
  return (p - 1) % ring + 1;
}

}  // namespace

MonitorImage::MonitorImage(int ringSize) : sectors_(ringSize + 1) {
  for (auto& sector : sectors_) sector.fill(0);
  WriteU16(System(), kRingSizeOffset, static_cast<std::uint16_t>(ringSize));
  ClearDataTable();
}

std::optional<MonitorImage> MonitorImage::Load(const std::filesystem::path& file) {
  // Only a plain file: a folder cannot be read and a pipe would wait forever.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec || size == 0 || size > kMaxImageBytes || size % kSectorSize != 0) return std::nullopt;
  std::unique_ptr<std::FILE, FileCloser> in(OpenStream(file, "rb"));
  if (!in) return std::nullopt;
  std::vector<char> bytes(static_cast<std::size_t>(size));
  if (std::fread(bytes.data(), 1, bytes.size(), in.get()) != bytes.size()) return std::nullopt;
  MonitorImage image(0);
  image.sectors_.resize(bytes.size() / kSectorSize);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    image.sectors_[i / kSectorSize][i % kSectorSize] = static_cast<std::uint8_t>(bytes[i]);
  }
  return image;
}

bool MonitorImage::Save(const std::filesystem::path& file) const {
  SafeFileWriter writer;
  if (writer.Begin(file) != WriteStatus::kWritten) return false;
  for (const auto& sector : sectors_) writer.Temp().Write(sector.data(), kSectorSize);
  return writer.Commit() == WriteStatus::kWritten;
}

void MonitorImage::SetDeviceId(std::string_view id) {
  for (int i = 0; i < kDeviceIdLength; ++i) {
    const char c = i < static_cast<int>(id.size()) ? id[i] : kPaddingCharacter;
    System()[kDeviceIdOffset + i] = static_cast<std::uint8_t>(c);
  }
}

void MonitorImage::SetTableEntry(int index, const DataTableEntry& entry) {
  WriteTableEntry(System(), index, entry);
}

void MonitorImage::ClearDataTable() {
  for (int i = 0; i < kDataTableEntries; ++i) SetTableEntry(i, {kEndOfTable, kEndOfTable});
}

void MonitorImage::SetClock(const std::array<std::uint8_t, kClockLength>& bcd) {
  for (int i = 0; i < kClockLength; ++i) System()[kClockOffset + i] = bcd[i];
}

std::array<std::uint8_t, kClockLength> MonitorImage::Clock() const {
  std::array<std::uint8_t, kClockLength> bcd{};
  for (int i = 0; i < kClockLength; ++i) bcd[i] = System()[kClockOffset + i];
  return bcd;
}

int MonitorImage::WriteMeasurement(int first, const HeadSector& head,
                                   const std::vector<MonitorSample>& samples) {
  const int ring = RingSize();
  const int count = SectorsFor(static_cast<int>(samples.size()));
  std::size_t next = 0;
  for (int k = 0; k < count; ++k) {
    SectorBytes& sector = Sector(Wrap(first + k, ring));
    sector.fill(0);
    if (k == 0) {
      EncodeHeadSector(head, sector);
    } else {
      sector[kTypeOffset] = kContinuationSectorType;
    }
    for (int slot = 0; slot < SampleSlots(k) && next < samples.size(); ++slot, ++next) {
      WriteSample(sector, SampleSlotOffset(k) + slot * kSampleBytes, samples[next]);
    }
  }
  return Wrap(first + count, ring);
}

}  // namespace oxi::monitor
