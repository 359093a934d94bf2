#pragma once
// The file-system calls the program makes beyond std::filesystem: what must be exact about
// creating, flushing and renaming files so that a name never holds half a file. One
// header; the build compiles the backend of its operating system (posix/ or win32/).
#include <chrono>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace oxi {

// Paths and the UTF-8 text the program keeps inside. On POSIX the bytes pass unchanged (a
// name that is not UTF-8 survives the round trip); on Windows they become UTF-16, never
// the ANSI code page a narrow std::string would go through.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// std::fopen of a path in any encoding; nullptr on failure. Binary modes only.
std::FILE* OpenStream(const std::filesystem::path& path, const char* mode);

// A new file under a name no other writer uses, in the folder where it will be renamed
// into place. Removed again when destroyed, unless released after the rename.
class TempFile {
 public:
  TempFile() = default;
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // Creates "<folder>/<prefix><random>" exclusively (never an existing name, never through
  // a link placed there). Its permissions are those of any new file of the user's, or,
  // with `permissionsOf`, those of that existing file. False when nothing was created.
  bool Create(const std::filesystem::path& folder, const std::string& prefix,
              const std::filesystem::path* permissionsOf = nullptr);
  // False once any write has failed (a full disk, a file-size limit); later writes do
  // nothing.
  bool Write(const void* data, std::size_t size);
  bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
  // Flushes to the medium and closes; false if that or any earlier write failed.
  bool Finish();
  // The file is no longer ours to remove (it has been renamed into place).
  void Release();
  // Closes and removes the file: what was written is dropped.
  void Remove();
  const std::filesystem::path& Path() const { return path_; }
  bool Ok() const { return file_ != nullptr && ok_; }
  // The system's reason for the first failure since Create (creating, writing, flushing);
  // empty while nothing failed, or when the system gave none.
  std::error_code Error() const { return error_; }

 private:
  // Keeps the first failure's reason: errno as the C runtime left it.
  void NoteFailure();

  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
  bool ok_ = false;
  std::error_code error_;
};

// Writes the bytes to standard output as they are (no line-end translation) and flushes
// them; false when that fails (a closed pipe, a full disk behind a redirection).
bool WriteStandardOutput(std::string_view bytes);

// Renames `from` to `to`, replacing a file of that name in one step. (Not named like the
// Windows calls, whose names <windows.h> turns into macros.)
bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// Renames `from` to `to` unless something already has that name; never replaces a file.
bool MoveWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// How long ago the file was last written to; nothing when that cannot be told. Leftovers of
// a writer that was killed are told from the files of a writer still at work by this.
std::optional<std::chrono::seconds> TimeSinceWritten(const std::filesystem::path& file);
// Which file a name reaches, as its file system tells files apart (links followed): two
// names of one file, such as names that differ only in letter case where the file system
// ignores case, or a hard link, give the same identity. Nothing when no file has the name.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  auto operator<=>(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);
// True when both names reach one existing file.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Makes the folder's entries (a rename into it) durable. Failures are ignored: the data
// is already written, only its survival of a power cut is less certain.
void SyncFolder(const std::filesystem::path& folder);

}  // namespace oxi
