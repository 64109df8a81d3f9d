// Settings dialog: options live through the frame's commands, "&Отменить"
// putting options, menu and toolbar back, the pause and the boards' repaint
// on "&Угу".
#include "tests/win/dialog_support.h"

#include <memory>

#include "dialogs/settings_dialog.h"

namespace {

using dialog_test::Frame;

class SettingsDialog : public ::testing::Test {
protected:
    SettingsDialog() { frame.Agree(); }
    std::unique_ptr<dialog_test::Dialog> Open()
    {
        auto d = std::make_unique<dialog_test::Dialog>(IDD_SETTINGS, settings_dialog::Proc,
                                                       reinterpret_cast<LPARAM>(&snapshot), frame.get());
        frame.commands.clear();
        return d;
    }
    static bool Checked(const dialog_test::Dialog& d, int id) { return IsDlgButtonChecked(d.get(), id) == BST_CHECKED; }

    Frame frame;
    settings_dialog::Snapshot snapshot;
};

TEST_F(SettingsDialog, OpeningShowsTheOptionsAndNoLevelOutOfRange)
{
    game::Options = {true, true, false, false, false, 7, 750};
    const auto d = Open();
    EXPECT_EQ(d->Text(IDC_TIMEOUT), L"750");
    EXPECT_TRUE(Checked(*d, IDC_COMPUTER_FIRST));
    EXPECT_FALSE(Checked(*d, IDC_HUMAN_FIRST));
    EXPECT_TRUE(Checked(*d, IDC_AUTO_ARRANGE) && Checked(*d, IDC_SALVO));
    EXPECT_FALSE(Checked(*d, IDC_NO_RESHOT) || Checked(*d, IDC_RUSSIAN_FLAG));
    EXPECT_FALSE(Checked(*d, IDC_AMATEUR) || Checked(*d, IDC_PRO) || Checked(*d, IDC_SUPERMAN));
    d->Click(IDCANCEL);
    EXPECT_TRUE(frame.commands.empty()) << "no level command for level 7";
}

TEST_F(SettingsDialog, CancelAfterClicksPutsOptionsMenuAndToolbarBack)
{
    const auto d = Open();
    for (int i = 0; i < 3; ++i)
        d->Click(IDC_SALVO);
    EXPECT_TRUE(game::Options.Salvo && frame.Marked(IDM_SALVO) && Frame::On(IDM_SALVO));
    EXPECT_EQ(Frame::Image(IDM_SALVO), toolbar::kImageSalvoOn);
    d->Click(IDC_AUTO_ARRANGE);
    d->Click(IDC_COMPUTER_FIRST);
    d->Click(IDC_NO_RESHOT);
    d->Click(IDC_SUPERMAN);
    EXPECT_FALSE(game::Options.AutoArrange || game::Options.FirstShoot || game::Options.Reshot);
    EXPECT_EQ(game::Options.ProphyUser, 2);

    d->Click(IDCANCEL);
    EXPECT_EQ(frame.commands, (std::vector<int>{IDM_SALVO, IDM_SALVO, IDM_SALVO, IDM_AUTO_ARRANGE, IDM_COMPUTER_FIRST,
                                                IDM_RESHOT, IDM_LEVEL_SUPERMAN, IDM_LEVEL_AMATEUR}));
    const game::GameOptions& o = game::Options;
    EXPECT_TRUE(!o.Salvo && !frame.Marked(IDM_SALVO) && !Frame::On(IDM_SALVO));
    EXPECT_EQ(Frame::Image(IDM_SALVO), toolbar::kImageSalvoOff);
    EXPECT_TRUE(o.AutoArrange && frame.Marked(IDM_AUTO_ARRANGE) && Frame::On(IDM_AUTO_ARRANGE));
    EXPECT_EQ(Frame::Image(IDM_AUTO_ARRANGE), toolbar::kImageAutoArrangeOn);
    EXPECT_TRUE(o.FirstShoot && frame.Marked(IDM_HUMAN_FIRST) && Frame::On(IDM_HUMAN_FIRST));
    EXPECT_FALSE(frame.Marked(IDM_COMPUTER_FIRST) || Frame::On(IDM_COMPUTER_FIRST));
    EXPECT_TRUE(o.Reshot && frame.Marked(IDM_RESHOT));
    EXPECT_TRUE(o.ProphyUser == 0 && Frame::On(IDM_LEVEL_AMATEUR) && !Frame::On(IDM_LEVEL_SUPERMAN));
}

TEST_F(SettingsDialog, FlagRepaintsTheBoardsOnlyWhenChangedAndAccepted)
{
    struct Case {
        int clicks, button;
        bool repaint;
    };
    for (const Case c : {Case{1, IDOK, true}, Case{2, IDOK, false}, Case{1, IDCANCEL, false}}) {
        SCOPED_TRACE(testing::Message() << c.clicks << " clicks, button " << c.button);
        game::Options.RussianFlag = true;
        const auto d = Open();
        for (int i = 0; i < c.clicks; ++i)
            d->Click(IDC_RUSSIAN_FLAG);
        EXPECT_EQ(game::Options.RussianFlag, c.clicks == 2);
        Frame::ValidateBoards();
        d->Press(c.button);
        EXPECT_EQ(Frame::BoardsDirty(), c.repaint);
        EXPECT_TRUE(frame.commands.empty()) << "the flag has no command";
        EXPECT_EQ(game::Options.RussianFlag, c.clicks == 2 || c.button == IDCANCEL);
    }
}

TEST_F(SettingsDialog, OkTakesThePauseCancelLeavesIt)
{
    for (const auto& [text, pause] : {std::pair{L"", 1}, {L"0", 1}, {L"4999", 4999}, {L"70000", 5000}, {L"abc", 1}}) {
        const auto d = Open();
        SetDlgItemTextW(d->get(), IDC_TIMEOUT, text);
        d->Click(IDOK);
        EXPECT_EQ(game::Options.TimeOut, pause);
    }
    game::Options.TimeOut = 300;
    const auto d = Open();
    SetDlgItemTextW(d->get(), IDC_TIMEOUT, L"70000");
    d->Click(IDCANCEL);
    EXPECT_EQ(game::Options.TimeOut, 300);
}

TEST_F(SettingsDialog, EnterAcceptsEscapeAndCloseBoxCancel)
{
    const auto run = [this](std::function<void()> step) {
        return dialog_test::RunModal(IDD_SETTINGS, settings_dialog::Proc, reinterpret_cast<LPARAM>(&snapshot),
                                     {step}, frame.get());
    };
    EXPECT_EQ(run(dialog_test::Key(VK_RETURN)), settings_dialog::kAccepted);
    EXPECT_EQ(run(dialog_test::Key(VK_ESCAPE)), settings_dialog::kCancelled);
    EXPECT_EQ(run(dialog_test::WhenShown(L"Настройка", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); })),
              settings_dialog::kCancelled);
}

}  // namespace
