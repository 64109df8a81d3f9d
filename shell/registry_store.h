// The settings key in the registry: SOFTWARE\Trivok under HKEY_LOCAL_MACHINE
// when it can be written there, otherwise the same path under HKEY_CURRENT_USER,
// made on its first use from whatever the local machine's key holds.
#pragma once

#include <windows.h>

#include "shell/settings_codec.h"

namespace settings {

constexpr char kSettingsKeyPath[] = "SOFTWARE\\Trivok";

// When this environment variable is "1" at start-up, HKEY_LOCAL_MACHINE is
// skipped as for a user without rights there; tests use it to reach the
// HKEY_CURRENT_USER key where the local machine is writable (as under Wine).
constexpr char kSkipLocalMachineVariable[] = "TRIVOK_SETTINGS_HKCU";

// Which hive holds the open key.
enum class KeyRoot { None, LocalMachine, CurrentUser };

class RegistryStore final : public SettingsStore {
public:
    RegistryStore() = default;
    ~RegistryStore() override { Close(); }
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Opens or creates the key with full access; Created on a first run,
    // Opened on later ones (and for a user's key seeded from the local
    // machine's), Unavailable when neither hive lets us in.
    KeyDisposition Open(const char* path = kSettingsKeyPath);
    KeyDisposition Open(const char* path, bool skipLocalMachine);
    void Close();
    KeyRoot Root() const { return m_root; }

    // Without an open key nothing is found and nothing is kept.
    QueryResult Query(const char* name, std::uint8_t* buffer, std::uint32_t capacity) const override;
    void Set(const char* name, ValueType type, const std::uint8_t* data, std::uint32_t size) override;

private:
    HKEY m_key = nullptr;
    KeyRoot m_root = KeyRoot::None;
};

}  // namespace settings
