// The frame as a whole: a failing command, the help page from any folder, no GDI objects or windows left behind.
#include <stdexcept>

#include "game/score.h"
#include "shell/shell_effects.h"
#include "support.h"

namespace {

// Effects whose status texts throw, as a failed allocation would.
struct ThrowingStatus final : game::SilentEffects {
    void SetStatus(game::StatusPart, const std::string&) override { ++thrown; throw std::runtime_error("no memory"); }
    int thrown = 0;
};

TEST(Frame, AnExceptionInACommandStaysInsideTheFrame)
{
    const Handles& w = Program();
    NewGame(true);
    ThrowingStatus fx;
    game::SetEffects(&fx);
    EXPECT_EQ(0, SendMessageW(w.frame, WM_COMMAND, IDM_NEW_GAME, 0));
    shell_effects::Install();
    EXPECT_GT(fx.thrown, 0);
    EXPECT_TRUE(IsWindow(w.frame));
    NewGame(true);
    EXPECT_TRUE(game::BattleOn) << "the next new game";
}

TEST(Frame, TheHelpPageComesFromTheCurrentFolderElseFromBesideTheProgram)
{
    wchar_t temp[MAX_PATH], before[MAX_PATH], program[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    GetCurrentDirectoryW(MAX_PATH, before);
    const std::wstring folder = std::wstring(temp) + L"trivok-help-test";
    std::wstring beside(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
    beside = beside.substr(0, beside.find_last_of(L"\\/") + 1) + L"readme.htm";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    DeleteFileW(L"readme.htm");
    EXPECT_EQ(beside, main_frame::HelpPage()) << "the page beside the program";
    CloseHandle(CreateFileW(L"readme.htm", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_EQ(L"readme.htm", main_frame::HelpPage()) << "the current folder's page first";
    DeleteFileW(L"readme.htm");
    SetCurrentDirectoryW(before);
    RemoveDirectoryW(folder.c_str());
}

// Painting whole and marks only 200 times, then a dozen whole games, each ended in the result dialog answered "play
// again": after a first run of each, which makes what is made once, the counts stay as they are.
TEST(Frame, PaintsAndWholeGamesLeaveNoGdiObjectsOrWindowsBehind)
{
    const Handles& w = Program();
    const auto expectFlatOver = [](int times, const std::function<void()>& act) {
        act();
        const long objects = GdiObjectCount(), windows = WindowCount();
        ASSERT_GT(objects, 0);
        for (int i = 0; i < times; ++i)
            act();
        EXPECT_EQ(objects, GdiObjectCount());
        EXPECT_EQ(windows, WindowCount());
    };
    const int c = game::CellSize;  // shootAt(i): square i of the computer's board, column by column
    const auto shootAt = [&](int i) { SendMessageW(w.computer, WM_LBUTTONUP, 0, At(i / 10 * c + 2, i % 10 * c + 2)); };
    NewGame(true);
    for (int i = 0; i < 12; ++i)
        shootAt(i * 7);
    for (HWND child : {w.picker, w.pad})
        children::ShowChild(child, true);
    expectFlatOver(200, [&] {
        RedrawWindow(w.frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        game::SkipBackground = 1;
        RedrawWindow(w.human, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    });
    NewGame(true);
    AutoAnswer again(IDOK);
    expectFlatOver(12, [&] {
        const int played = game::RunWins + game::RunLosses;
        for (int i = 0; i < 100 && game::RunWins + game::RunLosses == played; ++i)
            shootAt(i);
        Pump();  // the new game the answer asked for
        ASSERT_EQ(played + 1, game::RunWins + game::RunLosses);
        ASSERT_TRUE(game::BattleOn);
    });
    EXPECT_EQ(13, AutoAnswer::count);
}

}  // namespace
