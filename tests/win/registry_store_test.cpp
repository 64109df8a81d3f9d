// The settings key in the real registry, under a key of the tests' own: its hive, its queries, a save and a load.
#include "support.h"

#include <sddl.h>

#include <cstring>

#include "shell/registry_store.h"

namespace {

using namespace settings;

constexpr char kRoot[] = "SOFTWARE\\TrivokTest", kPath[] = "SOFTWARE\\TrivokTest\\Settings";

// The local machine's key, made if missing, with a count of won games if given and this access list (Wine keeps them: a
// key can be made read-only).
bool LocalMachineKey(const char* sddl, const DWORD* won = nullptr)
{
    HKEY key = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    const REGSAM access = WRITE_DAC | (won ? KEY_SET_VALUE : 0);
    const bool ok =
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, access, nullptr, &key, nullptr) == ERROR_SUCCESS &&
        (!won || RegSetValueExA(key, "ManWon", 0, REG_DWORD, reinterpret_cast<const BYTE*>(won), 4) == ERROR_SUCCESS) &&
        ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr) &&
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
    LocalFree(sd);
    RegCloseKey(key);
    return ok;
}
constexpr char kReadOnly[] = "D:(A;;KR;;;WD)";

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteTestKeys(); }
    void TearDown() override { store.Close(), DeleteTestKeys(); }
    static void DeleteTestKeys()
    {
        LocalMachineKey("D:(A;;KA;;;WD)");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRoot);
        RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    }
    std::uint8_t Won()
    {
        std::uint8_t won[4] = {};
        EXPECT_EQ(QueryStatus::Ok, store.Query("ManWon", won, 4).Status);
        return won[0];
    }

    RegistryStore store;
};

TEST_F(RegistryStoreTest, TheLocalMachineWhenWritableElseTheCurrentUser)
{
    for (KeyDisposition made : {KeyDisposition::Created, KeyDisposition::Opened}) {
        EXPECT_EQ(made, store.Open(kPath, false));
        EXPECT_EQ(KeyRoot::LocalMachine, store.Root());
        store.Close();
    }
    DeleteTestKeys();
    ASSERT_TRUE(LocalMachineKey(kReadOnly));
    EXPECT_EQ(KeyDisposition::Created, store.Open(kPath, false)) << "no values to start from";
    EXPECT_EQ(KeyRoot::CurrentUser, store.Root());
}

// The user's own values count from then on; the local machine's stay.
TEST_F(RegistryStoreTest, AUsersNewKeyStartsFromTheReadableLocalMachineKey)
{
    const DWORD seven = 7;
    ASSERT_TRUE(LocalMachineKey(kReadOnly, &seven));
    EXPECT_EQ(KeyDisposition::Opened, store.Open(kPath, false));
    EXPECT_EQ(KeyRoot::CurrentUser, store.Root());
    EXPECT_EQ(7, Won());
    const std::uint8_t nine[4] = {9, 0, 0, 0};
    store.Set("ManWon", ValueType::Dword, nine, 4);
    store.Close();
    EXPECT_EQ(KeyDisposition::Opened, store.Open(kPath, false));
    EXPECT_EQ(9, Won());
    DWORD kept = 0, size = sizeof kept;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_LOCAL_MACHINE, kPath, "ManWon", RRF_RT_DWORD, nullptr, &kept, &size));
    EXPECT_EQ(7u, kept);
}

TEST_F(RegistryStoreTest, QueriesReportWhatFitsWhatIsTooBigAndWhatIsMissing)
{
    ASSERT_EQ(KeyDisposition::Created, store.Open(kPath, false));
    const std::uint8_t dword[4] = {1, 2, 3, 4}, face[32] = "Arial";
    store.Set("D", ValueType::Dword, dword, 4);
    store.Set("S", ValueType::Sz, face, 32);
    const struct { const char* name; std::uint32_t capacity; QueryStatus status; std::uint32_t size; } cases[] = {
        {"D", 4, QueryStatus::Ok, 4},   {"D", 3, QueryStatus::TooBig, 4}, {"S", 0, QueryStatus::TooBig, 32},
        {"S", 40, QueryStatus::Ok, 32}, {"Nothing", 4, QueryStatus::Missing, 0}};
    for (const auto& c : cases) {
        std::uint8_t buffer[40] = {};
        const QueryResult r = store.Query(c.name, buffer, c.capacity);
        EXPECT_EQ(std::tuple(c.status, c.size), std::tuple(r.Status, r.Size)) << c.name << " into " << c.capacity;
        EXPECT_TRUE(r.Status != QueryStatus::Ok || std::memcmp(buffer, c.name[0] == 'D' ? dword : face, c.size) == 0);
    }
}

// A store that counts what is written through it.
struct Counting final : SettingsStore {
    explicit Counting(SettingsStore& s) : inner(s) {}
    QueryResult Query(const char* n, uint8_t* b, uint32_t c) const override { return inner.Query(n, b, c); }
    void Set(const char* n, ValueType t, const uint8_t* d, uint32_t s) override { ++sets, inner.Set(n, t, d, s); }
    SettingsStore& inner;
    int sets = 0;
};

// What a run saves through the real registry, strings in code page 1251 and binary records among them, the next run
// reads back whole.
TEST_F(RegistryStoreTest, WhatARunSavesTheNextLoadReadsWithoutRepair)
{
    ASSERT_EQ(KeyDisposition::Created, store.Open(kPath, false));
    Settings run = Load(store, KeyDisposition::Created, Settings{}).Values;
    const std::string courier = "\xCA\xF3\xF0\xFC\xE5\xF0";  // "Курьер"
    std::memcpy(run.Fonts.Fonts[2].FaceName.data(), courier.c_str(), courier.size() + 1);
    run.Positions.Rects[kHumanBoardSlot] = {1, 2, 3, 4};
    run.Positions.PositionsValid = 1;
    run.CellSize = 19;
    SaveOnClose(store, run);
    SaveOnDestroy(store, run);
    store.Close();

    ASSERT_EQ(KeyDisposition::Opened, store.Open(kPath, false));
    Counting counting(store);
    const Loaded next = Load(counting, KeyDisposition::Opened, Settings{});
    EXPECT_EQ(std::tuple(true, 19, 3),
              std::tuple(next.FromKey, next.PRectSize.value_or(0), next.Values.Positions.Rects[kHumanBoardSlot].right));
    EXPECT_EQ(courier, std::string(next.Values.Fonts.Fonts[2].FaceName.data()));
    EXPECT_EQ(0, counting.sets) << "nothing needed repair";
}

}  // namespace
