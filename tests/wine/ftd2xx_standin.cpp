// A stand-in for the converter vendor's driver DLL, so that the program's own way of
// loading the driver runs in the tests: built as ftd2xx.dll, it answers the D2XX calls
// with the simulated monitors whose memory images OXI_STANDIN_MONITOR lists (separated
// by ';'), on the real clock, at the converter's line speed, with the faults
// OXI_STANDIN_FAULTS lists (standin_faults.h) on every converter.
//
// Where the vendor's programmer's guide describes the driver otherwise than the simulated
// converter behaves, the stand-in answers as the guide says:
// - FT_Read waits until every byte asked for has come or the read time-out has run out,
//   and then answers FT_OK with what came, none included; without a time-out it waits for
//   them all. (The simulated converter hands over what has arrived at once.)
// - A converter that one program has open cannot be opened by another: FT_OpenEx answers
//   FT_DEVICE_NOT_OPENED. The simulated converters of two programs are one converter when
//   they answer from the same image; the program holding it keeps the image's ".held"
//   file open without sharing, which Windows takes back when the program ends.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "platform/d2xx/d2xx_factory.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/fs/files.h"
#include "platform/ui/process.h"
#include "standin_faults.h"

using oxi::DWORD;
using oxi::FT_HANDLE;
using oxi::FT_STATUS;
using oxi::UCHAR;
using oxi::ULONG;
using oxi::USHORT;

namespace {

constexpr const char* kImagesVariable = "OXI_STANDIN_MONITOR";
constexpr const char* kFaultsVariable = "OXI_STANDIN_FAULTS";
constexpr const wchar_t* kHeldSuffix = L".held";

struct Opened {
  int heldFile = -1;
  std::filesystem::path heldPath;
  ULONG readTimeoutMs = 0;  // none: FT_Read waits for every byte
  ULONG writeTimeoutMs = 0;
};

class StandIn {
 public:
  StandIn() : images_(oxi::SplitImageList(oxi::EnvironmentVariable(kImagesVariable).value_or(""))) {
    d2xx_ = oxi::MakeSimulatedD2xx(clock_, images_);
    auto& simulated = dynamic_cast<oxi::SimulatedD2xx&>(*d2xx_);
    std::string problem;
    const auto faults =
        oxi::standin::ParseFaults(oxi::EnvironmentVariable(kFaultsVariable).value_or(""), &problem);
    if (!faults) std::fprintf(stderr, "ftd2xx stand-in: %s\n", problem.c_str());
    for (std::size_t i = 0; faults && i < images_.size(); ++i) {
      simulated.Converter(static_cast<int>(i)).faults = *faults;
    }
  }

  oxi::D2xx& Converters() { return *d2xx_; }

  FT_STATUS OpenEx(const char* serial, DWORD flags, FT_HANDLE* handle) {
    Opened opened;
    if (const auto image = ImageOf(serial, flags)) {
      opened.heldPath = *image;
      opened.heldPath += kHeldSuffix;
      const errno_t error = _wsopen_s(&opened.heldFile, opened.heldPath.c_str(), _O_RDWR | _O_CREAT,
                                      _SH_DENYRW, _S_IREAD | _S_IWRITE);
      // Another program has it open; where the file cannot be made at all, nobody does.
      if (error == EACCES) return oxi::FT_DEVICE_NOT_OPENED;
      if (error != 0) opened.heldFile = -1;
    }
    const FT_STATUS status = d2xx_->FT_OpenEx(serial, flags, handle);
    if (status == oxi::FT_OK) {
      opened_[*handle] = opened;
    } else {
      Release(opened);
    }
    return status;
  }

  FT_STATUS SetTimeouts(FT_HANDLE handle, ULONG readMs, ULONG writeMs) {
    const FT_STATUS status = d2xx_->FT_SetTimeouts(handle, readMs, writeMs);
    if (status == oxi::FT_OK) {
      opened_[handle].readTimeoutMs = readMs;
      opened_[handle].writeTimeoutMs = writeMs;
    }
    return status;
  }

