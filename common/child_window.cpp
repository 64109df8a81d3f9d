// Requests of the child windows to their frame, and their context menu.
#include "common/child_window.h"

#include "common/messages.h"
#include "common/module.h"
#include "resources/resource.h"

namespace child_window {

HWND FrameOf(HWND window)
{
    HWND root = GetAncestor(window, GA_ROOT);
    HWND owner = root ? GetWindow(root, GW_OWNER) : nullptr;
    return owner ? owner : root;
}

void Show(HWND child, bool show)
{
    if (HWND parent = GetParent(child))
        SendMessageW(parent, common::kShowChild, show, reinterpret_cast<LPARAM>(child));
}

void SayInStatus(HWND from, const wchar_t* text)
{
    if (HWND frame = FrameOf(from))
        SendMessageW(frame, common::kStatusText, 0, reinterpret_cast<LPARAM>(text));
}

void TrackMenu(HWND child, POINT client)
{
    ClientToScreen(child, &client);
    HMENU menu = LoadMenuW(common::Module(), MAKEINTRESOURCEW(IDM_CHILD_MENU));
    if (!menu)
        return;
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, client.x, client.y, 0,
                   child, nullptr);
    DestroyMenu(menu);
}

}  // namespace child_window
