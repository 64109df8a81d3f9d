// The settings key in the real registry: which hive it is opened in, what
// queries report, and a first run, a close, a destroy and the next load,
// all under keys of the tests' own.
#include <windows.h>
#include <sddl.h>

#include <cstring>
#include <string>

#include "shell/registry_store.h"
#include "support.h"

namespace {

using namespace settings;

constexpr char kRoot[] = "SOFTWARE\\TrivokTest";
constexpr char kPath[] = "SOFTWARE\\TrivokTest\\Settings";

bool KeyExists(HKEY root, const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
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

// Wine keeps the access lists of keys, so a key can be made read-only.
bool SetDacl(HKEY key, const char* sddl)
{
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr))
        return false;
    const bool ok = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
    LocalFree(sd);
    return ok;
}

constexpr char kEveryoneReads[] = "D:(A;;KR;;;WD)";
constexpr char kEveryoneAll[] = "D:(A;;KA;;;WD)";

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteTestKeys(); }
    void TearDown() override
    {
        store.Close();
        DeleteTestKeys();
    }

    static void DeleteTestKeys()
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
            SetDacl(key, kEveryoneAll);
            RegCloseKey(key);
        }
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRoot);
        RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    }

    // The local machine's key with a count of won games, then read-only.
    static void MakeReadOnlyLocalMachineKey(bool withValues)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                 &key, nullptr));
        const DWORD won = 7;
        if (withValues)
            RegSetValueExA(key, "ManWon", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&won), sizeof won);
        ASSERT_TRUE(SetDacl(key, kEveryoneReads));
        RegCloseKey(key);
    }

    RegistryStore store;
};

TEST_F(RegistryStoreTest, TheLocalMachineWhenWritableElseTheCurrentUser)
{
    EXPECT_EQ(KeyDisposition::Created, store.Open(kPath, false));
    EXPECT_EQ(KeyRoot::LocalMachine, store.Root());
    store.Close();
    EXPECT_EQ(KeyDisposition::Opened, store.Open(kPath, false));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kPath));
    store.Close();

    DeleteTestKeys();
    MakeReadOnlyLocalMachineKey(false);
    EXPECT_EQ(KeyDisposition::Created, store.Open(kPath, false)) << "nothing to start from";
    EXPECT_EQ(KeyRoot::CurrentUser, store.Root());
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPath));
}

TEST_F(RegistryStoreTest, AUsersNewKeyStartsFromTheReadableLocalMachineKey)
{
    MakeReadOnlyLocalMachineKey(true);
    EXPECT_EQ(KeyDisposition::Opened, store.Open(kPath, false));
    EXPECT_EQ(KeyRoot::CurrentUser, store.Root());
    std::uint8_t won[4] = {};
    ASSERT_EQ(QueryStatus::Ok, store.Query("ManWon", won, 4).Status);
    EXPECT_EQ(7, won[0]);
    // The user's own values count from then on; the local machine's stay.
    const std::uint8_t more[4] = {9, 0, 0, 0};
    store.Set("ManWon", ValueType::Dword, more, 4);
    store.Close();
    EXPECT_EQ(KeyDisposition::Opened, store.Open(kPath, false));
    ASSERT_EQ(QueryStatus::Ok, store.Query("ManWon", won, 4).Status);
    EXPECT_EQ(9, won[0]);
    DWORD kept = 0, size = sizeof kept;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_LOCAL_MACHINE, kPath, "ManWon", RRF_RT_DWORD, nullptr, &kept, &size));
    EXPECT_EQ(7u, kept);
}

TEST_F(RegistryStoreTest, QueriesReportWhatFitsWhatIsTooBigAndWhatIsMissing)
{
    ASSERT_EQ(KeyDisposition::Created, store.Open(kPath, false));
    const std::uint8_t dword[4] = {1, 2, 3, 4};
    std::uint8_t face[32] = "Arial";
    store.Set("D", ValueType::Dword, dword, 4);
    store.Set("S", ValueType::Sz, face, 32);
    std::uint8_t buffer[40] = {};
    const struct {
        const char* name;
        std::uint32_t capacity;
        QueryStatus status;
        std::uint32_t size;
    } cases[] = {
        {"D", 4, QueryStatus::Ok, 4},     {"D", 3, QueryStatus::TooBig, 4}, {"S", 0, QueryStatus::TooBig, 32},
        {"S", 40, QueryStatus::Ok, 32},   {"Nothing", 4, QueryStatus::Missing, 0},
    };
    for (const auto& c : cases) {
        const QueryResult r = store.Query(c.name, buffer, c.capacity);
        EXPECT_EQ(c.status, r.Status) << c.name << " into " << c.capacity;
        EXPECT_EQ(c.size, r.Size) << c.name << " into " << c.capacity;
    }
    EXPECT_EQ(0, std::memcmp(face, buffer, 32));
}

TEST_F(RegistryStoreTest, AFirstRunACloseADestroyAndTheNextLoad)
{
    ASSERT_EQ(KeyDisposition::Created, store.Open(kPath, false));
    Settings run = Load(store, KeyDisposition::Created, Settings{}).Values;
    const std::string longest = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde";  // 31 characters and the end
    std::memcpy(run.Fonts.Fonts[0].FaceName.data(), longest.c_str(), longest.size() + 1);
    std::memcpy(run.Fonts.Fonts[2].FaceName.data(), "\xCA\xF3\xF0\xFC\xE5\xF0", 7);  // "Курьер" in code page 1251
    run.FaceCounts = {32, 32, 32};
    run.Options.ProphyUser = 2;
    run.Options.Salvo = true;
    run.ManWon = 3;
    run.Colours.Ships = RGB(1, 2, 3);
    run.Positions.Rects[kHumanBoardSlot] = {1, 2, 3, 4};
    run.Positions.PositionsValid = 1;
    run.CellSize = 19;
    SaveOnClose(store, run);
    SaveOnDestroy(store, run);
    store.Close();

    ASSERT_EQ(KeyDisposition::Opened, store.Open(kPath, false));
    const DWORD values = ValueCount(HKEY_LOCAL_MACHINE);
    const Loaded next = Load(store, KeyDisposition::Opened, Settings{});
    EXPECT_TRUE(next.FromKey);
    EXPECT_EQ(19, next.PRectSize.value_or(0));
    EXPECT_EQ(19, ReadRectSize(store).value_or(0));
    EXPECT_EQ(2, next.Values.Options.ProphyUser);
    EXPECT_TRUE(next.Values.Options.Salvo);
    EXPECT_EQ(3, next.Values.ManWon);
    EXPECT_EQ(RGB(1, 2, 3), next.Values.Colours.Ships);
    EXPECT_EQ(longest, std::string(next.Values.Fonts.Fonts[0].FaceName.data()));
    EXPECT_EQ("\xCA\xF3\xF0\xFC\xE5\xF0", std::string(next.Values.Fonts.Fonts[2].FaceName.data()));
    EXPECT_EQ(1, next.Values.Positions.PositionsValid);
    EXPECT_EQ(3, next.Values.Positions.Rects[kHumanBoardSlot].right);
    EXPECT_EQ(values, ValueCount(HKEY_LOCAL_MACHINE)) << "nothing needed repair";
}

}  // namespace
