// End-of-game dialogs with their clips, the statistics dialog and the about
// box's link panel.
#include "tests/win/dialog_support.h"

#include "dialogs/about_dialog.h"
#include "dialogs/dialogs.h"
#include "dialogs/link_panel.h"
#include "dialogs/result_dialog.h"
#include "dialogs/statistics_dialog.h"
#include "game/score.h"
#include "resources/contacts.h"

namespace {

using dialog_test::ClickIn;
using dialog_test::Key;

TEST(DialogResult, FirstButtonOrEnterPlaysAgainSecondOrEscapeStops)
{
    for (const auto& [id, caption] : {std::pair{IDD_LOST, L"Вы проиграли!!!"},
                                      {IDD_WON, L"Что, не веришь своему счастью?"}}) {
        const auto ask = [id = id](std::function<void()> step) {
            return dialog_test::RunScript([&] { return INT_PTR(dialogs::AskResult(nullptr, id)); }, {step});
        };
        // Keys on one, buttons on the other: both answer through the same two ids.
        if (id == IDD_LOST) {
            EXPECT_EQ(ask(Key(VK_RETURN)), result_dialog::kPlayAgain);
            EXPECT_EQ(ask(Key(VK_ESCAPE)), result_dialog::kStop);
        } else {
            EXPECT_EQ(ask(ClickIn(caption, IDOK)), result_dialog::kPlayAgain);
            EXPECT_EQ(ask(ClickIn(caption, IDCANCEL)), result_dialog::kStop);
        }
    }
    EXPECT_EQ(dialogs::AskResult(nullptr, IDD_ABOUT), -1) << "not a result dialog";
}

std::vector<COLORREF> Pixels(HWND window)
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
    for (const DWORD end = GetTickCount() + ms; static_cast<int>(end - GetTickCount()) > 0; Sleep(10))
        dialog_test::Pump();
}

TEST(DialogResult, ClipsTakeTheirFrameSizeAndPlay)
{
    struct Case {
        int dialog, width, height, frameTime;
    };
    for (const Case c : {Case{IDD_LOST, 64, 72, 50}, Case{IDD_WON, 288, 88, 500}}) {
        dialog_test::Dialog d(c.dialog, result_dialog::Proc, result_dialog::ClipFor(c.dialog), nullptr,
                              dialog_test::kShown);
        RECT r;
        GetWindowRect(d.Item(IDC_ANIMATION), &r);
        EXPECT_EQ(r.right - r.left, c.width) << c.dialog;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.dialog;
        Wait(c.frameTime);
        const auto first = Pixels(d.Item(IDC_ANIMATION));
        Wait(c.frameTime * 3 / 2);
        EXPECT_NE(Pixels(d.Item(IDC_ANIMATION)), first) << "the clip of " << c.dialog << " stands still";
    }
}

// --- statistics -----------------------------------------------------------------------

class Statistics : public ::testing::Test {
protected:
    Statistics() : m_saved(Counters()) { Set({2, 1, 12, 8}); }
    ~Statistics() override { Set(m_saved); }
    static void Set(const std::vector<std::int32_t>& v)
    {
        std::tie(game::RunWins, game::RunLosses, game::ManWon, game::CompWon) = std::tie(v[0], v[1], v[2], v[3]);
    }
    static std::vector<std::int32_t> Counters() { return {game::RunWins, game::RunLosses, game::ManWon, game::CompWon}; }

    // "Очистить", then the given answer to the question.
    INT_PTR Clear(int answer)
    {
        return dialog_test::RunModal(IDD_STATISTICS, statistics_dialog::Proc, 0,
                                     {ClickIn(L"Статистика", IDC_STATS_CLEAR),
                                      dialog_test::WhenShown(L"Duvirud ida", [this, answer](HWND box) {
                                          noByDefault = (GetWindowLongPtrW(GetDlgItem(box, IDNO), GWL_STYLE) & 0xF) ==
                                                        BS_DEFPUSHBUTTON;
                                          PostMessageW(box, WM_COMMAND, answer, 0);
                                      })});
    }
    bool noByDefault = false;

private:
    std::vector<std::int32_t> m_saved;
};

