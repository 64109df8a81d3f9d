// Colour pickers and the sample board of the colours dialog: the palette,
// the shade ramp, the grid hit test, the board's geometry and click mapping.
#include <gtest/gtest.h>

#include "dialogs/colour_grid.h"
#include "dialogs/sample_board_geometry.h"

namespace {

using colour_grid::Cell;
using colour_grid::Rgb;

::testing::AssertionResult Is(Rgb got, Rgb want)
{
    if (got == want)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected " << int(want.r) << "," << int(want.g) << "," << int(want.b)
                                         << " got " << int(got.r) << "," << int(got.g) << "," << int(got.b);
}

TEST(DialogPalette, CornersAndTheRoyalBlueCell)
{
    EXPECT_TRUE(Is(colour_grid::PaletteColour(0, 0), {255, 255, 255}));
    EXPECT_TRUE(Is(colour_grid::PaletteColour(7, 0), {107, 142, 35}));
    EXPECT_TRUE(Is(colour_grid::PaletteColour(7, 2), {65, 105, 225}));
    EXPECT_TRUE(Is(colour_grid::PaletteColour(0, 3), {128, 128, 0}));
    EXPECT_TRUE(Is(colour_grid::PaletteColour(7, 3), {139, 69, 19}));
    EXPECT_TRUE(Is(colour_grid::PaletteColour(4, 1), {233, 150, 122}));
}

TEST(DialogPalette, RowsAreRowsNotColumns)
{
    // Row 1 starts with red, column 1 of row 0 is black.
    EXPECT_TRUE(Is(colour_grid::PaletteColour(0, 1), {255, 0, 0}));
    EXPECT_TRUE(Is(colour_grid::PaletteColour(1, 0), {0, 0, 0}));
    EXPECT_TRUE(Is(colour_grid::PaletteColour(3, 3), {255, 255, 0}));
}

TEST(DialogPalette, OutsideTheTableIsBlackNotACrash)
{
    EXPECT_TRUE(Is(colour_grid::PaletteColour(8, 0), {0, 0, 0}));
    EXPECT_TRUE(Is(colour_grid::PaletteColour(0, 4), {0, 0, 0}));
    EXPECT_TRUE(Is(colour_grid::PaletteColour(-1, -1), {0, 0, 0}));
}

TEST(DialogColourPacking, RedInTheLowestByte)
{
    EXPECT_EQ(colour_grid::Pack({65, 105, 225}), 0x00E16941u);
    EXPECT_TRUE(Is(colour_grid::Unpack(0xFFE16941u), {65, 105, 225}));
}

TEST(DialogShadeRamp, TheWorkedExample)
{
    const auto ramp = colour_grid::ShadeRamp({128, 64, 0});
    EXPECT_TRUE(Is(colour_grid::RampColour(ramp, 0, 0), {248, 232, 240}));
    EXPECT_TRUE(Is(colour_grid::RampColour(ramp, 11, 1), {133, 71, 10}));
    EXPECT_TRUE(Is(colour_grid::RampColour(ramp, 0, 2), {123, 62, 0}));
    EXPECT_TRUE(Is(colour_grid::RampColour(ramp, 11, 3), {8, 16, 0}));
}

TEST(DialogShadeRamp, BlackOnlyLightens)
{
    const auto ramp = colour_grid::ShadeRamp({0, 0, 0});
    for (int row = 2; row < 4; ++row)
        for (int col = 0; col < 12; ++col)
            EXPECT_TRUE(Is(colour_grid::RampColour(ramp, col, row), {0, 0, 0})) << col << "," << row;
    // Ten per step: 10 next to the base, 240 after 24 steps.
    EXPECT_TRUE(Is(colour_grid::RampColour(ramp, 11, 1), {10, 10, 10}));
    EXPECT_TRUE(Is(colour_grid::RampColour(ramp, 0, 1), {120, 120, 120}));
    EXPECT_TRUE(Is(colour_grid::RampColour(ramp, 11, 0), {130, 130, 130}));
    EXPECT_TRUE(Is(colour_grid::RampColour(ramp, 0, 0), {240, 240, 240}));
}

TEST(DialogShadeRamp, WhiteOnlyDarkens)
{
    const auto ramp = colour_grid::ShadeRamp({255, 255, 255});
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 12; ++col)
            EXPECT_TRUE(Is(colour_grid::RampColour(ramp, col, row), {255, 255, 255})) << col << "," << row;
    EXPECT_TRUE(Is(colour_grid::RampColour(ramp, 0, 2), {245, 245, 245}));
    EXPECT_TRUE(Is(colour_grid::RampColour(ramp, 11, 3), {15, 15, 15}));
}

