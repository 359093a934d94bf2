#pragma once
#include <memory>
#include <string>

#include "platform/d2xx/d2xx.h"
#include "platform/ui/clock.h"
#include "platform/ui/diagnostics.h"

namespace oxi {

// The file name of the converter vendor's driver DLL, which its installer puts into the
// system folder.
inline constexpr const wchar_t* kD2xxDriverDll = L"FTD2XX.DLL";

// The converters through a D2XX driver DLL, loaded by name at the first call and looked up
// function by function. When the DLL or one of its functions cannot be found, one line to
// `diagnostics` names it and every call fails (the listing with FT_DEVICE_NOT_FOUND), so the
// download reports that no device is recognised.
std::unique_ptr<D2xx> LoadD2xxDll(const std::wstring& dllName, Diagnostics& diagnostics);

}  // namespace oxi
