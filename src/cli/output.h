#pragma once
#include <string>
#include <string_view>

#include "platform/fs/safe_write.h"

namespace oxi::cli {

// The name that sends a command's output to standard output instead of a file.
inline constexpr const char* kStandardOutputName = "-";

// Writes the bytes a command made to the file `target` names (UTF-8), through the safe
// writer: the file appears whole or not at all, a link's file is replaced and the link
// kept, a name held by anything but a regular file is refused, and so is `source`, the
// record the bytes were made from, under any of its names. "-" writes to standard output.
// Empty on success, else the line to report, naming the target.
std::string WriteOutput(const std::string& target, std::string_view bytes,
                        Existing existing = Existing::kReplace, const std::string& source = {});

}  // namespace oxi::cli
