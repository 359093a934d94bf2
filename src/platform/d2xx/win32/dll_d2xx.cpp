#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/d2xx/win32/dll_d2xx.h"

#include <algorithm>

#include "platform/d2xx/usb_d2xx.h"
#include "platform/text/text_format.h"
#include "platform/text/utf16.h"

namespace oxi {

namespace {

// The driver's entry points, with the parameter types its calls are documented with.
using ListDevicesFn = FT_STATUS(WINAPI*)(void*, void*, DWORD);
using OpenExFn = FT_STATUS(WINAPI*)(void*, DWORD, FT_HANDLE*);
using HandleFn = FT_STATUS(WINAPI*)(FT_HANDLE);
using SetDivisorFn = FT_STATUS(WINAPI*)(FT_HANDLE, USHORT);
using SetDataCharacteristicsFn = FT_STATUS(WINAPI*)(FT_HANDLE, UCHAR, UCHAR, UCHAR);
using SetFlowControlFn = FT_STATUS(WINAPI*)(FT_HANDLE, USHORT, UCHAR, UCHAR);
using PurgeFn = FT_STATUS(WINAPI*)(FT_HANDLE, ULONG);
using SetTimeoutsFn = FT_STATUS(WINAPI*)(FT_HANDLE, ULONG, ULONG);
using TransferFn = FT_STATUS(WINAPI*)(FT_HANDLE, void*, DWORD, DWORD*);
using QueueStatusFn = FT_STATUS(WINAPI*)(FT_HANDLE, DWORD*);

struct Entries {
  ListDevicesFn listDevices = nullptr;
  OpenExFn openEx = nullptr;
  HandleFn resetDevice = nullptr;
  SetDivisorFn setDivisor = nullptr;
  SetDataCharacteristicsFn setDataCharacteristics = nullptr;
  SetFlowControlFn setFlowControl = nullptr;
  PurgeFn purge = nullptr;
  SetTimeoutsFn setTimeouts = nullptr;
  HandleFn setRts = nullptr;
  TransferFn write = nullptr;
  QueueStatusFn getQueueStatus = nullptr;
  TransferFn read = nullptr;
  HandleFn close = nullptr;
};

class DllD2xx : public D2xx {
 public:
  DllD2xx(std::wstring dllName, Diagnostics& diagnostics)
      : dllName_(std::move(dllName)), diagnostics_(diagnostics) {}
  ~DllD2xx() override {
    if (module_) FreeLibrary(module_);
  }
  DllD2xx(const DllD2xx&) = delete;
  DllD2xx& operator=(const DllD2xx&) = delete;

  FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) override {
    if (!Loaded()) return FT_DEVICE_NOT_FOUND;
    return entries_.listDevices(arg1, arg2, flags);
  }
  FT_STATUS FT_OpenEx(const char* serial, DWORD flags, FT_HANDLE* handle) override {
    if (!Loaded()) return FT_DEVICE_NOT_FOUND;
    return entries_.openEx(const_cast<char*>(serial), flags, handle);
  }
  FT_STATUS FT_ResetDevice(FT_HANDLE handle) override {
    return Loaded() ? entries_.resetDevice(handle) : FT_INVALID_HANDLE;
  }
  FT_STATUS FT_SetDivisor(FT_HANDLE handle, USHORT divisor) override {
    return Loaded() ? entries_.setDivisor(handle, divisor) : FT_INVALID_HANDLE;
  }
  FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR bits, UCHAR stopBits,
                                      UCHAR parity) override {
    return Loaded() ? entries_.setDataCharacteristics(handle, bits, stopBits, parity)
                    : FT_INVALID_HANDLE;
  }
  FT_STATUS FT_SetFlowControl(FT_HANDLE handle, USHORT flow, UCHAR xon, UCHAR xoff) override {
    return Loaded() ? entries_.setFlowControl(handle, flow, xon, xoff) : FT_INVALID_HANDLE;
  }
  FT_STATUS FT_Purge(FT_HANDLE handle, ULONG mask) override {
    return Loaded() ? entries_.purge(handle, mask) : FT_INVALID_HANDLE;
  }
  FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readMs, ULONG writeMs) override {
    return Loaded() ? entries_.setTimeouts(handle, readMs, writeMs) : FT_INVALID_HANDLE;
  }
  FT_STATUS FT_SetRts(FT_HANDLE handle) override {
    return Loaded() ? entries_.setRts(handle) : FT_INVALID_HANDLE;
  }
  FT_STATUS FT_Write(FT_HANDLE handle, const void* data, DWORD size, DWORD* written) override {
    *written = 0;
    return Loaded() ? entries_.write(handle, const_cast<void*>(data), size, written)
                    : FT_INVALID_HANDLE;
  }
  FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) override {
    *rxBytes = 0;
    return Loaded() ? entries_.getQueueStatus(handle, rxBytes) : FT_INVALID_HANDLE;
  }
  // The driver's FT_Read waits until every byte asked for has come or the read time-out
  // has run out, while the link wants what has arrived as soon as anything has. So it is
  // asked for no more than its receive queue holds, and, with the queue empty, for one
  // byte, which it waits for up to the time-out; the rest of that byte's packet follows.
  FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD size, DWORD* returned) override {
    *returned = 0;
    if (!Loaded()) return FT_INVALID_HANDLE;
    auto* bytes = static_cast<UCHAR*>(buffer);
    DWORD waiting = 0;
    FT_STATUS status = entries_.getQueueStatus(handle, &waiting);
    if (status == FT_OK && waiting == 0 && size > 0) {
      status = entries_.read(handle, bytes, 1, returned);
      if (status != FT_OK || *returned == 0) return status;
      status = entries_.getQueueStatus(handle, &waiting);
    }
    if (status != FT_OK) return status;
    const DWORD more = std::min(waiting, size - *returned);
    if (more == 0) return FT_OK;
    DWORD got = 0;
    status = entries_.read(handle, bytes + *returned, more, &got);
    *returned += got;
    return status;
  }
  FT_STATUS FT_Close(FT_HANDLE handle) override {
    return Loaded() ? entries_.close(handle) : FT_INVALID_HANDLE;
  }

 private:
  // Loads the DLL and its functions once; afterwards only says whether that worked.
  bool Loaded() {
    if (!tried_) {
      tried_ = true;
      loaded_ = Load();
    }
    return loaded_;
  }

  bool Load() {
    const std::string dll = Utf8FromUtf16(std::wstring_view(dllName_));
    module_ = LoadLibraryW(dllName_.c_str());
    if (!module_) {
      diagnostics_.Log(
          FormatText("%s cannot be loaded (error %lu): the converter's driver is missing\n",
                     dll.c_str(), GetLastError()));
      return false;
    }
    const char* missing = Resolve();
    if (!missing) return true;
    diagnostics_.Log(FormatText("%s has no function %s\n", dll.c_str(), missing));
    FreeLibrary(module_);
    module_ = nullptr;
    return false;
  }

  // Looks up every function by name; the first one missing, or nullptr.
  const char* Resolve() {
    const char* missing = nullptr;
    auto find = [&](auto& entry, const char* name) {
      entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(
          reinterpret_cast<void*>(GetProcAddress(module_, name)));
      if (!entry && !missing) missing = name;
    };
    find(entries_.listDevices, "FT_ListDevices");
    find(entries_.openEx, "FT_OpenEx");
    find(entries_.resetDevice, "FT_ResetDevice");
    find(entries_.setDivisor, "FT_SetDivisor");
    find(entries_.setDataCharacteristics, "FT_SetDataCharacteristics");
    find(entries_.setFlowControl, "FT_SetFlowControl");
    find(entries_.purge, "FT_Purge");
    find(entries_.setTimeouts, "FT_SetTimeouts");
    find(entries_.setRts, "FT_SetRts");
    find(entries_.write, "FT_Write");
    find(entries_.getQueueStatus, "FT_GetQueueStatus");
    find(entries_.read, "FT_Read");
    find(entries_.close, "FT_Close");
    return missing;
  }

  std::wstring dllName_;
  Diagnostics& diagnostics_;
  HMODULE module_ = nullptr;
  bool tried_ = false;
  bool loaded_ = false;
  Entries entries_;
};

}  // namespace

std::unique_ptr<D2xx> LoadD2xxDll(const std::wstring& dllName, Diagnostics& diagnostics) {
  return std::make_unique<DllD2xx>(dllName, diagnostics);
}

// The driver keeps its own time; the clock serves the POSIX backend's read time-out.
std::unique_ptr<D2xx> MakeUsbD2xx(Clock&, Diagnostics& diagnostics) {
  return LoadD2xxDll(kD2xxDriverDll, diagnostics);
}

}  // namespace oxi
