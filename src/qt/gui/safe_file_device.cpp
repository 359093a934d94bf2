#include "qt/gui/safe_file_device.h"

namespace oxi {

WriteStatus SafeFileDevice::Begin(const std::filesystem::path& target) {
  const WriteStatus status = writer_.Begin(target);
  if (status == WriteStatus::kWritten) open(QIODevice::WriteOnly);
  return status;
}

WriteStatus SafeFileDevice::Commit() {
  close();
  return writer_.Commit();
}

qint64 SafeFileDevice::readData(char*, qint64) {
  return -1;
}

qint64 SafeFileDevice::writeData(const char* data, qint64 size) {
  if (size < 0) return -1;
  return writer_.Temp().Write(data, static_cast<std::size_t>(size)) ? size : -1;
}

}  // namespace oxi
