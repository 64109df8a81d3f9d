// Colours dialog: opening state, the digit filter, palette, shade ramp, the
// sample board's clicks and partial repaints, commit and cancel.
#include "tests/win/dialog_support.h"

#include <memory>

#include "dialogs/colours_dialog.h"
#include "dialogs/sample_board.h"
#include "game/model.h"
#include "shell/settings.h"

namespace {

constexpr int kCell = 17;
const settings::ColourScheme kScheme = {RGB(128, 0, 128), RGB(128, 128, 0), RGB(127, 127, 127), RGB(0, 0, 90),
                                        RGB(200, 50, 50)};

class ColoursDialog : public ::testing::Test {
protected:
    ColoursDialog() : m_saved(settings::Colours(), game::CellSize)
    {
        settings::Colours() = kScheme;
        game::CellSize = kCell;
        dialog = std::make_unique<dialog_test::Dialog>(IDD_COLOURS, colours_dialog::Proc,
                                                       reinterpret_cast<LPARAM>(&state), frame.get(),
                                                       dialog_test::kShown);
    }
    ~ColoursDialog() override
    {
        dialog.reset();
        std::tie(settings::Colours(), game::CellSize) = m_saved;
    }

    HWND Item(int id) const { return dialog->Item(id); }
    std::wstring Fields() const
    {
        return dialog->Text(IDC_RED) + L"," + dialog->Text(IDC_GREEN) + L"," + dialog->Text(IDC_BLUE);
    }
    static std::wstring Show(COLORREF c)
    {
        return std::to_wstring(GetRValue(c)) + L"," + std::to_wstring(GetGValue(c)) + L"," + std::to_wstring(GetBValue(c));
    }
    int Selected() const { return static_cast<int>(SendMessageW(Item(IDC_COLOUR_LIST), CB_GETCURSEL, 0, 0)); }
    // The cell size a picker of `columns` columns paints with.
    static SIZE CellOf(HWND picker, int columns)
    {
        RECT r;
        GetClientRect(picker, &r);
        return {r.right / columns, r.bottom / 4};
    }
    static void Mouse(HWND w, UINT msg, int x, int y)
    {
        SendMessageW(w, msg, 0, MAKELPARAM(x, y));
        dialog_test::Pump();
    }
    static COLORREF Pixel(HWND w, int x, int y)
    {
        HDC dc = GetDC(w);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(w, dc);
        return c;
    }
    void Type(int id, wchar_t c) const { SendMessageW(Item(id), WM_CHAR, c, 1); }

    dialog_test::Frame frame;
    colours_dialog::State state;
    std::unique_ptr<dialog_test::Dialog> dialog;

private:
    std::tuple<settings::ColourScheme, std::int32_t> m_saved;
};

TEST_F(ColoursDialog, OpensOnTheBattleFieldWithSpinsBoundToTheFields)
{
    ASSERT_EQ(SendMessageW(Item(IDC_COLOUR_LIST), CB_GETCOUNT, 0, 0), 5);
    wchar_t first[64] = L"", last[64] = L"";
    SendMessageW(Item(IDC_COLOUR_LIST), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    SendMessageW(Item(IDC_COLOUR_LIST), CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(last));
    EXPECT_STREQ(first, L"Цвет поля битвы");
    EXPECT_STREQ(last, L"Цвет подбитых кораблей");
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Fields(), L"128,128,0");
    HWND spin = Item(IDC_GREEN_SPIN);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)), Item(IDC_GREEN));
    EXPECT_EQ(LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0)), 128);
    // Arrow keys in a field step its spin, which stops at the ends.
    SetWindowTextW(Item(IDC_BLUE), L"255");
    SendMessageW(Item(IDC_BLUE), WM_KEYDOWN, VK_UP, 0);
    SendMessageW(Item(IDC_BLUE), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(dialog->Text(IDC_BLUE), L"254");
    EXPECT_EQ(state.working.BattleField, RGB(128, 128, 254));
}

