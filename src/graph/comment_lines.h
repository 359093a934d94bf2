#pragma once
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace oxi {

// A printed comment line holds at most this many bytes, one more when it would otherwise
// end inside a double-byte character.
inline constexpr std::size_t kCommentLineBytes = 120;

// Cuts the comment's CP932 bytes into the lines the page prints: a line ends at the byte
// limit or at a line end (CR LF, or a lone LF), which is not printed. The limit counts
// characters from the line's start, so a line never ends inside one. A text that ends with
// a line end gets no empty last line; a line end right after a full line does. Stops after
// `maxLines` lines, leaving the rest of the text uncut.
std::vector<std::string> CutCommentLines(
    std::string_view cp932, std::size_t maxLines = std::numeric_limits<std::size_t>::max());

}  // namespace oxi
