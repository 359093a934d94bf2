#pragma once
#include <cstdint>

namespace oxi {

// An FTDI baud-rate divisor: the integer part in the low 14 bits, a sub-integer code in
// the top two (0: none, 1: one half, 2: one quarter, 3: one eighth), dividing the
// converter's 3 MHz base clock.
inline constexpr double kFtdiBaseClockHz = 3'000'000;
inline constexpr std::uint16_t kFtdiIntegerDivisorMask = 0x3FFF;
inline constexpr int kFtdiSubIntegerShift = 14;
inline constexpr double kFtdiSubIntegerFractions[4] = {0, 0.5, 0.25, 0.125};

constexpr double FtdiDivisorValue(std::uint16_t divisor) {
  return (divisor & kFtdiIntegerDivisorMask) +
         kFtdiSubIntegerFractions[divisor >> kFtdiSubIntegerShift];
}

constexpr double FtdiBitsPerSecond(std::uint16_t divisor) {
  return kFtdiBaseClockHz / FtdiDivisorValue(divisor);
}

// The whole bit rate that makes a driver which chooses its own divisor pick `divisor`.
constexpr int FtdiBaudRateFor(std::uint16_t divisor) {
  return static_cast<int>(FtdiBitsPerSecond(divisor) + 0.5);
}

}  // namespace oxi
