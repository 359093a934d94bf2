#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace oxi {

// A printed comment line holds at most this many bytes, one more when its last byte would
// otherwise split a double-byte character.
inline constexpr std::size_t kCommentLineBytes = 120;

// Cuts the comment's CP932 bytes into the lines the page prints: a line ends at the byte
// limit or at a line end (CR LF, or a lone LF), which is not printed. A text that ends
// with a line end gets no empty last line; a line end right after a full line does.
std::vector<std::string> CutCommentLines(std::string_view cp932);

}  // namespace oxi
