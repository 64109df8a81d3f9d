// The options and the shown windows on the menu and the toolbar: every place that shows what a command changes follows.
#include <map>

#include "support.h"

namespace {

bool HasButton(int command) { return Toolbar(TB_COMMANDTOINDEX, command) >= 0; }

// An option shows as on by its menu mark and its button, pressed and checked together.
void ExpectShown(int command, bool on)
{
    EXPECT_EQ(on, MenuMarked(command)) << "menu mark of " << command;
    EXPECT_TRUE(!HasButton(command) || (on == ButtonPressed(command) && on == ButtonChecked(command)))
        << "button of " << command;
}

// Each command from the menu, then from its toolbar button (which flips a check button by itself first), then from the
// menu again. A toggle flips its value (`on`, the game's value the command stands for); the others set theirs and turn
// the rest of their group off. Pictured: the button's image shows the state.
TEST(Options, EachCommandMovesItsMarkItsButtonAndItsValueTogether)
{
    const Handles& w = Program();
    const game::GameOptions& o = game::Options;
    struct { int command; std::function<bool()> on; bool toggle, pictured; std::vector<int> others; } options[] = {
        {IDM_AUTO_ARRANGE, [&] { return o.AutoArrange; }, true, true, {}},
        {IDM_SALVO, [&] { return o.Salvo; }, true, true, {}},
        {IDM_RESHOT, [&] { return o.Reshot; }, true, false, {}},
        {IDM_LEVEL_AMATEUR, [&] { return o.ProphyUser == 0; }, false, false, {IDM_LEVEL_PRO, IDM_LEVEL_SUPERMAN}},
        {IDM_LEVEL_PRO, [&] { return o.ProphyUser == 1; }, false, false, {IDM_LEVEL_AMATEUR, IDM_LEVEL_SUPERMAN}},
        {IDM_LEVEL_SUPERMAN, [&] { return o.ProphyUser == 2; }, false, false, {IDM_LEVEL_AMATEUR, IDM_LEVEL_PRO}},
        {IDM_HUMAN_FIRST, [&] { return o.FirstShoot; }, false, false, {IDM_COMPUTER_FIRST}},
        {IDM_COMPUTER_FIRST, [&] { return !o.FirstShoot; }, false, false, {IDM_HUMAN_FIRST}},
    };
    NewGame(true);
    for (const auto& option : options) {
        SCOPED_TRACE(option.command);
        std::map<bool, int> images;  // the button's image in each state
        for (bool byToolbar : {false, true, false}) {
            if (byToolbar && !HasButton(option.command))
                continue;
            const bool before = option.on();
            if (byToolbar)
                ClickToolbar(option.command);
            else
                SendMessageW(w.frame, WM_COMMAND, option.command, 0);
            EXPECT_EQ(option.toggle ? !before : true, option.on()) << (byToolbar ? "toolbar" : "menu");
            ExpectShown(option.command, option.on());
            for (int other : option.others)
                ExpectShown(other, false);
            const int image = ButtonImage(option.command);
            EXPECT_EQ(images.emplace(option.on(), image).first->second, image) << "one image for each state";
        }
        EXPECT_TRUE(!option.pictured || images[true] != images[false]) << "the image shows the state";
    }
    NewGame(true);
}

// Boards and commentator hide by their own menu, the pad and the picker by their close boxes; their buttons show them
// again.
TEST(Options, AChildsHideCommandReleasesItsButtonWhichShowsItAgain)
{
    const Handles& w = Program();
    NewGame(false);
    const struct { HWND window; int button; UINT hide; WPARAM wp; } children[] = {
        {w.computer, IDM_SHOW_COMPUTER_BOARD, WM_COMMAND, IDM_HIDE_WINDOW},
        {w.human, IDM_SHOW_HUMAN_BOARD, WM_COMMAND, IDM_HIDE_WINDOW},
        {w.commentator, IDM_SHOW_COMMENTATOR, WM_COMMAND, IDM_HIDE_WINDOW},
        {w.picker, IDM_SHOW_PICKER, WM_CLOSE, 0},
        {w.pad, IDM_SHOW_ARROWS, WM_CLOSE, 0},
    };
    for (const auto& c : children) {
        SCOPED_TRACE(c.button);
        if (!IsWindowVisible(c.window))
            ClickToolbar(c.button);
        ASSERT_TRUE(IsWindowVisible(c.window) && ButtonChecked(c.button));
        SendMessageW(c.window, c.hide, c.wp, 0);
        EXPECT_FALSE(IsWindowVisible(c.window) || ButtonChecked(c.button) || ButtonPressed(c.button));
        ClickToolbar(c.button);
        EXPECT_TRUE(IsWindowVisible(c.window) && ButtonChecked(c.button));
    }
    NewGame(true);
}

}  // namespace
