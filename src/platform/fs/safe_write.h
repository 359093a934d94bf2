#pragma once
#include <filesystem>
#include <string_view>

#include "platform/fs/files.h"

namespace oxi {

enum class WriteStatus {
  kWritten,
  kNotAFile,      // the name is taken by a folder, device, pipe or socket: left untouched
  kCannotCreate,  // no temporary file beside the target (no such folder, no permission)
  kCannotWrite,   // a write, the flush or the rename failed (a full disk, a size limit)
  kExists,        // something has the name and the caller asked to keep it: left untouched
  kReadOnly,      // the file is marked read-only: left untouched
  kInUse,         // another program holds the file open and forbids replacing it (Windows)
  kDeviceName,    // the system reads the name as a device's (Windows: CON, NUL, AUX.csv)
};

// What becomes of a file that already has the target's name.
enum class Existing { kReplace, kKeep };

// Why a write failed, for a message on the terminal.
const char* WriteStatusText(WriteStatus status);

// Writes a file so that its name never holds half a file: the bytes go to a temporary
// file beside the target, are flushed to the medium and only then renamed over it. A
// target that is a symbolic link has the file it names replaced (the link stays); a
// replaced file keeps its permission bits; anything but a regular file is refused. Asked to
// keep an existing file, it refuses any name that is taken (a link too) and never replaces
// one that appears meanwhile. A file marked read-only is never replaced: a rename would
// ignore the mark, which its owner set so that the file stays as it is.
// A hard link to the replaced file keeps the earlier contents under its other name: the
// name gets a new file. Only writing into the old file would keep the link, and that is
// what leaves half a file behind on a full disk.
class SafeFileWriter {
 public:
  WriteStatus Begin(const std::filesystem::path& target, Existing existing = Existing::kReplace);
  // Where the bytes go between Begin and Commit.
  TempFile& Temp() { return temp_; }
  WriteStatus Commit();
  // The file that is replaced: the target with its links followed.
  const std::filesystem::path& Destination() const { return destination_; }

 private:
  std::filesystem::path destination_;
  Existing existing_ = Existing::kReplace;
  TempFile temp_;
};

WriteStatus WriteFileSafely(const std::filesystem::path& target, std::string_view bytes,
                            Existing existing = Existing::kReplace);
inline bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  return WriteFileSafely(target, bytes) == WriteStatus::kWritten;
}

}  // namespace oxi
