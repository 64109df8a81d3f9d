// The board painters and the ship picker drawn into memory bitmaps, and a
// board window that is painted whole after a shot it could not show.
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "boards/board_render.h"
#include "boards/ship_picker.h"
#include "common/gdi.h"
#include "common/look.h"
#include "game/placement.h"
#include "game/play.h"
#include "support.h"

namespace {

using namespace win_test;
using game::BoardId;

// Colours no painter uses on its own, so that every pixel tells who drew it.
constexpr COLORREF kSea = RGB(0, 128, 128), kShips = RGB(200, 160, 40), kLines = RGB(90, 40, 10);
constexpr COLORREF kSunk = RGB(150, 0, 150), kLabel = RGB(0, 255, 0), kBlack = RGB(0, 0, 0);

// Worked examples of a board's picture at two cell sizes.
struct Example {
    int cell;
    RECT bottomStrip, rightStrip;  // black, overhanging the client area by 2 pixels
    int blueTop, redTop;           // the flag: white rows from 10c, then blue, then red up to 11c
    RECT dotOfA1;                  // the bounds of a miss dot in А1
};
const Example kExamples[] = {
    {17, {0, 170, 187, 189}, {170, 0, 189, 187}, 175, 181, {4, 4, 12, 12}},
    {25, {0, 250, 275, 277}, {250, 0, 277, 275}, 258, 266, {6, 6, 18, 18}},
};

void Mark(int layer, int x, int y) { game::BoardAt(layer, x, y) = 1; }

// Ship k of the human's fleet with its first square at (x, y), placed.
void PlaceHumanShip(int k, int x, int y, bool vertical)
{
    const game::PixelRect r = game::ShipRectAt(x, y, game::ShipLength(k), vertical);
    game::ShipRects[game::kHumanFleet][k] = r;
    game::PlaceShip(r, game::kHumanBoard);
    game::ShipPlaced[k] = 1;
}

// Points of square (x, y): clear of its frame, cross and dot; on its falling diagonal.
POINT Inside(int x, int y, int c) { return {x * c + c / 2, y * c + 2}; }
POINT OnCross(int x, int y, int c) { return {x * c + 2, y * c + 2}; }

void ExpectPixel(const Canvas& canvas, POINT p, COLORREF want, const char* what)
{
    EXPECT_EQ(Hex(want), Hex(canvas.At(p.x, p.y))) << what << " at (" << p.x << ", " << p.y << ")";
}

// A label as it should stand: the text at (x, y) in the font, in the label
// colour on black, compared over its text box.
void ExpectLabelAt(const Canvas& board, HFONT font, const std::wstring& text, int x, int y)
{
    Canvas ref(x + 40, y + 40, kBlack);
    gdi::Select keep(ref.dc(), font);
    SetTextColor(ref.dc(), kLabel);
    SetBkColor(ref.dc(), kBlack);
    TextOutW(ref.dc(), x, y, text.c_str(), static_cast<int>(text.size()));
    SIZE size{};
    GetTextExtentPoint32W(ref.dc(), text.c_str(), static_cast<int>(text.size()), &size);
    const RECT box{x, y, x + size.cx, y + size.cy};
    EXPECT_EQ(ref.Pixels(box), board.Pixels(box)) << "label at (" << x << ", " << y << ")";
}

class BoardPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Program();
        m_cell = game::CellSize;
        game::ResetGame();
    }
    void TearDown() override
    {
        game::CellSize = m_cell;
        game::ResetGame();
    }
    boards::BoardLook Look(int c, bool flag = true) const
    {
        return {c, kSea, kShips, kLines, kSunk, flag, m_font.get(), kLabel};
    }