TEST_F(Statistics, ShowsRunAndTotalsAndIgnoresEscape)
{
    {
        dialog_test::Dialog d(IDD_STATISTICS, statistics_dialog::Proc);
        EXPECT_EQ(d.Text(IDC_RUN_WINS) + d.Text(IDC_RUN_LOSSES) + L"|" + d.Text(IDC_TOTAL_WINS) + L"|" +
                      d.Text(IDC_TOTAL_LOSSES),
                  L"21|12|8");
    }
    bool openAfterEscape = false;
    EXPECT_EQ(dialog_test::RunModal(IDD_STATISTICS, statistics_dialog::Proc, 0,
                                    {Key(VK_ESCAPE), [&] { openAfterEscape = dialog_test::ShownDialog() != nullptr; },
                                     ClickIn(L"Статистика", IDC_STATS_OK)}),
              statistics_dialog::kClosed);
    EXPECT_TRUE(openAfterEscape);
}

TEST_F(Statistics, ClearAskedWithNoByDefault)
{
    EXPECT_EQ(Clear(IDNO), statistics_dialog::kCleared);
    EXPECT_TRUE(noByDefault);
    EXPECT_EQ(Counters(), (std::vector<std::int32_t>{2, 1, 12, 8}));
    EXPECT_EQ(Clear(IDYES), statistics_dialog::kCleared);
    EXPECT_EQ(Counters(), (std::vector<std::int32_t>{0, 0, 0, 0}));
}

// --- the about box's link panel -----------------------------------------------------------

TEST(DialogAbout, LinksLightUpShowTheirTargetAndTheEmailLineSendsTheFeedbackCommand)
{
    dialog_test::Frame frame;
    dialog_test::Dialog d(IDD_ABOUT, about_dialog::Proc, 0, frame.get(), dialog_test::kShown);
    HWND panel = d.Item(IDC_LINK_PANEL);
    const RECT icq = link_panel::HotRect(panel, link_panel::kMessenger);
    const RECT web = link_panel::HotRect(panel, link_panel::kWeb);
    const RECT mail = link_panel::HotRect(panel, link_panel::kEmail);
    EXPECT_GT(icq.top, 0) << "under the heading";
    EXPECT_EQ(web.top, icq.bottom);
    EXPECT_EQ(mail.top, web.bottom);
    const auto mouse = [panel](UINT msg, int x, int y) { SendMessageW(panel, msg, 0, MAKELPARAM(x, y)); };
    const auto status = [] {
        wchar_t text[256] = L"";
        SendMessageW(app::StatusBarWindow, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    const auto red = [panel](const RECT& r) {
        HDC dc = GetDC(panel);
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += GetPixel(dc, x, y) == RGB(255, 0, 0);
        ReleaseDC(panel, dc);
        return n;
    };

    mouse(WM_MOUSEMOVE, 5, web.top + 3);
    EXPECT_EQ(status(), L"" CONTACT_WEB_PAGE);
    EXPECT_TRUE(red(web) > 0 && red(mail) == 0);
    mouse(WM_MOUSEMOVE, 5, mail.top + 3);
    EXPECT_EQ(status(), L"E-mail: " CONTACT_EMAIL);
    EXPECT_TRUE(red(web) == 0 && red(mail) > 0);
    mouse(WM_MOUSEMOVE, 5, icq.top + 3);
    EXPECT_EQ(status(), L"" CONTACT_MESSENGER_PAGE);
    mouse(WM_MOUSEMOVE, mail.right + 3, mail.top + 3);
    EXPECT_EQ(red(icq), 0) << "off the lines all are blue";
    EXPECT_EQ(status(), L"" CONTACT_MESSENGER_PAGE) << "and the status bar keeps its text";

    mouse(WM_LBUTTONDOWN, mail.right + 3, mail.top + 3);
    EXPECT_TRUE(frame.commands.empty()) << "right of the text is no link";
    mouse(WM_LBUTTONDOWN, 5, mail.top + 3);
    EXPECT_EQ(frame.commands, (std::vector<int>{IDM_FEEDBACK}));

    EXPECT_EQ(dialog_test::RunModal(IDD_ABOUT, about_dialog::Proc, 0, {Key(VK_RETURN)}), IDOK);
}

}  // namespace
