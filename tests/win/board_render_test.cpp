// Pixel tests of the board painters, rendered into memory bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "board_support.h"
#include "boards/board_render.h"
#include "boards/placement_window.h"
#include "shell/gdi.h"

namespace {

using namespace board_test;
using game::BoardId;

constexpr wchar_t kLetters[] = L"АБВГДЕЖЗИК";
const wchar_t* const kNumbers[] = {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10"};

// Canvas a little larger than the client area, so that anything drawn
// outside the client rectangle shows.
constexpr int kMargin = 12;

RECT ClientOf(int c) { return {0, 0, 11 * c, 11 * c}; }

class BoardPicture : public ::testing::Test {
protected:
    void SetUp() override { ResetGame(); }

    // A full paint (background and marks) of one board at cell size c.
    void Render(Canvas& canvas, BoardId board, const boards::BoardLook& look)
    {
        boards::RenderBoard(canvas.dc(), ClientOf(look.cell), board, look);
    }
};

// A label as the painter should have drawn it: the text at (x, y) in the
// font and the label colour on black, compared over its text box.
void ExpectLabelAt(const Canvas& board, HFONT font, const wchar_t* text, int x, int y, RECT clip)
{
    Canvas ref(board.width(), board.height());
    ref.Fill(kBlack);
    gdi::Select keep(ref.dc(), font);
    SetTextColor(ref.dc(), kLabel);
    SetBkColor(ref.dc(), kBlack);
    const int n = lstrlenW(text);
    TextOutW(ref.dc(), x, y, text, n);
    SIZE size{};
    GetTextExtentPoint32W(ref.dc(), text, n, &size);
    int labelPixels = 0;
    for (int py = y; py < y + size.cy && py < clip.bottom; ++py)
        for (int px = x; px < x + size.cx && px < clip.right; ++px) {
            ASSERT_EQ(Hex(ref.At(px, py)), Hex(board.At(px, py)))
                << "label " << static_cast<int>(text[0]) << " pixel (" << px << ", " << py << ")";
            labelPixels += board.At(px, py) == kLabel ? 1 : 0;
        }
    EXPECT_GT(labelPixels, 0) << "label at (" << x << ", " << y << ") has no ink";
}

void ExpectAllLabels(const Canvas& canvas, HFONT font, int c)
{
    const RECT letters{0, 0, 11 * c, 11 * c + 2};
    const RECT numbers{0, 0, 11 * c + 2, 11 * c};
    // Each letter 3 pixels right of its column's grid line, each number 2
    // pixels below its row's.
    for (int i = 0; i < 10; ++i) {
        ExpectLabelAt(canvas, font, std::wstring(1, kLetters[i]).c_str(), i * c + 3, 10 * c, letters);
        ExpectLabelAt(canvas, font, kNumbers[i], 10 * c, i * c + 2, numbers);
    }
}

// A small font whose labels fit the 17-pixel rows without overlapping.
struct SmallFont {
    gdi::Obj<HFONT> font{CreateFontW(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, NONANTIALIASED_QUALITY,
                                     0, L"Tahoma")};
};

// --- background ------------------------------------------------------------

TEST_F(BoardPicture, SeaGridAndBlackLabelStripsWithTwoPixelOverhang)
{
    const int c = 17;
    Canvas canvas(11 * c + kMargin, 11 * c + kMargin);
    boards::DrawBackground(canvas.dc(), ClientOf(c), TestLook(c, nullptr, false));
    // Strips (0, 170)-(187, 189) and (170, 0)-(189, 187): black or label ink.
    HRGN strips = CreateRectRgn(0, 170, 187, 189);
    HRGN right = CreateRectRgn(170, 0, 189, 187);
    CombineRgn(strips, strips, right, RGN_OR);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const COLORREF got = canvas.At(x, y);
            const bool black = got == kBlack || got == kLabel;
            ASSERT_EQ(PtInRegion(strips, x, y) != 0, black) << "(" << x << ", " << y << ") " << Hex(got);
        }
    DeleteObject(strips);
    DeleteObject(right);
    EXPECT_EQ(Hex(kBlack), Hex(canvas.At(0, 188)));
    EXPECT_EQ(Hex(kBlack), Hex(canvas.At(186, 188)));
    EXPECT_EQ(Hex(kBlack), Hex(canvas.At(188, 0)));
    EXPECT_EQ(Hex(kBlack), Hex(canvas.At(188, 186)));
    EXPECT_EQ(Hex(kUntouched), Hex(canvas.At(189, 50)));
    EXPECT_EQ(Hex(kUntouched), Hex(canvas.At(50, 189)));
    // Sea in BattleField, grid and the frame's top and left in Lines; the
    // eleventh grid lines lie under the strips.
    EXPECT_EQ(Hex(kSea), Hex(canvas.At(8, 8)));
    EXPECT_EQ(Hex(kSea), Hex(canvas.At(169, 169)));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(Hex(kLines), Hex(canvas.At(i * c, 100))) << "grid column " << i;
        EXPECT_EQ(Hex(kLines), Hex(canvas.At(100, i * c))) << "grid row " << i;
    }
    EXPECT_EQ(Hex(kBlack), Hex(canvas.At(170, 0)));
    EXPECT_EQ(Hex(kBlack), Hex(canvas.At(0, 170)));
}