TEST(DialogShadeRamp, SmallStepsAreOneAndStopAtTheEnds)
{
    // 5 darkens by 1 and reaches 0 after five steps; 250 lightens by 1 to 255.
    const auto ramp = colour_grid::ShadeRamp({5, 250, 24});
    EXPECT_EQ(colour_grid::RampColour(ramp, 0, 2).r, 4);
    EXPECT_EQ(colour_grid::RampColour(ramp, 3, 2).r, 1);
    EXPECT_EQ(colour_grid::RampColour(ramp, 4, 2).r, 0);
    EXPECT_EQ(colour_grid::RampColour(ramp, 11, 3).r, 0);
    EXPECT_EQ(colour_grid::RampColour(ramp, 11, 1).g, 251);
    EXPECT_EQ(colour_grid::RampColour(ramp, 7, 1).g, 255);   // step 5
    EXPECT_EQ(colour_grid::RampColour(ramp, 0, 0).g, 255);
    EXPECT_EQ(colour_grid::RampColour(ramp, 11, 3).b, 0);     // 24 / 24 = 1 per step
}

TEST(DialogShadeRamp, RunsFromLightestToDarkest)
{
    const auto ramp = colour_grid::ShadeRamp({100, 150, 200});
    int previous = 3 * 256;
    for (const Rgb& c : ramp) {
        const int sum = c.r + c.g + c.b;
        EXPECT_LE(sum, previous);
        previous = sum;
    }
    for (const Rgb& c : ramp)
        EXPECT_FALSE(c == (Rgb{100, 150, 200}));
}

TEST(DialogGridHit, CellsAndTheStripsBeyondThem)
{
    // A 100 × 41 palette: cells of 12 × 10, 4 pixels and 1 row left over.
    EXPECT_EQ(colour_grid::CellAt(0, 0, 12, 10, 8), (Cell{0, 0}));
    EXPECT_EQ(colour_grid::CellAt(95, 39, 12, 10, 8), (Cell{7, 3}));
    EXPECT_EQ(colour_grid::CellAt(84, 20, 12, 10, 8), (Cell{7, 2}));
    EXPECT_FALSE(colour_grid::CellAt(96, 5, 12, 10, 8));
    EXPECT_FALSE(colour_grid::CellAt(5, 40, 12, 10, 8));
    EXPECT_FALSE(colour_grid::CellAt(-1, 5, 12, 10, 8));   // would truncate to column 0
    EXPECT_FALSE(colour_grid::CellAt(5, -3, 12, 10, 8));
    EXPECT_EQ(colour_grid::CellAt(143, 0, 12, 10, 12), (Cell{11, 0}));
    EXPECT_FALSE(colour_grid::CellAt(144, 0, 12, 10, 12));
}

TEST(DialogGridHit, NothingBeforeTheFirstPaint)
{
    EXPECT_FALSE(colour_grid::CellAt(3, 3, 0, 0, 8));
    EXPECT_FALSE(colour_grid::CellAt(3, 3, 0, 10, 12));
}

// --- sample board ---------------------------------------------------------------

