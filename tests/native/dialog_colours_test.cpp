// Colour pickers and the sample board of the colours dialog: palette, shade
// ramp, grid hit test, the board's geometry and what a click selects.
#include <gtest/gtest.h>

#include "dialogs/colour_grid.h"
#include "dialogs/sample_board_geometry.h"

namespace {

using colour_grid::Cell;
using colour_grid::Rgb;
using colour_grid::RampColour;

std::string Show(Rgb c) { return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b); }

TEST(DialogPalette, RowsByColumnsAndNothingOutside)
{
    EXPECT_EQ(Show(colour_grid::PaletteColour(7, 2)), "65,105,225");
    EXPECT_EQ(Show(colour_grid::PaletteColour(0, 1)), "255,0,0");
    EXPECT_EQ(Show(colour_grid::PaletteColour(1, 0)), "0,0,0");
    EXPECT_EQ(Show(colour_grid::PaletteColour(7, 3)), "139,69,19");
    EXPECT_EQ(Show(colour_grid::PaletteColour(8, 0)), "0,0,0");
    EXPECT_EQ(Show(colour_grid::PaletteColour(-1, 4)), "0,0,0");
    EXPECT_EQ(colour_grid::Pack({65, 105, 225}), 0x00E16941u);
}

TEST(DialogShadeRamp, TheWorkedExample)
{
    const auto ramp = colour_grid::ShadeRamp({128, 64, 0});
    EXPECT_EQ(Show(RampColour(ramp, 0, 0)), "248,232,240");
    EXPECT_EQ(Show(RampColour(ramp, 11, 1)), "133,71,10");
    EXPECT_EQ(Show(RampColour(ramp, 0, 2)), "123,62,0");
    EXPECT_EQ(Show(RampColour(ramp, 11, 3)), "8,16,0");
}

TEST(DialogShadeRamp, BlackAndWhiteMoveTenPerStepOneWayOnly)
{
    const auto black = colour_grid::ShadeRamp({0, 0, 0});
    const auto white = colour_grid::ShadeRamp({255, 255, 255});
    for (int col = 0; col < 12; ++col) {
        EXPECT_EQ(Show(RampColour(black, col, 2)), "0,0,0");
        EXPECT_EQ(Show(RampColour(black, col, 3)), "0,0,0");
        EXPECT_EQ(Show(RampColour(white, col, 0)), "255,255,255");
        EXPECT_EQ(Show(RampColour(white, col, 1)), "255,255,255");
    }
    EXPECT_EQ(Show(RampColour(black, 11, 1)), "10,10,10");
    EXPECT_EQ(Show(RampColour(black, 0, 0)), "240,240,240");
    EXPECT_EQ(Show(RampColour(white, 0, 2)), "245,245,245");
    EXPECT_EQ(Show(RampColour(white, 11, 3)), "15,15,15");
}

TEST(DialogShadeRamp, SmallStepsAreOneAndStopAtTheEnds)
{
    const auto ramp = colour_grid::ShadeRamp({5, 250, 24});
    EXPECT_EQ(RampColour(ramp, 3, 2).r, 1);    // 5 - 4
    EXPECT_EQ(RampColour(ramp, 4, 2).r, 0);
    EXPECT_EQ(RampColour(ramp, 11, 3).r, 0);
    EXPECT_EQ(RampColour(ramp, 11, 1).g, 251);
    EXPECT_EQ(RampColour(ramp, 7, 1).g, 255);  // the fifth step
    EXPECT_EQ(RampColour(ramp, 11, 3).b, 0);   // 24 / 24 = 1 per step
}

TEST(DialogGridHit, WholeCellsOnly)
{
    // Cells of 12 × 10: a 100 × 41 palette leaves a strip of 4 and a row of 1.
    EXPECT_EQ(colour_grid::CellAt(95, 39, 12, 10, 8), (Cell{7, 3}));
    EXPECT_FALSE(colour_grid::CellAt(96, 5, 12, 10, 8));
    EXPECT_FALSE(colour_grid::CellAt(5, 40, 12, 10, 8));
    EXPECT_FALSE(colour_grid::CellAt(-1, 5, 12, 10, 8));   // would truncate to column 0
    EXPECT_EQ(colour_grid::CellAt(143, 0, 12, 10, 12), (Cell{11, 0}));
    EXPECT_FALSE(colour_grid::CellAt(3, 3, 0, 0, 8));      // before the first paint
}

TEST(DialogSampleBoard, PartsAtCellSize17)
{
    const auto g = sample_board::Layout(200, 198, 17);
    // (200 - 68) / 17 = 7 squares, plus the closing line.
    EXPECT_EQ(g.field, (sample_board::Rect{34, 34, 154, 154}));
    EXPECT_EQ(g.ship, (sample_board::Rect{51, 51, 68, 102}));
    EXPECT_EQ(g.sunk, (sample_board::Rect{102, 102, 136, 119}));
    EXPECT_EQ(g.dot, (sample_board::Rect{89, 89, 97, 97}));  // 5·17 + 17/4, ⌊5.75·17⌋
    EXPECT_EQ(g.shipCross[1], (sample_board::Line{51, 85, 68, 68}));
    EXPECT_EQ(g.sunkCrosses[3], (sample_board::Line{136, 102, 119, 119}));
}

TEST(DialogSampleBoard, GridStopsWhenEitherSideIsFull)
{
    // Six columns but four rows: pairs k = 2..6 only.
    const auto g = sample_board::Layout(205, 165, 20);
    EXPECT_EQ(g.field, (sample_board::Rect{40, 40, 161, 121}));
    ASSERT_EQ(g.grid.size(), 10u);
    EXPECT_EQ(g.grid[8], (sample_board::Line{120, 40, 120, 121}));
    EXPECT_EQ(g.strips[9], (sample_board::Rect{40, 120, 161, 121}));
    EXPECT_EQ(sample_board::Layout(10, 10, 17).grid.size(), 2u) << "the first pair always";
    EXPECT_LT(sample_board::Layout(40, 40, 0).grid.size(), 100u);
}

TEST(DialogSampleBoard, ClickPicksTheFirstRegionThatHoldsIt)
{
    using sample_board::SelectionFor;
    EXPECT_EQ(SelectionFor({true, true, true, true, true}), sample_board::kBackGround);
    EXPECT_EQ(SelectionFor({false, true, true, false, true}), sample_board::kBattleField);
    EXPECT_EQ(SelectionFor({false, false, true, false, false}), sample_board::kShips);
    EXPECT_EQ(SelectionFor({false, false, false, true, true}), sample_board::kShips);
    EXPECT_EQ(SelectionFor({false, false, false, false, true}), sample_board::kSunkShip);
    EXPECT_EQ(SelectionFor({false, false, false, false, false}), sample_board::kLines);
}

}  // namespace
