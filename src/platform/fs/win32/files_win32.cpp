#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// After windows.h: the C runtime's handle and stream calls.
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "platform/fs/backend.h"
#include "platform/fs/files.h"

namespace oxi {
namespace {

constexpr int kNameAttempts = 100;

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                      nullptr, nullptr);
  return utf8;
}

}  // namespace

bool fs_backend::FlushToMedium(std::FILE* file) {
  return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
}

bool fs_backend::IsReadOnly(const std::filesystem::path& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool fs_backend::NamesDevice(const std::filesystem::path& target) {
  // The system's own reading of the name: a device name (CON, AUX.csv, COM1, ...) comes
  // back as the device's path, "\\.\NAME", wherever it stands.
  constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";
  wchar_t full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameW(target.c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH &&
         std::wstring_view(full, length).starts_with(kDevicePrefix);
}

bool fs_backend::HeldOpenElsewhere(const std::filesystem::path& file) {
  // A rename over the file needs to delete it; a program that opened it without sharing
  // deletion forbids that for as long as it holds the file.
  HANDLE handle =
      CreateFileW(file.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
  }
  CloseHandle(handle);
  return false;
}

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
  // A device is no file, and opening one (a serial port) may wait on it.
  if (fs_backend::NamesDevice(path)) return std::nullopt;
  // No access asked: opening to look conflicts with no other program's sharing.
  HANDLE handle =
      CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  if (!known) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(Widen(utf8));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  return Narrow(path.native());
}

std::FILE* OpenStream(const std::filesystem::path& path, const char* mode) {
  return _wfopen(path.c_str(), Widen(mode).c_str());
}

bool TempFile::Create(const std::filesystem::path& folder, const std::string& prefix,
                      const std::filesystem::path* /*permissionsOf*/) {
  // Windows has no mode bits to carry over; the new file inherits the folder's ACL as the
  // replaced one did.
  Remove();
  error_.clear();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::filesystem::path candidate = folder / PathFromUtf8(prefix + RandomNameTail());
    // CREATE_NEW fails on any existing name, a link placed there included.
    HANDLE handle = CreateFileW(candidate.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      error_ = std::error_code(static_cast<int>(error), std::system_category());
      return false;
    }
    path_ = candidate;
    // The handle becomes a stream only with room in the C runtime's tables. A full table is
    // the one reason it can fail here, and msvcrt does not always say so in errno; the
    // reason is kept, as for any other failure to create, before the file goes again.
    const auto keepReason = [this] {
      NoteFailure();
      if (!error_) error_ = std::make_error_code(std::errc::too_many_files_open);
    };
    errno = 0;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
      keepReason();
      CloseHandle(handle);
      Remove();
      return false;
    }
    errno = 0;
    file_ = _fdopen(fd, "wb");
    if (!file_) {
      keepReason();
      _close(fd);
      Remove();
      return false;
    }
    ok_ = true;
    return true;
  }
  error_ = std::make_error_code(std::errc::file_exists);
  return false;
}

bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken.
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

void SyncFolder(const std::filesystem::path&) {
  // A folder cannot be flushed on Windows; MOVEFILE_WRITE_THROUGH made the rename durable.
}

}  // namespace oxi
