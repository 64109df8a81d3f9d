// Settings dialog: live options through the frame's commands, the way
// "&Отменить" puts options, menu and toolbar back, the pause rule and the
// boards' repaint on "&Угу".
#include "tests/win/dialog_support.h"

#include <memory>

#include "dialogs/settings_dialog.h"

namespace {

using dialog_test::Dialog;
using dialog_test::Frame;

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        game::Options = game::GameOptions{};
        frame.Agree();
    }
    std::unique_ptr<Dialog> Open()
    {
        auto d = std::make_unique<Dialog>(IDD_SETTINGS, settings_dialog::Proc, reinterpret_cast<LPARAM>(&snapshot),
                                          frame.get());
        frame.commands.clear();
        return d;
    }
    static bool IsChecked(const Dialog& d, int id) { return IsDlgButtonChecked(d.get(), id) == BST_CHECKED; }

    Frame frame;
    settings_dialog::Snapshot snapshot;
};

TEST_F(SettingsDialog, OpeningShowsTheOptions)
{
    game::Options = {true, true, false, false, false, 2, 750};
    frame.Agree();
    const auto d = Open();
    EXPECT_EQ(d->Text(IDC_TIMEOUT), L"750");
    EXPECT_FALSE(IsChecked(*d, IDC_HUMAN_FIRST));
    EXPECT_TRUE(IsChecked(*d, IDC_COMPUTER_FIRST));
    EXPECT_TRUE(IsChecked(*d, IDC_AUTO_ARRANGE));
    EXPECT_TRUE(IsChecked(*d, IDC_SALVO));
    EXPECT_FALSE(IsChecked(*d, IDC_NO_RESHOT));
    EXPECT_FALSE(IsChecked(*d, IDC_RUSSIAN_FLAG));
    EXPECT_FALSE(IsChecked(*d, IDC_AMATEUR));
    EXPECT_FALSE(IsChecked(*d, IDC_PRO));
    EXPECT_TRUE(IsChecked(*d, IDC_SUPERMAN));
}

TEST_F(SettingsDialog, ThreeSalvoClicksThenCancelPutMenuAndToolbarBack)
{
    const auto d = Open();
    for (int i = 1; i <= 3; ++i) {
        d->Click(IDC_SALVO);
        EXPECT_EQ(game::Options.Salvo, i % 2 == 1) << "click " << i;
        EXPECT_EQ(frame.Marked(IDM_SALVO), game::Options.Salvo) << "click " << i;
        EXPECT_EQ(IsChecked(*d, IDC_SALVO), game::Options.Salvo) << "click " << i;
    }
    EXPECT_EQ(frame.commands, (std::vector<int>{IDM_SALVO, IDM_SALVO, IDM_SALVO}));
    EXPECT_EQ(Frame::Image(IDM_SALVO), toolbar::kImageSalvoOn);

    d->Click(IDCANCEL);
    EXPECT_TRUE(d->Ended());
    EXPECT_FALSE(game::Options.Salvo);
    EXPECT_FALSE(frame.Marked(IDM_SALVO));
    EXPECT_EQ(Frame::Image(IDM_SALVO), toolbar::kImageSalvoOff);
    EXPECT_FALSE(Frame::Pressed(IDM_SALVO));
    EXPECT_FALSE(Frame::Checked(IDM_SALVO));
}

TEST_F(SettingsDialog, CancelPostsTheLevelItFound)
{
    const auto d = Open();
    d->Click(IDC_SUPERMAN);
    EXPECT_EQ(game::Options.ProphyUser, 2);
    EXPECT_TRUE(Frame::Pressed(IDM_LEVEL_SUPERMAN));
    d->Click(IDCANCEL);
    EXPECT_EQ(frame.commands, (std::vector<int>{IDM_LEVEL_SUPERMAN, IDM_LEVEL_AMATEUR}));
    EXPECT_EQ(game::Options.ProphyUser, 0);
    EXPECT_TRUE(frame.Marked(IDM_LEVEL_AMATEUR));
    EXPECT_TRUE(Frame::Pressed(IDM_LEVEL_AMATEUR));
    EXPECT_FALSE(Frame::Pressed(IDM_LEVEL_SUPERMAN));
}