TEST_F(BoardPicture, LabelsStartAtTheirPointsInLabelColourOnBlack)
{
    SmallFont small;
    Canvas canvas(11 * 17 + kMargin, 11 * 17 + kMargin);
    boards::DrawBackground(canvas.dc(), ClientOf(17), TestLook(17, small.font.get(), false));
    // Letters at x = 3, 20, 37, ... on y = 170; numbers at x = 170 on y = 2, 19, ..., 155.
    ExpectAllLabels(canvas, small.font.get(), 17);
}

TEST_F(BoardPicture, WithoutAFontTheContextsOwnFontDrawsTheLabels)
{
    Canvas canvas(11 * 17 + kMargin, 11 * 17 + kMargin);
    HFONT own = static_cast<HFONT>(GetCurrentObject(canvas.dc(), OBJ_FONT));
    boards::DrawBackground(canvas.dc(), ClientOf(17), TestLook(17, nullptr, false));
    ExpectLabelAt(canvas, own, L"А", 3, 170, {0, 0, 187, 189});
    ExpectLabelAt(canvas, own, L"1", 170, 2, {0, 0, 189, 187});
}

TEST_F(BoardPicture, FlagCornerWhiteBlueRedRows)
{
    const int c = 17;
    Canvas canvas(11 * c + kMargin, 11 * c + kMargin);
    boards::DrawBackground(canvas.dc(), ClientOf(c), TestLook(c));
    for (int x = 170; x < 187; ++x) {
        for (int y = 170; y <= 174; ++y)
            ASSERT_EQ(Hex(kWhite), Hex(canvas.At(x, y))) << x << ", " << y;
        for (int y = 175; y <= 180; ++y)
            ASSERT_EQ(Hex(kBlue), Hex(canvas.At(x, y))) << x << ", " << y;
        for (int y = 181; y <= 186; ++y)
            ASSERT_EQ(Hex(kRed), Hex(canvas.At(x, y))) << x << ", " << y;
        EXPECT_EQ(Hex(kBlack), Hex(canvas.At(x, 187))) << "overhang under the flag";
    }
    for (int y = 170; y < 187; ++y)
        EXPECT_EQ(Hex(kBlack), Hex(canvas.At(187, y))) << "overhang beside the flag";
}

TEST_F(BoardPicture, FlagOffLeavesTheCornerBlack)
{
    SmallFont small;
    const int c = 17;
    Canvas canvas(11 * c + kMargin, 11 * c + kMargin);
    boards::DrawBackground(canvas.dc(), ClientOf(c), TestLook(c, small.font.get(), false));
    // "10" may reach into the corner; below its text box the corner is black.
    gdi::Select keep(canvas.dc(), small.font.get());
    SIZE ten{};
    GetTextExtentPoint32W(canvas.dc(), L"10", 2, &ten);
    const int below = std::max(170, 155 + static_cast<int>(ten.cy));
    for (int x = 170; x < 187; ++x)
        for (int y = 170; y < 187; ++y) {
            const COLORREF got = canvas.At(x, y);
            ASSERT_TRUE(got == kBlack || (got == kLabel && y < below)) << x << ", " << y << " " << Hex(got);
        }
}

