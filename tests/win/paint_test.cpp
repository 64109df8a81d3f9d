// The board painters and the ship picker drawn into memory, and a board window painted whole after a shot it missed.
#include <set>

#include "game/placement.h"
#include "game/play.h"
#include "support.h"

namespace {

using game::BoardId;

// Colours no painter uses on its own, so that every pixel tells who drew it.
constexpr COLORREF kSea = RGB(0, 128, 128), kShips = RGB(200, 160, 40), kLines = RGB(90, 40, 10);
constexpr COLORREF kSunk = RGB(150, 0, 150), kLabel = RGB(0, 255, 0), kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0);

// Pixels that must all show one colour.
void ExpectAll(const Canvas& canvas, COLORREF want, const std::vector<POINT>& at, const char* what)
{
    for (POINT p : at)
        EXPECT_EQ(Hex(want), Hex(canvas.At(p.x, p.y))) << what << " at (" << p.x << ", " << p.y << ")";
}

// Labels in a font small enough that none reaches past its strip.
const gdi::Obj<HFONT> kFont{
    CreateFontW(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma")};
boards::BoardLook Look(int c, bool flag = true) { return {c, kSea, kShips, kLines, kSunk, flag, kFont.get(), kLabel}; }

struct BoardPicture : ::testing::Test {
    void SetUp() override { Program(), game::ResetGame(); }
};

// Worked examples at two cell sizes: the black strips, overhanging the client area by 2 pixels; the flag's first blue
// and first red rows (white from 10c, red up to 11c); the bounds of a miss dot in А1.
const struct { int cell; RECT bottomStrip, rightStrip; int blueTop, redTop; RECT dot; } kExamples[] = {
    {17, {0, 170, 187, 189}, {170, 0, 189, 187}, 175, 181, {4, 4, 12, 12}},
    {25, {0, 250, 275, 277}, {250, 0, 277, 275}, 258, 266, {6, 6, 18, 18}},
};

TEST_F(BoardPicture, WorkedExamplesAtTwoCellSizes)
{
    const int saved = game::CellSize;
    for (const auto& e : kExamples) {
        SCOPED_TRACE("cell " + std::to_string(e.cell));
        const int c = game::CellSize = e.cell, h = c / 2, side = 11 * c + 8;
        const RECT client{0, 0, 11 * c, 11 * c};
        game::ResetGame();

        // Sea, grid, strips and flag, every pixel; the context's objects after.
        Canvas bg(side, side);
        const HGDIOBJ brush = GetCurrentObject(bg.dc, OBJ_BRUSH), font = GetCurrentObject(bg.dc, OBJ_FONT);
        boards::DrawBackground(bg.dc, client, Look(c));
        EXPECT_TRUE(brush == GetCurrentObject(bg.dc, OBJ_BRUSH) && font == GetCurrentObject(bg.dc, OBJ_FONT));
        EXPECT_EQ(GetStockObject(NULL_PEN), GetCurrentObject(bg.dc, OBJ_PEN)) << "the null pen is left selected";
        int wrong = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const COLORREF got = bg.At(x, y);
                const bool strip = PtInRect(&e.bottomStrip, {x, y}) || PtInRect(&e.rightStrip, {x, y});
                const COLORREF flag = y < e.blueTop ? kWhite : y < e.redTop ? kBlue : kRed;
                const bool ok = x >= 10 * c && x < 11 * c && y >= 10 * c && y < 11 * c ? got == flag
                                : strip                    ? got == kBlack || got == kLabel
                                : x < 10 * c && y < 10 * c ? got == (x % c == 0 || y % c == 0 ? kLines : kSea)
                                                           : got == kUntouched;
                if (!ok && wrong++ == 0)
                    ADD_FAILURE() << "first wrong pixel (" << x << ", " << y << "): " << Hex(got);
            }
        // Each letter 3 pixels right of its column's line, each number 2 below its row's, as the font draws them.
        Canvas labels(side, side, kBlack);
        gdi::Select keep(labels.dc, kFont.get());
        SetTextColor(labels.dc, kLabel);
        SetBkColor(labels.dc, kBlack);
        for (int i = 0; i < 10; ++i) {
            TextOutW(labels.dc, i * c + 3, 10 * c, &L"АБВГДЕЖЗИК"[i], 1);
            TextOutW(labels.dc, 10 * c, i * c + 2, std::to_wstring(i + 1).c_str(), i < 9 ? 1 : 2);
        }
        for (const RECT& strip : {RECT{0, 10 * c, 10 * c, 11 * c}, RECT{10 * c, 0, 11 * c, 10 * c}})
            EXPECT_TRUE(Pixels(labels.dc, strip) == Pixels(bg.dc, strip)) << "labels from " << strip.left;

        // The computer's board: a hit in В4, a ship never shot at in Г4, a miss in А1.
        for (auto [layer, x, y] : {std::tuple{game::ComputerShips, 2, 3}, {game::ShotsAtComputer, 2, 3},
                                   {game::ComputerShips, 3, 3}, {game::ShotsAtComputer, 0, 0}})
            game::BoardAt(layer, x, y) = 1;
        Canvas computer(side, side);
        boards::RenderBoard(computer.dc, client, BoardId::Computer, Look(c));
        const int l = 2 * c, t = 3 * c, mx = (e.dot.left + e.dot.right) / 2, my = (e.dot.top + e.dot.bottom) / 2;
        const RECT& d = e.dot;
        std::vector<POINT> lines{{l + h, t},  {l + h, t + c - 1}, {l, t + h},  {l + c - 1, t + h},
                                 {mx, d.top}, {mx, d.bottom - 1}, {d.left, my}, {d.right - 1, my}};
        for (int k = 2; k < c - 1; ++k)
            lines.insert(lines.end(), {{l + k, t + k}, {l + c - k, t + k}});
        ExpectAll(computer, kLines, lines, "the hit's frame and cross, the dot's outline");
        ExpectAll(computer, kShips, {{l + h, t + 2}, {mx, my}}, "the hit square, the dot's middle");
        ExpectAll(computer, kSea, {{l + c + h, t + 2}}, "a ship not shot at");
        ExpectAll(computer, kSea, {{d.left, d.top}, {d.left - 1, my}, {d.right, my}, {mx, d.bottom}}, "beside the dot");

        // The human's board: a sunk ship Б2-В2, a ship Е3-Е5 hit in Е4, a miss in И9.
        game::ResetGame();
        for (auto [k, x, y, vertical] : {std::tuple{3, 1, 1, false}, {1, 5, 2, true}}) {
            game::ShipRects[game::kHumanFleet][k] = game::ShipRectAt(x, y, game::ShipLength(k), vertical);
            game::PlaceShip(game::ShipRects[game::kHumanFleet][k], game::kHumanBoard);
            game::ShipPlaced[k] = 1;
        }
        for (auto [x, y] : {std::pair{1, 1}, {2, 1}, {5, 3}, {8, 8}}) {
            game::BoardAt(game::ShotsAtHuman, x, y) = 1;
            if (x != 8)
                game::RegisterHit(x, y, game::kHumanFleet);
        }
        Canvas human(side, side);
        boards::RenderBoard(human.dc, client, BoardId::Human, Look(c));
        const int xe = 5 * c;  // the column Е
        ExpectAll(human, kSunk, {{c + h, c + 2}, {2 * c + h, c + 2}}, "the sunk ship");
        ExpectAll(human, kLines, {{c + 2, c + 2}, {2 * c + 2, c + 2}, {xe + 2, 3 * c + 2}}, "crosses of the hits");
        ExpectAll(human, kShips, {{xe + h, 2 * c + 2}, {xe + h, 3 * c + 2}, {xe + h, 4 * c + 2}, {xe + h, 3 * c},
                                  {xe + 2, 2 * c + 2}, {8 * c + h, 8 * c + h}}, "the ship afloat; the miss dot");
        ExpectAll(human, kSea, {{8 * c + h, 8 * c + 2}}, "around the miss dot");
    }
    game::CellSize = saved;
}

// Another look and a new miss in Е6: nothing but that square may change.
TEST_F(BoardPicture, APaintWithSkipBackgroundDrawsShipsAndMarksOnly)
{
    const int c = game::CellSize;
    const RECT client{0, 0, 11 * c, 11 * c}, shot{5 * c, 5 * c, 6 * c, 6 * c};
    Canvas canvas(client.right, client.bottom);
    boards::RenderBoard(canvas.dc, client, BoardId::Computer, Look(c));
    const std::vector<COLORREF> before = Pixels(canvas.dc, client);
    const boards::BoardLook changed{c, RGB(1, 2, 3), kShips, kLines, kSunk, false, kFont.get(), RGB(250, 250, 0)};
    game::BoardAt(game::ShotsAtComputer, 5, 5) = 1;
    game::SkipBackground = 1;
    const HGDIOBJ pen = GetCurrentObject(canvas.dc, OBJ_PEN), brush = GetCurrentObject(canvas.dc, OBJ_BRUSH);
    boards::RenderBoard(canvas.dc, client, BoardId::Computer, changed);
    EXPECT_TRUE(pen == GetCurrentObject(canvas.dc, OBJ_PEN) && brush == GetCurrentObject(canvas.dc, OBJ_BRUSH));
    const std::vector<COLORREF> after = Pixels(canvas.dc, client);
    int inside = 0, outside = 0;
    for (int i = 0; i < int(after.size()); ++i)
        if (after[i] != before[i])
            ++(PtInRect(&shot, {i % client.right, i / client.right}) ? inside : outside);
    EXPECT_GT(inside, 0);
    EXPECT_EQ(0, outside);
    // The next paint, of either board, is whole again.
    boards::RenderBoard(canvas.dc, client, BoardId::Human, changed);
    EXPECT_EQ(Hex(RGB(1, 2, 3)), Hex(canvas.At(c / 2, c / 2)));
}

// Each count stands alike in the lowest square of its upright ship and in the first square of its lying one.
TEST_F(BoardPicture, ThePickerShowsTheShipsLeftOfEachLength)
{
    RECT client;
    GetClientRect(Program().picker, &client);
    const int c = game::CellSize;
    const boards::Silhouettes& s = boards::PickerSilhouettes();
    const auto ink = [](const Canvas& canvas, const RECT& square) {  // cut to its bounds
        RECT b{};
        for (int y = square.top; y < square.bottom; ++y)
            for (int x = square.left; x < square.right; ++x)
                if (const RECT p{x, y, x + 1, y + 1}; canvas.At(x, y) != look::Colours().Ships)
                    UnionRect(&b, &b, &p);
        std::string rows;
        for (int y = b.top; y < b.bottom; ++y, rows += '\n')
            for (int x = b.left; x < b.right; ++x)
                rows += canvas.At(x, y) != look::Colours().Ships ? '#' : '.';
        return rows;
    };
    const auto counts = [&] {
        Canvas canvas(client.right, client.bottom);
        boards::DrawShipPicker(canvas.dc, client, c);
        std::vector<std::string> shown;
        for (int t = 0; t < 4; ++t) {
            const layout::Rect &up = s[t], &lying = s[4 + t];
            shown.push_back(ink(canvas, {up.left + 1, up.bottom - c + 1, up.right - 1, up.bottom - 1}));
            const RECT first{lying.left + 1, lying.top + 1, lying.left + c - 1, lying.bottom - 1};
            EXPECT_EQ(shown.back(), ink(canvas, first)) << "length slot " << t;
        }
        return shown;
    };
    for (int t = 0; t < 4; ++t)
        game::ShipsLeftToPlace[t] = t + 1;
    const auto first = counts();
    EXPECT_EQ(4u, std::set<std::string>(first.begin(), first.end()).size()) << "four counts, four looks";
    game::ShipsLeftToPlace[3] = 3;  // one boat placed: its count looks as the cruisers' 3
    EXPECT_EQ(first[2], counts()[3]);
}

// The computer fires at a hidden human board: that board cannot paint the shot, yet its next paint must be a whole one,
// and the shots after that paint their marks only.
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
