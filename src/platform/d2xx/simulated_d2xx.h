#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d2xx/d2xx.h"
#include "platform/d2xx/simulated_monitor.h"
#include "platform/ui/clock.h"

namespace oxi {

// A fault the simulated line injects into the answers to matching commands.
struct SimulatedFault {
  enum class Kind {
    kNak,            // the monitor refuses (and does nothing)
    kSilence,        // the monitor does not answer (and does nothing)
    kGarbageBefore,  // `value` noise bytes, an ETX among them, come before the answer
    kSecondStx,      // a frame is started with `value` characters, then sent again whole
    kSplitFrame,     // the answer stops half-way for `value` ms
    kSectorType,     // a sector reply carries `value` as its type byte
    kDelay,          // the answer starts `value` ms late
    kEraseDuration,  // the erase's completion frame follows its ACK after `value` ms
    kUnplug,         // the converter is pulled out `value` ms after the command arrived
    kAnswer,         // the monitor does nothing and `bytes` go out instead of its answer
  };
  Kind kind;
  std::string command = {};  // applies to commands whose text starts so; "" applies to all
  int value = 0;
  int skip = 0;   // matching commands left alone before it applies
  int times = 1;  // matching commands it applies to after that; -1: every one
  std::vector<std::uint8_t> bytes = {};
};

// One converter: its serial number, the monitor behind it (none: nothing answers), the
// faults of its line, and what the PC sent through it.
struct SimulatedConverter {
  std::string serial;
  std::unique_ptr<SimulatedMonitor> monitor;
  std::vector<SimulatedFault> faults;
  bool openFails = false;
  // The system refuses access: the serial number cannot be read.
  bool accessDenied = false;
  // Every FT_Write's bytes, in order.
  std::vector<std::vector<std::uint8_t>> writes;
  // The texts of the commands the monitor received, in order.
  std::vector<std::string> commands;
};

// Converters with monitors behind them, on the line's real timing: 32,787 bit/s at ten
// bits a byte each way, and the converter's way of handing received bytes to the PC in
// USB packets of up to 62 bytes, at the latest when its 16 ms latency timer runs out.
// All time is the injected clock's: with a VirtualClock a read that waits moves the
// clock on, with a SystemClock it sleeps until the bytes are due.
class SimulatedD2xx : public D2xx {
 public:
  explicit SimulatedD2xx(Clock& clock);
  ~SimulatedD2xx() override;

  SimulatedConverter& AddConverter(std::string serial, std::unique_ptr<SimulatedMonitor> monitor);
  SimulatedConverter& Converter(int index);
  // FT_Read calls so far, and how many of them handed over bytes.
  int reads = 0;
  int readsWithBytes = 0;

  FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) override;
  FT_STATUS FT_OpenEx(const char* serial, DWORD flags, FT_HANDLE* handle) override;
  FT_STATUS FT_ResetDevice(FT_HANDLE handle) override;
  FT_STATUS FT_SetDivisor(FT_HANDLE handle, USHORT divisor) override;
  FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR bits, UCHAR stopBits,
                                      UCHAR parity) override;
  FT_STATUS FT_SetFlowControl(FT_HANDLE handle, USHORT flow, UCHAR xon, UCHAR xoff) override;
  FT_STATUS FT_Purge(FT_HANDLE handle, ULONG mask) override;
  FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readMs, ULONG writeMs) override;
  FT_STATUS FT_SetRts(FT_HANDLE handle) override;
  FT_STATUS FT_Write(FT_HANDLE handle, const void* data, DWORD size, DWORD* written) override;
  FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) override;
  FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD size, DWORD* returned) override;
  FT_STATUS FT_Close(FT_HANDLE handle) override;
  bool AccessDenied() const override { return accessDenied_; }

  class Port;

 private:
  Port* Usable(FT_HANDLE handle);
  // FT_INVALID_HANDLE for a handle that is not open, FT_IO_ERROR once the converter has
  // been pulled out, else FT_OK with `port` set.
  FT_STATUS Check(FT_HANDLE handle, Port*& port);
  std::vector<Port*> Present();

  Clock& clock_;
  std::vector<std::unique_ptr<Port>> ports_;
  bool accessDenied_ = false;
};

}  // namespace oxi
