#include "app/scroll_bars.h"

#include <gtest/gtest.h>

#include "platform/gdi/surface.h"

namespace oxi {
namespace {

constexpr Colorref kOutline = Rgb(128, 192, 255);
constexpr Colorref kNormal = Rgb(192, 224, 255);
constexpr Colorref kHovered = Rgb(224, 240, 255);
constexpr Colorref kPressed = Rgb(95, 164, 255);
constexpr Colorref kTrack = Rgb(245, 245, 245);
constexpr Colorref kFrame = Rgb(192, 192, 192);
constexpr Colorref kPaper = Rgb(1, 2, 3);

struct GraphBar {
  Surface s{720, 685, kPaper};
  SurfaceDc dc{s};
  int offset;
  GraphBar(int startOffset, int look, int width) : offset(startOffset) {
    DrawGraphScrollBar(dc, offset, look, width);
  }
  // Faces: left arrow, right arrow, thumb (clear of the chevrons).
  Colorref LeftFace() const { return s.Pixel(200, 666); }
  Colorref RightFace() const { return s.Pixel(656, 666); }
  Colorref ThumbFace() const { return s.Pixel(offset + 216 + 3, 670); }
};

TEST(GraphScrollBar, FullWidthThumbLeavesNoFreeTrack) {
  GraphBar bar(0, kLookNormal, 424);
  EXPECT_EQ(bar.s.Pixel(215, 670), kPaper);
  EXPECT_EQ(bar.s.Pixel(641, 670), kPaper);
  EXPECT_EQ(bar.s.Pixel(216, 670), kOutline);  // thumb's left outline
  EXPECT_EQ(bar.s.Pixel(640, 670), kOutline);  // and its right one
  EXPECT_EQ(bar.s.Pixel(196, 670), kFrame);
  EXPECT_EQ(bar.s.Pixel(660, 670), kFrame);
  EXPECT_EQ(bar.s.Pixel(400, 683), kFrame);
}

TEST(GraphScrollBar, TrackOnlyOnTheSidesTheThumbLeavesFree) {
  GraphBar atStart(0, kLookNormal, 212);
  EXPECT_EQ(atStart.s.Pixel(215, 670), kPaper);  // nothing left of the thumb
  EXPECT_EQ(atStart.s.Pixel(216 + 212 + 1, 670), kTrack);
  EXPECT_EQ(atStart.s.Pixel(641, 670), kTrack);
  EXPECT_EQ(atStart.s.Pixel(500, 665), kWhite);  // white edges of the free track
  EXPECT_EQ(atStart.s.Pixel(500, 681), kWhite);

  GraphBar atEnd(424 - 212, kLookNormal, 212);
  EXPECT_EQ(atEnd.offset, 212);
  EXPECT_EQ(atEnd.s.Pixel(215, 670), kTrack);
  EXPECT_EQ(atEnd.s.Pixel(427, 670), kTrack);
  EXPECT_EQ(atEnd.s.Pixel(428, 670), kOutline);  // thumb starts at 216 + 212
  EXPECT_EQ(atEnd.s.Pixel(641, 670), kPaper);    // nothing right of it
}

TEST(GraphScrollBar, OffsetsOutsideTheTrackAreClampedAndStoredBack) {
  GraphBar below(-30, kLookNormal, 212);
  EXPECT_EQ(below.offset, 0);
  EXPECT_EQ(below.s.Pixel(216, 670), kOutline);
  GraphBar above(300, kLookNormal, 212);
  EXPECT_EQ(above.offset, 212);
}

TEST(GraphScrollBar, EachLookColoursOnlyItsPart) {
  struct Case {
    int look;
    Colorref left, right, thumb;
  };
  for (const Case& c : {Case{kLookNormal, kNormal, kNormal, kNormal},
                        Case{kLookFirstArrowHovered, kHovered, kNormal, kNormal},
                        Case{kLookSecondArrowHovered, kNormal, kHovered, kNormal},
                        Case{kLookThumbHovered, kNormal, kNormal, kHovered},
                        Case{kLookFirstArrowPressed, kPressed, kNormal, kNormal},
                        Case{kLookSecondArrowPressed, kNormal, kPressed, kNormal},
                        Case{kLookThumbDragged, kNormal, kNormal, kPressed}}) {
    GraphBar bar(50, c.look, 100);
    EXPECT_EQ(bar.LeftFace(), c.left) << c.look;
    EXPECT_EQ(bar.RightFace(), c.right) << c.look;
    EXPECT_EQ(bar.ThumbFace(), c.thumb) << c.look;
    // Arrow boxes: white bottom highlight and corners, glyph colour in the chevron.
    EXPECT_EQ(bar.s.Pixel(205, 680), kWhite);
    EXPECT_EQ(bar.s.Pixel(198, 665), kWhite);
    EXPECT_EQ(bar.s.Pixel(204, 672), Rgb(32, 64, 128));
    EXPECT_EQ(bar.s.Pixel(652, 672), Rgb(32, 64, 128));
  }
}

struct ListBar {
  Surface s{250, 180, kPaper};
  SurfaceDc dc{s};
  int position;
  ListBar(int startPosition, int look, int length) : position(startPosition) {
    DrawListScrollBar(dc, position, look, length);
  }
  Colorref UpFace() const { return s.Pixel(232, 4); }
  Colorref DownFace() const { return s.Pixel(232, 173); }
  Colorref ThumbFace() const { return s.Pixel(232, position + 21 + 2); }
};

TEST(ListScrollBar, FullLengthThumbLeavesOnlyTheLastTrackRow) {
  ListBar bar(0, kLookNormal, 137);
  EXPECT_EQ(bar.s.Pixel(232, 20), kPaper);    // no track above the thumb
  EXPECT_EQ(bar.s.Pixel(230, 21), kWhite);    // thumb's top corner
  EXPECT_EQ(bar.s.Pixel(235, 22), kNormal);   // thumb face runs from 22
  EXPECT_EQ(bar.s.Pixel(235, 156), kNormal);  // to 156
  EXPECT_EQ(bar.s.Pixel(235, 157), kWhite);   // its highlight
  EXPECT_EQ(bar.s.Pixel(235, 158), kOutline);
  EXPECT_EQ(bar.s.Pixel(235, 159), kTrack);  // the one free track row below
  EXPECT_EQ(bar.s.Pixel(229, 160), kWhite);  // with its white edges
  EXPECT_EQ(bar.s.Pixel(228, 100), kFrame);
}

TEST(ListScrollBar, TrackAboveAMovedThumbAndClamping) {
  ListBar bar(40, kLookNormal, 54);
  EXPECT_EQ(bar.s.Pixel(235, 20), kTrack);
  EXPECT_EQ(bar.s.Pixel(235, 60), kTrack);
  EXPECT_EQ(bar.s.Pixel(235, 61), kOutline);  // thumb top at 40 + 21
  EXPECT_EQ(bar.s.Pixel(229, 40), kWhite);
  EXPECT_EQ(bar.s.Pixel(235, 116), kTrack);  // below the thumb (61 + 54 = 115)

  ListBar negative(-5, kLookNormal, 54);
  EXPECT_EQ(negative.position, 0);
  ListBar beyond(150, kLookNormal, 54);
  EXPECT_EQ(beyond.position, 160 - 54);  // the drawing's own limit
}

TEST(ListScrollBar, EachLookColoursOnlyItsPart) {
  struct Case {
    int look;
    Colorref up, down, thumb;
  };
  for (const Case& c :
       {Case{kLookPlain, kNormal, kNormal, kNormal}, Case{kLookNormal, kNormal, kNormal, kNormal},
        Case{kLookFirstArrowHovered, kHovered, kNormal, kNormal},
        Case{kLookSecondArrowHovered, kNormal, kHovered, kNormal},
        Case{kLookThumbHovered, kNormal, kNormal, kHovered},
        Case{kLookFirstArrowPressed, kPressed, kNormal, kNormal},
        Case{kLookSecondArrowPressed, kNormal, kPressed, kNormal},
        Case{kLookThumbDragged, kNormal, kNormal, kPressed}}) {
    ListBar bar(30, c.look, 54);
    EXPECT_EQ(bar.UpFace(), c.up) << c.look;
    EXPECT_EQ(bar.DownFace(), c.down) << c.look;
    EXPECT_EQ(bar.ThumbFace(), c.thumb) << c.look;
    EXPECT_EQ(bar.s.Pixel(238, 8), Rgb(32, 64, 128));
    EXPECT_EQ(bar.s.Pixel(238, 170), Rgb(32, 64, 128));
  }
}

}  // namespace
}  // namespace oxi
