// The stored settings without Win32: value names, byte layouts, the load with
// its repairs and the two save passes.
#include "shell/settings_codec.h"

#include <algorithm>
#include <cstring>

namespace settings {
namespace {

// --- The values -----------------------------------------------------------------

// A DWORD value: where the run keeps it, what a first run writes, and what
// a normal run writes back when the value cannot be read. TakesRepair: the
// run then takes the repaired value too, else it keeps its own.
struct Dword {
    const char* Name;
    bool AtFirstRun;
    std::uint32_t Initial;
    std::uint32_t Repair;
    bool TakesRepair;
    std::uint32_t (*Get)(const Settings&);
    void (*Put)(Settings&, std::uint32_t);
};

// The longest pause the settings dialog gives; a stored one beyond it would
// stall every computer turn for hours.
constexpr std::uint32_t kLongestPause = 5000;

constexpr look::ColourScheme kColours{};

std::uint32_t Bit(bool on) { return on ? 1 : 0; }
std::uint32_t Unsigned(std::int32_t v) { return static_cast<std::uint32_t>(v); }
std::int32_t Signed(std::uint32_t v) { return static_cast<std::int32_t>(v); }

#define FLAG(member) [](const Settings& s) { return Bit(s.Options.member); }, \
                     [](Settings& s, std::uint32_t v) { s.Options.member = v != 0; }
#define COLOUR(member) [](const Settings& s) { return s.Colours.member; }, \
                       [](Settings& s, std::uint32_t v) { s.Colours.member = v; }
#define COUNTER(member) [](const Settings& s) { return Unsigned(s.member); }, \
                        [](Settings& s, std::uint32_t v) { s.member = Signed(v); }

// In the order of a first run. The repair of TimeOut writes 500 while the
// run keeps its 300.
const Dword kDwords[] = {
    {"ProphyUser", true, 0, 0, true, [](const Settings& s) { return Unsigned(s.Options.ProphyUser); },
     [](Settings& s, std::uint32_t v) { s.Options.ProphyUser = Signed(v); }},
    {"ManWon", true, 0, 0, false, COUNTER(ManWon)},
    {"CompWon", true, 0, 0, false, COUNTER(CompWon)},
    {"Salvo", true, 0, 0, true, FLAG(Salvo)},
    // Exactly 1 means the human; any other value hands the first shot over.
    {"FirstShoot", true, 1, 1, true, [](const Settings& s) { return Bit(s.Options.FirstShoot); },
     [](Settings& s, std::uint32_t v) { s.Options.FirstShoot = v == 1; }},
    {"AutoArrange", true, 1, 1, true, FLAG(AutoArrange)},
    {"Reshot", true, 1, 1, true, FLAG(Reshot)},
    {"RussianFlag", true, 1, 1, true, FLAG(RussianFlag)},
    {"TimeOut", true, 300, 500, false, [](const Settings& s) { return Unsigned(s.Options.TimeOut); },
     [](Settings& s, std::uint32_t v) { s.Options.TimeOut = Signed(std::min(v, kLongestPause)); }},
    {"BackGround", true, kColours.BackGround, kColours.BackGround, true, COLOUR(BackGround)},
    {"BattleField", true, kColours.BattleField, kColours.BattleField, true, COLOUR(BattleField)},
    {"Ships", true, kColours.Ships, kColours.Ships, true, COLOUR(Ships)},
    {"Lines", true, kColours.Lines, kColours.Lines, true, COLOUR(Lines)},
    {"SunkShip", true, kColours.SunkShip, kColours.SunkShip, true, COLOUR(SunkShip)},
    // The cell size, written for "-noDefine" and for the stored positions.
    {"RectSize", false, 0, 0, false, [](const Settings& s) { return Unsigned(s.CellSize); }, nullptr},
    {"PRectSize", false, 0, 0, false, [](const Settings& s) { return Unsigned(s.CellSize); }, nullptr},
};

#undef FLAG
#undef COLOUR
#undef COUNTER

// The order in which a normal run reads them (and writes its repairs).
const char* const kLoadOrder[] = {"ManWon",   "TimeOut", "CompWon", "RussianFlag", "BackGround",
                                  "BattleField", "Ships", "Lines",   "SunkShip",    "ProphyUser",
                                  "AutoArrange", "Reshot", "Salvo",  "FirstShoot"};

// The destroy pass's order.
const char* const kDestroyPass[] = {"AutoArrange", "RectSize", "PRectSize", "Salvo",   "Reshot",
                                    "RussianFlag", "FirstShoot", "ProphyUser", "TimeOut", "ManWon",
                                    "CompWon",     "BackGround", "BattleField", "Ships",  "Lines",
                                    "SunkShip"};

const Dword& Find(const char* name)
{
    return *std::find_if(std::begin(kDwords), std::end(kDwords),
                         [name](const Dword& d) { return std::strcmp(d.Name, name) == 0; });
}

constexpr const char* kWinPos = "WinPos";
constexpr const char* kFontStringSize = "FontStringSize";
constexpr const char* kFontInfo = "FontInfo";
// Face names, in FontInfo's order of fonts; the close pass writes them in
// the order computer's board, human's board, commentator.
constexpr const char* kFaceNames[look::kFontCount] = {"FontComment", "FontComp", "FontHum"};
constexpr int kFaceSaveOrder[look::kFontCount] = {look::kComputerBoardFont, look::kHumanBoardFont,
                                                  look::kCommentatorFont};

// --- Little-endian fields -----------------------------------------------------

void PutU32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t GetU32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

// LOGFONTA: five 32-bit numbers, eight bytes, the face name at offset 28.
constexpr std::size_t kFontRecordSize = 60;
constexpr std::size_t kFaceNameOffset = 28;
// FontInfo keeps the commentator's colour beside its record and the two
// board colours at the end.
constexpr std::size_t kFontOffsets[look::kFontCount] = {0, 64, 124};
constexpr std::size_t kColourOffsets[look::kFontCount] = {60, 184, 188};

void PutFontRecord(std::uint8_t* p, const look::FontRecord& f)
{
    const std::int32_t numbers[] = {f.Height, f.Width, f.Escapement, f.Orientation, f.Weight};
    const std::uint8_t bytes[] = {f.Italic,       f.Underline,     f.StrikeOut, f.CharSet,
                                  f.OutPrecision, f.ClipPrecision, f.Quality,   f.PitchAndFamily};
    for (int i = 0; i < 5; ++i)
        PutU32(p + 4 * i, Unsigned(numbers[i]));
    std::memcpy(p + 20, bytes, sizeof bytes);
    std::memcpy(p + kFaceNameOffset, f.FaceName.data(), look::kFaceNameSize);
}

look::FontRecord GetFontRecord(const std::uint8_t* p)
{
    look::FontRecord f;
    std::int32_t* numbers[] = {&f.Height, &f.Width, &f.Escapement, &f.Orientation, &f.Weight};
    std::uint8_t* bytes[] = {&f.Italic,       &f.Underline,     &f.StrikeOut, &f.CharSet,
                             &f.OutPrecision, &f.ClipPrecision, &f.Quality,   &f.PitchAndFamily};
    for (int i = 0; i < 5; ++i)
        *numbers[i] = Signed(GetU32(p + 4 * i));
    for (int i = 0; i < 8; ++i)
        *bytes[i] = p[20 + i];
    std::memcpy(f.FaceName.data(), p + kFaceNameOffset, look::kFaceNameSize);
    return f;
}

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

template <std::size_t N>
bool ReadRecord(const SettingsStore& store, const char* name, std::array<std::uint8_t, N>& bytes)
{
    return store.Query(name, bytes.data(), static_cast<std::uint32_t>(N)).Status == QueryStatus::Ok;
}

template <std::size_t N>
void WriteRecord(SettingsStore& store, const char* name, const std::array<std::uint8_t, N>& bytes)
{
    store.Set(name, ValueType::Binary, bytes.data(), static_cast<std::uint32_t>(N));
}

// A face name is read with its count from FontStringSize as the buffer size,
// but never beyond its 32-byte field. The count becomes the stored size of a
// value that exists, fitting or not.
void ReadFaceName(const SettingsStore& store, const char* name, std::uint32_t& count,
                  std::array<char, look::kFaceNameSize>& face)
{
    std::array<std::uint8_t, look::kFaceNameSize> bytes;
    std::memcpy(bytes.data(), face.data(), look::kFaceNameSize);
    // A count above the field reads nothing into it, as for a value too long.
    const std::uint32_t capacity = count <= look::kFaceNameSize ? count : 0;
    const QueryResult got = store.Query(name, bytes.data(), capacity);
    if (got.Status == QueryStatus::Missing)
        return;
    count = got.Size;
    if (got.Status == QueryStatus::Ok && got.Size > 0 && got.Size <= capacity)
        std::memcpy(face.data(), bytes.data(), got.Size);
}

void LoadRecords(const SettingsStore& store, Settings& s)
{
    auto pos = EncodeWinPos(s.Positions);
    if (ReadRecord(store, kWinPos, pos))
        s.Positions = DecodeWinPos(pos);
    else
        s.Positions.PositionsValid = 0;

    auto counts = EncodeFaceCounts(s.FaceCounts);
    s.FaceCounts = ReadRecord(store, kFontStringSize, counts) ? DecodeFaceCounts(counts) : look::FaceCounts{};

    auto info = EncodeFontInfo(s.Fonts);
    s.Fonts = ReadRecord(store, kFontInfo, info) ? DecodeFontInfo(info) : look::FontInfo{};

    for (int i = 0; i < look::kFontCount; ++i) {
        auto& face = s.Fonts.Fonts[i].FaceName;
        ReadFaceName(store, kFaceNames[i], s.FaceCounts[i], face);
        // The font API reads up to the NUL: stored bytes must not lead it on.
        face[look::kFaceNameSize - 1] = '\0';
    }
}

void LoadDwords(SettingsStore& store, Settings& s)
{
    for (const char* name : kLoadOrder) {
        const Dword& d = Find(name);
        std::uint32_t value = d.Get(s);
        if (ReadDword(store, d.Name, value)) {
            d.Put(s, value);
        } else {
            WriteDword(store, d.Name, d.Repair);
            if (d.TakesRepair)
                d.Put(s, d.Repair);
        }
    }
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

const StoredValue* InMemoryStore::Find(const std::string& name) const
{
    const auto it = m_values.find(name);
    return it == m_values.end() ? nullptr : &it->second;
}

// --- Layouts ------------------------------------------------------------------------

std::array<std::uint8_t, kWinPosSize> EncodeWinPos(const WinPos& pos)
{
    std::array<std::uint8_t, kWinPosSize> b{};
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        const StoredRect& r = pos.Rects[i];
        const std::int32_t sides[] = {r.left, r.top, r.right, r.bottom};
        for (int k = 0; k < 4; ++k)
            PutU32(b.data() + 16 * i + 4 * k, Unsigned(sides[k]));
    }
    b[96] = pos.PositionsValid;
    return b;
}

WinPos DecodeWinPos(const std::array<std::uint8_t, kWinPosSize>& b)
{
    WinPos pos;
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        const std::uint8_t* p = b.data() + 16 * i;
        pos.Rects[i] = {Signed(GetU32(p)), Signed(GetU32(p + 4)), Signed(GetU32(p + 8)), Signed(GetU32(p + 12))};
    }
    pos.PositionsValid = b[96];
    return pos;
}

std::array<std::uint8_t, kFontInfoSize> EncodeFontInfo(const look::FontInfo& info)
{
    std::array<std::uint8_t, kFontInfoSize> b{};
    for (std::size_t i = 0; i < look::kFontCount; ++i) {
        PutFontRecord(b.data() + kFontOffsets[i], info.Fonts[i]);
        PutU32(b.data() + kColourOffsets[i], info.Colours[i]);
    }
    return b;
}

look::FontInfo DecodeFontInfo(const std::array<std::uint8_t, kFontInfoSize>& b)
{
    look::FontInfo info;
    for (std::size_t i = 0; i < look::kFontCount; ++i) {
        info.Fonts[i] = GetFontRecord(b.data() + kFontOffsets[i]);
        info.Colours[i] = GetU32(b.data() + kColourOffsets[i]);
    }
    return info;
}

std::array<std::uint8_t, kFontStringSizeSize> EncodeFaceCounts(const look::FaceCounts& counts)
{
    std::array<std::uint8_t, kFontStringSizeSize> b{};
    for (std::size_t i = 0; i < look::kFontCount; ++i)
        PutU32(b.data() + 4 * i, counts[i]);
    return b;
}

look::FaceCounts DecodeFaceCounts(const std::array<std::uint8_t, kFontStringSizeSize>& b)
{
    look::FaceCounts counts{};
    for (std::size_t i = 0; i < look::kFontCount; ++i)
        counts[i] = GetU32(b.data() + 4 * i);
    return counts;
}

// --- Load and the save passes -------------------------------------------------------

Loaded Load(SettingsStore& store, KeyDisposition disposition, const Settings& current)
{
    Loaded loaded;
    Settings& s = loaded.Values;
    s = current;
    if (disposition == KeyDisposition::Opened) {
        LoadRecords(store, s);
        LoadDwords(store, s);
        loaded.FromKey = true;
    } else {
        // A first run and a run without a key start from the built-in look.
        s.Colours = look::ColourScheme{};
        s.Fonts = look::FontInfo{};
        s.FaceCounts = look::FaceCounts{};
        s.Positions.PositionsValid = 0;
    }
    if (disposition == KeyDisposition::Created)
        for (const Dword& d : kDwords)
            if (d.AtFirstRun)
                WriteDword(store, d.Name, d.Initial);
    if (disposition != KeyDisposition::Unavailable) {
        std::uint32_t size = 0;
        if (ReadDword(store, "PRectSize", size))
            loaded.PRectSize = Signed(size);
    }
    return loaded;
}

std::optional<std::int32_t> ReadRectSize(const SettingsStore& store)
{
    // Nothing can be drawn or hit on a cell of no pixels.
    std::uint32_t size = 0;
    if (!ReadDword(store, "RectSize", size) || Signed(size) < 1)
        return std::nullopt;
    return Signed(size);
}

void SaveOnClose(SettingsStore& store, const Settings& s)
{
    WriteRecord(store, kWinPos, EncodeWinPos(s.Positions));
    WriteRecord(store, kFontInfo, EncodeFontInfo(s.Fonts));
    // The whole field goes out, whatever follows its NUL.
    for (int i : kFaceSaveOrder) {
        const auto& face = s.Fonts.Fonts[i].FaceName;
        store.Set(kFaceNames[i], ValueType::Sz, reinterpret_cast<const std::uint8_t*>(face.data()),
                  look::kFaceNameSize);
    }
    WriteRecord(store, kFontStringSize, EncodeFaceCounts(s.FaceCounts));
}

void SaveOnDestroy(SettingsStore& store, const Settings& s)
{
    for (const char* name : kDestroyPass)
        WriteDword(store, name, Find(name).Get(s));
}

}  // namespace settings
