#pragma once
#include <cstdint>

namespace oxi::monitor {

// What crosses the serial line between the PC and the monitor. The link speaks it as the
// host, the simulated monitor as the device; both take every byte from here.

// Control characters.
inline constexpr std::uint8_t kStx = 0x02;  // starts a command and a reply frame
inline constexpr std::uint8_t kEtx = 0x03;  // ends them
inline constexpr std::uint8_t kAck = 0x06;  // command accepted
inline constexpr std::uint8_t kNak = 0x15;  // command refused

// Command texts (the characters between STX and ETX begin with one of these).
inline constexpr char kSectorReadMnemonic[] = "SR";
inline constexpr char kClockSetMnemonic[] = "SC";
inline constexpr char kEraseMnemonic[] = "DE";
inline constexpr int kMnemonicLength = 2;
inline constexpr char kFieldSeparator = ',';

// Line settings: divisor 91.5 on the converter's 3 MHz base (sub-integer code 1 = one
// half in the top two bits), 8 data bits, 1 stop bit, no parity, RTS/CTS.
inline constexpr std::uint16_t kLineDivisor = 0x405B;
inline constexpr int kBitsPerByteOnLine = 10;  // start bit, 8 data bits, stop bit

// Time-outs the link sets on the converter, in ms.
inline constexpr std::uint32_t kReadTimeoutMs = 500;
inline constexpr std::uint32_t kWriteTimeoutMs = 500;

// One read hands over at most this many bytes; a reply text longer than this is cut.
inline constexpr int kReceiveChunkSize = 1000;
inline constexpr int kMaxReplyText = 1000;

// A sector-read reply text: characters the host does not interpret, then the sector's
// bytes as hexadecimal digit pairs, most significant digit first.
inline constexpr int kSectorSize = 256;
inline constexpr int kReplyLeadLength = 8;
inline constexpr int kSectorReplyTextLength = kReplyLeadLength + 2 * kSectorSize;  // 520

// Number of hexadecimal digits of a sector number in the read command.
inline constexpr int kSectorNumberDigits = 4;

}  // namespace oxi::monitor
