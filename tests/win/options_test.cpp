// The options and the shown windows on the frame's menu and toolbar: what
// a command changes, every place that shows it follows.
#include <map>
#include <vector>

#include "game/options.h"
#include "support.h"

namespace {

using namespace win_test;

bool HasButton(int command) { return SendMessageW(toolbar::Window(), TB_COMMANDTOINDEX, command, 0) >= 0; }

// An option shows as on by its menu mark and its button, pressed and checked together.
void ExpectShown(int command, bool on)
{
    EXPECT_EQ(on, MenuMarked(command)) << "menu mark of " << command;
    EXPECT_TRUE(!HasButton(command) || (on == ButtonPressed(command) && on == ButtonChecked(command)))
        << "button of " << command;
}

bool Level(int level) { return game::Options.ProphyUser == level; }

struct Option {
    const char* name;
    int command;
    bool (*on)();  // the game's value the command stands for
    bool toggle;   // else it sets its value, and turns off the others of its group
    std::vector<int> others;
};
const Option kOptions[] = {
    {"auto-arrange", IDM_AUTO_ARRANGE, [] { return game::Options.AutoArrange; }, true, {}},
    {"salvo", IDM_SALVO, [] { return game::Options.Salvo; }, true, {}},
    {"no repeated shot", IDM_RESHOT, [] { return game::Options.Reshot; }, true, {}},
    {"amateur", IDM_LEVEL_AMATEUR, [] { return Level(0); }, false, {IDM_LEVEL_PRO, IDM_LEVEL_SUPERMAN}},
    {"pro", IDM_LEVEL_PRO, [] { return Level(1); }, false, {IDM_LEVEL_AMATEUR, IDM_LEVEL_SUPERMAN}},
    {"superman", IDM_LEVEL_SUPERMAN, [] { return Level(2); }, false, {IDM_LEVEL_AMATEUR, IDM_LEVEL_PRO}},
    {"human first", IDM_HUMAN_FIRST, [] { return game::Options.FirstShoot; }, false, {IDM_COMPUTER_FIRST}},
    {"computer first", IDM_COMPUTER_FIRST, [] { return !game::Options.FirstShoot; }, false, {IDM_HUMAN_FIRST}},
};

// Each command from the menu, then from its toolbar button (which flips a
// check button by itself first), then from the menu again.
TEST(Options, EachCommandMovesItsMarkItsButtonAndItsValueTogether)
{
    const Handles& w = Program();
    NewGame(true);
    for (const Option& o : kOptions) {
        SCOPED_TRACE(o.name);
        std::map<bool, int> images;  // the button's image in each state
        for (bool byToolbar : {false, true, false}) {
            if (byToolbar && !HasButton(o.command))
                continue;
            const bool before = o.on();
            if (byToolbar)
                ClickToolbar(o.command);
            else
                SendMessageW(w.frame, WM_COMMAND, o.command, 0);
            const bool on = o.on();
            EXPECT_EQ(o.toggle ? !before : true, on) << (byToolbar ? "toolbar" : "menu");
            ExpectShown(o.command, on);
            for (int other : o.others)
                ExpectShown(other, false);
            if (HasButton(o.command)) {
                EXPECT_EQ(images.emplace(on, ButtonImage(o.command)).first->second, ButtonImage(o.command));
            }
        }
        // Auto-arrange and salvo show their state in the picture too.
        if (o.command == IDM_AUTO_ARRANGE || o.command == IDM_SALVO) {
            EXPECT_NE(images[true], images[false]);
        }
    }
    NewGame(true);
}

// Boards and commentator hide by their own menu, the pad and the picker by
// their close boxes.
TEST(Options, AChildsHideCommandReleasesItsButtonWhichShowsItAgain)
{
    const Handles& w = Program();
    NewGame(false);
    const struct {
        const char* name;
        HWND window;
        int button;
        UINT message;  // the hide command
        WPARAM wp;
    } children[] = {
        {"computer's board", w.computer, IDM_SHOW_COMPUTER_BOARD, WM_COMMAND, IDM_HIDE_WINDOW},
        {"human's board", w.human, IDM_SHOW_HUMAN_BOARD, WM_COMMAND, IDM_HIDE_WINDOW},
        {"commentator", w.commentator, IDM_SHOW_COMMENTATOR, WM_COMMAND, IDM_HIDE_WINDOW},
        {"picker", w.picker, IDM_SHOW_PICKER, WM_CLOSE, 0},
        {"arrow pad", w.pad, IDM_SHOW_ARROWS, WM_CLOSE, 0},
    };
    for (const auto& c : children) {
        SCOPED_TRACE(c.name);
        if (!IsWindowVisible(c.window))
            ClickToolbar(c.button);
        ASSERT_TRUE(IsWindowVisible(c.window));
        ASSERT_TRUE(ButtonChecked(c.button));
        SendMessageW(c.window, c.message, c.wp, 0);
        EXPECT_FALSE(IsWindowVisible(c.window));
        EXPECT_FALSE(ButtonChecked(c.button));
        EXPECT_FALSE(ButtonPressed(c.button));
        ClickToolbar(c.button);
        EXPECT_TRUE(IsWindowVisible(c.window));
        EXPECT_TRUE(ButtonChecked(c.button));
    }
    NewGame(true);
}

}  // namespace
