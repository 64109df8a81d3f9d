// The shell's side of the settings store: the key opened at start-up, the
// saved window positions, and the two save passes run when the frame closes
// and is destroyed.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>

#include "shell/settings_codec.h"

namespace settings {

// Opens the key and loads everything: the options and totals into the game,
// the colours and fonts into the look, the positions here; marks the
// frame's menu and toolbar. Returns the stored PRectSize, if any.
std::optional<std::int32_t> Load();
// Reads RectSize (for "-noDefine").
std::optional<std::int32_t> StoredRectSize();

// Saved window rectangles: children in the frame's client coordinates,
// the frame in screen coordinates.
RECT Position(Slot slot);
void SetPosition(Slot slot, const RECT& rect);
bool PositionsValid();

// WM_CLOSE: the window rectangles (in slot order) and the fonts.
void ClosePass(const std::array<RECT, kSlotCount>& rects);
// WM_DESTROY: options, totals, colours and the cell size; closes the key,
// after which nothing more is written.
void DestroyPass();

}  // namespace settings
