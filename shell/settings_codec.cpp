// The stored settings without Win32: value names, byte layouts, the load with
// its repairs and the two save passes.
#include "shell/settings_codec.h"

#include <algorithm>
#include <cstring>

#include "resources/resource.h"

namespace settings {
namespace {

// --- The value table ----------------------------------------------------------

// A DWORD value: what the first run writes, and what a normal run writes back
// when the value cannot be read.
struct DwordValue {
    const char* Name;
    std::uint32_t Initial;
    std::uint32_t Repair;
};

constexpr ColourScheme kDefaultColours{};

constexpr DwordValue kProphyUser{"ProphyUser", 0, 0};
constexpr DwordValue kManWon{"ManWon", 0, 0};
constexpr DwordValue kCompWon{"CompWon", 0, 0};
constexpr DwordValue kSalvo{"Salvo", 0, 0};
constexpr DwordValue kFirstShoot{"FirstShoot", 1, 1};
constexpr DwordValue kAutoArrange{"AutoArrange", 1, 1};
constexpr DwordValue kReshot{"Reshot", 1, 1};
constexpr DwordValue kRussianFlag{"RussianFlag", 1, 1};
// The repair writes 500 while the run itself keeps its 300.
constexpr DwordValue kTimeOut{"TimeOut", 300, 500};
constexpr DwordValue kBackGround{"BackGround", kDefaultColours.BackGround, kDefaultColours.BackGround};
constexpr DwordValue kBattleField{"BattleField", kDefaultColours.BattleField, kDefaultColours.BattleField};
constexpr DwordValue kShips{"Ships", kDefaultColours.Ships, kDefaultColours.Ships};
constexpr DwordValue kLines{"Lines", kDefaultColours.Lines, kDefaultColours.Lines};
constexpr DwordValue kSunkShip{"SunkShip", kDefaultColours.SunkShip, kDefaultColours.SunkShip};
constexpr const char* kRectSize = "RectSize";
constexpr const char* kPRectSize = "PRectSize";

constexpr const char* kWinPosName = "WinPos";
constexpr const char* kFontStringSizeName = "FontStringSize";
constexpr const char* kFontInfoName = "FontInfo";
// Face-name values, in FontInfo's order of fonts.
constexpr const char* kFaceNameValues[kFontCount] = {"FontComment", "FontComp", "FontHum"};

constexpr const DwordValue* kFirstRunValues[] = {
    &kProphyUser, &kManWon,  &kCompWon,     &kSalvo,      &kFirstShoot, &kAutoArrange, &kReshot,
    &kRussianFlag, &kTimeOut, &kBackGround, &kBattleField, &kShips,     &kLines,       &kSunkShip,
};

// Toolbar images of the strip that follow an option.
constexpr int kImageAutoArrangeOn = 9;
constexpr int kImageAutoArrangeOff = 10;
constexpr int kImageSalvoOff = 11;
constexpr int kImageSalvoOn = 12;

constexpr std::size_t kFaceNameOffset = 28;

// The longest pause the settings dialog gives; a stored one beyond it would
// stall every computer turn for hours.
constexpr std::int32_t kLongestPause = 5000;

// --- Little-endian fields -----------------------------------------------------

void PutU32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

std::uint32_t GetU32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

void PutI32(std::uint8_t* p, std::int32_t v) { PutU32(p, static_cast<std::uint32_t>(v)); }
std::int32_t GetI32(const std::uint8_t* p) { return static_cast<std::int32_t>(GetU32(p)); }

void PutFontRecord(std::uint8_t* p, const FontRecord& f)
{
    PutI32(p + 0, f.Height);
    PutI32(p + 4, f.Width);
    PutI32(p + 8, f.Escapement);
    PutI32(p + 12, f.Orientation);
    PutI32(p + 16, f.Weight);
    p[20] = f.Italic;
    p[21] = f.Underline;
    p[22] = f.StrikeOut;
    p[23] = f.CharSet;
    p[24] = f.OutPrecision;
    p[25] = f.ClipPrecision;
    p[26] = f.Quality;
    p[27] = f.PitchAndFamily;
    std::memcpy(p + kFaceNameOffset, f.FaceName.data(), kFaceNameSize);
}

FontRecord GetFontRecord(const std::uint8_t* p)
{
    FontRecord f;
    f.Height = GetI32(p + 0);
    f.Width = GetI32(p + 4);
    f.Escapement = GetI32(p + 8);
    f.Orientation = GetI32(p + 12);
    f.Weight = GetI32(p + 16);
    f.Italic = p[20];
    f.Underline = p[21];
    f.StrikeOut = p[22];
    f.CharSet = p[23];
    f.OutPrecision = p[24];
    f.ClipPrecision = p[25];
    f.Quality = p[26];
    f.PitchAndFamily = p[27];
    std::memcpy(f.FaceName.data(), p + kFaceNameOffset, kFaceNameSize);
    return f;
}

// FontInfo keeps the commentator's colour beside its record and the two
// board colours at the end.
constexpr std::size_t kFontOffsets[kFontCount] = {0, 64, 124};
constexpr std::size_t kColourOffsets[kFontCount] = {60, 184, 188};

// --- Reads and writes -----------------------------------------------------------

void WriteDword(SettingsStore& store, const char* name, std::uint32_t value)
{
    std::uint8_t bytes[4];
    PutU32(bytes, value);
    store.Set(name, ValueType::Dword, bytes, sizeof bytes);
}

// Reads a DWORD over value: a shorter stored value replaces its low bytes only.
bool ReadDword(const SettingsStore& store, const char* name, std::uint32_t& value)
{
    std::uint8_t bytes[4];
    PutU32(bytes, value);
    if (store.Query(name, bytes, sizeof bytes).Status != QueryStatus::Ok)
        return false;
    value = GetU32(bytes);
    return true;
}

// A signed DWORD that may be missing; a shorter stored value counts from 0.
std::optional<std::int32_t> ReadSigned(const SettingsStore& store, const char* name)
{
    std::uint32_t value = 0;
    if (!ReadDword(store, name, value))
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// Reads the value over value; when it cannot, writes the repair value back
// and leaves value as it was.
bool ReadOrRepair(SettingsStore& store, const DwordValue& v, std::uint32_t& value)
{
    if (ReadDword(store, v.Name, value))
        return true;
    WriteDword(store, v.Name, v.Repair);
    return false;
}

// A value that the run takes as it reads or repairs it.
std::uint32_t LoadValue(SettingsStore& store, const DwordValue& v, std::uint32_t current)
{
    return ReadOrRepair(store, v, current) ? current : v.Repair;
}

// A counter keeps its in-memory value when the stored one is unreadable.
void LoadCounter(SettingsStore& store, const DwordValue& v, std::int32_t& counter)
{
    auto value = static_cast<std::uint32_t>(counter);
    if (ReadOrRepair(store, v, value))
        counter = static_cast<std::int32_t>(value);
}

bool LoadFlag(SettingsStore& store, const DwordValue& v, bool current)
{
    return LoadValue(store, v, current ? 1 : 0) != 0;
}

// Reads a fixed-size record over its encoding; false when unreadable.
template <std::size_t N>
bool ReadRecord(const SettingsStore& store, const char* name, std::array<std::uint8_t, N>& bytes)
{
    return store.Query(name, bytes.data(), static_cast<std::uint32_t>(N)).Status == QueryStatus::Ok;
}

// A face name is read with its count from FontStringSize as the buffer size,
// but never beyond its 32-byte field. The count becomes the stored size of a
// value that exists, fitting or not.
void ReadFaceName(const SettingsStore& store, const char* name, std::uint32_t& count,
                  std::array<char, kFaceNameSize>& face)
{
    std::array<std::uint8_t, kFaceNameSize> bytes;
    std::memcpy(bytes.data(), face.data(), kFaceNameSize);
    // A count above the field reads nothing into it, as for a value too long.
    const std::uint32_t capacity = count <= kFaceNameSize ? count : 0;
    const QueryResult got = store.Query(name, bytes.data(), capacity);
    if (got.Status == QueryStatus::Missing)
        return;
    count = got.Size;
    if (got.Status == QueryStatus::Ok && got.Size > 0 && got.Size <= capacity)
        std::memcpy(face.data(), bytes.data(), got.Size);
}

// Built-in records: the state of a first run and of a run without a key.
void ResetRecords(StoredRecords& records)
{
    records.Colours = ColourScheme{};
    records.Fonts = FontInfo{};
    records.FaceCounts = FontStringSize{};
    records.Positions.PositionsValid = 0;
}

void WriteFirstRun(SettingsStore& store)
{
    for (const DwordValue* v : kFirstRunValues)
        WriteDword(store, v->Name, v->Initial);
}

void LoadFonts(const SettingsStore& store, StoredRecords& records)
{
    auto counts = EncodeFontStringSize(records.FaceCounts);
    records.FaceCounts = ReadRecord(store, kFontStringSizeName, counts) ? DecodeFontStringSize(counts)
                                                                         : FontStringSize{};

    auto info = EncodeFontInfo(records.Fonts);
    records.Fonts = ReadRecord(store, kFontInfoName, info) ? DecodeFontInfo(info) : FontInfo{};

    for (std::size_t i = 0; i < kFontCount; ++i) {
        auto& face = records.Fonts.Fonts[i].FaceName;
        ReadFaceName(store, kFaceNameValues[i], records.FaceCounts[i], face);
        // The font API reads up to the NUL: stored bytes must not lead it on.
        face[kFaceNameSize - 1] = '\0';
    }
}

void LoadColours(SettingsStore& store, ColourScheme& c)
{
    c.BackGround = LoadValue(store, kBackGround, c.BackGround);
    c.BattleField = LoadValue(store, kBattleField, c.BattleField);
    c.Ships = LoadValue(store, kShips, c.Ships);
    c.Lines = LoadValue(store, kLines, c.Lines);
    c.SunkShip = LoadValue(store, kSunkShip, c.SunkShip);
}

int LevelItem(std::int32_t level)
{
    switch (level) {
    case 0: return IDM_LEVEL_AMATEUR;
    case 1: return IDM_LEVEL_PRO;
    case 2: return IDM_LEVEL_SUPERMAN;
    }
    return 0;
}

void LoadNormalRun(SettingsStore& store, StoredRecords& records, game::GameOptions& options,
                   const ScoreCounters& score, LoadResult& result)
{
    auto pos = EncodeWinPos(records.Positions);
    if (ReadRecord(store, kWinPosName, pos))
        records.Positions = DecodeWinPos(pos);
    else
        records.Positions.PositionsValid = 0;

    LoadFonts(store, records);
    result.MakeFonts = true;

    LoadCounter(store, kManWon, score.ManWon);
    LoadCounter(store, kTimeOut, options.TimeOut);
    if (static_cast<std::uint32_t>(options.TimeOut) > static_cast<std::uint32_t>(kLongestPause))
        options.TimeOut = kLongestPause;
    LoadCounter(store, kCompWon, score.CompWon);
    score.RunWins = 0;
    score.RunLosses = 0;

    options.RussianFlag = LoadFlag(store, kRussianFlag, options.RussianFlag);
    LoadColours(store, records.Colours);

    options.ProphyUser = static_cast<std::int32_t>(
        LoadValue(store, kProphyUser, static_cast<std::uint32_t>(options.ProphyUser)));
    if (const int item = LevelItem(options.ProphyUser))
        result.LevelItem = item;

    options.AutoArrange = LoadFlag(store, kAutoArrange, options.AutoArrange);
    options.Reshot = LoadFlag(store, kReshot, options.Reshot);
    options.Salvo = LoadFlag(store, kSalvo, options.Salvo);

    // Exactly 1 means the human; any other value hands the first shot over.
    options.FirstShoot = LoadValue(store, kFirstShoot, options.FirstShoot ? 1 : 0) == 1;

    result.SetMenuMarks = true;
}

}  // namespace

// --- InMemoryStore ----------------------------------------------------------------

QueryResult InMemoryStore::Query(const char* name, std::uint8_t* buffer, std::uint32_t capacity) const
{
    const auto it = m_values.find(name);
    if (it == m_values.end())
        return {QueryStatus::Missing, 0};
    const auto& data = it->second.Data;
    const auto size = static_cast<std::uint32_t>(data.size());
    if (size > capacity)
        return {QueryStatus::TooBig, size};
    std::copy(data.begin(), data.end(), buffer);
    return {QueryStatus::Ok, size};
}

void InMemoryStore::Set(const char* name, ValueType type, const std::uint8_t* data, std::uint32_t size)
{
    Put(name, static_cast<std::uint32_t>(type), std::vector<std::uint8_t>(data, data + size));
    m_writes.emplace_back(name);
}

void InMemoryStore::Put(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data)
{
    m_values[name] = StoredValue{type, std::move(data)};
}

void InMemoryStore::Remove(const std::string& name) { m_values.erase(name); }

const StoredValue* InMemoryStore::Find(const std::string& name) const
{
    const auto it = m_values.find(name);
    return it == m_values.end() ? nullptr : &it->second;
}

// --- Layouts ------------------------------------------------------------------------

std::array<std::uint8_t, kWinPosSize> EncodeWinPos(const WinPos& pos)
{
    std::array<std::uint8_t, kWinPosSize> b{};
    for (std::size_t i = 0; i < kWinPosRects; ++i) {
        std::uint8_t* p = b.data() + 16 * i;
        PutI32(p + 0, pos.Rects[i].left);
        PutI32(p + 4, pos.Rects[i].top);
        PutI32(p + 8, pos.Rects[i].right);
        PutI32(p + 12, pos.Rects[i].bottom);
    }
    b[96] = pos.PositionsValid;
    return b;
}

WinPos DecodeWinPos(const std::array<std::uint8_t, kWinPosSize>& b)
{
    WinPos pos;
    for (std::size_t i = 0; i < kWinPosRects; ++i) {
        const std::uint8_t* p = b.data() + 16 * i;
        pos.Rects[i] = {GetI32(p + 0), GetI32(p + 4), GetI32(p + 8), GetI32(p + 12)};
    }
    pos.PositionsValid = b[96];
    return pos;
}

std::array<std::uint8_t, kFontInfoSize> EncodeFontInfo(const FontInfo& info)
{
    std::array<std::uint8_t, kFontInfoSize> b{};
    for (std::size_t i = 0; i < kFontCount; ++i) {
        PutFontRecord(b.data() + kFontOffsets[i], info.Fonts[i]);
        PutU32(b.data() + kColourOffsets[i], info.Colours[i]);
    }
    return b;
}

FontInfo DecodeFontInfo(const std::array<std::uint8_t, kFontInfoSize>& b)
{
    FontInfo info;
    for (std::size_t i = 0; i < kFontCount; ++i) {
        info.Fonts[i] = GetFontRecord(b.data() + kFontOffsets[i]);
        info.Colours[i] = GetU32(b.data() + kColourOffsets[i]);
    }
    return info;
}

std::array<std::uint8_t, kFontStringSizeSize> EncodeFontStringSize(const FontStringSize& counts)
{
    std::array<std::uint8_t, kFontStringSizeSize> b{};
    for (std::size_t i = 0; i < kFontCount; ++i)
        PutU32(b.data() + 4 * i, counts[i]);
    return b;
}

FontStringSize DecodeFontStringSize(const std::array<std::uint8_t, kFontStringSizeSize>& b)
{
    FontStringSize counts{};
    for (std::size_t i = 0; i < kFontCount; ++i)
        counts[i] = GetU32(b.data() + 4 * i);
    return counts;
}

// --- Load and the save passes -------------------------------------------------------

LoadResult LoadFromStore(SettingsStore& store, KeyDisposition disposition, StoredRecords& records,
                         game::GameOptions& options, const ScoreCounters& score)
{
    LoadResult result;
    switch (disposition) {
    case KeyDisposition::Created:
        WriteFirstRun(store);
        ResetRecords(records);
        break;
    case KeyDisposition::Opened:
        LoadNormalRun(store, records, options, score, result);
        break;
    case KeyDisposition::Unavailable:
        ResetRecords(records);
        break;
    }

    result.AutoArrangeMark = options.AutoArrange;
    result.ReshotMark = options.Reshot;
    result.SalvoMark = options.Salvo;
    result.FirstShootCommand = options.FirstShoot ? IDM_HUMAN_FIRST : IDM_COMPUTER_FIRST;
    result.SalvoButton = {IDM_SALVO, options.Salvo ? kImageSalvoOn : kImageSalvoOff, options.Salvo};
    result.AutoArrangeButton = {IDM_AUTO_ARRANGE,
                                options.AutoArrange ? kImageAutoArrangeOn : kImageAutoArrangeOff,
                                options.AutoArrange};
    if (disposition != KeyDisposition::Unavailable)
        result.PRectSize = ReadSigned(store, kPRectSize);
    return result;
}

std::optional<std::int32_t> ReadRectSize(const SettingsStore& store)
{
    // Nothing can be drawn or hit on a cell of no pixels.
    const auto size = ReadSigned(store, kRectSize);
    if (size && *size < 1)
        return std::nullopt;
    return size;
}

void SaveOnClose(SettingsStore& store, StoredRecords& records,
                 const std::array<StoredRect, kWinPosRects>& rects)
{
    records.Positions.Rects = rects;
    records.Positions.PositionsValid = 1;

    const auto pos = EncodeWinPos(records.Positions);
    store.Set(kWinPosName, ValueType::Binary, pos.data(), kWinPosSize);
    const auto info = EncodeFontInfo(records.Fonts);
    store.Set(kFontInfoName, ValueType::Binary, info.data(), kFontInfoSize);
    // The whole field goes out, whatever follows its NUL.
    for (std::size_t i : {1, 2, 0}) {
        const auto& face = records.Fonts.Fonts[i].FaceName;
        store.Set(kFaceNameValues[i], ValueType::Sz, reinterpret_cast<const std::uint8_t*>(face.data()),
                  kFaceNameSize);
    }
    const auto counts = EncodeFontStringSize(records.FaceCounts);
    store.Set(kFontStringSizeName, ValueType::Binary, counts.data(), kFontStringSizeSize);
}

void SaveOnDestroy(SettingsStore& store, const game::GameOptions& options, std::int32_t manWon,
                   std::int32_t compWon, const ColourScheme& colours, std::int32_t cellSize)
{
    auto flag = [](bool on) { return on ? 1u : 0u; };
    auto i32 = [](std::int32_t v) { return static_cast<std::uint32_t>(v); };
    WriteDword(store, kAutoArrange.Name, flag(options.AutoArrange));
    WriteDword(store, kRectSize, i32(cellSize));
    WriteDword(store, kPRectSize, i32(cellSize));
    WriteDword(store, kSalvo.Name, flag(options.Salvo));
    WriteDword(store, kReshot.Name, flag(options.Reshot));
    WriteDword(store, kRussianFlag.Name, flag(options.RussianFlag));
    WriteDword(store, kFirstShoot.Name, flag(options.FirstShoot));
    WriteDword(store, kProphyUser.Name, i32(options.ProphyUser));
    WriteDword(store, kTimeOut.Name, i32(options.TimeOut));
    WriteDword(store, kManWon.Name, i32(manWon));
    WriteDword(store, kCompWon.Name, i32(compWon));
    WriteDword(store, kBackGround.Name, colours.BackGround);
    WriteDword(store, kBattleField.Name, colours.BattleField);
    WriteDword(store, kShips.Name, colours.Ships);
    WriteDword(store, kLines.Name, colours.Lines);
    WriteDword(store, kSunkShip.Name, colours.SunkShip);
}

}  // namespace settings
