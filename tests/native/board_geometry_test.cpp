// Geometry of the board picture from the cell size.
#include <gtest/gtest.h>

#include "boards/board_geometry.h"

namespace {

using boards::Rect;

void ExpectRect(const Rect& want, const Rect& got)
{
    EXPECT_EQ(want.left, got.left);
    EXPECT_EQ(want.top, got.top);
    EXPECT_EQ(want.right, got.right);
    EXPECT_EQ(want.bottom, got.bottom);
}

TEST(BoardGeometry, LabelStripsAtCell17)
{
    ExpectRect({0, 170, 187, 189}, boards::BottomLabelStrip(17));
    ExpectRect({170, 0, 189, 187}, boards::RightLabelStrip(17));
}

TEST(BoardGeometry, LabelPointsAtCell17)
{
    const int xs[10] = {3, 20, 37, 54, 71, 88, 105, 122, 139, 156};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ((boards::Point{xs[i], 170}), boards::LetterOrigin(i, 17)) << "letter " << i;
        EXPECT_EQ((boards::Point{170, xs[i] - 1}), boards::NumberOrigin(i, 17)) << "number " << i;
    }
    EXPECT_EQ((boards::Point{170, 155}), boards::NumberOrigin(9, 17));
}

TEST(BoardGeometry, FlagStripesAtCell17)
{
    const boards::FlagStripes f = boards::FlagCorner(17);
    ExpectRect({170, 170, 187, 175}, f.white);
    ExpectRect({170, 175, 187, 181}, f.blue);
    ExpectRect({170, 181, 187, 187}, f.red);
}

TEST(BoardGeometry, FlagStripesAtCell25)
{
    const boards::FlagStripes f = boards::FlagCorner(25);
    ExpectRect({250, 250, 275, 258}, f.white);  // trunc(258.25)
    ExpectRect({250, 258, 275, 266}, f.blue);   // trunc(266.5)
    ExpectRect({250, 266, 275, 275}, f.red);
}

TEST(BoardGeometry, MissDotIsTheMiddleHalfOfItsSquare)
{
    ExpectRect({4, 4, 12, 12}, boards::MissDot(0, 0, 17));
    ExpectRect({157, 89, 165, 97}, boards::MissDot(9, 5, 17));
    ExpectRect({6, 6, 18, 18}, boards::MissDot(0, 0, 25));
    ExpectRect({231, 6, 243, 18}, boards::MissDot(9, 0, 25));  // 225 + 6, trunc(243.75)
}

TEST(BoardGeometry, SquaresTileTheGrid)
{
    ExpectRect({0, 0, 17, 17}, boards::SquareRect(0, 0, 17));
    ExpectRect({153, 34, 170, 51}, boards::SquareRect(9, 2, 17));
}

TEST(BoardGeometry, LabelOffsetsAreFixedInPixelsAtEveryCellSize)
{
    for (int c = 10; c <= 60; ++c) {
        EXPECT_EQ(3, boards::LetterOrigin(4, c).x - 4 * c) << c;
        EXPECT_EQ(2, boards::NumberOrigin(4, c).y - 4 * c) << c;
        EXPECT_EQ(11 * c + 2, boards::BottomLabelStrip(c).bottom) << c;
        EXPECT_EQ(11 * c + 2, boards::RightLabelStrip(c).right) << c;
        const boards::FlagStripes f = boards::FlagCorner(c);
        EXPECT_LT(f.white.top, f.blue.top) << c;
        EXPECT_LT(f.blue.top, f.red.top) << c;
        EXPECT_EQ(11 * c, f.red.bottom) << c;
    }
}

}  // namespace
