#include "graph/comment_lines.h"

#include <gtest/gtest.h>

namespace oxi {
namespace {

std::vector<std::size_t> Lengths(const std::vector<std::string>& lines) {
  std::vector<std::size_t> out;
  for (const std::string& l : lines) out.push_back(l.size());
  return out;
}

TEST(CommentLines, LongTextIsCutEvery120Bytes) {
  EXPECT_EQ(Lengths(CutCommentLines(std::string(250, 'a'))),
            (std::vector<std::size_t>{120, 120, 10}));
  EXPECT_EQ(Lengths(CutCommentLines(std::string(240, 'a'))), (std::vector<std::size_t>{120, 120}));
  EXPECT_TRUE(CutCommentLines("").empty());
}

TEST(CommentLines, DoubleByteCharacterStartingAtTheLimitStaysWhole) {
  const std::string hiragana = "\x82\xa0";  // one double-byte character
  const std::vector<std::string> lines =
      CutCommentLines(std::string(119, 'a') + hiragana + std::string(5, 'b'));
  EXPECT_EQ(Lengths(lines), (std::vector<std::size_t>{121, 5}));
  EXPECT_EQ(lines[0].substr(119), hiragana);
  // Ending one byte earlier, the character fits in 120 bytes.
  EXPECT_EQ(Lengths(CutCommentLines(std::string(118, 'a') + hiragana + std::string(5, 'b'))),
            (std::vector<std::size_t>{120, 5}));
  // A last line of exactly 120 bytes takes them all, whatever its last byte.
  EXPECT_EQ(Lengths(CutCommentLines(std::string(119, 'a') + "\x82")),
            (std::vector<std::size_t>{120}));
}

TEST(CommentLines, ALineNeverEndsInsideACharacter) {
  // Characters are counted from the line's start: the 120th byte of 61 x "日" is the trail
  // byte 0xFA of the 60th, which a look at that byte alone takes for a lead byte.
  const std::string nichi = "\x93\xfa";
  std::string sixtyOne;
  for (int i = 0; i < 61; ++i) sixtyOne += nichi;
  const std::vector<std::string> lines = CutCommentLines(sixtyOne);
  EXPECT_EQ(Lengths(lines), (std::vector<std::size_t>{120, 2}));
  EXPECT_EQ(lines[1], nichi);
  // Shifted by one single-byte character, the 61st character starts at the 120th byte.
  EXPECT_EQ(Lengths(CutCommentLines("a" + sixtyOne)), (std::vector<std::size_t>{121, 2}));
  // Counting starts again at each line: after a line end the next line cuts on its own.
  EXPECT_EQ(Lengths(CutCommentLines("a\r\n" + sixtyOne)), (std::vector<std::size_t>{1, 120, 2}));
}

TEST(CommentLines, StopsAfterTheLinesAskedFor) {
  EXPECT_EQ(CutCommentLines(std::string(1000, '\n'), 3), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(Lengths(CutCommentLines(std::string(250, 'a'), 2)),
            (std::vector<std::size_t>{120, 120}));
}

TEST(CommentLines, LineEndsEndLinesAndAreNotPrinted) {
  EXPECT_EQ(CutCommentLines("ab\r\ncd\nef"), (std::vector<std::string>{"ab", "cd", "ef"}));
  EXPECT_EQ(CutCommentLines("ab\r\n"), (std::vector<std::string>{"ab"}));
  EXPECT_EQ(CutCommentLines("ab\r\n\r\ncd"), (std::vector<std::string>{"ab", "", "cd"}));
  EXPECT_EQ(CutCommentLines("a\rb"), (std::vector<std::string>{"a\rb"}));  // a lone CR is text
}

TEST(CommentLines, LineEndRightAfterAFullLineLeavesAnEmptyLine) {
  const std::vector<std::string> lines = CutCommentLines(std::string(120, 'a') + "\r\nb");
  EXPECT_EQ(Lengths(lines), (std::vector<std::size_t>{120, 0, 1}));
}

}  // namespace
}  // namespace oxi
