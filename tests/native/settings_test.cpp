// The stored settings against an in-memory key: first run, repairs, face
// names, the byte layouts of both save passes, and damaged keys.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <set>

#include "shell/settings_codec.h"

using namespace settings;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;
constexpr std::uint32_t kSz = 1, kBinary = 3, kDword = 4;

Bytes Dword(std::uint32_t v)
{
    return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}
template <std::size_t N>
Bytes B(const std::array<std::uint8_t, N>& a) { return Bytes(a.begin(), a.end()); }
Bytes Text(const std::string& s, std::size_t size) { Bytes b(s.begin(), s.end()); b.resize(size); return b; }
std::string Face(const Settings& s, int font) { return s.Fonts.Fonts[font].FaceName.data(); }

// One run of the program: the key and what the run holds.
struct Session {
    InMemoryStore store;
    Settings values;

    explicit Session(InMemoryStore s = {}) : store(std::move(s)) {}
    Loaded Load(KeyDisposition d = KeyDisposition::Opened)
    {
        store.ClearWrites();
        const Loaded loaded = settings::Load(store, d, values);
        values = loaded.Values;
        return loaded;
    }
    void Close()
    {
        values.Positions.Rects = {{{1, 2, 3, 4}, {5, 6, 7, 8}, {}, {}, {}, {-21, -22, 800, 600}}};
        values.Positions.PositionsValid = 1;
        SaveOnClose(store, values);
    }
    void Destroy()
    {
        values.CellSize = 17;
        SaveOnDestroy(store, values);
    }
    void ExpectDword(const std::string& name, std::uint32_t value) const
    {
        const StoredValue* v = store.Find(name);
        EXPECT_TRUE(v && v->Type == kDword && v->Data == Dword(value)) << name << " is not " << value;
    }
    // The DWORD values written since the load, in order.
    void ExpectWrites(const Names& names, const std::vector<std::uint32_t>& values) const
    {
        EXPECT_EQ(names, store.Writes());
        for (std::size_t i = 0; i < names.size(); ++i)
            ExpectDword(names[i], values[i]);
    }
};

// The key after one complete run with chosen fonts.
InMemoryStore FullStore()
{
    Session run;
    run.Load(KeyDisposition::Created);
    const char* names[] = {"Courier New", "Arial", "Times New Roman"};
    for (int i = 0; i < 3; ++i) {
        std::strcpy(run.values.Fonts.Fonts[i].FaceName.data(), names[i]);
        run.values.Fonts.Fonts[i].Height = -13 - i;
        run.values.Fonts.Colours[i] = 0x102030u * (i + 1);
        run.values.FaceCounts[i] = 32;
    }
    run.values.ManWon = 4;
    run.values.CompWon = 2;
    run.Close();
    run.Destroy();
    return run.store;
}

TEST(Settings, FirstRunWritesTheFourteenDefaultsAndNoKeyNothing)
{
    Session run;
    EXPECT_FALSE(run.Load(KeyDisposition::Created).FromKey);
    run.ExpectWrites({"ProphyUser", "ManWon", "CompWon", "Salvo", "FirstShoot", "AutoArrange", "Reshot", "RussianFlag",
                      "TimeOut", "BackGround", "BattleField", "Ships", "Lines", "SunkShip"},
                     {0, 0, 0, 0, 1, 1, 1, 1, 300, 0x800080, 0x008080, 0x7F7F7F, 0, 0x7F7F7F});
    Session none;
    none.store.Put("PRectSize", kDword, Dword(17));
    EXPECT_FALSE(none.Load(KeyDisposition::Unavailable).PRectSize);
    EXPECT_TRUE(none.store.Writes().empty());
}

TEST(Settings, AKeyWithOnlyTheLevelIsRepairedWithATimeOutOf500ButThisRunPauses300)
{
    Session run;
    run.store.Put("ProphyUser", kDword, Dword(2));
    const Loaded r = run.Load();
    run.ExpectWrites({"ManWon", "TimeOut", "CompWon", "RussianFlag", "BackGround", "BattleField", "Ships", "Lines",
                      "SunkShip", "AutoArrange", "Reshot", "Salvo", "FirstShoot"},
                     {0, 500, 0, 1, 0x800080, 0x008080, 0x7F7F7F, 0, 0x7F7F7F, 1, 1, 0, 1});
    EXPECT_EQ(300, run.values.Options.TimeOut);
    EXPECT_TRUE(run.values.Options.ProphyUser == 2 && r.FromKey);
}