TEST_F(ColoursDialog, FieldsTakeThreeDigitsAtMostTwoFiftyFive)
{
    SetWindowTextW(Item(IDC_RED), L"12");
    SendMessageW(Item(IDC_RED), EM_SETSEL, 2, 2);
    for (const wchar_t c : {L'a', L'7', L'1'})
        Type(IDC_RED, c);
    EXPECT_EQ(dialog->Text(IDC_RED), L"127") << "a letter and a fourth digit refused";
    SendMessageW(Item(IDC_RED), EM_SETSEL, 0, -1);
    Type(IDC_RED, L'5');
    EXPECT_EQ(dialog->Text(IDC_RED), L"127") << "a full field refuses even over a selection";
    SendMessageW(Item(IDC_RED), EM_SETSEL, 3, 3);
    Type(IDC_RED, L'\b');
    EXPECT_EQ(dialog->Text(IDC_RED), L"12") << "Backspace works in a full field";
    SetWindowTextW(Item(IDC_RED), L"255");
    SendMessageW(Item(IDC_RED), EM_SETSEL, 0, 0);
    SendMessageW(Item(IDC_RED), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(dialog->Text(IDC_RED), L"55") << "and so does Delete";

    SetWindowTextW(Item(IDC_RED), L"");
    ASSERT_TRUE(OpenClipboard(dialog->get()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(L"9x87\r\n6"));
    memcpy(GlobalLock(memory), L"9x87\r\n6", sizeof(L"9x87\r\n6"));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(Item(IDC_RED), WM_PASTE, 0, 0);
    EXPECT_EQ(dialog->Text(IDC_RED), L"255") << "987 pasted, shown as 255";
    EXPECT_EQ(state.working.BattleField, RGB(255, 128, 0));
}

TEST_F(ColoursDialog, PaletteAndRampClicksWriteTheFields)
{
    const SIZE p = CellOf(Item(IDC_PALETTE), 8);
    Mouse(Item(IDC_PALETTE), WM_MOUSEMOVE, 7 * p.cx + 2, 2 * p.cy + 2);
    EXPECT_EQ(Pixel(Item(IDC_PALETTE), 7 * p.cx, 2 * p.cy), RGB(255, 255, 255)) << "outlined in white";
    Mouse(Item(IDC_PALETTE), WM_LBUTTONDOWN, 7 * p.cx + p.cx / 2, 2 * p.cy + p.cy / 2);
    EXPECT_EQ(Fields(), L"65,105,225");
    EXPECT_EQ(state.working.BattleField, RGB(65, 105, 225));
    EXPECT_EQ(settings::Colours().BattleField, kScheme.BattleField) << "committed only on Угу";

    colours_dialog::WriteFields(dialog->get(), {128, 64, 0});
    HWND ramp = Item(IDC_SHADE_RAMP);
    UpdateWindow(ramp);
    const SIZE r = CellOf(ramp, 12);
    const auto centre = [&](int col, int row) { return Pixel(ramp, col * r.cx + r.cx / 2, row * r.cy + r.cy / 2); };
    EXPECT_EQ(centre(0, 0), RGB(248, 232, 240));
    EXPECT_EQ(centre(11, 3), RGB(8, 16, 0));
    Mouse(ramp, WM_LBUTTONDOWN, 11 * r.cx + r.cx / 2, r.cy + r.cy / 2);
    EXPECT_EQ(Fields(), L"133,71,10");
    UpdateWindow(ramp);
    EXPECT_EQ(centre(0, 2), RGB(128, 69, 9)) << "the ramp now darkens from the clicked cell";
}

TEST_F(ColoursDialog, SampleBoardClickSelectsWhatWasHit)
{
    HWND board = Item(IDC_SAMPLE_BOARD);
    const int c = kCell;
    const std::pair<POINT, int> cases[] = {
        {{3, 3}, sample_board::kBackGround},
        {{93, 93}, sample_board::kShips},              // the miss dot
        {{4 * c, 2 * c + 8}, sample_board::kLines},     // a grid line
        {{2 * c, 5 * c + 3}, sample_board::kLines},     // the field's outline
        {{4 * c + 8, 2 * c + 8}, sample_board::kBattleField},
        {{7 * c + 2, 6 * c + 8}, sample_board::kSunkShip},
        {{3 * c + 3, 3 * c + 2}, sample_board::kShips},
    };
    for (const auto& [at, want] : cases) {
        Mouse(board, WM_LBUTTONDOWN, at.x, at.y);
        EXPECT_EQ(Selected(), want) << at.x << "," << at.y;
        EXPECT_EQ(Fields(), Show(colours_dialog::Member(state.working, static_cast<sample_board::Selection>(want))));
    }
}

TEST_F(ColoursDialog, NewLinesRepaintInsideTheFieldOnly)
{
    HWND board = Item(IDC_SAMPLE_BOARD);
    Mouse(board, WM_LBUTTONDOWN, 4 * kCell, 2 * kCell + 3);
    ASSERT_EQ(Selected(), sample_board::kLines);
    UpdateWindow(board);
    SetWindowTextW(Item(IDC_RED), L"9");
    RECT dirty;
    ASSERT_TRUE(GetUpdateRect(board, &dirty, FALSE));
    // The outline's left column and top row went with the first grid pair.
    EXPECT_EQ(dirty.left, 2 * kCell + 1);
    EXPECT_EQ(dirty.top, 2 * kCell + 1);
    EXPECT_EQ(state.working.Lines, RGB(9, 0, 90));
}

TEST(DialogColoursModal, OkCommitsAndRepaintsEscapeDrops)
{
    dialog_test::Frame frame;
    const settings::ColourScheme saved = settings::Colours();
    settings::Colours() = kScheme;
    colours_dialog::State state;
    const auto run = [&](UINT key) {
        return dialog_test::RunModal(
            IDD_COLOURS, colours_dialog::Proc, reinterpret_cast<LPARAM>(&state),
            {dialog_test::WhenShown(L"Выбор цвета", [](HWND d) { SetDlgItemTextW(d, IDC_RED, L"1"); }),
             dialog_test::Key(key)},
            frame.get());
    };
    EXPECT_EQ(run(VK_ESCAPE), colours_dialog::kCancelled);
    EXPECT_EQ(settings::Colours().BattleField, kScheme.BattleField);
    dialog_test::Frame::ValidateBoards();
    EXPECT_EQ(run(VK_RETURN), colours_dialog::kAccepted);
    EXPECT_EQ(settings::Colours().BattleField, RGB(1, 128, 0));
    EXPECT_TRUE(dialog_test::Frame::BoardsDirty()) << "the boards inside the frame repaint too";
    settings::Colours() = saved;
}

}  // namespace
