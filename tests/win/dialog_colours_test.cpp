// Colours dialog: opening state, the digit filter, the palette, the shade
// ramp, the sample board's clicks and partial repaints, commit and cancel.
#include "tests/win/dialog_support.h"

#include <memory>

#include "dialogs/colour_grid.h"
#include "dialogs/colours_dialog.h"
#include "dialogs/sample_board.h"
#include "game/model.h"
#include "shell/settings.h"

namespace {

using dialog_test::Dialog;
using sample_board::Selection;

constexpr int kCell = 17;
const settings::ColourScheme kScheme = {RGB(128, 0, 128), RGB(128, 128, 0), RGB(127, 127, 127), RGB(0, 0, 90),
                                        RGB(200, 50, 50)};

class ColoursDialog : public ::testing::Test {
protected:
    ColoursDialog() : m_savedColours(settings::Colours()), m_savedCell(game::CellSize)
    {
        settings::Colours() = kScheme;
        game::CellSize = kCell;
        dialog = std::make_unique<Dialog>(IDD_COLOURS, colours_dialog::Proc, reinterpret_cast<LPARAM>(&state),
                                          frame.get());
    }
    ~ColoursDialog() override
    {
        dialog.reset();
        settings::Colours() = m_savedColours;
        game::CellSize = m_savedCell;
    }

    HWND Item(int id) const { return dialog->Item(id); }
    std::wstring Fields() const
    {
        return dialog->Text(IDC_RED) + L"," + dialog->Text(IDC_GREEN) + L"," + dialog->Text(IDC_BLUE);
    }
    int Selected() const { return static_cast<int>(SendMessageW(Item(IDC_COLOUR_LIST), CB_GETCURSEL, 0, 0)); }
    static RECT Client(HWND w)
    {
        RECT r;
        GetClientRect(w, &r);
        return r;
    }
    static void Mouse(HWND w, UINT msg, int x, int y)
    {
        SendMessageW(w, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
        dialog_test::Pump();
    }
    static COLORREF Pixel(HWND w, int x, int y)
    {
        HDC dc = GetDC(w);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(w, dc);
        return c;
    }
    static void Type(HWND edit, wchar_t c) { SendMessageW(edit, WM_CHAR, c, 1); }

    dialog_test::Frame frame;
    colours_dialog::State state;
    std::unique_ptr<Dialog> dialog;

private:
    settings::ColourScheme m_savedColours;
    std::int32_t m_savedCell;
};

TEST_F(ColoursDialog, OpensOnTheBattleFieldWithSpinsBoundToTheFields)
{
    const wchar_t* entries[] = {L"Цвет поля битвы", L"Цвет фона", L"Цвет кораблей", L"Цвет линий",
                                L"Цвет подбитых кораблей"};
    ASSERT_EQ(SendMessageW(Item(IDC_COLOUR_LIST), CB_GETCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) {
        wchar_t text[64] = L"";
        SendMessageW(Item(IDC_COLOUR_LIST), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, entries[i]);
    }
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Fields(), L"128,128,0");
    const std::pair<int, int> spins[] = {{IDC_RED_SPIN, IDC_RED}, {IDC_GREEN_SPIN, IDC_GREEN}, {IDC_BLUE_SPIN, IDC_BLUE}};
    const int positions[] = {128, 128, 0};
    for (int i = 0; i < 3; ++i) {
        HWND spin = Item(spins[i].first);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)), Item(spins[i].second));
        EXPECT_EQ(LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0)), positions[i]);
        EXPECT_EQ(SendMessageW(spin, UDM_GETRANGE, 0, 0), MAKELONG(255, 0));
    }
    EXPECT_TRUE(state.loaded);
}