TEST_F(BoardPicture, BackgroundLeavesNullPenAndRestoresBrushAndFont)
{
    SmallFont small;
    Canvas canvas(200, 200);
    HGDIOBJ brush = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
    HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
    boards::DrawBackground(canvas.dc(), ClientOf(17), TestLook(17, small.font.get()));
    EXPECT_EQ(GetStockObject(NULL_PEN), GetCurrentObject(canvas.dc(), OBJ_PEN));
    EXPECT_EQ(brush, GetCurrentObject(canvas.dc(), OBJ_BRUSH));
    EXPECT_EQ(font, GetCurrentObject(canvas.dc(), OBJ_FONT));
}

// --- the computer's board ------------------------------------------------------

TEST_F(BoardPicture, MissDotOfSquareA1InsideItsMiddleHalf)
{
    Mark(game::ShotsAtComputer, 0, 0);
    Canvas canvas(200, 200);
    Render(canvas, BoardId::Computer, TestLook(17));
    // Bounding box (4, 4)-(12, 12); the rest of the square is sea.
    for (int y = 1; y < 17; ++y)
        for (int x = 1; x < 17; ++x) {
            const bool inside = x >= 4 && x < 12 && y >= 4 && y < 12;
            if (!inside) {
                ASSERT_EQ(Hex(kSea), Hex(canvas.At(x, y))) << x << ", " << y;
            }
        }
    EXPECT_EQ(Hex(kShips), Hex(canvas.At(8, 8)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(4, 8)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(11, 8)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(8, 4)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(8, 11)));
}

TEST_F(BoardPicture, ComputerBoardShowsHitsAndMissesButNotUntouchedShips)
{
    const int c = 17;
    Mark(game::ComputerShips, 2, 3);
    Mark(game::ComputerShips, 3, 3);
    Mark(game::ShotsAtComputer, 2, 3);  // hit
    Mark(game::ShotsAtComputer, 5, 5);  // miss
    Canvas canvas(200, 200);
    Render(canvas, BoardId::Computer, TestLook(c));
    // Hit square (34, 51)-(51, 68): Ships inside, Lines frame and cross.
    EXPECT_EQ(Hex(kShips), Hex(canvas.At(42, 53)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(34, 60)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(50, 60)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(40, 67)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(39, 56)));  // falling diagonal
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(45, 57)));  // rising diagonal: x + y = 102
    // The untouched ship square looks like sea.
    EXPECT_EQ(Hex(kSea), Hex(canvas.At(59, 54)));
    EXPECT_EQ(Hex(kSea), Hex(canvas.At(59, 59)));
    // The miss is a dot only.
    EXPECT_EQ(Hex(kShips), Hex(canvas.At(93, 93)));
    EXPECT_EQ(Hex(kSea), Hex(canvas.At(87, 93)));
    EXPECT_EQ(Hex(kSea), Hex(canvas.At(87, 87)));
}

// --- the human's board -----------------------------------------------------------

