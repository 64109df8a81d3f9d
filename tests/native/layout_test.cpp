// Sizes and positions from the cell size: the frame's children, the board
// window, the steps and drag of a ship placed by hand, the pad and picker.
#include "support.h"

#include "boards/board_geometry.h"
#include "boards/placement_steps.h"
#include "common/layout.h"
#include "game/placement.h"
#include "shell/command_line.h"

namespace {

using game::PixelRect;
using layout::Box;
using testing_game::Same;

TEST(Layout, ChildrenAtCreationTruncateFractionsOfTheCell)
{
    const layout::FrameMetrics wine = {3, 3, 15};  // board: 11 c + 7 wide, 11 c + 24 high
    const struct { int c; Box arrows, picker, commentator, human, computer; } cases[] = {
        {20, {330, 320, 230, 160}, {60, 320, 210, 130}, {80, 30, 500, 60}, {410, 70, 227, 244}, {60, 70, 227, 244}},
        {17, {280, 272, 195, 136}, {51, 272, 178, 110}, {68, 30, 425, 51}, {348, 59, 194, 211}, {51, 59, 194, 211}},
    };
    for (const auto& c : cases) {
        const layout::InitialLayout l = layout::Initial(c.c, wine);
        EXPECT_TRUE(l.arrows == c.arrows && l.picker == c.picker && l.commentator == c.commentator) << c.c;
        EXPECT_TRUE(l.humanBoard == c.human && l.computerBoard == c.computer) << c.c;
        EXPECT_EQ(l.commentatorText, (Box{0, 0, c.commentator.width, c.commentator.height}));
    }
    // 73 % and 86.5 % of the width where the counts have their room; a part
    // short of it moves its left edge back as far as the room asks.
    const struct { int width, room1, room2, part0, part1; } parts[] = {
        {1024, 138, 139, 747, 885}, {1024, 100, 200, 724, 824}, {1024, 150, 0, 735, 885}, {1279, 0, 0, 933, 1106}};
    for (const auto& p : parts)
        EXPECT_EQ(layout::StatusParts(p.width, p.room1, p.room2), (std::array<int, 3>{p.part0, p.part1, -1}))
            << p.width << " " << p.room1 << " " << p.room2;
    // Arranged: the commentator centred, the boards 4 cells apart under it
    // (the computer's by its width before the move), picker and pad below.
    const layout::Arrangement a = layout::Arrange({1000, 32, 17, 425, 51, 190, 191, 200, 178, 110, 195, 136});
    EXPECT_TRUE(a.commentator == (Box{288, 32, 425, 51}) && a.humanBoard == (Box{534, 83, 191, 200}));
    EXPECT_TRUE(a.computerBoard == (Box{276, 83, 191, 200}) && a.picker == (Box{276, 283, 178, 110}));
    EXPECT_EQ(a.arrows, (Box{534, 283, 195, 136}));
}

// A stored rectangle is used again only where it would show: some part on
// one of the areas, and a size a window can have on this virtual screen.
// The toolbar strips are drawn at 24, 32, 36 and 48 pixels: each display
// scale takes the nearest to 24 pixels at 96 DPI.
TEST(Layout, WhatTheDisplayAllows)
{
    const std::vector<layout::Rect> monitors = {{0, 0, 1280, 984}, {1280, 0, 2560, 1024}};
    const struct { layout::Rect r; bool showable; const char* what; } rects[] = {
        {{100, 50, 900, 650}, true, "on the first monitor"},
        {{1200, 900, 1400, 1100}, true, "across the two, partly off the work area"},
        {{-32000, -32000, -31840, -31976}, false, "where a minimised window sits"},
        {{2560, 0, 3000, 400}, false, "right of the last monitor, touching it"},
        {{100, 984, 500, 1000}, false, "under the first work area only"},
        {{500, 500, 100, 600}, false, "negative width"},
        {{0, 0, 2561, 600}, false, "wider than the virtual screen"},
        {{-2147483647, 0, 2147483647, 600}, false, "a width beyond 32 bits"},
    };
    for (const auto& c : rects)
        EXPECT_EQ(layout::Showable(c.r, monitors, 2560, 1024), c.showable) << c.what;
    EXPECT_FALSE(layout::Showable({10, 10, 100, 100}, {}, 2560, 1024)) << "no area at all";
    const int images[][2] = {{96, 24}, {120, 32}, {144, 36}, {180, 48}, {192, 48}, {288, 48}, {72, 24}};
    for (const auto& c : images)
        EXPECT_EQ(layout::ToolbarImageSize(c[0]), c[1]) << c[0] << " DPI";
}

TEST(Layout, NoDefineCountsOnlyAsAWholeWord)
{
    const struct { const wchar_t* line; bool has; } cases[] = {
        {L"-noDefine", true},   {L"foo  -noDefine bar", true}, {L" -noDefine ", true},   {L"-nodefine", false},
        {L"-noDefineX", false}, {L"x-noDefine", false},        {L"\"-noDefine\"", false}, {L"-noDefine\t", false},
        {L"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(command_line::HasWord(c.line, L"-noDefine"), c.has) << testing::PrintToString(std::wstring(c.line));
    EXPECT_FALSE(command_line::HasWord(L"   ", L""));
}

// The whole picture is checked as pixels under Wine (tests/win/paint_test.cpp);
// these two here as well, so that a fault in them shows without Wine.
TEST(Layout, BoardWindowPartsAtCellSize17)
{
    EXPECT_TRUE(Same(boards::BottomLabelStrip(17), {0, 170, 187, 189}));
    EXPECT_TRUE(Same(boards::SquareRect(2, 3, 17), {34, 51, 51, 68}));
}

constexpr int c = 17;
constexpr PixelRect kWineClient{0, 0, 184, 185};  // the human board's client area under Wine

PixelRect Ship(int x, int y, int length, bool vertical) { return game::ShipRectAt(x, y, length, vertical); }

// A step that would leave the grid is refused, and a drag takes no such
// step: so a drag never meets one of MoveShip's limits.
TEST(PlaceByHand, StepsAndDragStopAtColumnKAndRowTenWithTheirOwnRefusals)
{
    using boards::MoveRefusal;
    game::CellSize = c;
    const struct { boards::ShipMove move; int dx, dy; } moves[] = {
        {boards::kMoveLeft, -1, 0}, {boards::kMoveRight, 1, 0}, {boards::kMoveUp, 0, -1}, {boards::kMoveDown, 0, 1}};
    for (int length = 1; length <= 4; ++length)
        for (bool vertical : {false, true})
            for (int x = 0; x + (vertical ? 1 : length) <= 10; ++x)
                for (int y = 0; y + (vertical ? length : 1) <= 10; ++y)
                    for (const auto& m : moves) {
                        const int nx = x + m.dx, ny = y + m.dy;
                        const bool inside = nx >= 0 && ny >= 0 && nx + (vertical ? 1 : length) <= 10 &&
                                            ny + (vertical ? length : 1) <= 10;
                        const PixelRect ship = Ship(x, y, length, vertical);
                        const boards::MoveOutcome out = boards::MoveShipRect(ship, m.move, kWineClient, c);
                        const MoveRefusal refusal = inside                       ? MoveRefusal::None
                                                    : m.move == boards::kMoveLeft ? MoveRefusal::PastLeft
                                                                                  : MoveRefusal::PastEdge;
                        ASSERT_TRUE(Same(out.ship, inside ? Ship(nx, ny, length, vertical) : ship) &&
                                    out.refusal == refusal) << x << "," << y << " " << m.move;
                        ASSERT_EQ(boards::DragMayMove(ship, m.move, c), inside) << x << "," << y << " " << m.move;
                    }
    // The limits lie half a cell inside the client edge.
    EXPECT_EQ(boards::MoveShipRect(Ship(9, 0, 1, false), boards::kMoveRight, {0, 0, 196, 196}, c).refusal,
              MoveRefusal::None);
    const struct { PixelRect from, to; MoveRefusal refusal; } turns[] = {
        {Ship(0, 0, 4, true), Ship(0, 0, 4, false), MoveRefusal::None},  // about the top-left corner
        {Ship(0, 0, 4, false), Ship(0, 0, 4, true), MoveRefusal::None},
        {Ship(6, 1, 4, true), Ship(6, 1, 4, false), MoveRefusal::None},  // reaches К
        {Ship(7, 1, 4, true), Ship(7, 1, 4, true), MoveRefusal::TurnPast},
        {Ship(2, 7, 4, false), Ship(2, 7, 4, false), MoveRefusal::TurnPast},
        {Ship(9, 9, 1, false), Ship(9, 9, 1, false), MoveRefusal::None}};  // one square: no change
    for (const auto& t : turns) {
        const boards::MoveOutcome out = boards::MoveShipRect(t.from, boards::kTurn, kWineClient, c);
        EXPECT_TRUE(Same(out.ship, t.to) && out.refusal == t.refusal) << t.from.left << "," << t.from.top;
    }
    // The drag moves by the difference between squares, numbered row * 10 + column.
    const auto d = boards::DragDeltaAt(8 * c + 1, 3 * c + 16, 0, c);
    EXPECT_TRUE(d && d->cell == 38 && d->rows == 3 && d->cols == 8);
    EXPECT_EQ(boards::DragDeltaAt(c, 0, 38, c)->cols, -7);
    const std::pair<int, int> sameOrOff[] = {{8 * c + 16, 3 * c}, {10 * c, 5}, {5, 10 * c}, {-1, 5}, {5, -1}};
    for (const auto& p : sameOrOff)
        EXPECT_FALSE(boards::DragDeltaAt(p.first, p.second, 38, c)) << p.first << "," << p.second;
}

}  // namespace