  // Takes what the simulated converter hands over until `size` bytes have come or the
  // time-out has run out, each turn waiting at most for the time that is left.
  FT_STATUS Read(FT_HANDLE handle, void* buffer, DWORD size, DWORD* returned) {
    *returned = 0;
    const auto found = opened_.find(handle);
    const ULONG timeoutMs = found == opened_.end() ? 0 : found->second.readTimeoutMs;
    const ULONG writeMs = found == opened_.end() ? 0 : found->second.writeTimeoutMs;
    const std::int64_t deadline = clock_.NowMs() + timeoutMs;
    auto* bytes = static_cast<UCHAR*>(buffer);
    while (*returned < size) {
      const std::int64_t left = deadline - clock_.NowMs();
      if (timeoutMs > 0 && left <= 0) break;
      // A time-out of 0 is the simulated converter's wait without end.
      d2xx_->FT_SetTimeouts(handle, timeoutMs > 0 ? static_cast<ULONG>(left) : 0, writeMs);
      DWORD got = 0;
      const FT_STATUS status = d2xx_->FT_Read(handle, bytes + *returned, size - *returned, &got);
      *returned += got;
      if (status != oxi::FT_OK) return status;
    }
    return oxi::FT_OK;
  }

  FT_STATUS Close(FT_HANDLE handle) {
    const FT_STATUS status = d2xx_->FT_Close(handle);
    if (const auto found = opened_.find(handle); found != opened_.end()) {
      Release(found->second);
      opened_.erase(found);
    }
    return status;
  }

 private:
  // The image a converter opened by this serial number answers from.
  std::optional<std::filesystem::path> ImageOf(const char* serial, DWORD flags) const {
    const std::string prefix = oxi::kSimulatedSerialPrefix;
    if (flags != oxi::FT_OPEN_BY_SERIAL_NUMBER || std::string(serial).rfind(prefix, 0) != 0) {
      return std::nullopt;
    }
    const std::string index = std::string(serial).substr(prefix.size());
    for (std::size_t i = 0; i < images_.size(); ++i) {
      if (std::to_string(i) == index) return oxi::PathFromUtf8(images_[i]);
    }
    return std::nullopt;
  }

  static void Release(Opened& opened) {
    if (opened.heldFile < 0) return;
    _close(opened.heldFile);
    opened.heldFile = -1;
    std::error_code ignored;
    std::filesystem::remove(opened.heldPath, ignored);
  }

  oxi::SystemClock clock_;
  std::vector<std::string> images_;
  std::unique_ptr<oxi::D2xx> d2xx_;
  std::map<FT_HANDLE, Opened> opened_;
};

StandIn& Instance() {
  static StandIn standIn;
  return standIn;
}

oxi::D2xx& Converters() {
  return Instance().Converters();
}

}  // namespace

extern "C" {

FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) {
  return Converters().FT_ListDevices(arg1, arg2, flags);
}
FT_STATUS FT_OpenEx(void* serial, DWORD flags, FT_HANDLE* handle) {
  return Instance().OpenEx(static_cast<const char*>(serial), flags, handle);
}
FT_STATUS FT_ResetDevice(FT_HANDLE handle) {
  return Converters().FT_ResetDevice(handle);
}
FT_STATUS FT_SetDivisor(FT_HANDLE handle, USHORT divisor) {
  return Converters().FT_SetDivisor(handle, divisor);
}
FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR bits, UCHAR stopBits, UCHAR parity) {
  return Converters().FT_SetDataCharacteristics(handle, bits, stopBits, parity);
}
FT_STATUS FT_SetFlowControl(FT_HANDLE handle, USHORT flow, UCHAR xon, UCHAR xoff) {
  return Converters().FT_SetFlowControl(handle, flow, xon, xoff);
}
FT_STATUS FT_Purge(FT_HANDLE handle, ULONG mask) {
  return Converters().FT_Purge(handle, mask);
}
FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readMs, ULONG writeMs) {
  return Instance().SetTimeouts(handle, readMs, writeMs);
}
FT_STATUS FT_SetRts(FT_HANDLE handle) {
  return Converters().FT_SetRts(handle);
}
FT_STATUS FT_Write(FT_HANDLE handle, void* data, DWORD size, DWORD* written) {
  return Converters().FT_Write(handle, data, size, written);
}
FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) {
  return Converters().FT_GetQueueStatus(handle, rxBytes);
}
FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD size, DWORD* returned) {
  return Instance().Read(handle, buffer, size, returned);
}
FT_STATUS FT_Close(FT_HANDLE handle) {
  return Instance().Close(handle);
}

}  // extern "C"
