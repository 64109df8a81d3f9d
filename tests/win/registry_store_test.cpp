// The registry backend of the settings: which hive it opens, what the calls
// report, and the load and save passes end to end, under test keys only.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "shell/registry_store.h"

using namespace settings;

namespace {

constexpr char kRoot[] = "SOFTWARE\\TrivokTest";
constexpr char kPath[] = "SOFTWARE\\TrivokTest\\Settings";
constexpr char kReadOnlyPath[] = "SOFTWARE\\TrivokTest\\ReadOnly";

struct Raw {
    DWORD Type = 0;
    std::vector<BYTE> Data;
};

bool KeyExists(HKEY root, const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::optional<Raw> ReadRaw(HKEY root, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(root, kPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    Raw raw;
    DWORD size = 0;
    LSTATUS rc = RegQueryValueExA(key, name, nullptr, &raw.Type, nullptr, &size);
    raw.Data.resize(size + 1);
    if (rc == ERROR_SUCCESS)
        rc = RegQueryValueExA(key, name, nullptr, &raw.Type, raw.Data.data(), &size);
    RegCloseKey(key);
    raw.Data.resize(size);
    return rc == ERROR_SUCCESS ? std::optional<Raw>(raw) : std::nullopt;
}

DWORD ValueCount(HKEY root)
{
    HKEY key;
    DWORD count = 0;
    if (RegOpenKeyExA(root, kPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return count;
}

bool SetDacl(HKEY key, const char* sddl)
{
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr))
        return false;
    const bool ok = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
    LocalFree(sd);
    return ok;
}

void DeleteTestKeys()
{
    // A read-only key left by a failed run must be opened up before it can go.
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kReadOnlyPath, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
        SetDacl(key, "D:(A;;KA;;;WD)");
        RegCloseKey(key);
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRoot);
    RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestKeys();
        ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRoot));
    }
    void TearDown() override
    {
        store.Close();
        DeleteTestKeys();
        SetEnvironmentVariableA(kSkipLocalMachineVariable, nullptr);
    }

    // A value of any type, written past the store.
    static void Put(const char* name, DWORD type, const BYTE* data, DWORD size)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, KEY_SET_VALUE, &key));
        RegSetValueExA(key, name, 0, type, data, size);
        RegCloseKey(key);
    }

    RegistryStore store;
};

}  // namespace

TEST_F(RegistryStoreTest, CreatesThenOpensUnderTheLocalMachine)
{
    EXPECT_EQ(KeyDisposition::Created, store.Open(kPath, false));
    EXPECT_EQ(KeyRoot::LocalMachine, store.Root());
    store.Close();
    EXPECT_EQ(KeyDisposition::Opened, store.Open(kPath, false));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kPath));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kPath));
}

TEST_F(RegistryStoreTest, TheSwitchTakesTheCurrentUsersKey)
{
    SetEnvironmentVariableA(kSkipLocalMachineVariable, "1");
    EXPECT_EQ(KeyDisposition::Created, store.Open(kPath));
    EXPECT_EQ(KeyRoot::CurrentUser, store.Root());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kPath));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPath));
}

TEST_F(RegistryStoreTest, AReadOnlyLocalMachineKeyFallsBackToTheCurrentUser)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kReadOnlyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    ASSERT_TRUE(SetDacl(key, "D:(A;;KR;;;WD)"));
    RegCloseKey(key);

    EXPECT_EQ(KeyDisposition::Created, store.Open(kReadOnlyPath, false));
    EXPECT_EQ(KeyRoot::CurrentUser, store.Root());
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kReadOnlyPath));
}

