#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "store/store_state.h"

namespace oxi {

// A comment is read up to this many bytes; what follows is dropped. Pages of a comment
// are printed for the user to read, and 64 KiB is far beyond what anyone types for one
// measurement, while a file of any size must not take the window's memory or paper.
inline constexpr std::size_t kMaxCommentBytes = 64 * 1024;

struct CommentText {
  std::string text;  // CP932 bytes, every line end CR LF
  bool cut = false;  // the file held more than kMaxCommentBytes before its first NUL
};

// Brings the comment of record `newName` into `commentField` (CP932 bytes up to the file's
// first NUL or the bound, every line end made CR LF). A missing comment empties the field; the same
// record loaded again keeps the field as it is.
void LoadComment(const StoreState& store, const std::string& newName, bool anotherRecord,
                 std::string& commentField);

// A comment file's text as the comment field takes it: its bytes up to the first NUL and
// at most kMaxCommentBytes of them, ending on a whole character, every line end (CR LF, a
// lone LF or a lone CR) made CR LF, the pair the printed page breaks lines at. Nothing
// when the file cannot be read.
std::optional<CommentText> ReadCommentFile(const std::filesystem::path& path);

}  // namespace oxi