TEST_F(SettingsDialog, CancelRestoresArrangementFirstMoveAndRepeatedShots)
{
    const auto d = Open();
    d->Click(IDC_AUTO_ARRANGE);
    d->Click(IDC_COMPUTER_FIRST);
    d->Click(IDC_NO_RESHOT);
    EXPECT_FALSE(game::Options.AutoArrange);
    EXPECT_FALSE(game::Options.FirstShoot);
    EXPECT_FALSE(game::Options.Reshot);
    EXPECT_EQ(Frame::Image(IDM_AUTO_ARRANGE), toolbar::kImageAutoArrangeOff);

    d->Click(IDCANCEL);
    EXPECT_TRUE(game::Options.AutoArrange);
    EXPECT_TRUE(frame.Marked(IDM_AUTO_ARRANGE));
    EXPECT_EQ(Frame::Image(IDM_AUTO_ARRANGE), toolbar::kImageAutoArrangeOn);
    EXPECT_TRUE(Frame::Pressed(IDM_AUTO_ARRANGE));
    EXPECT_TRUE(Frame::Checked(IDM_AUTO_ARRANGE));

    EXPECT_TRUE(game::Options.FirstShoot);
    EXPECT_TRUE(frame.Marked(IDM_HUMAN_FIRST));
    EXPECT_FALSE(frame.Marked(IDM_COMPUTER_FIRST));
    EXPECT_TRUE(Frame::Checked(IDM_HUMAN_FIRST));
    EXPECT_FALSE(Frame::Checked(IDM_COMPUTER_FIRST));

    EXPECT_TRUE(game::Options.Reshot);
    EXPECT_TRUE(frame.Marked(IDM_RESHOT));
}

TEST_F(SettingsDialog, FlagRepaintsTheBoardsOnlyWhenItChanged)
{
    struct Case {
        int clicks;
        int button;
        bool repaint;
    };
    for (const Case c : {Case{1, IDOK, true}, Case{2, IDOK, false}, Case{1, IDCANCEL, false}}) {
        SCOPED_TRACE(testing::Message() << c.clicks << " clicks, button " << c.button);
        game::Options.RussianFlag = true;
        const auto d = Open();
        for (int i = 0; i < c.clicks; ++i)
            d->Click(IDC_RUSSIAN_FLAG);
        EXPECT_EQ(game::Options.RussianFlag, c.clicks % 2 == 0);
        EXPECT_TRUE(frame.commands.empty()) << "the flag has no command";
        Frame::ValidateBoards();
        d->Press(c.button);
        EXPECT_EQ(Frame::NeedsPaint(app::HumanBoardWindow), c.repaint);
        EXPECT_EQ(Frame::NeedsPaint(app::ComputerBoardWindow), c.repaint);
        if (c.button == IDCANCEL) {
            EXPECT_TRUE(game::Options.RussianFlag);
        }
    }
}

TEST_F(SettingsDialog, OkTakesThePauseWithinOneToFiveThousand)
{
    const std::pair<const wchar_t*, int> cases[] = {
        {L"", 1}, {L"0", 1}, {L"1", 1}, {L"4999", 4999}, {L"5000", 5000}, {L"70000", 5000}, {L"abc", 1},
    };
    for (const auto& [text, pause] : cases) {
        game::Options.TimeOut = 300;
        const auto d = Open();
        SetDlgItemTextW(d->get(), IDC_TIMEOUT, text);
        d->Click(IDOK);
        EXPECT_TRUE(d->Ended());
        EXPECT_EQ(game::Options.TimeOut, pause) << "field \"" << testing::PrintToString(std::wstring(text)) << "\"";
    }
}

TEST_F(SettingsDialog, CancelKeepsThePauseWhateverTheField)
{
    game::Options.TimeOut = 300;
    const auto d = Open();
    SetDlgItemTextW(d->get(), IDC_TIMEOUT, L"70000");
    d->Click(IDCANCEL);
    EXPECT_EQ(game::Options.TimeOut, 300);
}

TEST_F(SettingsDialog, LevelOutOfRangeChecksNothingAndCancelPostsNoLevel)
{
    game::Options.ProphyUser = 7;
    const auto d = Open();
    EXPECT_FALSE(IsChecked(*d, IDC_AMATEUR));
    EXPECT_FALSE(IsChecked(*d, IDC_PRO));
    EXPECT_FALSE(IsChecked(*d, IDC_SUPERMAN));
    d->Click(IDCANCEL);
    EXPECT_TRUE(frame.commands.empty());
    EXPECT_EQ(game::Options.ProphyUser, 7);
}

TEST_F(SettingsDialog, EnterAcceptsEscapeAndCloseBoxCancel)
{
    const auto run = [this](std::function<void()> step) {
        return dialog_test::RunModal(IDD_SETTINGS, settings_dialog::Proc, reinterpret_cast<LPARAM>(&snapshot),
                                     {step}, frame.get());
    };
    EXPECT_EQ(run([] { dialog_test::PostKey(VK_RETURN); }), settings_dialog::kAccepted);
    EXPECT_EQ(run([] { dialog_test::PostKey(VK_ESCAPE); }), settings_dialog::kCancelled);
    EXPECT_EQ(run([] { PostMessageW(dialog_test::FindDialog(L"Настройка"), WM_SYSCOMMAND, SC_CLOSE, 0); }),
              settings_dialog::kCancelled);
}

}  // namespace
