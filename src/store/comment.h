#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "store/store_state.h"

namespace oxi {

// Brings the comment of record `newName` into `commentField` (CP932 bytes up to the file's
// first NUL, every line end made CR LF). A missing comment empties the field; the same
// record loaded again keeps the field as it is.
void LoadComment(const StoreState& store, const std::string& newName, bool anotherRecord,
                 std::string& commentField);

// A comment file's text as the comment field takes it: its bytes up to the first NUL,
// every line end (CR LF, a lone LF or a lone CR) made CR LF, the pair the printed page
// breaks lines at. Nothing when the file cannot be read.
std::optional<std::string> ReadCommentFile(const std::filesystem::path& path);

}  // namespace oxi
