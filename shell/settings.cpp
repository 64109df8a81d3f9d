// The settings key as the frame uses it: load at start-up, the close and
// destroy passes, and the records the windows read meanwhile.
#include "shell/settings.h"

#include <commctrl.h>

#include "game/model.h"
#include "game/options.h"
#include "game/score.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/fonts.h"
#include "shell/registry_store.h"

namespace settings {
namespace {

StoredRecords g_records;
RegistryStore g_key;
// Without a key the run works on its built-in values and keeps nothing.
InMemoryStore g_nowhere;
bool g_keyOpen = false;

SettingsStore& Store()
{
    if (g_keyOpen)
        return g_key;
    return g_nowhere;
}

void Check(HMENU menu, int id, bool on) { CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED)); }

void MarkLevel(HMENU menu, int item)
{
    static const int kLevels[] = {IDM_LEVEL_AMATEUR, IDM_LEVEL_PRO, IDM_LEVEL_SUPERMAN};
    for (int id : kLevels)
        Check(menu, id, id == item);
    for (int id : kLevels) {
        SendMessageW(app::ToolbarWindow, TB_PRESSBUTTON, id, id == item);
        SendMessageW(app::ToolbarWindow, TB_CHECKBUTTON, id, id == item);
    }
}

void PostToggle(const ToolbarToggle& t)
{
    PostMessageW(app::ToolbarWindow, TB_CHANGEBITMAP, t.Command, t.Image);
    PostMessageW(app::ToolbarWindow, TB_PRESSBUTTON, t.Command, t.Down);
    PostMessageW(app::ToolbarWindow, TB_CHECKBUTTON, t.Command, t.Down);
}

void ApplyToFrame(HWND frame, const LoadResult& r)
{
    HMENU menu = GetMenu(frame);
    if (r.SetMenuMarks) {
        if (r.LevelItem)
            MarkLevel(menu, *r.LevelItem);
        Check(menu, IDM_AUTO_ARRANGE, r.AutoArrangeMark);
        Check(menu, IDM_RESHOT, r.ReshotMark);
        Check(menu, IDM_SALVO, r.SalvoMark);
    }
    PostMessageW(frame, WM_COMMAND, r.FirstShootCommand, 0);
    PostToggle(r.SalvoButton);
    PostToggle(r.AutoArrangeButton);
}

StoredRect ToStored(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The frame's restored rectangle in screen coordinates, whatever its state:
// a minimised or maximised frame comes back at its normal place. The
// placement counts from the work area of the frame's monitor.
RECT NormalScreenRect(HWND frame)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    RECT r;
    if (!GetWindowPlacement(frame, &placement)) {
        GetWindowRect(frame, &r);
        return r;
    }
    r = placement.rcNormalPosition;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info))
        OffsetRect(&r, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    return r;
}

RECT ScreenRectInFrame(HWND frame, HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    ScreenToClient(frame, &corners[0]);
    ScreenToClient(frame, &corners[1]);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

}  // namespace

ColourScheme& Colours() { return g_records.Colours; }

StoredRecords& Records() { return g_records; }

std::optional<std::int32_t> Load(HWND frame)
{
    const KeyDisposition disposition = g_key.Open();
    g_keyOpen = disposition != KeyDisposition::Unavailable;
    const LoadResult r = LoadFromStore(Store(), disposition, g_records, game::Options,
                                       {game::ManWon, game::CompWon, game::RunWins, game::RunLosses});
    if (r.MakeFonts)
        fonts::MakeAll();
    ApplyToFrame(frame, r);
    return r.PRectSize;
}

std::optional<std::int32_t> StoredRectSize() { return ReadRectSize(Store()); }

RECT Position(Slot slot)
{
    const StoredRect& r = g_records.Positions.Rects[slot];
    return {r.left, r.top, r.right, r.bottom};
}

void SetPosition(Slot slot, const RECT& rect) { g_records.Positions.Rects[slot] = ToStored(rect); }

bool PositionsValid() { return g_records.Positions.PositionsValid != 0; }

void ClosePass(HWND frame)
{
    std::array<StoredRect, kWinPosRects> rects{};
    rects[kMainSlot] = ToStored(NormalScreenRect(frame));
    const HWND children[] = {app::ComputerBoardWindow, app::HumanBoardWindow, app::ArrowsWindow,
                             app::ShipPickerWindow, app::CommentatorWindow};
    for (int i = 0; i < 5; ++i)
        rects[i] = ToStored(ScreenRectInFrame(frame, children[i]));
    fonts::Delete(fonts::kComputerBoard);
    fonts::Delete(fonts::kHumanBoard);
    SaveOnClose(Store(), g_records, rects);
}

void DestroyPass()
{
    SaveOnDestroy(Store(), game::Options, game::ManWon, game::CompWon, g_records.Colours, game::CellSize);
    g_key.Close();
    g_keyOpen = false;
}

}  // namespace settings
