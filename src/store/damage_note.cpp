#include "store/damage_note.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/fs/files.h"
#include "store/record_writer.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;

// ".damaged-head-0001": the first sector in four hexadecimal digits, as the monitor
// numbers its sectors.
constexpr const char* kNotePrefix = ".damaged-head-";
constexpr const char* kNoteFormat = ".damaged-head-%04X";
constexpr int kByteBits = 8;
constexpr int kByteMask = 0xFF;

fs::path NotePath(const fs::path& folder, int firstSector) {
  char name[32];
  std::snprintf(name, sizeof name, kNoteFormat, static_cast<unsigned>(firstSector));
  return folder / name;
}

// The sector as read, then the sample count the data table announced (least significant
// byte first): a new measurement at the same sector is told apart by either.
std::vector<std::uint8_t> NoteBytes(int announcedSamples, std::span<const std::uint8_t> head) {
  std::vector<std::uint8_t> bytes(head.begin(), head.end());
  bytes.push_back(static_cast<std::uint8_t>(announcedSamples & kByteMask));
  bytes.push_back(static_cast<std::uint8_t>((announcedSamples >> kByteBits) & kByteMask));
  return bytes;
}

bool HoldsBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
  std::FILE* in = OpenStream(file, "rb");
  if (!in) return false;
  std::vector<std::uint8_t> got(bytes.size() + 1);
  const std::size_t n = std::fread(got.data(), 1, got.size(), in);
  std::fclose(in);
  return n == bytes.size() && std::equal(bytes.begin(), bytes.end(), got.begin());
}

}  // namespace

DamageReading NoteDamagedHead(const fs::path& folder, int firstSector, int announcedSamples,
                              std::span<const std::uint8_t> head) {
  const fs::path note = NotePath(folder, firstSector);
  const std::vector<std::uint8_t> bytes = NoteBytes(announcedSamples, head);
  if (HoldsBytes(note, bytes)) return DamageReading::kSecond;
  TempFile temp;
  if (!temp.Create(folder, kRecordTempPrefix) || !temp.Write(bytes.data(), bytes.size()) ||
      !temp.Finish() || !MoveReplacing(temp.Path(), note)) {
    return DamageReading::kNotWritten;
  }
  temp.Release();
  SyncFolder(folder);
  return DamageReading::kFirst;
}

bool IsDamageNoteName(const std::string& name) {
  return name.rfind(kNotePrefix, 0) == 0;
}

void ForgetDamagedHeads(const fs::path& folder) {
  std::error_code ec;
  std::vector<fs::path> notes;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsDamageNoteName(PathToUtf8(it->path().filename()))) notes.push_back(it->path());
  }
  for (const fs::path& note : notes) fs::remove(note, ec);
}

}  // namespace oxi
