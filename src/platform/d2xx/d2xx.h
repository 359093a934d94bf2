#pragma once
#include <cstdint>

namespace oxi {

// The converter driver's calls that the link makes, with the driver's own names, argument
// order, status codes and flag values, so the link reads like the protocol it speaks.
using FT_HANDLE = void*;
using FT_STATUS = std::uint32_t;
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using USHORT = std::uint16_t;
using UCHAR = std::uint8_t;

inline constexpr FT_STATUS FT_OK = 0;
inline constexpr FT_STATUS FT_INVALID_HANDLE = 1;
inline constexpr FT_STATUS FT_DEVICE_NOT_FOUND = 2;
inline constexpr FT_STATUS FT_DEVICE_NOT_OPENED = 3;
inline constexpr FT_STATUS FT_IO_ERROR = 4;
inline constexpr FT_STATUS FT_INVALID_PARAMETER = 6;
inline constexpr FT_STATUS FT_OTHER_ERROR = 18;

inline constexpr DWORD FT_LIST_NUMBER_ONLY = 0x80000000;
inline constexpr DWORD FT_LIST_BY_INDEX = 0x40000000;
inline constexpr DWORD FT_OPEN_BY_SERIAL_NUMBER = 1;

inline constexpr UCHAR FT_BITS_8 = 8;
inline constexpr UCHAR FT_STOP_BITS_1 = 0;
inline constexpr UCHAR FT_PARITY_NONE = 0;
inline constexpr USHORT FT_FLOW_RTS_CTS = 0x0100;
inline constexpr ULONG FT_PURGE_RX = 1;
inline constexpr ULONG FT_PURGE_TX = 2;

// Longest serial-number text a listing writes, terminator included.
inline constexpr int kSerialNumberBufferSize = 64;

class D2xx {
 public:
  virtual ~D2xx() = default;
  // (count*, nullptr, FT_LIST_NUMBER_ONLY) or (index as pointer-sized int, char buffer of
  // kSerialNumberBufferSize, FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER).
  virtual FT_STATUS FT_ListDevices(void* arg1, void* arg2, DWORD flags) = 0;
  virtual FT_STATUS FT_OpenEx(const char* serial, DWORD flags, FT_HANDLE* handle) = 0;
  virtual FT_STATUS FT_ResetDevice(FT_HANDLE handle) = 0;
  virtual FT_STATUS FT_SetDivisor(FT_HANDLE handle, USHORT divisor) = 0;
  virtual FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, UCHAR bits, UCHAR stopBits,
                                              UCHAR parity) = 0;
  virtual FT_STATUS FT_SetFlowControl(FT_HANDLE handle, USHORT flow, UCHAR xon, UCHAR xoff) = 0;
  virtual FT_STATUS FT_Purge(FT_HANDLE handle, ULONG mask) = 0;
  virtual FT_STATUS FT_SetTimeouts(FT_HANDLE handle, ULONG readMs, ULONG writeMs) = 0;
  virtual FT_STATUS FT_SetRts(FT_HANDLE handle) = 0;
  virtual FT_STATUS FT_Write(FT_HANDLE handle, const void* data, DWORD size, DWORD* written) = 0;
  // Returns within the converter's latency period, without waiting for more to come.
  virtual FT_STATUS FT_GetQueueStatus(FT_HANDLE handle, DWORD* rxBytes) = 0;
  // Returns as soon as any bytes have arrived (at most `size`), or at the read time-out
  // with none. (The vendor's driver waits for all `size` bytes until its time-out; the
  // backend over it asks for what its receive queue holds.)
  virtual FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, DWORD size, DWORD* returned) = 0;
  virtual FT_STATUS FT_Close(FT_HANDLE handle) = 0;
  // True when the last listing by index or open failed because the operating system
  // refused this program access to the converter (on Linux: no udev rule gives the user
  // the device), so that the user can be told what to do about it.
  virtual bool AccessDenied() const { return false; }
};

}  // namespace oxi
