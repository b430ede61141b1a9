// The settings key under HKEY_CURRENT_USER through the ADVAPI32 registry calls: opened (and
// created when missing) with RegCreateKeyExA, numbers as REG_DWORD, Path as REG_SZ.
#include "platform/settings_store.h"

#include "platform/win32/error_text.h"

#include <windows.h>

#include <vector>

namespace tarnel::platform {

namespace {

class RegistryStore final : public SettingsStore {
public:
    explicit RegistryStore(HKEY key) : key_(key) {}
    ~RegistryStore() override { RegCloseKey(key_); }
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Read as 4 bytes into a 4-byte buffer, whatever the stored type says.
    std::optional<std::uint32_t> readNumber(const std::string& name) override {
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
                ERROR_SUCCESS ||
            size != sizeof value)
            return std::nullopt;
        return static_cast<std::uint32_t>(value);
    }

    std::optional<std::string> readText(const std::string& name, std::size_t maxBytes) override {
        std::vector<char> text(maxBytes + 1, '\0');
        DWORD type = 0;
        auto size = static_cast<DWORD>(text.size());
        if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
                ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        // The stored string may or may not carry its terminating NUL.
        std::string value(text.data(), std::min<std::size_t>(size, text.size()));
        value = value.substr(0, value.find('\0'));
        if (value.size() > maxBytes) return std::nullopt;
        return value;
    }

    bool writeNumber(const std::string& name, std::uint32_t value) override {
        DWORD number = value;
        LONG result = RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                     sizeof number);
        if (result != ERROR_SUCCESS) writeFailure_ = systemErrorText(static_cast<unsigned long>(result));
        return result == ERROR_SUCCESS;
    }

    std::string writeFailure() const override { return writeFailure_; }

private:
    HKEY key_;
    std::string writeFailure_;
};

}  // namespace

std::unique_ptr<SettingsStore> openSettingsStore(StoreAccess access, const std::string& keyPath,
                                                 std::string* reason) {
    HKEY key = nullptr;
    REGSAM rights = access == StoreAccess::Read ? KEY_READ : KEY_WRITE;
    LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, rights, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) {
        if (reason) *reason = systemErrorText(static_cast<unsigned long>(result));
        return nullptr;
    }
    return std::make_unique<RegistryStore>(key);
}

}  // namespace tarnel::platform
