// The shell's side of the settings store: the key opened at start-up, the
// records the windows read (colours, fonts, positions) and the two save
// passes run when the frame closes and is destroyed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "shell/colours.h"
#include "shell/settings_codec.h"

namespace settings {

// Slots of the saved window rectangles, in their stored order.
enum Slot { kComputerBoardSlot, kHumanBoardSlot, kArrowsSlot, kPickerSlot, kCommentatorSlot, kMainSlot };

// The colours in force.
ColourScheme& Colours();
// Fonts, their colours and the face-name byte counts, as loaded and saved.
StoredRecords& Records();

// Opens the key and loads everything, marks the menu and the toolbar of
// the frame; returns the stored PRectSize, if any.
std::optional<std::int32_t> Load(HWND frame);
// Reads RectSize (for "-noDefine").
std::optional<std::int32_t> StoredRectSize();

// Saved window rectangles: children in the frame's client coordinates,
// the frame in screen coordinates.
RECT Position(Slot slot);
void SetPosition(Slot slot, const RECT& rect);
bool PositionsValid();

// WM_CLOSE: window rectangles and fonts.
void ClosePass(HWND frame);
// WM_DESTROY: options, totals, colours and the cell size; closes the key.
void DestroyPass();

}  // namespace settings
