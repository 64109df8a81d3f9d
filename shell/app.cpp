// Process-wide handles and the registration of the window classes.
#include "shell/app.h"

#include "boards/board_windows.h"
#include "boards/placement_window.h"
#include "boards/ship_picker.h"
#include "resources/resource.h"
#include "shell/commentator.h"
#include "shell/main_frame.h"

namespace app {

HINSTANCE Instance;
HWND MainWindow;
HWND ToolbarWindow;
HWND StatusBarWindow;
HWND ComputerBoardWindow;
HWND HumanBoardWindow;
HWND ArrowsWindow;
HWND ShipPickerWindow;
HWND CommentatorWindow;
HWND CommentatorText;
bool NoDefine;
HBITMAP TextureBitmaps[kTextureCount];
HBRUSH TextureBrushes[kTextureCount];

const wchar_t kMainClass[] = L"Trivok_Class";
const wchar_t kArrowsClass[] = L"Container_class";
const wchar_t kCommentatorClass[] = L"Speaker_class";
const wchar_t kPickerClass[] = L"ShipContainer_class";
const wchar_t kComputerBoardClass[] = L"First_screen";
const wchar_t kHumanBoardClass[] = L"Second_screen";

namespace {

struct ClassEntry {
    const wchar_t* name;
    WNDPROC proc;
    int icon;       // 0: none
    int cursor;     // 0: none; -1: the standard arrow
    HBRUSH background;
    int menu;       // 0: none
};

void MakeTextures(HINSTANCE instance)
{
    static const int kIds[kTextureCount] = {IDB_TEX_BLUE, IDB_TEX_GREEN, IDB_TEX_GREY};
    for (int i = 0; i < kTextureCount; ++i) {
        TextureBitmaps[i] = LoadBitmapW(instance, MAKEINTRESOURCEW(kIds[i]));
        TextureBrushes[i] = CreatePatternBrush(TextureBitmaps[i]);
    }
}

HCURSOR CursorOf(HINSTANCE instance, int cursor)
{
    if (cursor == -1)
        return LoadCursorW(nullptr, IDC_ARROW);
    return cursor ? LoadCursorW(instance, MAKEINTRESOURCEW(cursor)) : nullptr;
}

}  // namespace

bool RegisterClasses(HINSTANCE instance)
{
    MakeTextures(instance);
    // The human's board has no cursor of its own: the pointer keeps the
    // shape it had when it entered.
    const ClassEntry kClasses[] = {
        {kMainClass, main_frame::Proc, IDI_MAIN, -1, nullptr, IDM_MAIN_MENU},
        {kArrowsClass, boards::ArrowsProc, IDI_ARROWS, -1, TextureBrushes[kTextureBlue], 0},
        {kCommentatorClass, commentator::Proc, IDI_SPEAKER, -1, nullptr, 0},
        {kPickerClass, boards::ShipPickerProc, IDI_PICKER, -1, nullptr, 0},
        {kComputerBoardClass, boards::ComputerBoardProc, 0, IDC_GUNSIGHT, nullptr, 0},
        {kHumanBoardClass, boards::HumanBoardProc, 0, 0, nullptr, 0},
    };
    for (const ClassEntry& e : kClasses) {
        WNDCLASSW wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = e.proc;
        wc.hInstance = instance;
        wc.hIcon = e.icon ? LoadIconW(instance, MAKEINTRESOURCEW(e.icon)) : nullptr;
        wc.hCursor = CursorOf(instance, e.cursor);
        wc.hbrBackground = e.background;
        wc.lpszMenuName = e.menu ? MAKEINTRESOURCEW(e.menu) : nullptr;
        wc.lpszClassName = e.name;
        if (!RegisterClassW(&wc))
            return false;
    }
    return true;
}

void DeleteTextures()
{
    // Bitmaps first, then brushes, each in the order blue, grey, green.
    static const int kOrder[kTextureCount] = {kTextureBlue, kTextureGrey, kTextureGreen};
    for (int i : kOrder) {
        DeleteObject(TextureBitmaps[i]);
        TextureBitmaps[i] = nullptr;
    }
    for (int i : kOrder) {
        DeleteObject(TextureBrushes[i]);
        TextureBrushes[i] = nullptr;
    }
}

}  // namespace app
