#include "device/commands.h"

#include <cstdio>

#include "monitor/protocol.h"

namespace oxi {
namespace {

using namespace monitor;

// The command carries the low 16 bits of the sector number.
constexpr unsigned kSectorNumberMask = 0xFFFF;
// Room for the longest command text (the clock: 16 characters) and the terminator.
constexpr int kCommandBufferSize = 32;

std::string Framed(const char* text) {
  return std::string(1, static_cast<char>(kStx)) + text + static_cast<char>(kEtx);
}

}  // namespace

std::string SectorReadCommand(int sector) {
  char text[kCommandBufferSize];
  std::snprintf(text, sizeof text, "%s%c%0*X", kSectorReadMnemonic, kFieldSeparator,
                kSectorNumberDigits, static_cast<unsigned>(sector) & kSectorNumberMask);
  return Framed(text);
}

std::string ClockCommand(const LocalTime& time) {
  char text[kCommandBufferSize];
  std::snprintf(text, sizeof text, "%s%c%02d%02d%02d%c%02d%02d%02d", kClockSetMnemonic,
                kFieldSeparator, time.TwoDigitYear(), time.month, time.day, kFieldSeparator,
                time.hour, time.minute, time.second);
  return Framed(text);
}

std::string EraseCommand() {
  return Framed(kEraseMnemonic);
}

bool IsEraseCommand(std::string_view command) {
  // The mnemonic follows the STX.
  return command.size() > kMnemonicLength && command.substr(1, kMnemonicLength) == kEraseMnemonic;
}

}  // namespace oxi
