#pragma once
// What the shared file code asks of each operating system's backend; not for callers.
#include <cstdio>
#include <filesystem>
#include <string>

namespace oxi::fs_backend {

// Writes what the stream holds through to the medium (not only to the system's cache).
bool FlushToMedium(std::FILE* file);

// The existing file is marked read-only: its owner asked that it not be changed, which a
// rename over it would ignore.
bool IsReadOnly(const std::filesystem::path& file);
// The system takes the name for a device rather than a file (Windows: CON, NUL, COM1,
// AUX.csv, ...); never true on POSIX.
bool NamesDevice(const std::filesystem::path& target);
// Another program holds the existing file open in a way that forbids replacing it
// (Windows); never true on POSIX, where a rename replaces an open file.
bool HeldOpenElsewhere(const std::filesystem::path& file);

}  // namespace oxi::fs_backend

namespace oxi {

// A random tail for a temporary file's name; callers retry on a taken name.
std::string RandomNameTail();

}  // namespace oxi
