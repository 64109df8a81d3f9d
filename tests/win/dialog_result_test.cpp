// The end-of-game dialogs with their clips, the statistics dialog and the
// about box's link panel.
#include "tests/win/dialog_support.h"

#include <commctrl.h>

#include "dialogs/about_dialog.h"
#include "dialogs/dialogs.h"
#include "dialogs/link_panel.h"
#include "dialogs/result_dialog.h"
#include "dialogs/statistics_dialog.h"
#include "game/score.h"
#include "resources/contacts.h"

namespace {

using dialog_test::Dialog;
using dialog_test::PostClick;
using dialog_test::PostKey;
using dialog_test::RunModal;
using dialog_test::WhenShown;

// --- result dialogs ---------------------------------------------------------------

TEST(DialogResult, EnterOrTheFirstButtonPlaysAgainEscapeOrTheSecondStops)
{
    const wchar_t* captions[] = {L"Вы проиграли!!!", L"Что, не веришь своему счастью?"};
    const int ids[] = {IDD_LOST, IDD_WON};
    for (int i = 0; i < 2; ++i) {
        const wchar_t* caption = captions[i];
        const auto ask = [&](std::function<void()> step) {
            return dialog_test::RunScript([&] { return INT_PTR(dialogs::AskResult(nullptr, ids[i])); }, {step});
        };
        EXPECT_EQ(ask([] { PostKey(VK_RETURN); }), result_dialog::kPlayAgain) << ids[i];
        EXPECT_EQ(ask([] { PostKey(VK_ESCAPE); }), result_dialog::kStop) << ids[i];
        EXPECT_EQ(ask(WhenShown(caption, [](HWND d) { PostClick(d, IDOK); })), result_dialog::kPlayAgain) << ids[i];
        EXPECT_EQ(ask(WhenShown(caption, [](HWND d) { PostClick(d, IDCANCEL); })), result_dialog::kStop) << ids[i];
    }
}

TEST(DialogResult, OnlyTheTwoResultTemplatesAreAsked)
{
    EXPECT_NE(dialogs::AskResult(nullptr, IDD_ABOUT), result_dialog::kPlayAgain);
    EXPECT_NE(dialogs::AskResult(nullptr, 0), result_dialog::kStop);
    EXPECT_EQ(result_dialog::ClipFor(IDD_LOST), IDA_FAN);
    EXPECT_EQ(result_dialog::ClipFor(IDD_WON), IDA_WORD);
}

// The pixels of a window as they are on screen now.
std::vector<COLORREF> Snapshot(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    HDC dc = GetDC(window);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; y += 2)
        for (int x = 0; x < r.right; x += 2)
            pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return pixels;
}

void Wait(int ms)
{
    const DWORD end = GetTickCount() + ms;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        dialog_test::Pump();
        Sleep(10);
    }
}

TEST(DialogResult, ClipsTakeTheirFrameSizeAndPlay)
{
    struct Case {
        int dialog, width, height, frameTime;
    };
    for (const Case c : {Case{IDD_LOST, 64, 72, 50}, Case{IDD_WON, 288, 88, 500}}) {
        Dialog d(c.dialog, result_dialog::Proc, result_dialog::ClipFor(c.dialog));
        HWND clip = d.Item(IDC_ANIMATION);
        RECT r;
        GetWindowRect(clip, &r);
        EXPECT_EQ(r.right - r.left, c.width) << c.dialog;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.dialog;
        Wait(c.frameTime);
        const auto first = Snapshot(clip);
        Wait(c.frameTime * 3 / 2);
        EXPECT_NE(Snapshot(clip), first) << "clip of dialog " << c.dialog << " stands still";
    }
}

// --- statistics -----------------------------------------------------------------------