TEST(DialogSampleBoard, FieldIsWholeSquaresPlusTheClosingLine)
{
    const auto g = sample_board::Layout(200, 198, 17);
    // (200 - 68) / 17 = 7 columns, (198 - 68) / 17 = 7 rows.
    EXPECT_EQ(g.field, (sample_board::Rect{34, 34, 34 + 7 * 17 + 1, 34 + 7 * 17 + 1}));
    EXPECT_EQ(g.ship, (sample_board::Rect{51, 51, 68, 102}));
    EXPECT_EQ(g.sunk, (sample_board::Rect{102, 102, 136, 119}));
    // 5 × 17 + 17 / 4 = 89; 5.75 × 17 = 97.75.
    EXPECT_EQ(g.dot, (sample_board::Rect{89, 89, 97, 97}));
    EXPECT_EQ(g.panel, (sample_board::Rect{0, 0, 200, 198}));
}

TEST(DialogSampleBoard, GridStopsWhenEitherSideIsFull)
{
    // 6 columns but 4 rows: pairs k = 2..6, the last vertical line on the
    // field's bottom-right corner is never reached.
    const auto g = sample_board::Layout(4 * 20 + 6 * 20 + 5, 4 * 20 + 4 * 20 + 5, 20);
    EXPECT_EQ(g.field.right, 40 + 120 + 1);
    EXPECT_EQ(g.field.bottom, 40 + 80 + 1);
    ASSERT_EQ(g.grid.size(), 2u * 5u);
    EXPECT_EQ(g.grid.front(), (sample_board::Line{40, 40, 40, 121}));
    EXPECT_EQ(g.grid[1], (sample_board::Line{40, 40, 161, 40}));
    EXPECT_EQ(g.grid[8], (sample_board::Line{120, 40, 120, 121}));
    EXPECT_EQ(g.strips[9], (sample_board::Rect{40, 120, 161, 121}));
}

TEST(DialogSampleBoard, FirstPairIsDrawnEvenOnATinyPanel)
{
    const auto g = sample_board::Layout(10, 10, 17);
    ASSERT_EQ(g.grid.size(), 2u);
    EXPECT_EQ(g.strips[0], (sample_board::Rect{34, g.field.top, 35, g.field.bottom}));
}

TEST(DialogSampleBoard, CrossesAreDiagonalsOfTheirSquares)
{
    const auto g = sample_board::Layout(200, 198, 10);
    ASSERT_EQ(g.shipCross.size(), 2u);
    EXPECT_EQ(g.shipCross[0], (sample_board::Line{30, 40, 40, 50}));
    EXPECT_EQ(g.shipCross[1], (sample_board::Line{30, 50, 40, 40}));
    ASSERT_EQ(g.sunkCrosses.size(), 4u);
    EXPECT_EQ(g.sunkCrosses[2], (sample_board::Line{70, 60, 80, 70}));
    EXPECT_EQ(g.sunkCrosses[3], (sample_board::Line{80, 60, 70, 70}));
}

TEST(DialogSampleBoard, ZeroCellDoesNotLoopForever)
{
    const auto g = sample_board::Layout(40, 40, 0);
    EXPECT_LT(g.grid.size(), 100u);
}

TEST(DialogSampleBoard, ClickPicksTheFirstRegionThatHoldsIt)
{
    using sample_board::SelectionFor;
    EXPECT_EQ(SelectionFor({true, false, false, false, false}), sample_board::kBackGround);
    EXPECT_EQ(SelectionFor({false, true, false, false, false}), sample_board::kBattleField);
    EXPECT_EQ(SelectionFor({false, false, true, false, false}), sample_board::kShips);
    EXPECT_EQ(SelectionFor({false, false, false, true, false}), sample_board::kShips);
    EXPECT_EQ(SelectionFor({false, false, false, false, true}), sample_board::kSunkShip);
    EXPECT_EQ(SelectionFor({false, false, false, false, false}), sample_board::kLines);
    // Order decides overlaps.
    EXPECT_EQ(SelectionFor({true, true, true, true, true}), sample_board::kBackGround);
    EXPECT_EQ(SelectionFor({false, true, true, false, true}), sample_board::kBattleField);
    EXPECT_EQ(SelectionFor({false, false, false, true, true}), sample_board::kShips);
}

}  // namespace
