// The settings key in the real registry: which hive it is opened in, what
// queries report, and a first run, a close, a destroy and the next load,
// all under a key of the tests' own.
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

// Wine keeps the access lists of keys, so a key can be made read-only.
bool SetDacl(HKEY root, const char* sddl)
{
    HKEY key;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (RegOpenKeyExA(root, kPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    const bool ok = ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr) &&
                    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
    LocalFree(sd);
    RegCloseKey(key);
    return ok;
}

DWORD ValueCount(HKEY root)
{
    DWORD count = 0;
    HKEY key;
    if (RegOpenKeyExA(root, kPath, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                         nullptr);
        RegCloseKey(key);
    }
    return count;
}

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
        SetDacl(HKEY_LOCAL_MACHINE, "D:(A;;KA;;;WD)");
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRoot);
        RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    }
    // The local machine's key, with a count of won games or empty, made read-only.
    static void ReadOnlyLocalMachineKey(const DWORD* won)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        if (won)
            RegSetValueExA(key, "ManWon", 0, REG_DWORD, reinterpret_cast<const BYTE*>(won), sizeof *won);
        RegCloseKey(key);
        ASSERT_TRUE(SetDacl(HKEY_LOCAL_MACHINE, "D:(A;;KR;;;WD)"));
    }

    RegistryStore store;
};

TEST_F(RegistryStoreTest, TheLocalMachineWhenWritableElseTheCurrentUser)
{
    EXPECT_EQ(KeyDisposition::Created, store.Open(kPath, false));
    EXPECT_EQ(KeyRoot::LocalMachine, store.Root());
    store.Close();
    EXPECT_EQ(KeyDisposition::Opened, store.Open(kPath, false));
    EXPECT_EQ(KeyRoot::LocalMachine, store.Root());
    store.Close();

    DeleteTestKeys();
    ReadOnlyLocalMachineKey(nullptr);
    EXPECT_EQ(KeyDisposition::Created, store.Open(kPath, false)) << "no values to start from";
    EXPECT_EQ(KeyRoot::CurrentUser, store.Root());
}

TEST_F(RegistryStoreTest, AUsersNewKeyStartsFromTheReadableLocalMachineKey)
{
    const DWORD seven = 7;
    ReadOnlyLocalMachineKey(&seven);
    EXPECT_EQ(KeyDisposition::Opened, store.Open(kPath, false));
    EXPECT_EQ(KeyRoot::CurrentUser, store.Root());
    std::uint8_t won[4] = {};
    ASSERT_EQ(QueryStatus::Ok, store.Query("ManWon", won, 4).Status);
    EXPECT_EQ(7, won[0]);
    // The user's own values count from then on; the local machine's stay.
    const std::uint8_t nine[4] = {9, 0, 0, 0};
    store.Set("ManWon", ValueType::Dword, nine, 4);
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
    const std::uint8_t dword[4] = {1, 2, 3, 4}, face[32] = "Arial";
    store.Set("D", ValueType::Dword, dword, 4);
    store.Set("S", ValueType::Sz, face, 32);
    const struct {
        const char* name;
        std::uint32_t capacity;
        QueryStatus status;
        std::uint32_t size;
    } cases[] = {{"D", 4, QueryStatus::Ok, 4},   {"D", 3, QueryStatus::TooBig, 4}, {"S", 0, QueryStatus::TooBig, 32},
                 {"S", 40, QueryStatus::Ok, 32}, {"Nothing", 4, QueryStatus::Missing, 0}};
    for (const auto& c : cases) {
        std::uint8_t buffer[40] = {};
        const QueryResult r = store.Query(c.name, buffer, c.capacity);
        EXPECT_EQ(c.status, r.Status) << c.name << " into " << c.capacity;
        EXPECT_EQ(c.size, r.Size) << c.name << " into " << c.capacity;
        EXPECT_TRUE(r.Status != QueryStatus::Ok || std::memcmp(buffer, c.name[0] == 'D' ? dword : face, c.size) == 0);
    }
}

TEST_F(RegistryStoreTest, AFirstRunACloseADestroyAndTheNextLoad)
{
    ASSERT_EQ(KeyDisposition::Created, store.Open(kPath, false));
    Settings run = Load(store, KeyDisposition::Created, Settings{}).Values;
    const std::string longest = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde";  // 31 characters and the end
    const std::string courier = "\xCA\xF3\xF0\xFC\xE5\xF0";         // "Курьер" in code page 1251
    std::memcpy(run.Fonts.Fonts[0].FaceName.data(), longest.c_str(), longest.size() + 1);
    std::memcpy(run.Fonts.Fonts[2].FaceName.data(), courier.c_str(), courier.size() + 1);
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
    const Settings& got = next.Values;
    EXPECT_TRUE(next.FromKey);
    EXPECT_EQ(19, next.PRectSize.value_or(0));
    EXPECT_EQ(19, ReadRectSize(store).value_or(0));
    EXPECT_EQ(2, got.Options.ProphyUser);
    EXPECT_TRUE(got.Options.Salvo);
    EXPECT_EQ(3, got.ManWon);
    EXPECT_EQ(RGB(1, 2, 3), got.Colours.Ships);
    EXPECT_EQ(longest, std::string(got.Fonts.Fonts[0].FaceName.data()));
    EXPECT_EQ(courier, std::string(got.Fonts.Fonts[2].FaceName.data()));
    EXPECT_EQ(1, got.Positions.PositionsValid);
    EXPECT_EQ(3, got.Positions.Rects[kHumanBoardSlot].right);
    EXPECT_EQ(values, ValueCount(HKEY_LOCAL_MACHINE)) << "nothing needed repair";
}

}  // namespace
