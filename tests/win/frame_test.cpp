// The frame window itself: its commands keep the program running whatever a
// handler meets, and the help page is found from any working folder.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "board_support.h"
#include "game/effects.h"
#include "resources/resource.h"
#include "shell/main_frame.h"

namespace {

// Effects whose every status text throws, as a failed allocation would.
class ThrowingEffects final : public game::Effects {
public:
    void SetComputerCaption(const std::string&) override {}
    void SetHumanCaption(const std::string&) override {}
    void SetStatus(game::StatusPart, const std::string&) override { throw std::runtime_error("no memory"); }
    void SetComment(const std::string&) override {}
    void RepaintBoardNow(game::BoardId) override {}
    void InvalidateBoard(game::BoardId, bool) override {}
    void Beep() override {}
    void Pause(int) override {}
    void PlayEndSound(int) override {}
    int AskResult(int) override { return 2; }
    void QueueNewGame() override {}
    void EndProgram() override {}
    std::uint32_t TickCount() override { return 0; }
    std::int64_t CalendarSeconds() override { return 0; }
};

TEST(Frame, AnExceptionInACommandStaysInsideTheFrame)
{
    board_test::Windows();  // the classes
    HWND frame = CreateWindowExW(0, app::kMainClass, L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                                 nullptr, app::Instance, nullptr);
    ASSERT_TRUE(frame);
    ThrowingEffects fx;
    game::SetEffects(&fx);
    game::Options.AutoArrange = true;
    EXPECT_EQ(0, SendMessageW(frame, WM_COMMAND, IDM_NEW_GAME, 0));
    game::SetEffects(nullptr);
    EXPECT_TRUE(IsWindow(frame));
    // Its children stand in for the test frame's again.
    board_test::Windows();
}

std::wstring ModuleFolder()
{
    wchar_t path[MAX_PATH];
    std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

TEST(Frame, HelpComesFromTheCurrentFolderElseFromBesideTheProgram)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"trivok-help-test";
    CreateDirectoryW(folder.c_str(), nullptr);
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));

    DeleteFileW(L"readme.htm");
    EXPECT_EQ(ModuleFolder() + L"readme.htm", main_frame::HelpPage()) << "the page beside the program";
    CloseHandle(CreateFileW(L"readme.htm", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_EQ(L"readme.htm", main_frame::HelpPage()) << "the current folder's page first";

    DeleteFileW(L"readme.htm");
    SetCurrentDirectoryW(before);
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
