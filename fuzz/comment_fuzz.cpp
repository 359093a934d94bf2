// A comment file of any bytes loaded for a record, then cut into the printed page's lines;
// the same bytes also go to the line cutter as they are, as typed text reaches it.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "graph/comment_lines.h"
#include "store/comment.h"
#include "store/load_record.h"
#include "store/store_state.h"

namespace oxi::fuzz {
namespace {

constexpr const char* kRecordName = "0803150905.oxi";
constexpr const char* kCommentName = "0803150905";

// The text without its line ends (CR LF or a lone LF): what the lines must add up to.
std::string WithoutLineEnds(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') continue;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

// No byte is lost or invented, no line is longer than the page allows, none holds a line
// end.
void CheckLines(std::string_view text) {
  std::string joined;
  for (const std::string& line : CutCommentLines(text)) {
    Check(line.size() <= kCommentLineBytes + 1, "comment line too long",
          std::to_string(line.size()));
    Check(line.find('\n') == std::string::npos, "line end inside a comment line");
    joined += line;
  }
  Check(joined == WithoutLineEnds(text), "comment lines lose or invent bytes");
}

// Only CR LF line ends and no NUL: what the page and the edit field rely on.
void CheckField(const std::string& field) {
  Check(field.find('\0') == std::string::npos, "NUL in a loaded comment");
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\r') Check(i + 1 < field.size() && field[i + 1] == '\n', "lone CR");
    if (field[i] == '\n') Check(i > 0 && field[i - 1] == '\r', "lone LF");
  }
}

}  // namespace
}  // namespace oxi::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace oxi;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  StoreState store;
  store.dataRoot = fuzz::Scratch::Fresh() / "root";
  store.currentDeviceId = "FUZZ00000001";
  const auto path = CommentFolder(store) / fuzz::kCommentName;
  fuzz::WriteFile(path, bytes);

  std::string field = "earlier text";
  LoadComment(store, fuzz::kRecordName, true, field);
  fuzz::CheckField(field);
  const auto alone = ReadCommentFile(path);
  fuzz::Check(alone.has_value() && alone->text == field, "the two comment readers disagree");
  fuzz::Check(field.size() <= 2 * kMaxCommentBytes, "comment read beyond its bound");
  fuzz::Check(field.size() <= 2 * size, "comment grew more than its line ends allow");

  // The same record again keeps what the field holds (the user's edits).
  std::string edited = "edited";
  LoadComment(store, fuzz::kRecordName, false, edited);
  fuzz::Check(edited == "edited", "reloading the same record replaced the edit");

  fuzz::CheckLines(field);
  fuzz::CheckLines(bytes);
  return 0;
}