TEST_F(BoardPicture, HumanBoardSunkShipInSunkColourDamagedShipInShipsColour)
{
    const int c = 17;
    PlaceHumanShip(3, 1, 1, false);  // two squares, Б2-В2: sunk
    PlaceHumanShip(1, 5, 2, true);   // three squares, Е3-Е5: hit once
    for (int x : {1, 2}) {
        Mark(game::ShotsAtHuman, x, 1);
        game::RegisterHit(x, 1, game::kHumanFleet);
    }
    Mark(game::ShotsAtHuman, 5, 3);
    game::RegisterHit(5, 3, game::kHumanFleet);
    Mark(game::ShotsAtHuman, 8, 8);  // a miss
    ASSERT_TRUE(game::IsSunk(3, game::kHumanFleet));
    ASSERT_FALSE(game::IsSunk(1, game::kHumanFleet));
    Canvas canvas(200, 200);
    Render(canvas, BoardId::Human, TestLook(c));

    // Sunk ship (17, 17)-(51, 34): SunkShip fill, crosses, a Lines frame.
    EXPECT_EQ(Hex(kSunk), Hex(canvas.At(25, 19)));
    EXPECT_EQ(Hex(kSunk), Hex(canvas.At(42, 19)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(19, 19)));  // cross of Б2, clear of any dot
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(36, 19)));  // cross of В2
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(17, 25)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(50, 25)));
    // Damaged ship (85, 34)-(102, 85): Ships fill; the grid inside is covered.
    EXPECT_EQ(Hex(kShips), Hex(canvas.At(93, 40)));
    EXPECT_EQ(Hex(kShips), Hex(canvas.At(93, 51)));
    EXPECT_EQ(Hex(kShips), Hex(canvas.At(93, 76)));
    EXPECT_EQ(Hex(kShips), Hex(canvas.At(93, 53)));  // hit square, off its cross
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(87, 53)));  // cross of Е4
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(100, 53)));  // rising diagonal: x + y = 153
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(85, 60)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(101, 60)));
    // The miss.
    EXPECT_EQ(Hex(kShips), Hex(canvas.At(8 * c + 8, 8 * c + 8)));
    EXPECT_EQ(Hex(kSea), Hex(canvas.At(8 * c + 2, 8 * c + 8)));
}

TEST_F(BoardPicture, ShipBeingPositionedIsRepaintedInverted)
{
    const int c = 17;
    Canvas plain(200, 200);
    Render(plain, BoardId::Human, TestLook(c));

    // Not confirmed, so not drawn as a ship; positioned, so drawn inverted.
    game::ShipBeingPlaced = 0;
    game::ShipRects[game::kHumanFleet][0] = game::ShipRectAt(2, 1, 4, false);
    Canvas unconfirmed(200, 200);
    Render(unconfirmed, BoardId::Human, TestLook(c));
    EXPECT_TRUE(plain.Pixels() == unconfirmed.Pixels());
    game::PlacingShip = 1;
    Canvas positioning(200, 200);
    Render(positioning, BoardId::Human, TestLook(c));
    const game::PixelRect r = game::ShipRects[game::kHumanFleet][0];
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            const COLORREF want = inside ? (~plain.At(x, y) & 0xFFFFFF) : plain.At(x, y);
            ASSERT_EQ(Hex(want), Hex(positioning.At(x, y))) << x << ", " << y;
        }
}

// --- SkipBackground --------------------------------------------------------------

TEST_F(BoardPicture, SkippedBackgroundIsLeftAloneAndTheFlagCleared)
{
    const int c = 17;
    Canvas canvas(200, 200);
    Render(canvas, BoardId::Computer, TestLook(c));
    const COLORREF labelBefore = canvas.At(4, 174);
    const std::vector<COLORREF> before = canvas.Pixels();

    // New colours and a new miss; only the mark may change.
    boards::BoardLook changed = TestLook(c);
    changed.battleField = RGB(1, 2, 3);
    changed.labelColour = RGB(250, 250, 0);
    changed.russianFlag = false;
    Mark(game::ShotsAtComputer, 5, 5);
    game::SkipBackground = 1;
    Render(canvas, BoardId::Computer, changed);
    EXPECT_EQ(0, game::SkipBackground);
    EXPECT_EQ(Hex(kShips), Hex(canvas.At(93, 93)));
    EXPECT_EQ(Hex(kSea), Hex(canvas.At(8, 8)));
    EXPECT_EQ(Hex(kWhite), Hex(canvas.At(175, 171)));
    EXPECT_EQ(Hex(labelBefore), Hex(canvas.At(4, 174)));
    const game::PixelRect dot{89, 89, 97, 97};  // the dot of Е6
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (!(x >= dot.left && x < dot.right && y >= dot.top && y < dot.bottom)) {
                ASSERT_EQ(Hex(before[y * 200 + x]), Hex(canvas.At(x, y))) << x << ", " << y;
            }

    // The next paint, of either board, draws everything.
    Render(canvas, BoardId::Human, changed);
    EXPECT_EQ(Hex(RGB(1, 2, 3)), Hex(canvas.At(8, 8)));
    EXPECT_EQ(Hex(kBlack), Hex(canvas.At(180, 184)));
}

