#include <cerrno>
#include <random>
#include <system_error>

#include "platform/fs/backend.h"
#include "platform/fs/files.h"

namespace oxi {
namespace {

constexpr int kRandomNameLength = 10;
constexpr const char kNameAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";

}  // namespace

std::string RandomNameTail() {
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kNameAlphabet - 2);
  std::string name;
  for (int i = 0; i < kRandomNameLength; ++i) name += kNameAlphabet[pick(random)];
  return name;
}

TempFile::~TempFile() {
  Remove();
}

void TempFile::NoteFailure() {
  if (!error_ && errno != 0) error_ = std::error_code(errno, std::generic_category());
}

bool TempFile::Write(const void* data, std::size_t size) {
  if (!Ok()) return false;
  errno = 0;
  if (size > 0 && std::fwrite(data, 1, size, file_) != size) {
    ok_ = false;
    NoteFailure();
  }
  return ok_;
}

bool TempFile::Finish() {
  if (!file_) return false;
  errno = 0;
  bool ok = ok_ && std::fflush(file_) == 0;
  ok = ok && fs_backend::FlushToMedium(file_);
  ok = std::fclose(file_) == 0 && ok;
  if (!ok) NoteFailure();
  file_ = nullptr;
  ok_ = ok;
  return ok;
}

std::optional<std::chrono::seconds> TimeSinceWritten(const std::filesystem::path& file) {
  std::error_code ec;
  const auto written = std::filesystem::last_write_time(file, ec);
  if (ec) return std::nullopt;
  return std::chrono::duration_cast<std::chrono::seconds>(
      std::filesystem::file_time_type::clock::now() - written);
}

void TempFile::Release() {
  path_.clear();
}

void TempFile::Remove() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  ok_ = false;
  if (!path_.empty()) {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
    path_.clear();
  }
}

}  // namespace oxi
