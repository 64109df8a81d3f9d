// The frame's toolbar.
#include "shell/toolbar.h"

#include "common/display.h"
#include "common/layout.h"
#include "common/module.h"
#include "resources/resource.h"

namespace toolbar {
namespace {

HWND g_toolbar;

constexpr int kDeclaredImages = 17;   // the strip holds 20; the control learns the rest as buttons ask

// The strip drawn at the image size the display asks for.
int StripOf(int imageSize)
{
    switch (imageSize) {
    case 32: return IDB_TOOLBAR_32;
    case 36: return IDB_TOOLBAR_36;
    case 48: return IDB_TOOLBAR_48;
    default: return IDB_TOOLBAR;
    }
}

#define TB_PUSH(image, cmd, state) {image, cmd, state, BTNS_BUTTON, {0}, 0, 0}
#define TB_CHECK(image, cmd, state) {image, cmd, state, BTNS_CHECK, {0}, 0, 0}
#define TB_SEP {0, 0, 0, BTNS_SEP, {0}, 0, 0}

const TBBUTTON kButtons[] = {
    TB_PUSH(0, IDM_NEW_GAME, TBSTATE_ENABLED),
    TB_SEP,
    TB_CHECK(1, IDM_SHOW_COMPUTER_BOARD, TBSTATE_ENABLED | TBSTATE_CHECKED),
    TB_CHECK(2, IDM_SHOW_HUMAN_BOARD, TBSTATE_ENABLED | TBSTATE_CHECKED),
    TB_CHECK(3, IDM_SHOW_COMMENTATOR, TBSTATE_ENABLED | TBSTATE_CHECKED),
    TB_CHECK(4, IDM_SHOW_ARROWS, TBSTATE_ENABLED),
    TB_CHECK(5, IDM_SHOW_PICKER, TBSTATE_ENABLED),
    TB_PUSH(6, IDM_ARRANGE, TBSTATE_ENABLED),
    TB_SEP,
    TB_CHECK(9, IDM_AUTO_ARRANGE, TBSTATE_ENABLED),
    TB_SEP,
    TB_CHECK(11, IDM_SALVO, TBSTATE_ENABLED),
    TB_SEP,
    TB_CHECK(13, IDM_HUMAN_FIRST, TBSTATE_ENABLED),
    TB_CHECK(14, IDM_COMPUTER_FIRST, TBSTATE_ENABLED),
    TB_SEP,
    // Level buttons are push buttons: only messages mark the chosen level.
    TB_PUSH(17, IDM_LEVEL_AMATEUR, TBSTATE_ENABLED),
    TB_PUSH(18, IDM_LEVEL_PRO, TBSTATE_ENABLED),
    TB_PUSH(19, IDM_LEVEL_SUPERMAN, TBSTATE_ENABLED),
    TB_SEP,
    TB_PUSH(15, IDM_STATISTICS, TBSTATE_ENABLED),
    TB_PUSH(16, IDM_COLOURS, TBSTATE_ENABLED),
    TB_PUSH(7, IDM_SETTINGS, TBSTATE_ENABLED),
    TB_SEP,
    TB_PUSH(8, IDM_EXIT, TBSTATE_ENABLED),
};
constexpr int kButtonCount = sizeof(kButtons) / sizeof(kButtons[0]);

#undef TB_PUSH
#undef TB_CHECK
#undef TB_SEP

}  // namespace

HWND Create(HWND parent)
{
    const int size = layout::ToolbarImageSize(common::SystemDpi());
    g_toolbar = CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE,
                                IDC_TOOLBAR, kDeclaredImages, common::Module(), StripOf(size), kButtons,
                                kButtonCount, size, size, size, size, sizeof(TBBUTTON));
    return g_toolbar;
}

HWND Window() { return g_toolbar; }

void SetOn(int command, bool on)
{
    SendMessageW(g_toolbar, TB_PRESSBUTTON, command, on);
    SendMessageW(g_toolbar, TB_CHECKBUTTON, command, on);
}

void SetImageAndState(int command, int image, bool on)
{
    SendMessageW(g_toolbar, TB_CHANGEBITMAP, command, image);
    SetOn(command, on);
}

bool IsChecked(int command) { return SendMessageW(g_toolbar, TB_ISBUTTONCHECKED, command, 0) != 0; }

bool ButtonEntry(int index, TBBUTTON* out)
{
    if (index < 0 || index >= kButtonCount)
        return false;
    *out = kButtons[index];
    return true;
}

}  // namespace toolbar