TEST_F(ColoursDialog, DigitFilterTakesThreeDigitsAndNothingElse)
{
    HWND red = Item(IDC_RED);
    SetWindowTextW(red, L"12");
    SendMessageW(red, EM_SETSEL, 2, 2);
    Type(red, L'a');
    EXPECT_EQ(dialog->Text(IDC_RED), L"12");
    Type(red, L'7');
    EXPECT_EQ(dialog->Text(IDC_RED), L"127");
    Type(red, L'1');
    EXPECT_EQ(dialog->Text(IDC_RED), L"127") << "a fourth digit";
    SendMessageW(red, EM_SETSEL, 0, -1);
    Type(red, L'5');
    EXPECT_EQ(dialog->Text(IDC_RED), L"127") << "a full field refuses even over a selection";
    // Backspace and Delete still work in a full field.
    SendMessageW(red, EM_SETSEL, 3, 3);
    Type(red, L'\b');
    EXPECT_EQ(dialog->Text(IDC_RED), L"12");
    SetWindowTextW(red, L"255");
    SendMessageW(red, EM_SETSEL, 0, 0);
    SendMessageW(red, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(dialog->Text(IDC_RED), L"55");
}

TEST_F(ColoursDialog, ArrowKeysInAFieldStepItsSpinWithoutWrapping)
{
    HWND blue = Item(IDC_BLUE);
    SetWindowTextW(blue, L"10");
    SendMessageW(blue, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(dialog->Text(IDC_BLUE), L"11");
    EXPECT_EQ(state.working.BattleField, RGB(128, 128, 11));
    SetWindowTextW(blue, L"255");
    SendMessageW(blue, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(dialog->Text(IDC_BLUE), L"255");
    SetWindowTextW(blue, L"0");
    SendMessageW(blue, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(dialog->Text(IDC_BLUE), L"0");
}

TEST_F(ColoursDialog, PastedTextGoesThroughTheFilter)
{
    const auto paste = [this](const wchar_t* clip) {
        ASSERT_TRUE(OpenClipboard(dialog->get()));
        EmptyClipboard();
        const size_t bytes = (lstrlenW(clip) + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(memory), clip, bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        SetWindowTextW(Item(IDC_GREEN), L"");
        SendMessageW(Item(IDC_GREEN), WM_PASTE, 0, 0);
    };
    paste(L"1x2\r\n");
    EXPECT_EQ(dialog->Text(IDC_GREEN), L"12");
    paste(L"98765");
    EXPECT_EQ(dialog->Text(IDC_GREEN), L"255") << "987 is above 255";
}

TEST_F(ColoursDialog, AboveTwoFiftyFiveIsShownAndStoredAsTwoFiftyFive)
{
    SetWindowTextW(Item(IDC_BLUE), L"300");
    EXPECT_EQ(dialog->Text(IDC_BLUE), L"255");
    EXPECT_EQ(state.working.BattleField, RGB(128, 128, 255));
}

TEST_F(ColoursDialog, PaletteClickOnRowTwoColumnSevenGivesRoyalBlue)
{
    HWND palette = Item(IDC_PALETTE);
    const RECT r = Client(palette);
    const int w = r.right / 8, h = r.bottom / 4;
    Mouse(palette, WM_LBUTTONDOWN, 7 * w + w / 2, 2 * h + h / 2);
    EXPECT_EQ(Fields(), L"65,105,225");
    EXPECT_EQ(state.working.BattleField, RGB(65, 105, 225));
    EXPECT_EQ(settings::Colours().BattleField, kScheme.BattleField) << "committed only on Угу";

    // Below the last row nothing is picked.
    if (r.bottom > 4 * h) {
        Mouse(palette, WM_LBUTTONDOWN, w / 2, 4 * h);
        EXPECT_EQ(Fields(), L"65,105,225");
    }
}

TEST_F(ColoursDialog, MouseOverAPickerOutlinesOneCellInWhite)
{
    HWND palette = Item(IDC_PALETTE);
    const RECT r = Client(palette);
    const int w = r.right / 8, h = r.bottom / 4;
    Mouse(palette, WM_MOUSEMOVE, 7 * w + 2, 2 * h + 2);
    EXPECT_EQ(Pixel(palette, 7 * w, 2 * h), RGB(255, 255, 255));
    Mouse(palette, WM_MOUSEMOVE, 2, 2);
    EXPECT_EQ(Pixel(palette, 7 * w, 2 * h), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(palette, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(palette, 7 * w + w / 2, 2 * h + h / 2), RGB(65, 105, 225)) << "the fill stays";
}

TEST_F(ColoursDialog, ShadeRampFollowsTheFieldsAndAClickMakesItsCellTheBase)
{
    dialog_test::Pump();
    colours_dialog::WriteFields(dialog->get(), {128, 64, 0});
    HWND ramp = Item(IDC_SHADE_RAMP);
    UpdateWindow(ramp);
    const RECT r = Client(ramp);
    const int w = r.right / 12, h = r.bottom / 4;
    const auto centre = [&](int col, int row) { return Pixel(ramp, col * w + w / 2, row * h + h / 2); };
    EXPECT_EQ(centre(0, 0), RGB(248, 232, 240));
    EXPECT_EQ(centre(11, 1), RGB(133, 71, 10));
    EXPECT_EQ(centre(0, 2), RGB(123, 62, 0));
    EXPECT_EQ(centre(11, 3), RGB(8, 16, 0));

    Mouse(ramp, WM_LBUTTONDOWN, 11 * w + w / 2, h + h / 2);
    EXPECT_EQ(Fields(), L"133,71,10");
    UpdateWindow(ramp);
    EXPECT_EQ(centre(0, 2), RGB(128, 69, 9)) << "the ramp now darkens from 133, 71, 10";
}

class SampleBoard : public ColoursDialog {
protected:
    HWND Board() const { return Item(IDC_SAMPLE_BOARD); }
    sample_board::Geometry Geometry() const
    {
        const RECT r = Client(Board());
        return sample_board::Layout(r.right, r.bottom, kCell);
    }
    void ClickBoard(int x, int y) const { Mouse(Board(), WM_LBUTTONDOWN, x, y); }
    static std::wstring Components(COLORREF c)
    {
        return std::to_wstring(GetRValue(c)) + L"," + std::to_wstring(GetGValue(c)) + L"," +
               std::to_wstring(GetBValue(c));
    }
};

TEST_F(SampleBoard, AClickSelectsTheColourOfWhatWasHit)
{
    const auto g = Geometry();
    const int c = kCell;
    struct Case {
        const char* what;
        int x, y;
        Selection want;
    };
    const Case cases[] = {
        {"margin", 3, 3, sample_board::kBackGround},
        {"miss dot", (g.dot.left + g.dot.right) / 2, (g.dot.top + g.dot.bottom) / 2, sample_board::kShips},
        {"grid line", 4 * c, 2 * c + c / 2, sample_board::kLines},
        {"field", 4 * c + c / 2, 2 * c + c / 2, sample_board::kBattleField},
        {"two-square ship", 7 * c + 2, 6 * c + c / 2, sample_board::kSunkShip},
        {"three-square ship", 3 * c + 3, 3 * c + 2, sample_board::kShips},
        {"field outline", 2 * c, 5 * c + 3, sample_board::kLines},
    };
    for (const Case& k : cases) {
        ClickBoard(k.x, k.y);
        EXPECT_EQ(Selected(), k.want) << k.what;
        EXPECT_EQ(Fields(), Components(colours_dialog::Member(state.working, k.want))) << k.what;
    }
}

TEST_F(SampleBoard, ChangingTheLinesRepaintsInsideTheFieldOnly)
{
    const auto g = Geometry();
    ClickBoard(4 * kCell, 2 * kCell + 3);
    ASSERT_EQ(Selected(), sample_board::kLines);
    UpdateWindow(Board());
    SetWindowTextW(Item(IDC_RED), L"9");
    RECT dirty;
    ASSERT_TRUE(GetUpdateRect(Board(), &dirty, FALSE));
    // The outline's left and top column and row are cut out with the first grid pair.
    EXPECT_EQ(dirty.left, g.field.left + 1);
    EXPECT_EQ(dirty.top, g.field.top + 1);
    EXPECT_LE(dirty.right, g.field.right);
    EXPECT_LE(dirty.bottom, g.field.bottom);
    EXPECT_EQ(state.working.Lines, RGB(9, 0, 90));
}

TEST_F(SampleBoard, ChangingTheShipsRepaintsTheShipAndTheDot)
{
    const auto g = Geometry();
    SendMessageW(Item(IDC_COLOUR_LIST), CB_SETCURSEL, sample_board::kShips, 0);
    SendMessageW(dialog->get(), WM_COMMAND, MAKEWPARAM(IDC_COLOUR_LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(IDC_COLOUR_LIST)));
    UpdateWindow(Board());
    SetWindowTextW(Item(IDC_GREEN), L"1");
    RECT dirty;
    ASSERT_TRUE(GetUpdateRect(Board(), &dirty, FALSE));
    EXPECT_EQ(dirty.left, g.ship.left);
    EXPECT_EQ(dirty.top, g.ship.top);
    EXPECT_GE(dirty.right, g.dot.right - 1);   // the ellipse may stop a pixel short
    EXPECT_LE(dirty.right, g.dot.right);
    EXPECT_EQ(dirty.bottom, g.ship.bottom);
}

TEST(DialogSampleBoardPicture, EachPartInItsColour)
{
    const int w = 200, h = 198, c = kCell;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(bi.bmiHeader), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    sample_board::PaintBoard(dc, w, h, c, kScheme);
    const auto g = sample_board::Layout(w, h, c);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0)) << "outline";
    EXPECT_EQ(GetPixel(dc, 5, 5), kScheme.BackGround);
    EXPECT_EQ(GetPixel(dc, 4 * c + 5, 2 * c + 5), kScheme.BattleField);
    EXPECT_EQ(GetPixel(dc, 4 * c, 3 * c + 5), kScheme.Lines);
    EXPECT_EQ(GetPixel(dc, 3 * c + 2, 3 * c + 8), kScheme.Ships);
    EXPECT_EQ(GetPixel(dc, (g.dot.left + g.dot.right) / 2, (g.dot.top + g.dot.bottom) / 2), kScheme.Ships);
    EXPECT_EQ(GetPixel(dc, 6 * c + 8, 6 * c + 2), kScheme.SunkShip);
    EXPECT_EQ(GetPixel(dc, 6 * c + 8, 6 * c + 8), kScheme.Lines) << "the sunk ship's cross";
    EXPECT_EQ(GetPixel(dc, g.field.right, 5 * c), kScheme.BackGround) << "right of the field";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// Modal runs: "Угу" commits the working copy and repaints the frame with
// its boards; Escape drops it.
TEST(DialogColoursModal, OkCommitsAndRepaintsEscapeDrops)
{
    dialog_test::Frame frame;
    const settings::ColourScheme saved = settings::Colours();
    settings::Colours() = kScheme;
    const auto edit = [] { SetDlgItemTextW(dialog_test::FindDialog(L"Выбор цвета"), IDC_RED, L"1"); };
    colours_dialog::State state;
    const auto param = reinterpret_cast<LPARAM>(&state);

    EXPECT_EQ(dialog_test::RunModal(IDD_COLOURS, colours_dialog::Proc, param,
                                    {edit, [] { dialog_test::PostKey(VK_ESCAPE); }}, frame.get()),
              colours_dialog::kCancelled);
    EXPECT_EQ(settings::Colours().BattleField, kScheme.BattleField);
    EXPECT_FALSE(state.loaded);

    dialog_test::Frame::ValidateBoards();
    EXPECT_EQ(dialog_test::RunModal(IDD_COLOURS, colours_dialog::Proc, param,
                                    {edit, [] { dialog_test::PostKey(VK_RETURN); }}, frame.get()),
              colours_dialog::kAccepted);
    EXPECT_EQ(settings::Colours().BattleField, RGB(1, 128, 0));
    EXPECT_EQ(settings::Colours().BackGround, kScheme.BackGround);
    EXPECT_TRUE(dialog_test::Frame::NeedsPaint(app::HumanBoardWindow));
    EXPECT_TRUE(dialog_test::Frame::NeedsPaint(app::ComputerBoardWindow));
    settings::Colours() = saved;
}

}  // namespace
