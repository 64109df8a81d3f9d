// Creation and layout of the frame's children.
#include "shell/children.h"

#include <commctrl.h>

#include <iterator>
#include <vector>

#include "boards/board_render.h"
#include "boards/board_windows.h"
#include "boards/placement_window.h"
#include "boards/ship_picker.h"
#include "common/gdi.h"
#include "common/layout.h"
#include "common/look.h"
#include "game/model.h"
#include "game/settle.h"
#include "resources/resource.h"
#include "shell/commentator.h"
#include "shell/main_frame.h"
#include "shell/settings.h"
#include "shell/status_bar.h"
#include "shell/timeline.h"
#include "shell/toolbar.h"

namespace children {
namespace {

constexpr wchar_t kReadyText[] = L"Готово...";

layout::FrameMetrics Metrics()
{
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    return {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME), ncm.iSmCaptionHeight};
}

HWND Frame() { return main_frame::Window(); }
HWND Board(game::BoardId board) { return boards::BoardWindow(board); }

// The children with their slots of the saved positions and the toolbar
// buttons that mirror them, in the order the positions are saved.
struct Child {
    HWND (*window)();
    settings::Slot slot;
    int button;
};
const Child kChildren[] = {
    {[] { return Board(game::BoardId::Computer); }, settings::kComputerBoardSlot, IDM_SHOW_COMPUTER_BOARD},
    {[] { return Board(game::BoardId::Human); }, settings::kHumanBoardSlot, IDM_SHOW_HUMAN_BOARD},
    {boards::PadWindow, settings::kArrowsSlot, IDM_SHOW_ARROWS},
    {boards::PickerWindow, settings::kPickerSlot, IDM_SHOW_PICKER},
    {commentator::Window, settings::kCommentatorSlot, IDM_SHOW_COMMENTATOR},
};

// A child's rectangle in the frame's client coordinates.
RECT ClientRectOf(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, Frame(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE SizeOf(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return {r.right - r.left, r.bottom - r.top};
}

void Place(HWND w, settings::Slot slot, const layout::Box& b)
{
    MoveWindow(w, b.x, b.y, b.width, b.height, TRUE);
    settings::SetPosition(slot, ClientRectOf(w));
}

void PlaceAt(HWND w, const RECT& r) { MoveWindow(w, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE); }

layout::Rect ToLayout(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<layout::Rect>*>(areas)->push_back(ToLayout(info.rcWork));
    return TRUE;
}

std::vector<layout::Rect> WorkAreas()
{
    std::vector<layout::Rect> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

bool Showable(const RECT& r, const std::vector<layout::Rect>& areas)
{
    return layout::Showable(ToLayout(r), areas, GetSystemMetrics(SM_CXVIRTUALSCREEN),
                            GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

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

}  // namespace

bool Create(HWND frame)
{
    timeline::Mark("frame window");
    const layout::InitialLayout l = layout::Initial(game::CellSize, Metrics());
    boards::CreatePad(frame, l.arrows);
    boards::CreatePicker(frame, l.picker);
    commentator::Create(frame, l.commentator, l.commentatorText);
    timeline::Mark("pad, picker, commentator");
    toolbar::Create(frame);
    timeline::Mark("toolbar");
    status_bar::Create(frame);
    timeline::Mark("status bar");
    const HWND human = boards::CreateBoard(game::BoardId::Human, frame, l.humanBoard);
    boards::CreateBoard(game::BoardId::Computer, frame, l.computerBoard);
    timeline::Mark("boards");
    return human != nullptr;
}

void PaintBackground(HWND frame)
{
    gdi::Obj<HBRUSH> brush(CreateSolidBrush(look::Colours().BackGround));
    gdi::PaintDc dc(frame);
    RECT client;
    GetClientRect(frame, &client);
    FillRect(dc.get(), &client, brush.get());
}

void Arrange()
{
    const int c = game::CellSize;
    const layout::FrameMetrics m = Metrics();
    RECT client;
    GetClientRect(Frame(), &client);
    const RECT bar = ClientRectOf(toolbar::Window());
    const HWND commentatorWindow = commentator::Window();
    const HWND human = Board(game::BoardId::Human);
    const HWND computer = Board(game::BoardId::Computer);
    const SIZE commentatorSize = SizeOf(commentatorWindow);
    const SIZE computerSize = SizeOf(computer);
    const SIZE picker = SizeOf(boards::PickerWindow());
    const SIZE pad = SizeOf(boards::PadWindow());

    const layout::Arrangement a = layout::Arrange(
        {client.right, bar.bottom, c, commentatorSize.cx, commentatorSize.cy, computerSize.cx,
         layout::BoardWidth(c, m), layout::BoardHeight(c, m), picker.cx, picker.cy, pad.cx, pad.cy});
    Place(commentatorWindow, settings::kCommentatorSlot, a.commentator);
    SendMessageW(commentatorWindow, WM_NCPAINT, 1, 0);
    Place(human, settings::kHumanBoardSlot, a.humanBoard);
    Place(computer, settings::kComputerBoardSlot, a.computerBoard);
    Place(boards::PickerWindow(), settings::kPickerSlot, a.picker);
    Place(boards::PadWindow(), settings::kArrowsSlot, a.arrows);
}

// A stored rectangle that would not show (off every monitor, outside the
// frame's client area, or of no size a window can have) is not used: that
// window keeps, or takes, its default place.
void Restore()
{
    RECT now;
    GetWindowRect(Frame(), &now);
    if (!settings::PositionsValid()) {
        settings::SetPosition(settings::kMainSlot, now);
        Arrange();
        return;
    }
    const RECT frame = settings::Position(settings::kMainSlot);
    if (Showable(frame, WorkAreas()))
        PlaceAt(Frame(), frame);
    else
        settings::SetPosition(settings::kMainSlot, now);

    RECT client;
    GetClientRect(Frame(), &client);
    const std::vector<layout::Rect> inside = {ToLayout(client)};
    RECT stored[std::size(kChildren)];
    bool allShow = true;
    for (size_t i = 0; i < std::size(kChildren); ++i) {
        stored[i] = settings::Position(kChildren[i].slot);
        allShow = allShow && Showable(stored[i], inside);
    }
    if (!allShow)
        Arrange();
    for (size_t i = 0; i < std::size(kChildren); ++i) {
        if (Showable(stored[i], inside)) {
            PlaceAt(kChildren[i].window(), stored[i]);
            settings::SetPosition(kChildren[i].slot, stored[i]);
        }
    }
}

std::array<RECT, settings::kSlotCount> Rectangles()
{
    std::array<RECT, settings::kSlotCount> rects{};
    rects[settings::kMainSlot] = NormalScreenRect(Frame());
    for (const Child& c : kChildren)
        rects[c.slot] = ClientRectOf(c.window());
    return rects;
}

void ShowChild(HWND child, bool show)
{
    for (const Child& c : kChildren) {
        if (c.window() == child) {
            ShowWindow(child, show ? SW_SHOW : SW_HIDE);
            toolbar::SetOn(c.button, show);
        }
    }
}

void ShowByButton(int button)
{
    for (const Child& c : kChildren)
        if (c.button == button)
            ShowWindow(c.window(), toolbar::IsChecked(button) ? SW_SHOW : SW_HIDE);
}

void ShowNewGame()
{
    for (game::BoardId board : {game::BoardId::Computer, game::BoardId::Human})
        SetWindowTextW(Board(board), boards::BoardCaption(board));
    // A ship dropped in the middle of positioning takes its pad buttons along.
    boards::DropPlacement();
    status_bar::SetText(0, kReadyText);
    status_bar::ShowShipCounts();
    boards::RedrawBoardBackground(game::BoardId::Human);
    boards::RedrawBoardBackground(game::BoardId::Computer);
    ShowChild(boards::PadWindow(), false);
    ShowChild(boards::PickerWindow(), false);
}

void OpenPicker() { ShowChild(boards::PickerWindow(), true); }

}  // namespace children
