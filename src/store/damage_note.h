#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace oxi {

// A measurement whose head sector is damaged in the monitor's memory gives no record to
// compare a second reading with, so the bytes read are noted in the device's folder
// instead (a hidden file per first sector, which no month scan lists). Reading the same
// bytes again tells that the damage is the monitor's own and that the store holds all the
// monitor can give of it.
enum class DamageReading {
  kFirst,       // no note of these bytes yet: it is written now
  kSecond,      // the note holds the same bytes: nothing is written
  kNotWritten,  // the note could not be written
};
DamageReading NoteDamagedHead(const std::filesystem::path& folder, int firstSector,
                              int announcedSamples, std::span<const std::uint8_t> head);
// Removes the folder's notes once the monitor's memory is erased: they spoke of sectors
// that now hold nothing, and a new measurement there must be read afresh.
void ForgetDamagedHeads(const std::filesystem::path& folder);
// True for the name of such a note.
bool IsDamageNoteName(const std::string& name);

}  // namespace oxi