TEST_F(RegistryStoreTest, TheUsersNewKeyStartsFromAReadOnlyLocalMachineKey)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kReadOnlyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    const DWORD won = 7;
    const BYTE face[] = "Arial";
    RegSetValueExA(key, "ManWon", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&won), sizeof won);
    RegSetValueExA(key, "Face", 0, REG_SZ, face, sizeof face);
    ASSERT_TRUE(SetDacl(key, "D:(A;;KR;;;WD)"));
    RegCloseKey(key);

    EXPECT_EQ(KeyDisposition::Opened, store.Open(kReadOnlyPath, false));
    EXPECT_EQ(KeyRoot::CurrentUser, store.Root());
    std::uint8_t buffer[8] = {};
    ASSERT_EQ(QueryStatus::Ok, store.Query("ManWon", buffer, 4).Status);
    EXPECT_EQ(7, buffer[0]);
    ASSERT_EQ(QueryStatus::Ok, store.Query("Face", buffer, sizeof buffer).Status);
    EXPECT_STREQ("Arial", reinterpret_cast<char*>(buffer));

    // Later runs keep the user's own values, and the local machine's stay.
    const std::uint8_t more[4] = {9, 0, 0, 0};
    store.Set("ManWon", ValueType::Dword, more, 4);
    store.Close();
    EXPECT_EQ(KeyDisposition::Opened, store.Open(kReadOnlyPath, false));
    ASSERT_EQ(QueryStatus::Ok, store.Query("ManWon", buffer, 4).Status);
    EXPECT_EQ(9, buffer[0]);
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kReadOnlyPath, 0, KEY_READ, &key));
    DWORD stored = 0, size = sizeof stored;
    RegQueryValueExA(key, "ManWon", nullptr, nullptr, reinterpret_cast<BYTE*>(&stored), &size);
    RegCloseKey(key);
    EXPECT_EQ(7u, stored);
}

TEST_F(RegistryStoreTest, QueriesReportSizesAsTheCodecExpects)
{
    ASSERT_EQ(KeyDisposition::Created, store.Open(kPath, false));
    const std::uint8_t dword[4] = {1, 2, 3, 4};
    std::uint8_t face[32] = "Arial";
    face[20] = 'q';
    store.Set("D", ValueType::Dword, dword, 4);
    store.Set("S", ValueType::Sz, face, 32);
    store.Set("E", ValueType::Binary, dword, 0);

    std::uint8_t buffer[40] = {};
    QueryResult r = store.Query("D", buffer, 4);
    EXPECT_EQ(QueryStatus::Ok, r.Status);
    EXPECT_EQ(4u, r.Size);
    EXPECT_EQ(0x04030201u, buffer[0] | buffer[1] << 8 | buffer[2] << 16 | unsigned(buffer[3]) << 24);
    r = store.Query("D", buffer, 3);
    EXPECT_EQ(QueryStatus::TooBig, r.Status);
    EXPECT_EQ(4u, r.Size);
    r = store.Query("S", buffer, 0);
    EXPECT_EQ(QueryStatus::TooBig, r.Status);
    EXPECT_EQ(32u, r.Size);
    r = store.Query("S", buffer, 32);
    EXPECT_EQ(QueryStatus::Ok, r.Status);
    EXPECT_EQ(0, std::memcmp(face, buffer, 32));
    EXPECT_EQ(QueryStatus::Ok, store.Query("E", buffer, 0).Status);
    EXPECT_EQ(QueryStatus::Missing, store.Query("Nothing", buffer, 4).Status);

    EXPECT_EQ(DWORD(REG_DWORD), ReadRaw(HKEY_LOCAL_MACHINE, "D")->Type);
    EXPECT_EQ(DWORD(REG_SZ), ReadRaw(HKEY_LOCAL_MACHINE, "S")->Type);
    EXPECT_EQ(DWORD(REG_BINARY), ReadRaw(HKEY_LOCAL_MACHINE, "E")->Type);
}

