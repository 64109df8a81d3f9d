// The stored settings without Win32: value names, byte layouts, the load with
// its repairs and the two save passes, over any store of named values.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/look_records.h"
#include "game/options.h"

namespace settings {

// Value types, numbered as the registry numbers them.
enum class ValueType : std::uint32_t { Sz = 1, Binary = 3, Dword = 4 };

enum class QueryStatus { Missing, TooBig, Ok };

struct QueryResult {
    QueryStatus Status = QueryStatus::Missing;
    std::uint32_t Size = 0;  // Ok: bytes read; TooBig: the stored size
};

// A flat set of named values: the registry key, or memory.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Copies the value into buffer when it holds at most capacity bytes, so a
    // shorter value overwrites only the front of it. The stored type is not checked.
    virtual QueryResult Query(const char* name, std::uint8_t* buffer, std::uint32_t capacity) const = 0;
    // Write errors are ignored: the program runs on with what it has in memory.
    virtual void Set(const char* name, ValueType type, const std::uint8_t* data, std::uint32_t size) = 0;
};

struct StoredValue {
    std::uint32_t Type = 0;  // a ValueType, or anything a test puts there
    std::vector<std::uint8_t> Data;
};

// Values kept in memory: for tests, and for a run without any key.
class InMemoryStore : public SettingsStore {
public:
    QueryResult Query(const char* name, std::uint8_t* buffer, std::uint32_t capacity) const override;
    void Set(const char* name, ValueType type, const std::uint8_t* data, std::uint32_t size) override;

    void Put(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data);
    void Remove(const std::string& name) { m_values.erase(name); }
    const StoredValue* Find(const std::string& name) const;
    const std::map<std::string, StoredValue>& Values() const { return m_values; }
    // Names in the order Set wrote them.
    const std::vector<std::string>& Writes() const { return m_writes; }
    void ClearWrites() { m_writes.clear(); }

private:
    std::map<std::string, StoredValue> m_values;
    std::vector<std::string> m_writes;
};

// How the key was found when it was opened.
enum class KeyDisposition { Created, Opened, Unavailable };

// --- Records and their byte layouts (little-endian) -------------------------

struct StoredRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

constexpr std::size_t kWinPosSize = 100;
constexpr std::size_t kFontInfoSize = 192;
constexpr std::size_t kFontStringSizeSize = 12;

// Window rectangles: the children in their saved order, in the frame's
// client coordinates, then the frame itself in screen coordinates.
enum Slot { kComputerBoardSlot, kHumanBoardSlot, kArrowsSlot, kPickerSlot, kCommentatorSlot, kMainSlot, kSlotCount };

struct WinPos {
    std::array<StoredRect, kSlotCount> Rects{};
    std::uint8_t PositionsValid = 0;
};

std::array<std::uint8_t, kWinPosSize> EncodeWinPos(const WinPos& pos);
WinPos DecodeWinPos(const std::array<std::uint8_t, kWinPosSize>& bytes);
std::array<std::uint8_t, kFontInfoSize> EncodeFontInfo(const look::FontInfo& info);
look::FontInfo DecodeFontInfo(const std::array<std::uint8_t, kFontInfoSize>& bytes);
std::array<std::uint8_t, kFontStringSizeSize> EncodeFaceCounts(const look::FaceCounts& counts);
look::FaceCounts DecodeFaceCounts(const std::array<std::uint8_t, kFontStringSizeSize>& bytes);

// Everything the key keeps, as the run holds it.
struct Settings {
    game::GameOptions Options;
    std::int32_t ManWon = 0;
    std::int32_t CompWon = 0;
    look::ColourScheme Colours;
    look::FontInfo Fonts;
    look::FaceCounts FaceCounts{};
    WinPos Positions;
    std::int32_t CellSize = 0;  // saved as RectSize and PRectSize, never loaded here
};

struct Loaded {
    Settings Values;
    // A normal run read the key: the menu shows what was read and the font
    // objects are made. After a first run or without a key the menu keeps
    // the marks of its resource and the fonts are the system's.
    bool FromKey = false;
    // The cell size the stored positions belong to, if stored.
    std::optional<std::int32_t> PRectSize;
};

// Loads everything at start-up from the values the run has so far. On a
// first run writes the fourteen defaults; on a normal run reads every value,
// writing back defaults for those it cannot read; without a key touches
// nothing. A stored TimeOut above 5000 ms is taken as 5000.
Loaded Load(SettingsStore& store, KeyDisposition disposition, const Settings& current);

// RectSize, read for "-noDefine"; a stored size below 1 counts as missing.
std::optional<std::int32_t> ReadRectSize(const SettingsStore& store);

// WM_CLOSE: positions, fonts and face names.
void SaveOnClose(SettingsStore& store, const Settings& settings);
// WM_DESTROY: options, cell size, totals and colours.
void SaveOnDestroy(SettingsStore& store, const Settings& settings);

}  // namespace settings
