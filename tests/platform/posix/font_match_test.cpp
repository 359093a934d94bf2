#include <gtest/gtest.h>

#include "platform/gdi/dc.h"
#include "platform/gdi/posix/font_match.h"

namespace oxi {
namespace {

TEST(Fonts, BothProgramFacesResolveToTheJapaneseGothic) {
  for (const char* face : {kScreenFace, kPrintFace}) {
    const FontMatch m = MatchFont(face);
    EXPECT_EQ(m.family, "IPAGothic") << face;
    EXPECT_FALSE(m.path.empty()) << face;
    EXPECT_TRUE(m.coversJapanese) << face;
  }
}

}  // namespace
}  // namespace oxi