TEST_F(RegistryStoreTest, AFirstRunACloseADestroyAndTheNextLoad)
{
    StoredRecords records;
    game::GameOptions options;
    std::int32_t manWon = 0, compWon = 0, runWins = 0, runLosses = 0;
    const ScoreCounters score{manWon, compWon, runWins, runLosses};

    ASSERT_EQ(KeyDisposition::Created, store.Open(kPath, false));
    LoadFromStore(store, KeyDisposition::Created, records, options, score);
    EXPECT_EQ(14u, ValueCount(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(DWORD(REG_DWORD), ReadRaw(HKEY_LOCAL_MACHINE, "SunkShip")->Type);

    const std::string name = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde";
    std::memcpy(records.Fonts.Fonts[0].FaceName.data(), name.c_str(), name.size() + 1);
    std::memcpy(records.Fonts.Fonts[2].FaceName.data(), "\xCA\xF3\xF0\xFC\xE5\xF0", 7);  // "Курьер" in cp1251
    records.FaceCounts = {32, 32, 32};
    options.ProphyUser = 5;
    SaveOnClose(store, records, {{{1, 2, 3, 4}}});
    SaveOnDestroy(store, options, 3, 4, records.Colours, 19);
    store.Close();
    EXPECT_EQ(22u, ValueCount(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(DWORD(REG_SZ), ReadRaw(HKEY_LOCAL_MACHINE, "FontComment")->Type);
    EXPECT_EQ(32u, ReadRaw(HKEY_LOCAL_MACHINE, "FontHum")->Data.size());
    EXPECT_EQ(DWORD(REG_BINARY), ReadRaw(HKEY_LOCAL_MACHINE, "WinPos")->Type);

    StoredRecords loaded;
    game::GameOptions next;
    ASSERT_EQ(KeyDisposition::Opened, store.Open(kPath, false));
    const LoadResult r = LoadFromStore(store, KeyDisposition::Opened, loaded, next, score);
    EXPECT_EQ(19, r.PRectSize.value_or(0));
    EXPECT_EQ(19, ReadRectSize(store).value_or(0));
    EXPECT_EQ(5, next.ProphyUser);
    EXPECT_EQ(3, manWon);
    EXPECT_EQ(name, std::string(loaded.Fonts.Fonts[0].FaceName.data()));
    EXPECT_EQ("\xCA\xF3\xF0\xFC\xE5\xF0", std::string(loaded.Fonts.Fonts[2].FaceName.data()));
    EXPECT_EQ(1, loaded.Positions.PositionsValid);
    EXPECT_EQ(22u, ValueCount(HKEY_LOCAL_MACHINE));  // nothing needed repair
}

TEST_F(RegistryStoreTest, SpoiltValuesOfAnyTypeStillSaveWellFormed)
{
    const char* names[] = {"ProphyUser", "ManWon", "CompWon", "Salvo", "FirstShoot", "AutoArrange", "Reshot",
                           "RussianFlag", "TimeOut", "BackGround", "BattleField", "Ships", "Lines", "SunkShip",
                           "RectSize", "PRectSize", "WinPos", "FontStringSize", "FontInfo", "FontComment",
                           "FontComp", "FontHum"};
    const DWORD types[] = {REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_MULTI_SZ, REG_QWORD};
    std::mt19937 rng(5);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        store.Close();
        DeleteTestKeys();
        ASSERT_EQ(KeyDisposition::Created, store.Open(kPath, false));
        for (const char* name : names) {
            std::vector<BYTE> data(rng() % 201 + 1);  // one NUL more than is written
            for (auto& b : data) b = BYTE(rng());
            data.back() = 0;
            if (rng() % 4)
                Put(name, types[rng() % 7], data.data(), DWORD(data.size() - 1));
        }
        StoredRecords records;
        game::GameOptions options;
        std::int32_t manWon = 0, compWon = 0, runWins = 0, runLosses = 0;
        LoadFromStore(store, KeyDisposition::Opened, records, options, {manWon, compWon, runWins, runLosses});
        SaveOnClose(store, records, {});
        SaveOnDestroy(store, options, manWon, compWon, records.Colours, 17);

        EXPECT_EQ(22u, ValueCount(HKEY_LOCAL_MACHINE));
        for (const char* name : names) {
            const std::string n = name;
            const bool sz = n == "FontComment" || n == "FontComp" || n == "FontHum";
            const std::size_t size = n == "WinPos" ? 100 : n == "FontInfo" ? 192 : n == "FontStringSize" ? 12
                                     : sz ? 32 : 4;
            const DWORD type = sz ? REG_SZ : size == 4 ? REG_DWORD : REG_BINARY;
            const std::optional<Raw> got = ReadRaw(HKEY_LOCAL_MACHINE, name);
            ASSERT_TRUE(got) << name;
            EXPECT_EQ(type, got->Type) << name;
            ASSERT_EQ(size, got->Data.size()) << name;
            EXPECT_TRUE(!sz || got->Data[31] == 0) << name;
        }
        EXPECT_LE(options.TimeOut, 5000);
    }
}
