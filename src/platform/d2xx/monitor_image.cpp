#include "platform/d2xx/monitor_image.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>

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

std::optional<MonitorImage> MonitorImage::Load(const std::filesystem::path& file,
                                               std::string* problem) {
  const auto refuse = [problem](const std::string& why) {
    if (problem) *problem = why;
    return std::nullopt;
  };
  // Only a plain file: a folder cannot be read and a pipe would wait forever.
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(file, ec);
  if (ec) return refuse(ec.message());
  if (!std::filesystem::is_regular_file(status)) return refuse("not a regular file");
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) return refuse(ec.message());
  if (size == 0 || size > kMaxImageBytes || size % kSectorSize != 0) {
    return refuse(std::to_string(size) + " bytes: not a whole number of 256-byte sectors up to " +
                  std::to_string(kMaxImageBytes) + " bytes");
  }
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> in(OpenStream(file, "rb"));
  if (!in) return refuse(std::error_code(errno, std::generic_category()).message());
  std::vector<char> bytes(static_cast<std::size_t>(size));
  if (std::fread(bytes.data(), 1, bytes.size(), in.get()) != bytes.size()) {
    return refuse("cannot be read whole");
  }
  MonitorImage image(0);
  image.sectors_.resize(bytes.size() / kSectorSize);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    image.sectors_[i / kSectorSize][i % kSectorSize] = static_cast<std::uint8_t>(bytes[i]);
  }
  return image;
}

WriteStatus MonitorImage::Save(const std::filesystem::path& file) const {
  SafeFileWriter writer;
  const WriteStatus begun = writer.Begin(file);
  if (begun != WriteStatus::kWritten) return begun;
  for (const auto& sector : sectors_) writer.Temp().Write(sector.data(), kSectorSize);
  return writer.Commit();
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
      WriteSampleSlot(sector, k, slot, samples[next]);
    }
  }
  return Wrap(first + count, ring);
}

}  // namespace oxi::monitor