private:
    int m_cell = 0;
    // Small enough that no label reaches past its strip.
    gdi::Obj<HFONT> m_font{
        CreateFontW(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma")};
};

TEST_F(BoardPicture, WorkedExamplesAtTwoCellSizes)
{
    for (const Example& e : kExamples) {
        SCOPED_TRACE("cell " + std::to_string(e.cell));
        const int c = game::CellSize = e.cell;
        game::ResetGame();
        const RECT client{0, 0, 11 * c, 11 * c};
        const int side = 11 * c + 8;

        // Sea, grid, strips and flag, every pixel; the context's objects after.
        Canvas bg(side, side);
        const HGDIOBJ brush = GetCurrentObject(bg.dc(), OBJ_BRUSH), font = GetCurrentObject(bg.dc(), OBJ_FONT);
        boards::DrawBackground(bg.dc(), client, Look(c));
        EXPECT_EQ(brush, GetCurrentObject(bg.dc(), OBJ_BRUSH));
        EXPECT_EQ(font, GetCurrentObject(bg.dc(), OBJ_FONT));
        EXPECT_EQ(GetStockObject(NULL_PEN), GetCurrentObject(bg.dc(), OBJ_PEN)) << "the null pen is left selected";
        int wrong = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const COLORREF got = bg.At(x, y);
                bool ok;
                if (x >= 10 * c && x < 11 * c && y >= 10 * c && y < 11 * c)
                    ok = got == (y < e.blueTop ? RGB(255, 255, 255) : y < e.redTop ? RGB(0, 0, 255) : RGB(255, 0, 0));
                else if (PtInRect(&e.bottomStrip, {x, y}) || PtInRect(&e.rightStrip, {x, y}))
                    ok = got == kBlack || got == kLabel;
                else if (x < 10 * c && y < 10 * c)
                    ok = got == (x % c == 0 || y % c == 0 ? kLines : kSea);
                else
                    ok = got == kUntouched;
                if (!ok && wrong++ == 0)
                    ADD_FAILURE() << "first wrong pixel (" << x << ", " << y << "): " << Hex(got);
            }
        EXPECT_EQ(0, wrong);
        // Each letter 3 pixels right of its column's line, each number 2 below its row's.
        for (int i = 0; i < 10; ++i) {
            ExpectLabelAt(bg, Look(c).labelFont, std::wstring(1, L"АБВГДЕЖЗИК"[i]), i * c + 3, 10 * c);
            ExpectLabelAt(bg, Look(c).labelFont, std::to_wstring(i + 1), 10 * c, i * c + 2);
        }

        // The computer's board: a hit in В4, a ship never shot at in Г4, a miss in А1.
        for (auto [layer, x, y] : {std::tuple{game::ComputerShips, 2, 3}, {game::ShotsAtComputer, 2, 3},
                                   {game::ComputerShips, 3, 3}, {game::ShotsAtComputer, 0, 0}})
            Mark(layer, x, y);
        Canvas computer(side, side);
        boards::RenderBoard(computer.dc(), client, BoardId::Computer, Look(c));
        const int l = 2 * c, t = 3 * c;
        for (POINT frame : {POINT{l + c / 2, t}, {l + c / 2, t + c - 1}, {l, t + c / 2}, {l + c - 1, t + c / 2}})
            ExpectPixel(computer, frame, kLines, "frame of the hit");
        for (int k = 2; k < c - 1; ++k) {
            ExpectPixel(computer, {l + k, t + k}, kLines, "falling stroke of the cross");
            ExpectPixel(computer, {l + c - k, t + k}, kLines, "rising stroke of the cross");
        }
        ExpectPixel(computer, Inside(2, 3, c), kShips, "the hit square");
        ExpectPixel(computer, Inside(3, 3, c), kSea, "a ship not shot at");
        const RECT& d = e.dotOfA1;
        const int mx = (d.left + d.right) / 2, my = (d.top + d.bottom) / 2;
        for (POINT edge : {POINT{mx, d.top}, {mx, d.bottom - 1}, {d.left, my}, {d.right - 1, my}})
            ExpectPixel(computer, edge, kLines, "outline of the dot");
        ExpectPixel(computer, {mx, my}, kShips, "middle of the dot");
        for (POINT out : {POINT{d.left - 1, my}, {d.right, my}, {mx, d.bottom}, {d.left, d.top}})
            ExpectPixel(computer, out, kSea, "beside the dot");

        // The human's board: a sunk ship Б2-В2, a ship Е3-Е5 hit in Е4, a miss in И9.
        game::ResetGame();
        PlaceHumanShip(3, 1, 1, false);
        PlaceHumanShip(1, 5, 2, true);
        for (POINT hit : {POINT{1, 1}, {2, 1}, {5, 3}}) {
            Mark(game::ShotsAtHuman, hit.x, hit.y);
            game::RegisterHit(hit.x, hit.y, game::kHumanFleet);
        }
        Mark(game::ShotsAtHuman, 8, 8);
        Canvas human(side, side);
        boards::RenderBoard(human.dc(), client, BoardId::Human, Look(c));
        for (int x : {1, 2}) {
            ExpectPixel(human, Inside(x, 1, c), kSunk, "the sunk ship");
            ExpectPixel(human, OnCross(x, 1, c), kLines, "a cross on the sunk ship");
        }
        for (int y : {2, 3, 4})
            ExpectPixel(human, Inside(5, y, c), kShips, "the ship afloat");
        ExpectPixel(human, {5 * c + c / 2, 3 * c}, kShips, "a grid line under the ship");
        ExpectPixel(human, OnCross(5, 3, c), kLines, "the cross of its hit");
        ExpectPixel(human, OnCross(5, 2, c), kShips, "a square of it not hit");
        ExpectPixel(human, {8 * c + c / 2, 8 * c + c / 2}, kShips, "the miss dot");
        ExpectPixel(human, Inside(8, 8, c), kSea, "around the miss dot");
    }
}

