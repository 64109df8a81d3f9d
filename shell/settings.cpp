// The settings key as the frame uses it: load at start-up, the close and
// destroy passes, and the saved positions the layout reads meanwhile.
#include "shell/settings.h"

#include "common/look.h"
#include "game/model.h"
#include "game/options.h"
#include "game/score.h"
#include "shell/options_ui.h"
#include "shell/registry_store.h"

namespace settings {
namespace {

WinPos g_positions;
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

// The run's values as the key keeps them.
Settings Current()
{
    Settings s;
    s.Options = game::Options;
    s.ManWon = game::ManWon;
    s.CompWon = game::CompWon;
    s.Colours = look::Colours();
    s.Fonts = look::Fonts();
    s.FaceCounts = look::FontFaceCounts();
    s.Positions = g_positions;
    s.CellSize = game::CellSize;
    return s;
}

StoredRect ToStored(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

std::optional<std::int32_t> Load()
{
    const KeyDisposition disposition = g_key.Open();
    g_keyOpen = disposition != KeyDisposition::Unavailable;
    const Loaded loaded = settings::Load(Store(), disposition, Current());
    const Settings& s = loaded.Values;
    game::SetOptions(s.Options);
    game::SetTotals(s.ManWon, s.CompWon);
    look::Colours() = s.Colours;
    look::Fonts() = s.Fonts;
    look::FontFaceCounts() = s.FaceCounts;
    g_positions = s.Positions;
    look::MakeFonts(loaded.FromKey);
    options_ui::ShowLoaded(s.Options, loaded.FromKey);
    return loaded.PRectSize;
}

std::optional<std::int32_t> StoredRectSize() { return ReadRectSize(Store()); }

RECT Position(Slot slot)
{
    const StoredRect& r = g_positions.Rects[slot];
    return {r.left, r.top, r.right, r.bottom};
}

void SetPosition(Slot slot, const RECT& rect) { g_positions.Rects[slot] = ToStored(rect); }

bool PositionsValid() { return g_positions.PositionsValid != 0; }

void ClosePass(const std::array<RECT, kSlotCount>& rects)
{
    for (int i = 0; i < kSlotCount; ++i)
        SetPosition(static_cast<Slot>(i), rects[i]);
    g_positions.PositionsValid = 1;
    look::DeleteFontObject(look::kComputerBoardFont);
    look::DeleteFontObject(look::kHumanBoardFont);
    SaveOnClose(Store(), Current());
}

void DestroyPass()
{
    SaveOnDestroy(Store(), Current());
    g_key.Close();
    g_keyOpen = false;
}

}  // namespace settings
