#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/d2xx/simulated_d2xx.h"
#include "platform/d2xx/simulated_line.h"

namespace oxi {

// One simulated converter as the driver sees it: its settings, the line to the monitor
// and the state of the command the monitor is receiving.
class SimulatedD2xx::Port {
 public:
  explicit Port(SimulatedConverter converter) : converter_(std::move(converter)) { Reset(); }

  SimulatedConverter& Converter() { return converter_; }
  SimulatedLine& Line() { return line_; }

  bool open = false;
  bool Unplugged(std::int64_t nowUs) const { return unplugAtUs_ && nowUs >= *unplugAtUs_; }
  std::optional<std::int64_t> UnplugAtUs() const { return unplugAtUs_; }

  // Settings; a reset brings back the converter's defaults.
  void Reset();
  void SetDivisor(std::uint16_t divisor);
  void SetDataCharacteristics(std::uint8_t bits, std::uint8_t stopBits, std::uint8_t parity);
  void SetFlowControl(std::uint16_t flow) { flow_ = flow; }
  void SetRts() { rts_ = true; }
  void SetReadTimeoutMs(std::uint32_t ms) { readTimeoutMs_ = ms; }
  std::uint32_t ReadTimeoutMs() const { return readTimeoutMs_; }

  // The PC sends `bytes` at `nowUs`; the monitor answers every command they complete.
  void Write(const std::uint8_t* bytes, std::uint32_t size, std::int64_t nowUs);

 private:
  // Only with the monitor's line settings and RTS asserted does it hear and answer.
  bool Configured() const;
  void CommandArrived(const std::string& text, std::int64_t atUs);
  std::vector<SimulatedFault> TakeFaults(const std::string& text);
  // The monitor's own answer, unless a fault refuses the command or replaces the answer.
  MonitorAnswer AnswerOrReplacement(const std::string& text,
                                    const std::vector<SimulatedFault>& faults);

  SimulatedConverter converter_;
  SimulatedLine line_;
  std::optional<std::int64_t> unplugAtUs_;
  std::uint16_t divisor_ = 0;
  std::uint8_t bits_ = 0;
  std::uint8_t stopBits_ = 0;
  std::uint8_t parity_ = 0;
  std::uint16_t flow_ = 0;
  bool rts_ = false;
  std::uint32_t readTimeoutMs_ = 0;
  bool inCommand_ = false;
  std::string command_;
};

}  // namespace oxi
