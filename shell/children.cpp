// Creation and layout of the frame's children.
#include "shell/children.h"

#include <commctrl.h>

#include <iterator>
#include <vector>

#include "boards/board_render.h"
#include "boards/placement_window.h"
#include "game/model.h"
#include "game/placement.h"
#include "resources/resource.h"
#include "shell/app.h"
#include "shell/gdi.h"
#include "shell/layout.h"
#include "shell/settings.h"
#include "shell/status_bar.h"
#include "shell/toolbar.h"

namespace children {
namespace {

constexpr DWORD kPadStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kCommentatorStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kBoardStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION;
constexpr DWORD kBoardExStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;

layout::FrameMetrics Metrics()
{
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    return {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME), ncm.iSmCaptionHeight};
}

HWND MakeChild(HWND parent, DWORD exStyle, const wchar_t* cls, const wchar_t* caption, DWORD style,
               const layout::Box& b)
{
    return CreateWindowExW(exStyle, cls, caption, style, b.x, b.y, b.width, b.height, parent, nullptr,
                           app::Instance, nullptr);
}

// A child's rectangle in the frame's client coordinates.
RECT ClientRectOf(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, app::MainWindow, reinterpret_cast<POINT*>(&r), 2);
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

void HideAndRelease(HWND w, int button)
{
    ShowWindow(w, SW_HIDE);
    toolbar::Release(button);
}

}  // namespace

bool Create(HWND frame)
{
    const int c = game::CellSize;
    const layout::InitialLayout l = layout::Initial(c, Metrics());

    app::ArrowsWindow = MakeChild(frame, 0, app::kArrowsClass, L"Вперед к победе!", kPadStyle, l.arrows);
    app::ShipPickerWindow = MakeChild(frame, 0, app::kPickerClass, L"Выбери корабль.", kPadStyle, l.picker);
    app::CommentatorWindow =
        MakeChild(frame, 0, app::kCommentatorClass, L"Комментатор.", kCommentatorStyle, l.commentator);
    app::CommentatorText = MakeChild(app::CommentatorWindow, 0, L"Static", L"Приветик, давно не виделись!",
                                     WS_CHILD | WS_VISIBLE | SS_CENTER, l.commentatorText);
    app::ToolbarWindow = toolbar::Create(frame);
    app::StatusBarWindow = status_bar::Create(frame);
    app::HumanBoardWindow = MakeChild(frame, kBoardExStyle, app::kHumanBoardClass, L"Корабли человека",
                                      kBoardStyle, l.humanBoard);
    app::ComputerBoardWindow = MakeChild(frame, kBoardExStyle, app::kComputerBoardClass,
                                         L"Корабли компьютера", kBoardStyle, l.computerBoard);
    return app::HumanBoardWindow != nullptr;
}

void PaintBackground(HWND frame)
{
    gdi::Obj<HBRUSH> brush(CreateSolidBrush(settings::Colours().BackGround));
    gdi::PaintDc dc(frame);
    RECT client;
    GetClientRect(frame, &client);
    FillRect(dc.get(), &client, brush.get());
}

void Arrange()
{
    const int c = game::CellSize;
    const layout::FrameMetrics m = Metrics();
    RECT client, bar;
    GetClientRect(app::MainWindow, &client);
    bar = ClientRectOf(app::ToolbarWindow);
    const SIZE commentator = SizeOf(app::CommentatorWindow);
    const SIZE computer = SizeOf(app::ComputerBoardWindow);
    const SIZE picker = SizeOf(app::ShipPickerWindow);
    const SIZE arrows = SizeOf(app::ArrowsWindow);

    const layout::Arrangement a = layout::Arrange({client.right, bar.bottom, c, commentator.cx, commentator.cy,
                                                   computer.cx, layout::BoardWidth(c, m),
                                                   layout::BoardHeight(c, m), picker.cx, picker.cy,
                                                   arrows.cx, arrows.cy});
    Place(app::CommentatorWindow, settings::kCommentatorSlot, a.commentator);
    SendMessageW(app::CommentatorWindow, WM_NCPAINT, 1, 0);
    Place(app::HumanBoardWindow, settings::kHumanBoardSlot, a.humanBoard);
    Place(app::ComputerBoardWindow, settings::kComputerBoardSlot, a.computerBoard);
    Place(app::ShipPickerWindow, settings::kPickerSlot, a.picker);
    Place(app::ArrowsWindow, settings::kArrowsSlot, a.arrows);
}

// A stored rectangle that would not show (off every monitor, outside the
// frame's client area, or of no size a window can have) is not used: that
// window keeps, or takes, its default place.
void Restore()
{
    RECT now;
    GetWindowRect(app::MainWindow, &now);
    if (!settings::PositionsValid()) {
        settings::SetPosition(settings::kMainSlot, now);
        Arrange();
        return;
    }
    const RECT frame = settings::Position(settings::kMainSlot);
    if (Showable(frame, WorkAreas()))
        PlaceAt(app::MainWindow, frame);
    else
        settings::SetPosition(settings::kMainSlot, now);

    RECT client;
    GetClientRect(app::MainWindow, &client);
    const std::vector<layout::Rect> inside = {ToLayout(client)};
    const struct {
        HWND window;
        settings::Slot slot;
    } kChildren[] = {
        {app::ComputerBoardWindow, settings::kComputerBoardSlot}, {app::HumanBoardWindow, settings::kHumanBoardSlot},
        {app::ArrowsWindow, settings::kArrowsSlot},               {app::ShipPickerWindow, settings::kPickerSlot},
        {app::CommentatorWindow, settings::kCommentatorSlot},
    };
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
            PlaceAt(kChildren[i].window, stored[i]);
            settings::SetPosition(kChildren[i].slot, stored[i]);
        }
    }
}

void NewGameReset()
{
    SetWindowTextW(app::ComputerBoardWindow, L"Корабли компьютера");
    SetWindowTextW(app::HumanBoardWindow, L"Корабли человека");
    // A ship dropped in the middle of positioning takes its pad buttons along.
    boards::DropPlacement();
    game::ClearModel();
    game::ResetPlacement();
    status_bar::SetText(0, L"Готово...");
    status_bar::ShowShipCounts();
    boards::RedrawBoardBackground(app::HumanBoardWindow);
    boards::RedrawBoardBackground(app::ComputerBoardWindow);
    HideAndRelease(app::ArrowsWindow, IDM_SHOW_ARROWS);
    HideAndRelease(app::ShipPickerWindow, IDM_SHOW_PICKER);
}

}  // namespace children
