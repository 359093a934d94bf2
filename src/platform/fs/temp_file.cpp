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

bool TempFile::Write(const void* data, std::size_t size) {
  if (!Ok()) return false;
  if (size > 0 && std::fwrite(data, 1, size, file_) != size) ok_ = false;
  return ok_;
}

bool TempFile::Finish() {
  if (!file_) return false;
  bool ok = ok_ && std::fflush(file_) == 0;
  ok = ok && fs_backend::FlushToMedium(file_);
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  ok_ = ok;
  return ok;
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