TEST_F(BoardPicture, APaintWithSkipBackgroundDrawsShipsAndMarksOnly)
{
    const int c = game::CellSize;
    const RECT client{0, 0, 11 * c, 11 * c};
    Canvas canvas(client.right, client.bottom);
    boards::RenderBoard(canvas.dc(), client, BoardId::Computer, Look(c));
    const std::vector<COLORREF> before = canvas.Pixels(client);

    // Another look and a new miss in Е6: nothing but that square may change.
    boards::BoardLook changed = Look(c, false);
    changed.battleField = RGB(1, 2, 3);
    changed.labelColour = RGB(250, 250, 0);
    Mark(game::ShotsAtComputer, 5, 5);
    game::SkipBackground = 1;
    const HGDIOBJ pen = GetCurrentObject(canvas.dc(), OBJ_PEN), brush = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
    boards::RenderBoard(canvas.dc(), client, BoardId::Computer, changed);
    EXPECT_EQ(0, game::SkipBackground);
    EXPECT_TRUE(pen == GetCurrentObject(canvas.dc(), OBJ_PEN) && brush == GetCurrentObject(canvas.dc(), OBJ_BRUSH));
    const std::vector<COLORREF> after = canvas.Pixels(client);
    const RECT shot{5 * c, 5 * c, 6 * c, 6 * c};
    int inside = 0, outside = 0;
    for (int i = 0; i < static_cast<int>(after.size()); ++i)
        if (after[i] != before[i])
            ++(PtInRect(&shot, {i % client.right, i / client.right}) ? inside : outside);
    EXPECT_GT(inside, 0);
    EXPECT_EQ(0, outside);

    // The next paint, of either board, is whole again.
    boards::RenderBoard(canvas.dc(), client, BoardId::Human, changed);
    EXPECT_EQ(Hex(RGB(1, 2, 3)), Hex(canvas.At(c / 2, c / 2)));
}

