// Sizes and positions from the cell size: the frame's children, the board
// window, the steps and drag of a ship placed by hand, the pad and picker.
#include <gtest/gtest.h>

#include <cstring>

#include "boards/board_geometry.h"
#include "boards/placement_steps.h"
#include "game/placement.h"
#include "shell/command_line.h"
#include "shell/layout.h"

namespace {

using game::PixelRect;
using Box = layout::Box;

bool Same(const PixelRect& a, const PixelRect& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(Layout, ChildrenAtCreationTruncateFractionsOfTheCell)
{
    const layout::FrameMetrics wine = {3, 3, 15};  // board: 11 c + 7 wide, 11 c + 24 high
    const struct { int c; Box arrows, picker, commentator, human, computer; } cases[] = {
        {20, {330, 320, 230, 160}, {60, 320, 210, 130}, {80, 30, 500, 60}, {410, 70, 227, 244}, {60, 70, 227, 244}},
        {17, {280, 272, 195, 136}, {51, 272, 178, 110}, {68, 30, 425, 51}, {348, 59, 194, 211}, {51, 59, 194, 211}},
    };
    for (const auto& c : cases) {
        const layout::InitialLayout l = layout::Initial(c.c, wine);
        EXPECT_EQ(l.arrows, c.arrows) << c.c;
        EXPECT_EQ(l.picker, c.picker) << c.c;
        EXPECT_EQ(l.commentator, c.commentator) << c.c;
        EXPECT_EQ(l.commentatorText, (Box{0, 0, c.commentator.width, c.commentator.height}));
        EXPECT_EQ(l.humanBoard, c.human) << c.c;
        EXPECT_EQ(l.computerBoard, c.computer) << c.c;
    }
    const struct { int width, part0, part1; } parts[] = {{1024, 747, 885}, {0, 0, 0}, {1279, 933, 1106}};
    for (const auto& p : parts)
        EXPECT_EQ(layout::StatusParts(p.width), (std::array<int, 3>{p.part0, p.part1, -1}));
}

TEST(Layout, DefaultArrangementCentresTheCommentatorAndStacksTheRest)
{
    const layout::ArrangeInput in = {1000, 32, 17, 425, 51, 190, 191, 200, 178, 110, 195, 136};
    const layout::Arrangement a = layout::Arrange(in);
    EXPECT_EQ(a.commentator, (Box{288, 32, 425, 51}));
    EXPECT_EQ(a.humanBoard, (Box{534, 83, 191, 200}));
    EXPECT_EQ(a.computerBoard, (Box{276, 83, 191, 200}));  // 4 cells apart, using its width before the move
    EXPECT_EQ(a.picker, (Box{276, 283, 178, 110}));
    EXPECT_EQ(a.arrows, (Box{534, 283, 195, 136}));
}

TEST(Layout, NoDefineCountsOnlyAsAWholeWord)
{
    const struct { const wchar_t* line; bool has; } cases[] = {
        {L"-noDefine", true},   {L"foo  -noDefine bar", true}, {L" -noDefine ", true}, {L"-nodefine", false},
        {L"-noDefineX", false}, {L"x-noDefine", false},        {L"\"-noDefine\"", false},
        {L"-noDefine\t", false}, {L"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(command_line::HasWord(c.line, L"-noDefine"), c.has) << testing::PrintToString(std::wstring(c.line));
    EXPECT_FALSE(command_line::HasWord(L"   ", L""));
}

TEST(BoardWindow, PartsAtCellSize17)
{
    const int c = 17;
    EXPECT_TRUE(Same(boards::BottomLabelStrip(c), {0, 170, 187, 189}));
    EXPECT_TRUE(Same(boards::RightLabelStrip(c), {170, 0, 189, 187}));
    EXPECT_EQ(boards::LetterOrigin(2, c), (boards::Point{37, 170}));
    EXPECT_EQ(boards::NumberOrigin(9, c), (boards::Point{170, 155}));
    const boards::FlagStripes flag = boards::FlagCorner(c);
    EXPECT_TRUE(Same(flag.white, {170, 170, 187, 175}) && Same(flag.blue, {170, 175, 187, 181}) &&
                Same(flag.red, {170, 181, 187, 187}));
    EXPECT_TRUE(Same(boards::MissDot(0, 0, c), {4, 4, 12, 12}));
    EXPECT_TRUE(Same(boards::MissDot(2, 3, c), {38, 55, 46, 63}));
    EXPECT_TRUE(Same(boards::SquareRect(2, 3, c), {34, 51, 51, 68}));
}

// --- Placing a ship by hand ---------------------------------------------------

constexpr int c = 17;
// The human board's client area as Wine makes it at cell size 17, and 11 c.
constexpr PixelRect kWineClient{0, 0, 184, 185};
constexpr PixelRect kClient{0, 0, 187, 187};

PixelRect Ship(int x, int y, int length, bool vertical)
{
    game::CellSize = c;
    return game::ShipRectAt(x, y, length, vertical);
}

TEST(PlaceByHand, StepsStopAtColumnKAndRowTenWithTheirOwnRefusals)
{
    using boards::MoveRefusal;
    const struct { boards::ShipMove move; PixelRect last; MoveRefusal refusal; } walk[] = {
        {boards::kMoveRight, Ship(9, 0, 1, false), MoveRefusal::PastEdge},
        {boards::kMoveDown, Ship(9, 9, 1, false), MoveRefusal::PastEdge},
        {boards::kMoveUp, Ship(9, 0, 1, false), MoveRefusal::PastEdge},
        {boards::kMoveLeft, Ship(0, 0, 1, false), MoveRefusal::PastLeft},
    };
    for (const PixelRect& client : {kClient, kWineClient}) {
        PixelRect ship = Ship(0, 0, 1, false);
        for (const auto& w : walk) {
            boards::MoveOutcome out{ship, MoveRefusal::None};
            for (int steps = 0; out.refusal == MoveRefusal::None && steps < 20; ++steps)
                out = boards::MoveShipRect(ship = out.ship, w.move, client, c);
            EXPECT_TRUE(Same(out.ship, w.last) && out.refusal == w.refusal) << client.right << " " << w.move;
            ship = out.ship;
        }
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
        {Ship(9, 9, 1, false), Ship(9, 9, 1, false), MoveRefusal::None},  // one square: no change
        {Ship(6, 2, 4, false), Ship(6, 2, 4, false), MoveRefusal::PastEdge},  // Ж-К cannot go right
    };
    for (const auto& t : turns) {
        const boards::ShipMove move = t.refusal == MoveRefusal::PastEdge ? boards::kMoveRight : boards::kTurn;
        const boards::MoveOutcome out = boards::MoveShipRect(t.from, move, kWineClient, c);
        EXPECT_TRUE(Same(out.ship, t.to) && out.refusal == t.refusal) << t.from.left << "," << t.from.top;
    }
}

// What the human's board does with one pointer move: steps toward the new
// square, vertical ones first, each only while the ship stays in the grid.
PixelRect Drag(PixelRect ship, int px, int py, int& lastCell, std::vector<boards::ShipMove>& moves)
{
    const auto d = boards::DragDeltaAt(px, py, lastCell, c);
    if (!d)
        return ship;
    const std::pair<boards::ShipMove, int> runs[] = {{d->rows < 0 ? boards::kMoveUp : boards::kMoveDown, std::abs(d->rows)},
                                                     {d->cols < 0 ? boards::kMoveLeft : boards::kMoveRight, std::abs(d->cols)}};
    for (const auto& [move, n] : runs)
        for (int i = 0; i < n; ++i)
            if (boards::DragMayMove(ship, move, c)) {
                const boards::MoveOutcome out = boards::MoveShipRect(ship, move, kWineClient, c);
                EXPECT_EQ(out.refusal, boards::MoveRefusal::None) << "a drag never meets a limit";
                ship = out.ship;
                moves.push_back(move);
            }
    lastCell = d->cell;
    return ship;
}

TEST(PlaceByHand, TheShipFollowsTheDragSquareBySquareInsideTheGrid)
{
    const auto d = boards::DragDeltaAt(8 * c + 1, 3 * c + 16, 0, c);
    ASSERT_TRUE(d.has_value());
    EXPECT_TRUE(d->cell == 38 && d->rows == 3 && d->cols == 8);
    const std::pair<int, int> sameOrOff[] = {{8 * c + 16, 3 * c}, {10 * c, 5}, {5, 10 * c}, {-1, 5}, {5, -1}};
    for (const auto& p : sameOrOff)
        EXPECT_FALSE(boards::DragDeltaAt(p.first, p.second, 38, c)) << p.first << "," << p.second;

    int last = 0;
    std::vector<boards::ShipMove> moves;
    PixelRect ship = Drag(Ship(0, 0, 4, false), 8 * c + 5, 3 * c + 5, last, moves);
    EXPECT_TRUE(Same(ship, Ship(6, 3, 4, false)));  // three down, then right up to К
    EXPECT_EQ(moves, (std::vector<boards::ShipMove>{boards::kMoveDown, boards::kMoveDown, boards::kMoveDown,
                                                     boards::kMoveRight, boards::kMoveRight, boards::kMoveRight,
                                                     boards::kMoveRight, boards::kMoveRight, boards::kMoveRight}));
    ship = Drag(ship, 7 * c + 5, 3 * c + 5, last, moves);
    EXPECT_TRUE(Same(ship, Ship(5, 3, 4, false)));
    EXPECT_EQ(last, 37);

    ship = Ship(0, 0, 3, true);
    const std::pair<int, int> path[] = {{9, 9}, {0, 9}, {9, 0}, {0, 0}, {5, 9}, {9, 5}, {0, 4}, {9, 9}};
    for (const auto& p : path) {
        ship = Drag(ship, p.first * c + 3, p.second * c + 3, last, moves);
        EXPECT_TRUE(ship.left >= 0 && ship.top >= 0 && ship.right <= 10 * c && ship.bottom <= 10 * c);
    }
}

TEST(PlaceByHand, PadButtonsAndPickerSilhouettes)
{
    const int pad[6][4] = {{6, 0, 34, 34}, {5, 68, 34, 34}, {4, 34, 34, 34}, {8, 110, 17, 68}, {3, 34, 0, 34}, {7, 34, 68, 34}};
    const auto buttons = boards::PadButtons(c);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(buttons[i].command == pad[i][0] && buttons[i].x == pad[i][1] && buttons[i].y == pad[i][2] &&
                    buttons[i].size == pad[i][3]) << i;
    const std::pair<int, int> commands[] = {{3, boards::kMoveUp}, {4, boards::kTurn}, {5, boards::kMoveRight},
                                            {6, boards::kMoveLeft}, {7, boards::kMoveDown}, {8, -1}, {2, -1}};
    for (const auto& [command, move] : commands)
        EXPECT_EQ(boards::MoveOfPadCommand(command).value_or(boards::ShipMove(-1)), move) << command;

    // Upright silhouettes four to one squares, then lying ones.
    const layout::Rect want[8] = {{8, 8, 25, 76},  {25, 25, 42, 76}, {42, 42, 59, 76},  {59, 59, 76, 76},
                                  {93, 8, 161, 25}, {93, 25, 144, 42}, {93, 42, 127, 59}, {93, 59, 110, 76}};
    const boards::Silhouettes rects = layout::ShipPickerRects(c);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(rects[i], want[i]) << i;
    const std::int32_t all[4] = {1, 2, 3, 4}, noThrees[4] = {1, 0, 3, 4};
    const struct { int x, y; const std::int32_t* left; int hit; } clicks[] = {
        {93, 25, all, 5},  {144, 30, all, -1}, {100, 42, all, 6},       {10, 70, all, 0},
        {10, 76, all, -1}, {75, 75, all, 3},   {100, 30, noThrees, -1}, {30, 50, noThrees, -1}};
    for (const auto& k : clicks)
        EXPECT_EQ(boards::SilhouetteAt(k.x, k.y, rects, k.left), k.hit) << k.x << "," << k.y;
    const boards::CountOrigin upright = boards::CountOriginOf(rects, 0, c), lying = boards::CountOriginOf(rects, 4, c);
    EXPECT_TRUE(upright.x == 12 && upright.y == 61 && lying.x == 97 && lying.y == 9);  // 8 + 4, 76 - 15; 93 + 4, 8 + 1
    EXPECT_TRUE(boards::DigitFontSize(c).height == 10 && boards::DigitFontSize(c).width == 3);
}

}  // namespace
