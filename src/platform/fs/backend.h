#pragma once
// What the shared file code asks of each operating system's backend; not for callers.
#include <cstdio>
#include <string>

namespace oxi::fs_backend {

// Writes what the stream holds through to the medium (not only to the system's cache).
bool FlushToMedium(std::FILE* file);

}  // namespace oxi::fs_backend

namespace oxi {

// A random tail for a temporary file's name; callers retry on a taken name.
std::string RandomNameTail();

}  // namespace oxi