class Statistics : public ::testing::Test {
protected:
    Statistics() : m_saved{game::RunWins, game::RunLosses, game::ManWon, game::CompWon}
    {
        game::RunWins = 2;
        game::RunLosses = 1;
        game::ManWon = 12;
        game::CompWon = 8;
    }
    ~Statistics() override
    {
        game::RunWins = m_saved[0];
        game::RunLosses = m_saved[1];
        game::ManWon = m_saved[2];
        game::CompWon = m_saved[3];
    }
    static std::vector<std::int32_t> Counters() { return {game::RunWins, game::RunLosses, game::ManWon, game::CompWon}; }

    INT_PTR Clear(int answer)
    {
        return RunModal(IDD_STATISTICS, statistics_dialog::Proc, 0,
                        {WhenShown(L"Статистика", [](HWND d) { PostClick(d, IDC_STATS_CLEAR); }),
                         WhenShown(L"Duvirud ida", [this, answer](HWND box) {
                             question = box;
                             defaultButton = static_cast<int>(GetWindowLongPtrW(GetDlgItem(box, IDNO), GWL_STYLE) & 0xF);
                             EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&texts));
                             PostMessageW(box, WM_COMMAND, answer, 0);
                         })});
    }
    static BOOL CALLBACK CollectText(HWND child, LPARAM texts)
    {
        reinterpret_cast<std::wstring*>(texts)->append(dialog_test::TextOf(child) + L"|");
        return TRUE;
    }

    HWND question = nullptr;
    int defaultButton = 0;
    std::wstring texts;

private:
    std::int32_t m_saved[4];
};

TEST_F(Statistics, ShowsTheRunAndTheTotals)
{
    Dialog d(IDD_STATISTICS, statistics_dialog::Proc);
    EXPECT_EQ(d.Text(IDC_RUN_WINS), L"2");
    EXPECT_EQ(d.Text(IDC_RUN_LOSSES), L"1");
    EXPECT_EQ(d.Text(IDC_TOTAL_WINS), L"12");
    EXPECT_EQ(d.Text(IDC_TOTAL_LOSSES), L"8");
}

TEST_F(Statistics, EscapeLeavesItOpenOkCloses)
{
    bool openAfterEscape = false;
    const INT_PTR result = RunModal(IDD_STATISTICS, statistics_dialog::Proc, 0,
                                    {[] { PostKey(VK_ESCAPE); },
                                     [&] { openAfterEscape = IsWindowVisible(dialog_test::FindDialog(L"Статистика")); },
                                     WhenShown(L"Статистика", [](HWND d) { PostClick(d, IDC_STATS_OK); })});
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(result, statistics_dialog::kClosed);
    EXPECT_EQ(Counters(), (std::vector<std::int32_t>{2, 1, 12, 8}));
}

TEST_F(Statistics, ClearAnsweredNoKeepsTheCounters)
{
    EXPECT_EQ(Clear(IDNO), statistics_dialog::kCleared);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(defaultButton, BS_DEFPUSHBUTTON) << "No is the default";
    EXPECT_NE(texts.find(L"Очистить окно статистики?"), std::wstring::npos) << testing::PrintToString(texts);
    EXPECT_EQ(Counters(), (std::vector<std::int32_t>{2, 1, 12, 8}));
}

TEST_F(Statistics, ClearAnsweredYesZeroesAllFour)
{
    EXPECT_EQ(Clear(IDYES), statistics_dialog::kCleared);
    EXPECT_EQ(Counters(), (std::vector<std::int32_t>{0, 0, 0, 0}));
    Dialog d(IDD_STATISTICS, statistics_dialog::Proc);
    EXPECT_EQ(d.Text(IDC_TOTAL_WINS), L"0");
}

// --- about box ----------------------------------------------------------------------

