#include "platform/d2xx/simulated_monitor.h"

#include <charconv>
#include <string>

#include "platform/fs/files.h"

namespace oxi {
namespace {

using namespace monitor;

// "SR,XXXX": mnemonic, separator, sector number.
constexpr int kSectorCommandLength = kMnemonicLength + 1 + kSectorNumberDigits;
// "SC,YYMMDD,hhmmss": mnemonic, separator, six digits, separator, six digits.
constexpr int kClockFieldDigits = 6;
constexpr int kClockCommandLength = kMnemonicLength + 2 * (1 + kClockFieldDigits);
constexpr int kHexBase = 16;

bool StartsWithMnemonic(std::string_view text, const char* mnemonic) {
  return text.substr(0, kMnemonicLength) == mnemonic;
}

MonitorAnswer Refuse() {
  return {{kNak}, {}, 0};
}
MonitorAnswer Accept() {
  return {{kAck}, {}, 0};
}

std::vector<std::uint8_t> Frame(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() + 2);
  bytes.push_back(kStx);
  for (char c : text) bytes.push_back(static_cast<std::uint8_t>(c));
  bytes.push_back(kEtx);
  return bytes;
}

// Two decimal digits as BCD, or -1.
int DigitPairAsBcd(std::string_view two) {
  if (two.size() != 2 || two[0] < '0' || two[0] > '9' || two[1] < '0' || two[1] > '9') return -1;
  return IntToBcd((two[0] - '0') * 10 + (two[1] - '0'));
}

}  // namespace

SimulatedMonitor::SimulatedMonitor(MonitorImage image, std::optional<std::filesystem::path> file,
                                   MonitorReport report)
    : image_(std::move(image)), file_(std::move(file)), report_(std::move(report)) {
  if (file_) fileImage_ = image_;
}

void SimulatedMonitor::Reload() {
  if (!file_) return;
  std::string problem;
  std::optional<MonitorImage> now = MonitorImage::Load(*file_, &problem);
  if (!now) {
    Report("cannot be read again (" + problem + "); the memory read before stays");
    return;
  }
  image_ = *now;
  fileImage_ = std::move(now);
}

void SimulatedMonitor::Report(const std::string& why) const {
  if (report_ && file_) report_(PathToUtf8(*file_) + ": " + why);
}

MonitorAnswer SimulatedMonitor::Answer(std::string_view text) {
  if (StartsWithMnemonic(text, kSectorReadMnemonic)) return ReadSector(text);
  if (StartsWithMnemonic(text, kClockSetMnemonic)) return SetClock(text);
  if (text == kEraseMnemonic) return Erase();
  return Refuse();
}

MonitorAnswer SimulatedMonitor::ReadSector(std::string_view text) {
  if (static_cast<int>(text.size()) != kSectorCommandLength ||
      text[kMnemonicLength] != kFieldSeparator) {
    return Refuse();
  }
  const std::string_view digits = text.substr(kMnemonicLength + 1);
  unsigned sector = 0;
  const auto [end, ec] =
      std::from_chars(digits.data(), digits.data() + digits.size(), sector, kHexBase);
  if (ec != std::errc() || end != digits.data() + digits.size()) return Refuse();
  if (static_cast<int>(sector) >= image_.SectorCount()) return Refuse();
  // The lead echoes the command, so a reply can be told from the one of another sector.
  const std::string lead = std::string(text) + kFieldSeparator;
  return {Frame(EncodeSectorReplyText(lead, image_.Sector(static_cast<int>(sector)))), {}, 0};
}

MonitorAnswer SimulatedMonitor::SetClock(std::string_view text) {
  if (static_cast<int>(text.size()) != kClockCommandLength ||
      text[kMnemonicLength] != kFieldSeparator ||
      text[kMnemonicLength + 1 + kClockFieldDigits] != kFieldSeparator) {
    return Refuse();
  }
  std::array<std::uint8_t, kClockLength> bcd{};
  const std::string_view date = text.substr(kMnemonicLength + 1, kClockFieldDigits);
  const std::string_view time = text.substr(kMnemonicLength + 2 + kClockFieldDigits);
  for (int i = 0; i < kClockLength; ++i) {
    const std::string_view field = i < kClockLength / 2 ? date : time;
    const int value = DigitPairAsBcd(field.substr(2 * (i % (kClockLength / 2)), 2));
    if (value < 0) return Refuse();
    bcd[i] = static_cast<std::uint8_t>(value);
  }
  MonitorImage next = image_;
  next.SetClock(bcd);
  return WriteBack(next) ? Accept() : Refuse();
}

MonitorAnswer SimulatedMonitor::Erase() {
  MonitorImage next = image_;
  next.ClearDataTable();
  if (!WriteBack(next)) return Refuse();
  MonitorAnswer answer = Accept();
  answer.later = Frame(kEraseMnemonic);
  answer.laterDelayMs = eraseDurationMs;
  return answer;
}

bool SimulatedMonitor::WriteBack(const MonitorImage& next) {
  if (file_) {
    const std::optional<MonitorImage> now = MonitorImage::Load(*file_);
    if (!now || !fileImage_ || !(*now == *fileImage_)) {
      Report("changed since it was read; not written back, so the newer file is kept");
      return false;
    }
    const WriteStatus status = next.Save(*file_);
    if (status != WriteStatus::kWritten) {
      Report(std::string("cannot be written back: ") + WriteStatusText(status));
      return false;
    }
    fileImage_ = next;
  }
  image_ = next;
  return true;
}

}  // namespace oxi
