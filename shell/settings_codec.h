// The stored settings without Win32: value names, byte layouts, the load with
// its repairs and the two save passes, over any store of named values.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "game/options.h"
#include "shell/colours.h"

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
    void Remove(const std::string& name);
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
constexpr std::size_t kWinPosRects = 6;

// Window rectangles in the order computer's board, human's board, arrow pad,
// ship picker, commentator (client coordinates of the frame), then the frame
// itself (screen coordinates).
struct WinPos {
    std::array<StoredRect, kWinPosRects> Rects{};
    std::uint8_t PositionsValid = 0;
};

std::array<std::uint8_t, kWinPosSize> EncodeWinPos(const WinPos& pos);
WinPos DecodeWinPos(const std::array<std::uint8_t, kWinPosSize>& bytes);

constexpr std::size_t kFaceNameSize = 32;

// LOGFONTA, field by field.
struct FontRecord {
    std::int32_t Height = 0, Width = 0, Escapement = 0, Orientation = 0, Weight = 0;
    std::uint8_t Italic = 0, Underline = 0, StrikeOut = 0, CharSet = 0;
    std::uint8_t OutPrecision = 0, ClipPrecision = 0, Quality = 0, PitchAndFamily = 0;
    std::array<char, kFaceNameSize> FaceName{};
};

constexpr std::size_t kFontRecordSize = 60;
constexpr std::size_t kFontInfoSize = 192;
constexpr std::size_t kFontCount = 3;
constexpr std::uint32_t kCommentatorTextColour = 0x0000FF;  // red
constexpr std::uint32_t kBoardTextColour = 0xFFFFFF;        // white

// The three fonts in the order commentator, computer's board, human's board,
// each with its text colour. All-zero records stand for the system's font.
struct FontInfo {
    std::array<FontRecord, kFontCount> Fonts{};
    std::array<std::uint32_t, kFontCount> Colours{kCommentatorTextColour, kBoardTextColour,
                                                  kBoardTextColour};
};

std::array<std::uint8_t, kFontInfoSize> EncodeFontInfo(const FontInfo& info);
FontInfo DecodeFontInfo(const std::array<std::uint8_t, kFontInfoSize>& bytes);

// Byte counts for reading the face names FontComment, FontComp, FontHum.
using FontStringSize = std::array<std::uint32_t, kFontCount>;
constexpr std::size_t kFontStringSizeSize = 12;

std::array<std::uint8_t, kFontStringSizeSize> EncodeFontStringSize(const FontStringSize& counts);
FontStringSize DecodeFontStringSize(const std::array<std::uint8_t, kFontStringSizeSize>& bytes);

// Everything the key keeps besides the options and the totals.
struct StoredRecords {
    ColourScheme Colours;
    WinPos Positions;
    FontInfo Fonts;
    FontStringSize FaceCounts{};
};

// The win and loss counters that the load sets.
struct ScoreCounters {
    std::int32_t& ManWon;
    std::int32_t& CompWon;
    std::int32_t& RunWins;
    std::int32_t& RunLosses;
};

// A toolbar toggle after the load: its image, then pressed and checked together.
struct ToolbarToggle {
    int Command = 0;
    int Image = 0;
    bool Down = false;
};

// What the frame shows after the load; the shell applies it to the menu and
// the toolbar.
struct LoadResult {
    // A normal run sets the menu marks below; after a first run or without a
    // key the menu keeps the marks of its resource.
    bool SetMenuMarks = false;
    // The level item to check (its toolbar button pressed and checked, the
    // other two not); empty when the level is out of range: nothing changes.
    std::optional<int> LevelItem;
    bool AutoArrangeMark = true;  // item 308
    bool ReshotMark = true;       // item 40037
    bool SalvoMark = false;       // item 40036
    // 40034 (the human first) or 40035: checked, the other unchecked, and
    // posted to the frame.
    int FirstShootCommand = 0;
    ToolbarToggle SalvoButton;        // 40036
    ToolbarToggle AutoArrangeButton;  // 308
    // Make the three font objects from FontInfo (not on a first run).
    bool MakeFonts = false;
    // The cell size the stored positions belong to, if stored.
    std::optional<std::int32_t> PRectSize;
};

// Loads everything at start-up. On a first run writes the fourteen defaults;
// on a normal run reads every value, writing back defaults for those it
// cannot read; without a key touches nothing. Options not read keep the
// values they have. A stored TimeOut above 5000 ms is taken as 5000.
LoadResult LoadFromStore(SettingsStore& store, KeyDisposition disposition, StoredRecords& records,
                         game::GameOptions& options, const ScoreCounters& score);

// RectSize, read for "-noDefine"; a stored size below 1 counts as missing.
std::optional<std::int32_t> ReadRectSize(const SettingsStore& store);

// WM_CLOSE: takes the six rectangles (WinPos order), marks the positions
// valid and writes positions, fonts and face names.
void SaveOnClose(SettingsStore& store, StoredRecords& records,
                 const std::array<StoredRect, kWinPosRects>& rects);

// WM_DESTROY: writes options, cell size, totals and colours. The caller
// closes the key afterwards.
void SaveOnDestroy(SettingsStore& store, const game::GameOptions& options, std::int32_t manWon,
                   std::int32_t compWon, const ColourScheme& colours, std::int32_t cellSize);

}  // namespace settings
