#pragma once
#include <QIODevice>
#include <filesystem>

#include "platform/fs/safe_write.h"

namespace oxi {

// A write-only device over the safe writer, for Qt code that writes a file through a
// QIODevice: the bytes go to a temporary file beside the target, which takes the target's
// name only on Commit, after a flush to the medium. A failed write fails every later one
// and the Commit, so a file written on a full disk never replaces the earlier one.
class SafeFileDevice : public QIODevice {
  Q_OBJECT

 public:
  SafeFileDevice() = default;
  // Creates the temporary file and opens the device for writing when that succeeded.
  WriteStatus Begin(const std::filesystem::path& target);
  // Closes the device and renames the file into place if every write succeeded.
  WriteStatus Commit();
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 size) override;

 private:
  SafeFileWriter writer_;
};

}  // namespace oxi
