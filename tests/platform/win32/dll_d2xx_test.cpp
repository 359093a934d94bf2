// The converter driver DLL as the program loads it: by name at the first call, each
// function looked up by name. The stand-in ftd2xx.dll is on the test prefix's PATH.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "diagnostics_log.h"
#include "monitor/protocol.h"
#include "platform/d2xx/monitor_image.h"
#include "platform/d2xx/win32/dll_d2xx.h"
#include "platform/fs/files.h"
#include "platform/fs/safe_write.h"
#include "platform/ui/process.h"
#include "test_files.h"

namespace oxi {
namespace {

TEST(DriverDll, AMissingDllIsNamedOnceAndNoDeviceIsFound) {
  testing::DiagnosticsLog diagnostics;
  const auto d2xx = LoadD2xxDll(L"oxi-no-such-driver.dll", diagnostics);
  DWORD count = 7;
  EXPECT_EQ(d2xx->FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_DEVICE_NOT_FOUND);
  FT_HANDLE handle = nullptr;
  EXPECT_EQ(d2xx->FT_OpenEx("Kx47SIM0", FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_DEVICE_NOT_FOUND);
  DWORD read = 9;
  char buffer[4];
  EXPECT_EQ(d2xx->FT_Read(handle, buffer, sizeof buffer, &read), FT_INVALID_HANDLE);
  EXPECT_EQ(read, 0u);
  const std::string said = diagnostics.said;
  EXPECT_NE(said.find("oxi-no-such-driver.dll cannot be loaded"), std::string::npos) << said;
  EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
}

TEST(DriverDll, ADllWithoutTheDriversFunctionsIsRefused) {
  testing::DiagnosticsLog diagnostics;
  const auto d2xx = LoadD2xxDll(L"kernel32.dll", diagnostics);
  DWORD count = 0;
  EXPECT_EQ(d2xx->FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_DEVICE_NOT_FOUND);
  const std::string said = diagnostics.said;
  EXPECT_NE(said.find("kernel32.dll has no function FT_ListDevices"), std::string::npos) << said;
}

// The stand-in answers from the image OXI_STANDIN_MONITOR names, read when it is loaded:
// its tests share one image, which lives as long as they run.
class StandInDriver : public ::testing::Test {
 protected:
  // The reply frame of a sector read: STX, the reply text, ETX.
  static constexpr DWORD kReplyFrame = monitor::kSectorReplyTextLength + 2;

  static void SetUpTestSuite() {
    folder_ = new testing::TempFolder{"oxi-driver"};
    const auto image = folder_->Path() / "monitor.img";
    monitor::MonitorImage memory(1000);
    memory.SetDeviceId("DLLTEST00001");
    ASSERT_EQ(memory.Save(image), WriteStatus::kWritten);
    SetEnvironmentValue("OXI_STANDIN_MONITOR", PathToUtf8(image));
  }
  static void TearDownTestSuite() {
    SetEnvironmentValue("OXI_STANDIN_MONITOR", std::nullopt);
    delete folder_;
  }

  // Opens the converter, sets its line up as the link does with this read time-out, and
  // asks for the system sector.
  FT_HANDLE AskSystemSector(ULONG readTimeoutMs) {
    FT_HANDLE handle = nullptr;
    EXPECT_EQ(d2xx->FT_OpenEx("Kx47SIM0", FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_OK);
    EXPECT_EQ(d2xx->FT_ResetDevice(handle), FT_OK);
    EXPECT_EQ(d2xx->FT_SetDivisor(handle, monitor::kLineDivisor), FT_OK);
    EXPECT_EQ(d2xx->FT_SetDataCharacteristics(handle, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE),
              FT_OK);
    EXPECT_EQ(d2xx->FT_SetFlowControl(handle, FT_FLOW_RTS_CTS, 0, 0), FT_OK);
    EXPECT_EQ(d2xx->FT_Purge(handle, FT_PURGE_RX | FT_PURGE_TX), FT_OK);
    EXPECT_EQ(d2xx->FT_SetTimeouts(handle, readTimeoutMs, monitor::kWriteTimeoutMs), FT_OK);
    EXPECT_EQ(d2xx->FT_SetRts(handle), FT_OK);
    const char command[] = "\x02SR,0000\x03";
    DWORD written = 0;
    EXPECT_EQ(d2xx->FT_Write(handle, command, sizeof command - 1, &written), FT_OK);
    EXPECT_EQ(written, sizeof command - 1);
    return handle;
  }

  testing::DiagnosticsLog diagnostics;
  std::unique_ptr<D2xx> d2xx = LoadD2xxDll(kD2xxDriverDll, diagnostics);
  static testing::TempFolder* folder_;
};

testing::TempFolder* StandInDriver::folder_ = nullptr;

TEST_F(StandInDriver, IsFoundByItsOwnNameAndListsItsConverter) {
  DWORD count = 0;
  ASSERT_EQ(d2xx->FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
  EXPECT_EQ(count, 1u);
  char serial[kSerialNumberBufferSize] = {};
  ASSERT_EQ(d2xx->FT_ListDevices(nullptr, serial, FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER),
            FT_OK);
  EXPECT_STREQ(serial, "Kx47SIM0");
}

// The driver's own FT_Read waits for every byte asked for until its time-out, and then
// answers FT_OK with the bytes that came: here the whole reply, half of what was asked.
TEST_F(StandInDriver, DriversReadAskedForTwiceTheReplyGetsItAtTheTimeOut) {
  const FT_HANDLE handle = AskSystemSector(monitor::kReadTimeoutMs);
  const HMODULE dll = GetModuleHandleW(kD2xxDriverDll);
  ASSERT_NE(dll, nullptr);
  using ReadFn = FT_STATUS(WINAPI*)(FT_HANDLE, void*, DWORD, DWORD*);
  const auto read =
      reinterpret_cast<ReadFn>(reinterpret_cast<void*>(GetProcAddress(dll, "FT_Read")));
  std::vector<char> buffer(2 * kReplyFrame);
  DWORD got = 0;
  EXPECT_EQ(read(handle, buffer.data(), 2 * kReplyFrame, &got), FT_OK);
  EXPECT_EQ(got, kReplyFrame);
  EXPECT_EQ(d2xx->FT_Close(handle), FT_OK);
}

// Ours hands over what has come as soon as anything has: the reply is whole long before a
// time-out that would otherwise end every read.
TEST_F(StandInDriver, OurReadHandsOverWhatCameWithoutWaitingForTheTimeOut) {
  constexpr ULONG kLongTimeoutMs = 20000;
  const FT_HANDLE handle = AskSystemSector(kLongTimeoutMs);
  const auto start = std::chrono::steady_clock::now();
  std::string reply;
  for (int reads = 0; reads < 40 && reply.size() < kReplyFrame; ++reads) {
    char chunk[monitor::kReceiveChunkSize];
    DWORD got = 0;
    ASSERT_EQ(d2xx->FT_Read(handle, chunk, sizeof chunk, &got), FT_OK);
    reply.append(chunk, got);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start,
            std::chrono::milliseconds(kLongTimeoutMs / 2));
  // The reply frame carries the ID the image holds, "DLLTEST00001" in hexadecimal digits.
  EXPECT_EQ(reply.size(), kReplyFrame);
  EXPECT_NE(reply.find("444C4C544553543030303031"), std::string::npos) << reply;
  EXPECT_EQ(d2xx->FT_Close(handle), FT_OK);
}

}  // namespace
}  // namespace oxi
