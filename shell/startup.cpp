// The start-up steps before the frame is made.
#include "shell/startup.h"

#include <commctrl.h>

#include "boards/board_windows.h"
#include "boards/placement_window.h"
#include "boards/ship_picker.h"
#include "common/textures.h"
#include "game/model.h"
#include "shell/commentator.h"
#include "shell/main_frame.h"
#include "shell/shell_effects.h"
#include "shell/timeline.h"

namespace startup {
namespace {

constexpr int kFallbackCellSize = 45;  // 4.5 mm in 0.1 mm units, unconverted

void InitControls()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

// The pixels that 4.5 mm span horizontally on this display.
int MeasureCellSize()
{
    POINT p = {45, -45};
    HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!ic)
        return kFallbackCellSize;
    const int old = SetMapMode(ic, MM_LOMETRIC);
    LPtoDP(ic, &p, 1);
    SetMapMode(ic, old);
    DeleteDC(ic);
    return p.x;
}

// The textures, then the six window classes in their order.
bool RegisterClasses()
{
    textures::Make();
    return main_frame::Register() && boards::RegisterPad() && commentator::Register() && boards::RegisterPicker() &&
           boards::RegisterBoards();
}

}  // namespace

bool Prepare()
{
    InitControls();
    timeline::Mark("common controls");
    if (!RegisterClasses())
        return false;
    timeline::Mark("textures and classes");
    game::SetCellSize(MeasureCellSize());
    timeline::Mark("cell size");
    shell_effects::Install();
    return true;
}

}  // namespace startup
