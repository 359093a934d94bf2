#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/face.h"
#include "app/screen_layout.h"
#include "platform/gdi/font.h"
#include "platform/gdi/recording_dc.h"
#include "res/texts.h"

namespace oxi {
namespace {

struct TextAt {
  int x;
  int y;
  std::string text;
  bool operator==(const TextAt&) const = default;
};

// Where the face writes the pieces of the Enter hint.
std::vector<TextAt> HintPieces(int shownWidth) {
  RecordingDc dc;
  DrawFace(dc, shownWidth);
  const std::string hint = texts::kEnterHint;
  std::vector<TextAt> pieces;
  for (const RecordedOp& op : dc.Ops()) {
    if (op.kind == RecordedOp::Kind::kTextOut && hint.find(op.text) != std::string::npos)
      pieces.push_back({op.x0, op.y0, op.text});
  }
  return pieces;
}

// The hint stays on its line while the window shows it whole, and breaks after its comma
// rather than lose its end in a client area too narrow for it in the face at hand.
TEST(Face, EnterHintBreaksAfterItsCommaOnlyWhereItWouldBeCut) {
  const int width = TextWidth(kScreenFont, texts::kEnterHint);
  EXPECT_EQ(HintPieces(755 + width), (std::vector<TextAt>{{755, 605, texts::kEnterHint}}));
  EXPECT_EQ(
      HintPieces(755 + width - 1),
      (std::vector<TextAt>{{755, 605, "半角で入力後、"}, {755, 623, "ENTERを押してください"}}));
}

}  // namespace
}  // namespace oxi
