#pragma once
// Helpers shared by the fuzz targets: a private scratch folder per process, reading the
// fuzzer's bytes field by field, and a loud stop when a property does not hold.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace oxi::fuzz {

// Stops the run with a message; libFuzzer keeps the input that led here.
[[noreturn]] inline void Fail(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "property violated: %s %s\n", what, detail.c_str());
  std::abort();
}

inline void Check(bool ok, const char* what, const std::string& detail = {}) {
  if (!ok) Fail(what, detail);
}

// A folder of this process's own below the temporary folder, emptied before each input
// and removed when the process ends normally.
class Scratch {
 public:
  static const std::filesystem::path& Fresh() {
    static Scratch scratch;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(scratch.path_, ec)) {
      std::filesystem::remove_all(entry.path(), ec);
    }
    return scratch.path_;
  }

 private:
  Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "oxi-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) Fail("cannot create a scratch folder");
    path_ = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::filesystem::path path_;
};

// Takes the fuzzer's bytes front to back; past the end every field reads as 0.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::uint16_t U16() {
    const std::uint16_t high = Byte();
    return static_cast<std::uint16_t>(high << 8 | Byte());
  }
  // Up to `n` bytes.
  std::string_view Bytes(std::size_t n) {
    const std::size_t take = std::min(n, size_ - pos_);
    const std::string_view part(reinterpret_cast<const char*>(data_) + pos_, take);
    pos_ += take;
    return part;
  }
  std::string_view Rest() { return Bytes(size_ - pos_); }
  bool Empty() const { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) Fail("cannot write", path.string());
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace oxi::fuzz