class AboutBox : public ::testing::Test {
protected:
    HWND Panel() const { return dialog.Item(IDC_LINK_PANEL); }
    RECT Hot(link_panel::Link link) const { return link_panel::HotRect(Panel(), link); }
    void Move(int x, int y) const
    {
        SendMessageW(Panel(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        dialog_test::Pump();
    }
    void Press(int x, int y) const
    {
        SendMessageW(Panel(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        dialog_test::Pump();
    }
    static std::wstring Status()
    {
        wchar_t text[256] = L"";
        SendMessageW(app::StatusBarWindow, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }
    // Pixels of one colour inside a line's hot rectangle.
    int Count(link_panel::Link link, COLORREF colour) const
    {
        const RECT r = Hot(link);
        HDC dc = GetDC(Panel());
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += GetPixel(dc, x, y) == colour ? 1 : 0;
        ReleaseDC(Panel(), dc);
        return n;
    }
    static POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    dialog_test::Frame frame;
    Dialog dialog{IDD_ABOUT, about_dialog::Proc, 0, frame.get()};
};

TEST_F(AboutBox, LinesStackUnderTheHeadingFromTheLeftEdge)
{
    const RECT icq = Hot(link_panel::kMessenger), web = Hot(link_panel::kWeb), mail = Hot(link_panel::kEmail);
    EXPECT_GT(icq.top, 0) << "below the heading";
    EXPECT_EQ(web.top, icq.bottom);
    EXPECT_EQ(mail.top, web.bottom);
    for (const RECT& r : {icq, web, mail}) {
        EXPECT_EQ(r.left, 0);
        EXPECT_GT(r.right, 20);
    }
    EXPECT_GT(Count(link_panel::kWeb, RGB(0, 0, 255)), 0) << "links are blue";
    EXPECT_EQ(Count(link_panel::kWeb, RGB(255, 0, 0)), 0);
}

TEST_F(AboutBox, HoverTurnsTheLineRedAndShowsItsTarget)
{
    const POINT web = Centre(Hot(link_panel::kWeb)), mail = Centre(Hot(link_panel::kEmail));
    Move(web.x, web.y);
    EXPECT_EQ(Status(), L"" CONTACT_WEB_PAGE);
    EXPECT_GT(Count(link_panel::kWeb, RGB(255, 0, 0)), 0);
    EXPECT_EQ(Count(link_panel::kEmail, RGB(255, 0, 0)), 0);

    Move(mail.x, mail.y);
    EXPECT_EQ(Status(), L"E-mail: " CONTACT_EMAIL);
    EXPECT_EQ(Count(link_panel::kWeb, RGB(255, 0, 0)), 0);
    EXPECT_GT(Count(link_panel::kEmail, RGB(255, 0, 0)), 0);

    const POINT icq = Centre(Hot(link_panel::kMessenger));
    Move(icq.x, icq.y);
    EXPECT_EQ(Status(), L"" CONTACT_MESSENGER_PAGE);

    // Off the lines: all blue, the status bar keeps its text.
    Move(Hot(link_panel::kEmail).right + 3, Hot(link_panel::kEmail).top + 2);
    EXPECT_EQ(Count(link_panel::kMessenger, RGB(255, 0, 0)), 0);
    EXPECT_EQ(Status(), L"" CONTACT_MESSENGER_PAGE);
}

TEST_F(AboutBox, EmailLineSendsTheFeedbackCommandOtherPlacesNothing)
{
    const RECT mail = Hot(link_panel::kEmail);
    Press(mail.right + 3, mail.top + 2);     // right of the text
    RECT panel;
    GetClientRect(Panel(), &panel);
    if (panel.bottom - 1 >= mail.bottom)
        Press(2, panel.bottom - 1);          // below the lines
    EXPECT_TRUE(frame.commands.empty());
    Press(mail.left + 2, mail.top + 2);
    EXPECT_EQ(frame.commands, (std::vector<int>{IDM_FEEDBACK}));
}

TEST(DialogAbout, EnterClosesWithOne)
{
    EXPECT_EQ(RunModal(IDD_ABOUT, about_dialog::Proc, 0, {[] { PostKey(VK_RETURN); }}), IDOK);
}

}  // namespace