// One value of a full key, what the run makes of it and what it saves back.
TEST(Settings, StoredValuesAreReadBySizeWhateverTheirType)
{
    const struct { const char* name; std::uint32_t type; Bytes data; std::uint32_t saved; } cases[] = {
        {"FirstShoot", kDword, Dword(2), 0},           // not exactly 1: the computer opens
        {"TimeOut", kDword, Dword(0xFFFFFFFF), 5000},  // no pause longer than the dialog's longest
        {"ManWon", kSz, {0x05}, 0x0A0B0C05},           // shorter: only its low byte
        {"CompWon", kBinary, Bytes(8, 1), 0},          // too long: repaired
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Session run(FullStore());
        run.values.ManWon = 0x0A0B0C0D;
        run.store.Put(c.name, c.type, c.data);
        EXPECT_EQ(17, run.Load().PRectSize.value_or(0));  // the cell size the last run saved
        EXPECT_EQ(run.store.Writes(), c.data.size() > 4 ? Names{c.name} : Names{});
        run.Destroy();
        run.ExpectDword(c.name, c.saved);
    }
    const std::pair<std::optional<std::uint32_t>, std::optional<std::int32_t>> cellSizes[] = {
        {std::nullopt, std::nullopt}, {25, 25}, {0, std::nullopt}, {0xFFFFFFFF, std::nullopt}};
    for (const auto& [stored, read] : cellSizes) {  // for -noDefine
        InMemoryStore key;
        if (stored)
            key.Put("RectSize", kDword, Dword(*stored));
        EXPECT_EQ(read, ReadRectSize(key));
    }
}

TEST(Settings, FaceNamesNeverRunPastTheirField)
{
    Session run(FullStore());
    const Bytes info = run.store.Find("FontInfo")->Data;
    run.store.Put("FontStringSize", kBinary, {33, 0, 0, 0, 200, 0, 0, 0, 32, 0, 0, 0});
    run.store.Put("FontComment", kSz, Text("Wingdings", 20));
    run.store.Put("FontComp", kSz, Text("Symbol", 150));
    run.store.Put("FontHum", kSz, Text("Verdana", 150));
    run.Load();
    EXPECT_EQ(info, B(EncodeFontInfo(run.values.Fonts)));
    EXPECT_EQ((look::FaceCounts{20, 150, 150}), run.values.FaceCounts);

    run.store.Put("FontStringSize", kBinary, {32, 0, 0, 0, 5, 0, 0, 0, 32, 0, 0, 0});
    run.store.Put("FontComment", kSz, Bytes(32, 'x'));
    run.store.Put("FontComp", kSz, {'M', 'o', 'n', 'o', 0});
    run.store.Remove("FontHum");
    run.Load();
    EXPECT_EQ((Names{std::string(31, 'x'), "Mono", "Times New Roman"}),  // the first stays terminated
              (Names{Face(run.values, 0), Face(run.values, 1), Face(run.values, 2)}));
    EXPECT_EQ((look::FaceCounts{32, 5, 32}), run.values.FaceCounts);  // a missing value keeps its count

    const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde";  // 31 characters
    std::strcpy(run.values.Fonts.Fonts[2].FaceName.data(), name.c_str());
    run.values.Fonts.Fonts[1].FaceName[20] = 'q';  // after the NUL, yet saved: the whole field goes out
    run.Close();
    Bytes mono = Text("Mono", 32);
    mono[20] = 'q';
    EXPECT_EQ(mono, run.store.Find("FontComp")->Data);
    run.store.Remove("FontInfo");  // the name comes back from FontHum alone, the texts red and white
    run.Load();
    EXPECT_EQ(name, Face(run.values, 2));
    EXPECT_EQ((std::array<std::uint32_t, 3>{0x0000FF, 0xFFFFFF, 0xFFFFFF}), run.values.Fonts.Colours);
    run.store.Remove("FontStringSize");  // a count of 0 learns the stored size
    run.Load();
    EXPECT_EQ((look::FaceCounts{32, 32, 32}), run.values.FaceCounts);
}

TEST(Settings, RecordsKeepTheirByteLayouts)
{
    look::FontInfo info;
    info.Fonts[1].Height = -16;
    info.Fonts[2].PitchAndFamily = 0x31;
    info.Fonts[2].FaceName[0] = 'Z';
    info.Colours = {0x0000FF, 0x00AA00, 0xBB0000};
    const Bytes f = B(EncodeFontInfo(info));
    EXPECT_EQ((Bytes{0xF0, 0xFF, 0xFF, 0xFF}), Bytes(f.begin() + 64, f.begin() + 68));
    EXPECT_TRUE(f[124 + 27] == 0x31 && f[124 + 28] == 'Z' && f[60] == 0xFF && f[185] == 0xAA && f[190] == 0xBB);
    WinPos pos;
    pos.Rects[kPickerSlot].top = -2;
    pos.Rects[kMainSlot].left = 0x01020304;
    pos.PositionsValid = 1;
    const Bytes w = B(EncodeWinPos(pos));
    EXPECT_TRUE(w[52] == 0xFE && w[55] == 0xFF && w[80] == 4 && w[83] == 1 && w[96] == 1);
    EXPECT_EQ((Bytes{1, 0, 0, 0, 0x20, 0, 0, 0, 0, 3, 0, 0}), B(EncodeFaceCounts({1, 0x20, 0x300})));

    // Every byte is a field (but WinPos's padding): random bytes come back.
    std::mt19937 rng(7);
    std::array<std::uint8_t, kFontInfoSize> fonts;
    std::array<std::uint8_t, kWinPosSize> rects{};
    std::array<std::uint8_t, kFontStringSizeSize> counts;
    std::generate(fonts.begin(), fonts.end(), rng);
    std::generate(rects.begin(), rects.end() - 3, rng);
    std::generate(counts.begin(), counts.end(), rng);
    EXPECT_EQ(fonts, EncodeFontInfo(DecodeFontInfo(fonts)));
    EXPECT_EQ(rects, EncodeWinPos(DecodeWinPos(rects)));
    EXPECT_EQ(counts, EncodeFaceCounts(DecodeFaceCounts(counts)));
}