// The digit in a square: its ink (what differs from the fill), cut to its
// bounds, as rows of '#' and '.'.
std::string Ink(const Canvas& canvas, const RECT& square, COLORREF fill)
{
    RECT b{square.right, square.bottom, square.left, square.top};
    for (int y = square.top; y < square.bottom; ++y)
        for (int x = square.left; x < square.right; ++x)
            if (canvas.At(x, y) != fill)
                b = {std::min<LONG>(b.left, x), std::min<LONG>(b.top, y), std::max<LONG>(b.right, x + 1),
                     std::max<LONG>(b.bottom, y + 1)};
    std::string rows;
    for (int y = b.top; y < b.bottom; ++y, rows += '\n')
        for (int x = b.left; x < b.right; ++x)
            rows += canvas.At(x, y) != fill ? '#' : '.';
    return rows;
}

// Each count stands in the lowest square of its upright ship and in the
// first square of its lying one.
TEST_F(BoardPicture, ThePickerShowsTheShipsLeftOfEachLength)
{
    RECT client;
    GetClientRect(Program().picker, &client);
    const int c = game::CellSize;
    const boards::Silhouettes& s = boards::PickerSilhouettes();
    const COLORREF fill = look::Colours().Ships;
    const auto counts = [&] {
        Canvas canvas(client.right, client.bottom);
        boards::DrawShipPicker(canvas.dc(), client, c);
        std::vector<std::string> shown;
        for (int t = 0; t < 4; ++t) {
            const layout::Rect &up = s[t], &lying = s[4 + t];
            shown.push_back(Ink(canvas, {up.left + 1, up.bottom - c + 1, up.right - 1, up.bottom - 1}, fill));
            const RECT first{lying.left + 1, lying.top + 1, lying.left + c - 1, lying.bottom - 1};
            EXPECT_EQ(shown.back(), Ink(canvas, first, fill)) << "length slot " << t;
        }
        return shown;
    };
    const std::int32_t start[4] = {1, 2, 3, 4};
    std::copy(start, start + 4, game::ShipsLeftToPlace);
    const auto first = counts();
    for (int t = 0; t < 4; ++t)
        for (int u = t + 1; u < 4; ++u)
            EXPECT_NE(first[t], first[u]) << t << " and " << u << " look alike";
    game::ShipsLeftToPlace[3] = 3;  // one boat placed: its count looks as the cruisers' 3
    EXPECT_EQ(first[2], counts()[3]);
}

// The computer fires at a hidden human board: that board cannot paint the
// shot, yet its next paint must be a whole one, and the shots after that
// paint their marks only.
TEST(BoardWindow, ABoardShownAgainIsPaintedWhole)
{
    const Handles& w = Program();
    NewGame(true);
    const int c = game::CellSize;
    int x = 0;
    while (game::IsSet(game::ComputerShips, x, 0))
        ++x;
    ShowWindow(w.human, SW_HIDE);
    SendMessageW(w.computer, WM_LBUTTONUP, 0, At(x * c + 2, 2));  // a miss: the computer replies
    // Meanwhile the frame paints where the board was.
    RECT where;
    GetWindowRect(w.human, &where);
    MapWindowPoints(HWND_DESKTOP, w.frame, reinterpret_cast<POINT*>(&where), 2);
    FillRect(gdi::WindowDc(w.frame).get(), &where, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ShowWindow(w.human, SW_SHOW);
    Pump();
    EXPECT_EQ(0, PixelsOffFromFreshPaint(w.human, BoardId::Human)) << "sea, grid and labels";

    // The next shot, a miss away from a scribble on the sea, leaves the scribble.
    const POINT sea{(x + 5) % 10 * c + 5, 9 * c + 1};
    SetPixel(gdi::WindowDc(w.computer).get(), sea.x, sea.y, RGB(1, 2, 3));
    int y = 1;
    while (game::IsSet(game::ShotsAtComputer, x, y) || game::IsSet(game::ComputerShips, x, y))
        ++y;
    ASSERT_LT(y, 9);
    SendMessageW(w.computer, WM_LBUTTONUP, 0, At(x * c + 2, y * c + 2));
    Pump();
    EXPECT_TRUE(game::IsSet(game::ShotsAtComputer, x, y));
    EXPECT_EQ(Hex(RGB(1, 2, 3)), Hex(ScreenPixel(w.computer, sea.x, sea.y)));
}

}  // namespace
