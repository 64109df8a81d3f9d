// Value rules of the dialogs: the delay and colour fields, the palette and
// shade ramp, and the colours dialog's sample board.
#include <gtest/gtest.h>

#include "dialogs/colour_grid.h"
#include "dialogs/field_rules.h"
#include "dialogs/sample_board_geometry.h"

namespace {

TEST(Dialogs, DelayAndColourFieldsFromTheirText)
{
    const std::pair<const wchar_t*, int> delays[] = {{L"", 1},      {L"0", 1},          {L"12abc", 1},
                                                      {L" 42 ", 42}, {L"4999", 4999},    {L"70000", 5000},
                                                      {L"4294967296", 5000}};
    for (const auto& [text, ms] : delays)
        EXPECT_EQ(field_rules::TimeOutFromText(text), ms) << testing::PrintToString(std::wstring(text));
    const std::pair<const wchar_t*, int> components[] = {{L"7", 7}, {L"256", 255}, {L"", 0}, {L"x1", 0}};
    for (const auto& [text, value] : components)
        EXPECT_EQ(field_rules::ComponentFromText(text), value) << testing::PrintToString(std::wstring(text));
    // A colour field takes three digits at most, and every control key.
    const struct { unsigned code; std::size_t length; bool accepted; } keys[] = {
        {L'9', 2, true}, {L'5', 3, false}, {L'a', 0, false}, {L'\b', 3, true}};
    for (const auto& k : keys)
        EXPECT_EQ(field_rules::AcceptChar(k.code, k.length), k.accepted) << k.code << " after " << k.length;
}

std::string Show(colour_grid::Rgb c)
{
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

TEST(Dialogs, PaletteAndShadeRamp)
{
    const struct { int c, r; const char* rgb; } palette[] = {{7, 2, "65,105,225"}, {8, 0, "0,0,0"}, {0, 4, "0,0,0"}};
    for (const auto& c : palette)
        EXPECT_EQ(Show(colour_grid::PaletteColour(c.c, c.r)), c.rgb) << c.c << "," << c.r;
    EXPECT_EQ(colour_grid::Pack({65, 105, 225}), 0x00E16941u);
    EXPECT_EQ(Show(colour_grid::Unpack(0x12E16941u)), "65,105,225");

    // From the lightest tint (row 0, column 0) to the darkest shade (row 3,
    // column 11), the base's neighbours at row 1, column 11 and row 2, column 0;
    // steps of 1 stop at 0 and 255.
    const struct { colour_grid::Rgb base; int column, row; const char* rgb; } ramp[] = {
        {{128, 64, 0}, 0, 0, "248,232,240"}, {{128, 64, 0}, 11, 1, "133,71,10"}, {{128, 64, 0}, 0, 2, "123,62,0"},
        {{128, 64, 0}, 11, 3, "8,16,0"},     {{5, 250, 24}, 4, 2, "0,200,19"},   {{255, 255, 255}, 0, 0, "255,255,255"},
    };
    for (const auto& c : ramp)
        EXPECT_EQ(Show(colour_grid::RampColour(colour_grid::ShadeRamp(c.base), c.column, c.row)), c.rgb)
            << Show(c.base) << " at " << c.column << "," << c.row;
    // Cells of 12 x 10: a 100 x 41 palette leaves a strip of 4 and a row of 1.
    EXPECT_EQ(colour_grid::CellAt(95, 39, 12, 10, 8), (colour_grid::Cell{7, 3}));
    EXPECT_FALSE(colour_grid::CellAt(96, 5, 12, 10, 8) || colour_grid::CellAt(5, 40, 12, 10, 8));
    EXPECT_FALSE(colour_grid::CellAt(-1, 5, 12, 10, 8) || colour_grid::CellAt(3, 3, 0, 0, 8));
}

TEST(Dialogs, SampleBoardParts)
{
    using sample_board::Line;
    using sample_board::Rect;
    const auto g = sample_board::Layout(200, 198, 17);
    EXPECT_EQ(g.field, (Rect{34, 34, 154, 154}));  // seven squares and the closing line
    EXPECT_TRUE(g.ship == (Rect{51, 51, 68, 102}) && g.dot == (Rect{89, 89, 97, 97}));
    EXPECT_EQ(g.sunk, (Rect{102, 102, 136, 119}));
    EXPECT_EQ(g.shipCross, (std::vector<Line>{{51, 68, 68, 85}, {51, 85, 68, 68}}));
    EXPECT_EQ(g.sunkCrosses, (std::vector<Line>{{102, 102, 119, 119}, {119, 102, 102, 119}, {119, 102, 136, 119},
                                                {136, 102, 119, 119}}));
    // Six columns but four rows: the grid lines k = 2..6 only; the first pair always.
    const auto wide = sample_board::Layout(205, 165, 20);
    EXPECT_TRUE(wide.field == (Rect{40, 40, 161, 121}) && wide.strips.back() == (Rect{40, 120, 161, 121}));
    EXPECT_TRUE(wide.grid.size() == 10 && wide.strips.size() == 10);
    EXPECT_EQ(sample_board::Layout(10, 10, 17).grid.size(), 2u);
}

}  // namespace
