// The modal dialogs, owned by the real frame and driven as a player would.
#include "dialogs/dialogs.h"
#include "game/score.h"
#include "support.h"

namespace {

constexpr wchar_t kSettings[] = L"Настройка", kColours[] = L"Выбор цвета", kStatistics[] = L"Статистика";
constexpr wchar_t kLost[] = L"Вы проиграли!!!", kWon[] = L"Что, не веришь своему счастью?";

// Every option as the game holds it and as the menu and the toolbar show it.
std::string Showing()
{
    const game::GameOptions& o = game::Options;
    std::string s = "values " + std::to_string(o.AutoArrange) + std::to_string(o.Salvo) + std::to_string(o.Reshot) +
                    std::to_string(o.RussianFlag) + std::to_string(o.FirstShoot) + std::to_string(o.ProphyUser);
    for (int id : {IDM_AUTO_ARRANGE, IDM_SALVO, IDM_RESHOT, IDM_LEVEL_AMATEUR, IDM_LEVEL_PRO, IDM_LEVEL_SUPERMAN,
                   IDM_HUMAN_FIRST, IDM_COMPUTER_FIRST})
        s += " " + std::to_string(id) + (MenuMarked(id) ? "m" : "-") + (ButtonPressed(id) ? "p" : "-") +
             (ButtonChecked(id) ? "c" : "-") + std::to_string(ButtonImage(id));
    return s;
}

std::array<COLORREF, 5> Scheme(const look::ColourScheme& c = look::Colours())
{
    return {c.BackGround, c.BattleField, c.Ships, c.Lines, c.SunkShip};
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { NewGame(true); }
    void TearDown() override { NewGame(true); }
    void Command(int id) { SendMessageW(w.frame, WM_COMMAND, id, 0); }
    const Handles& w = Program();
};

// Settings act at once and cancel puts every option back; OK takes the pause and reports a change of the flag.
TEST_F(Dialogs, SettingsCancelPutsEveryOptionBackAndOkTakesThePauseAndTheFlag)
{
    const std::string before = Showing();
    const std::int32_t pause = game::Options.TimeOut;
    game::GameOptions live;
    std::string liveShown;
    const Step look = With(kSettings, [&](HWND d) {
        live = game::Options;
        liveShown = Showing();
        SetDlgItemTextW(d, IDC_TIMEOUT, L"4321");
    });
    EXPECT_TRUE(Drive([&] { Command(IDM_SETTINGS); },
                      {Click(kSettings, IDC_SALVO), Click(kSettings, IDC_AUTO_ARRANGE), Click(kSettings, IDC_NO_RESHOT),
                       Click(kSettings, IDC_SUPERMAN), Click(kSettings, IDC_COMPUTER_FIRST),
                       Click(kSettings, IDC_RUSSIAN_FLAG), look, Click(kSettings, IDCANCEL)}));
    Pump();
    EXPECT_TRUE(live.Salvo && !live.AutoArrange && !live.Reshot && live.ProphyUser == 2 && !live.FirstShoot &&
                !live.RussianFlag);
    EXPECT_NE(before, liveShown);
    EXPECT_EQ(before, Showing());
    EXPECT_EQ(pause, game::Options.TimeOut);

    bool flagChanged = false;
    EXPECT_TRUE(Drive([&] { flagChanged = dialogs::ShowSettings(w.frame); },
                      {With(kSettings, [](HWND d) { SetDlgItemTextW(d, IDC_TIMEOUT, L"1234"); }),
                       Click(kSettings, IDC_RUSSIAN_FLAG), Click(kSettings, IDOK)}));
    EXPECT_TRUE(flagChanged && !game::Options.RussianFlag);
    EXPECT_EQ(1234, game::Options.TimeOut);
}

// Colours: Escape changes nothing, even after a palette click wrote the fields (eight columns by four rows; row 2,
// column 7 is royal blue); OK puts the working copy, opened on the battle field's colour, in force and repaints.
TEST_F(Dialogs, ColoursEscapeChangesNothingAfterAPaletteClickAndOkTakesEffect)
{
    const look::ColourScheme saved = look::Colours();
    std::array<UINT, 3> fields{};
    const Step pick = With(kColours, [&](HWND d) {
        HWND palette = GetDlgItem(d, IDC_PALETTE);
        UpdateWindow(palette);  // its cells are measured as it paints
        RECT r;
        GetClientRect(palette, &r);
        SendMessageW(palette, WM_LBUTTONDOWN, MK_LBUTTON, At(r.right * 15 / 16, r.bottom * 5 / 8));
        fields = {GetDlgItemInt(d, IDC_RED, nullptr, FALSE), GetDlgItemInt(d, IDC_GREEN, nullptr, FALSE),
                  GetDlgItemInt(d, IDC_BLUE, nullptr, FALSE)};
    });
    EXPECT_TRUE(Drive([&] { Command(IDM_COLOURS); }, {pick, Key(kColours, VK_ESCAPE)}));
    EXPECT_EQ((std::array<UINT, 3>{65, 105, 225}), fields);
    EXPECT_EQ(Scheme(saved), Scheme());

    const Step type = With(kColours, [&](HWND d) {
        for (auto [id, value] : {std::pair{IDC_RED, 10}, {IDC_GREEN, 20}, {IDC_BLUE, 30}})
            SetDlgItemInt(d, id, value, FALSE);
        EXPECT_EQ(Scheme(saved), Scheme()) << "in force before Угу";
    });
    EXPECT_TRUE(Drive([&] { Command(IDM_COLOURS); }, {type, Click(kColours, IDOK)}));
    Pump();
    look::ColourScheme want = saved;
    want.BattleField = RGB(10, 20, 30);
    EXPECT_EQ(Scheme(want), Scheme());
    const int c = game::CellSize;
    EXPECT_EQ(Hex(RGB(10, 20, 30)), Hex(ScreenPixel(w.computer, c / 2, c / 2))) << "the sea of А1";
    look::Colours() = saved;
    RedrawWindow(w.frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

TEST_F(Dialogs, TheResultDialogsAnswerByTheirButtonsAndByEnterAndEscape)
{
    const struct { const char* how; game::Outcome outcome; Step answer; game::Answer expected; } cases[] = {
        {"lost, first button", game::Outcome::ComputerWon, Click(kLost, IDOK), game::Answer::PlayAgain},
        {"lost, second button", game::Outcome::ComputerWon, Click(kLost, IDCANCEL), game::Answer::Stop},
        {"won, first button", game::Outcome::HumanWon, Click(kWon, IDOK), game::Answer::PlayAgain},
        {"won, second button", game::Outcome::HumanWon, Click(kWon, IDCANCEL), game::Answer::Stop},
        {"lost, Enter", game::Outcome::ComputerWon, Key(kLost, VK_RETURN), game::Answer::PlayAgain},
        {"won, Escape", game::Outcome::HumanWon, Key(kWon, VK_ESCAPE), game::Answer::Stop},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        game::Answer got = c.expected == game::Answer::Stop ? game::Answer::PlayAgain : game::Answer::Stop;
        EXPECT_TRUE(Drive([&] { got = dialogs::AskResult(w.frame, c.outcome); }, {c.answer}));
        EXPECT_EQ(c.expected, got);
    }
}

TEST_F(Dialogs, ClearingTheStatisticsAsksAndOnlyYesClearsAllFour)
{
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "yes" : "no");
        game::SetTotals(10, 7);
        std::tie(game::RunWins, game::RunLosses) = std::pair(2, 1);
        EXPECT_TRUE(Drive([&] { Command(IDM_STATISTICS); },
                          {Click(kStatistics, IDC_STATS_CLEAR), Click(L"Duvirud ida", answer)}));
        const std::array<int, 4> kept{2, 1, 10, 7}, cleared{0, 0, 0, 0};
        EXPECT_EQ(answer == IDYES ? cleared : kept,
                  (std::array<int, 4>{game::RunWins, game::RunLosses, game::ManWon, game::CompWon}));
    }
}

}  // namespace