// --- Damaged keys: each value missing, or 0..200 random bytes of any type -----

const std::set<std::string> kFontValues = {"FontStringSize", "FontInfo", "FontComment", "FontComp", "FontHum"};
const std::set<std::string> kFaceValues = {"FontComment", "FontComp", "FontHum"};
const std::set<std::string> kFlags = {"Salvo", "FirstShoot", "AutoArrange", "Reshot", "RussianFlag"};

// Loads the key and saves both passes into an empty one.
InMemoryStore LoadAndSave(const InMemoryStore& key)
{
    Session run(key);
    run.Load();
    run.store = InMemoryStore();
    run.Close();
    run.Destroy();
    return run.store;
}

// The first malformed value of a saved key, or "": it must hold the values
// of a complete run's key.
std::string Fault(const InMemoryStore& saved, const InMemoryStore& full)
{
    if (saved.Values().size() != full.Values().size())
        return "value count " + std::to_string(saved.Values().size());
    const std::map<std::string, std::size_t> sizes = {{"WinPos", 100}, {"FontInfo", 192}, {"FontStringSize", 12}};
    for (const auto& [name, v] : saved.Values()) {
        if (!full.Find(name))
            return name + " not in a complete key";
        const bool face = kFaceValues.count(name) > 0;
        const std::size_t size = face ? 32 : sizes.count(name) ? sizes.at(name) : 4;
        if (v.Type != (face ? kSz : size == 4 ? kDword : kBinary) || v.Data.size() != size)
            return name + ": type " + std::to_string(v.Type) + " size " + std::to_string(v.Data.size());
        if ((face && v.Data[31] != 0) || (kFlags.count(name) && v.Data != Dword(0) && v.Data != Dword(1)))
            return name + " malformed";
    }
    const Bytes& info = saved.Find("FontInfo")->Data;
    const Bytes& pos = saved.Find("WinPos")->Data;
    return info[59] || info[64 + 59] || info[124 + 59] ? "a face name in FontInfo not terminated"
           : pos[97] || pos[98] || pos[99]             ? "WinPos padding"
                                                       : "";
}

TEST(SettingsFuzz, EachValueSpoiltAloneLeavesTheOthersIntact)
{
    const InMemoryStore full = FullStore();
    const InMemoryStore baseline = LoadAndSave(full);
    ASSERT_EQ("", Fault(baseline, full));
    std::mt19937 rng(20240601);
    const auto spoil = [&](InMemoryStore& key, const std::string& name, int size) {
        Bytes data(size < 0 ? 0 : size);
        for (auto& b : data)
            b = std::uint8_t(rng());
        if (size < 0)
            key.Remove(name);
        else
            key.Put(name, rng() % 12, data);
    };
    for (const auto& [name, unused] : full.Values()) {
        for (int size = -1; size <= 200; ++size) {
            InMemoryStore key = full;
            spoil(key, name, size);
            const InMemoryStore saved = LoadAndSave(key);
            SCOPED_TRACE(name + " size " + std::to_string(size));
            ASSERT_EQ("", Fault(saved, full));
            for (const auto& [other, v] : baseline.Values()) {
                if (kFontValues.count(name) ? !kFontValues.count(other) : other != name) {
                    ASSERT_EQ(v.Data, saved.Find(other)->Data) << other;
                }
            }
            // A face name may change its own field of FontInfo and nothing else there.
            const int face = name == "FontComment" ? 0 : name == "FontComp" ? 64 : name == "FontHum" ? 124 : -1;
            for (int i = 0; face >= 0 && i < int(kFontInfoSize); ++i) {
                if (i < face + 28 || i >= face + 60) {
                    ASSERT_EQ(baseline.Find("FontInfo")->Data[i], saved.Find("FontInfo")->Data[i]) << "byte " << i;
                }
            }
        }
    }
    for (int round = 0; round < 300; ++round) {  // everything spoilt at once
        InMemoryStore key = full;
        for (const auto& [name, unused] : full.Values())
            spoil(key, name, rng() % 2 ? -1 : int(rng() % 201));
        ASSERT_EQ("", Fault(LoadAndSave(key), full)) << "round " << round;
    }
}

}  // namespace
