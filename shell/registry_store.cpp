// The settings key in the registry, through the ANSI calls: value names are
// ASCII and the face names are code-page byte strings.
#include "shell/registry_store.h"

#include <cstring>
#include <vector>

namespace settings {
namespace {

bool LocalMachineSkipped()
{
    char value[4] = {};
    const DWORD n = GetEnvironmentVariableA(kSkipLocalMachineVariable, value, sizeof value);
    return n == 1 && value[0] == '1';
}

// RegCreateKeyExA with full access fails where we may not write.
bool CreateKey(HKEY root, const char* path, HKEY& key, DWORD& disposition)
{
    return RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                           &disposition) == ERROR_SUCCESS;
}

// A user who may read the local machine's key but not write it starts from
// its values, so that totals kept there carry over to the user's own key.
// Values go over as they are; the load pass checks them as always.
bool CopyReadableValues(HKEY root, const char* path, HKEY to)
{
    HKEY from;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &from) != ERROR_SUCCESS)
        return false;
    DWORD count = 0, longestName = 0, longestData = 0;
    bool copied = false;
    if (RegQueryInfoKeyA(from, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                         &longestData, nullptr, nullptr) == ERROR_SUCCESS) {
        std::vector<char> name(longestName + 1);
        std::vector<BYTE> data(longestData + 1);
        for (DWORD i = 0; i < count; ++i) {
            DWORD nameSize = static_cast<DWORD>(name.size());
            DWORD dataSize = static_cast<DWORD>(data.size());
            DWORD type = 0;
            if (RegEnumValueA(from, i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize) !=
                ERROR_SUCCESS)
                continue;
            if (RegSetValueExA(to, name.data(), 0, type, data.data(), dataSize) == ERROR_SUCCESS)
                copied = true;
        }
    }
    RegCloseKey(from);
    return copied;
}

}  // namespace

KeyDisposition RegistryStore::Open(const char* path) { return Open(path, LocalMachineSkipped()); }

KeyDisposition RegistryStore::Open(const char* path, bool skipLocalMachine)
{
    Close();
    DWORD disposition = 0;
    if (!skipLocalMachine && CreateKey(HKEY_LOCAL_MACHINE, path, m_key, disposition))
        m_root = KeyRoot::LocalMachine;
    else if (CreateKey(HKEY_CURRENT_USER, path, m_key, disposition))
        m_root = KeyRoot::CurrentUser;
    else
        return KeyDisposition::Unavailable;
    if (m_root == KeyRoot::CurrentUser && disposition == REG_CREATED_NEW_KEY && !skipLocalMachine &&
        CopyReadableValues(HKEY_LOCAL_MACHINE, path, m_key))
        disposition = REG_OPENED_EXISTING_KEY;
    return disposition == REG_CREATED_NEW_KEY ? KeyDisposition::Created : KeyDisposition::Opened;
}

void RegistryStore::Close()
{
    if (m_key)
        RegCloseKey(m_key);
    m_key = nullptr;
    m_root = KeyRoot::None;
}

QueryResult RegistryStore::Query(const char* name, std::uint8_t* buffer, std::uint32_t capacity) const
{
    if (!m_key)
        return {QueryStatus::Missing, 0};
    // A null buffer would turn the call into a size query that always succeeds.
    BYTE spare = 0;
    DWORD size = capacity;
    const LSTATUS rc = RegQueryValueExA(m_key, name, nullptr, nullptr, buffer ? buffer : &spare, &size);
    if (rc == ERROR_SUCCESS)
        return {QueryStatus::Ok, size};
    if (rc == ERROR_MORE_DATA)
        return {QueryStatus::TooBig, size};
    return {QueryStatus::Missing, 0};
}

void RegistryStore::Set(const char* name, ValueType type, const std::uint8_t* data, std::uint32_t size)
{
    if (!m_key)
        return;
    // The system looks one byte past a string that does not end in NUL, so
    // strings go out from a copy that has that byte.
    std::vector<BYTE> copy(data, data + size);
    copy.push_back(0);
    RegSetValueExA(m_key, name, 0, static_cast<DWORD>(type), copy.data(), size);
}

}  // namespace settings