// --- another cell size ------------------------------------------------------------

TEST_F(BoardPicture, AtCell25TheGeometryScalesAndTheOffsetsStay)
{
    const int c = 25;
    game::CellSize = c;
    SmallFont small;
    Canvas canvas(11 * c + kMargin, 11 * c + kMargin);
    Mark(game::ShotsAtComputer, 0, 0);
    boards::BoardLook look = TestLook(c, small.font.get());
    Render(canvas, BoardId::Computer, look);
    // Strips (0, 250)-(275, 277) and (250, 0)-(277, 275).
    EXPECT_EQ(Hex(kBlack), Hex(canvas.At(0, 276)));
    EXPECT_EQ(Hex(kBlack), Hex(canvas.At(274, 276)));
    EXPECT_EQ(Hex(kUntouched), Hex(canvas.At(275, 276)));
    EXPECT_EQ(Hex(kBlack), Hex(canvas.At(276, 274)));
    EXPECT_EQ(Hex(kUntouched), Hex(canvas.At(277, 100)));
    // Flag: 250-257 white, 258-265 blue, 266-274 red.
    EXPECT_EQ(Hex(kWhite), Hex(canvas.At(260, 257)));
    EXPECT_EQ(Hex(kBlue), Hex(canvas.At(260, 258)));
    EXPECT_EQ(Hex(kBlue), Hex(canvas.At(260, 265)));
    EXPECT_EQ(Hex(kRed), Hex(canvas.At(260, 266)));
    EXPECT_EQ(Hex(kRed), Hex(canvas.At(260, 274)));
    // Dot of А1: (6, 6)-(18, 18).
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(6, 12)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(17, 12)));
    EXPECT_EQ(Hex(kSea), Hex(canvas.At(5, 12)));
    EXPECT_EQ(Hex(kSea), Hex(canvas.At(18, 12)));
    EXPECT_EQ(Hex(kLines), Hex(canvas.At(12, 6)));
    EXPECT_EQ(Hex(kSea), Hex(canvas.At(12, 18)));

    // Letters 3 pixels right of their grid line, numbers 2 below theirs.
    Canvas plain(11 * c + kMargin, 11 * c + kMargin);
    look.russianFlag = false;
    boards::DrawBackground(plain.dc(), ClientOf(c), look);
    ExpectAllLabels(plain, small.font.get(), c);
}

// --- objects ------------------------------------------------------------------------

TEST_F(BoardPicture, ThousandRendersOfEachBoardLeaveNoGdiObjects)
{
    SmallFont small;
    PlaceHumanShip(0, 0, 0, false);
    Mark(game::ShotsAtHuman, 0, 0);
    game::RegisterHit(0, 0, game::kHumanFleet);
    Mark(game::ShotsAtHuman, 5, 5);
    Mark(game::ComputerShips, 1, 1);
    Mark(game::ShotsAtComputer, 1, 1);
    Mark(game::ShotsAtComputer, 7, 7);
    Canvas canvas(200, 200);
    const boards::BoardLook look = TestLook(17, small.font.get());
    Render(canvas, BoardId::Human, look);  // anything made once on first use
    const long before = GdiObjectCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 1000; ++i) {
        Render(canvas, BoardId::Computer, look);
        Render(canvas, BoardId::Human, look);
        game::SkipBackground = 1;
        Render(canvas, BoardId::Human, look);
    }
    EXPECT_EQ(before, GdiObjectCount());
}

}  // namespace
