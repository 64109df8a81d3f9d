// Options with their menu marks and toolbar buttons.
#include "shell/options_ui.h"

#include "common/levels.h"
#include "resources/resource.h"
#include "shell/main_frame.h"
#include "shell/toolbar.h"

namespace options_ui {
namespace {

// Images of the strip that follow an option.
constexpr int kImageAutoArrangeOn = 9;
constexpr int kImageAutoArrangeOff = 10;
constexpr int kImageSalvoOff = 11;
constexpr int kImageSalvoOn = 12;

HMENU Menu() { return GetMenu(main_frame::Window()); }

void Mark(int command, bool on) { CheckMenuItem(Menu(), command, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); }

bool Marked(int command) { return (GetMenuState(Menu(), command, MF_BYCOMMAND) & MF_CHECKED) != 0; }

}  // namespace

void SetAutoArrange(bool on)
{
    Mark(IDM_AUTO_ARRANGE, on);
    game::SetAutoArrange(on);
    toolbar::SetImageAndState(IDM_AUTO_ARRANGE, on ? kImageAutoArrangeOn : kImageAutoArrangeOff, on);
}

void SetSalvo(bool on)
{
    Mark(IDM_SALVO, on);
    game::SetSalvo(on);
    toolbar::SetImageAndState(IDM_SALVO, on ? kImageSalvoOn : kImageSalvoOff, on);
}

void SetReshot(bool on)
{
    Mark(IDM_RESHOT, on);
    game::SetReshot(on);
}

void SetLevel(int level)
{
    if (levels::Known(level)) {
        for (int i = 0; i < levels::kCount; ++i)
            Mark(levels::kLevels[i].command, i == level);
        for (int i = 0; i < levels::kCount; ++i)
            toolbar::SetOn(levels::kLevels[i].command, i == level);
    }
    game::SetLevel(level);
}

void SetFirstShooter(bool human)
{
    Mark(IDM_HUMAN_FIRST, human);
    Mark(IDM_COMPUTER_FIRST, !human);
    toolbar::SetOn(IDM_HUMAN_FIRST, human);
    toolbar::SetOn(IDM_COMPUTER_FIRST, !human);
    game::SetFirstShoot(human);
}

void Toggle(int command)
{
    const bool on = !Marked(command);
    switch (command) {
    case IDM_AUTO_ARRANGE: SetAutoArrange(on); break;
    case IDM_SALVO: SetSalvo(on); break;
    case IDM_RESHOT: SetReshot(on); break;
    }
}

void ShowLoaded(const game::GameOptions& o, bool fromKey)
{
    if (fromKey)
        SetLevel(o.ProphyUser);
    SetAutoArrange(o.AutoArrange);
    SetReshot(o.Reshot);
    SetSalvo(o.Salvo);
    PostMessageW(main_frame::Window(), WM_COMMAND, o.FirstShoot ? IDM_HUMAN_FIRST : IDM_COMPUTER_FIRST, 0);
}

void Restore(const game::GameOptions& o)
{
    if (levels::Known(o.ProphyUser))
        SetLevel(o.ProphyUser);
    SetAutoArrange(o.AutoArrange);
    SetSalvo(o.Salvo);
    SetReshot(o.Reshot);
    SetFirstShooter(o.FirstShoot);
    game::SetRussianFlag(o.RussianFlag);
}

}  // namespace options_ui
