// The converter driver DLL as the program loads it: by name at the first call, each
// function looked up by name. The stand-in ftd2xx.dll is on the test prefix's PATH.
#include <gtest/gtest.h>

#include "diagnostics_log.h"
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

// The stand-in answers from the image OXI_STANDIN_MONITOR names, read at its first call.
TEST(DriverDll, TheDriverFoundByItsOwnNameAnswersTheCalls) {
  testing::TempFolder folder{"oxi-driver"};
  const auto image = folder.Path() / "monitor.img";
  monitor::MonitorImage memory(1000);
  memory.SetDeviceId("DLLTEST00001");
  ASSERT_EQ(memory.Save(image), WriteStatus::kWritten);
  SetEnvironmentValue("OXI_STANDIN_MONITOR", PathToUtf8(image));
  testing::DiagnosticsLog diagnostics;
  const auto d2xx = LoadD2xxDll(kD2xxDriverDll, diagnostics);
  DWORD count = 0;
  ASSERT_EQ(d2xx->FT_ListDevices(&count, nullptr, FT_LIST_NUMBER_ONLY), FT_OK);
  EXPECT_EQ(count, 1u);
  char serial[kSerialNumberBufferSize] = {};
  ASSERT_EQ(d2xx->FT_ListDevices(nullptr, serial, FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER),
            FT_OK);
  EXPECT_STREQ(serial, "Kx47SIM0");
  FT_HANDLE handle = nullptr;
  ASSERT_EQ(d2xx->FT_OpenEx(serial, FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_OK);
  // The line as the monitor speaks it, then the system sector asked for.
  EXPECT_EQ(d2xx->FT_ResetDevice(handle), FT_OK);
  EXPECT_EQ(d2xx->FT_SetDivisor(handle, 0x405B), FT_OK);
  EXPECT_EQ(d2xx->FT_SetDataCharacteristics(handle, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE),
            FT_OK);
  EXPECT_EQ(d2xx->FT_SetFlowControl(handle, FT_FLOW_RTS_CTS, 0, 0), FT_OK);
  EXPECT_EQ(d2xx->FT_Purge(handle, FT_PURGE_RX | FT_PURGE_TX), FT_OK);
  EXPECT_EQ(d2xx->FT_SetTimeouts(handle, 500, 500), FT_OK);
  EXPECT_EQ(d2xx->FT_SetRts(handle), FT_OK);
  const char command[] = "\x02SR,0000\x03";
  DWORD written = 0;
  EXPECT_EQ(d2xx->FT_Write(handle, command, sizeof command - 1, &written), FT_OK);
  EXPECT_EQ(written, sizeof command - 1);
  std::string reply;
  for (int reads = 0; reads < 20 && reply.find('\x03') == std::string::npos; ++reads) {
    DWORD waiting = 0;
    EXPECT_EQ(d2xx->FT_GetQueueStatus(handle, &waiting), FT_OK);
    char chunk[1000];
    DWORD got = 0;
    EXPECT_EQ(d2xx->FT_Read(handle, chunk, sizeof chunk, &got), FT_OK);
    reply.append(chunk, got);
  }
  // The reply frame carries the ID the image holds, "DLLTEST00001" in hexadecimal digits.
  EXPECT_NE(reply.find("444C4C544553543030303031"), std::string::npos) << reply;
  EXPECT_EQ(d2xx->FT_Close(handle), FT_OK);
  SetEnvironmentValue("OXI_STANDIN_MONITOR", std::nullopt);
}

}  // namespace
}  // namespace oxi
