// The user's settings as named values in the system's own store (on Windows the registry key
// "Software\Vossick\Tarnel" of the current user): 4-byte numbers and one text value. The order
// of reads and writes is the caller's; the store only moves single values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tarnel::platform {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // A 4-byte number; nothing when the value is missing or does not fit 4 bytes.
    virtual std::optional<std::uint32_t> readNumber(const std::string& name) = 0;
    // A text of at most maxBytes bytes; nothing when missing, not text, or longer.
    virtual std::optional<std::string> readText(const std::string& name, std::size_t maxBytes) = 0;
    virtual bool writeNumber(const std::string& name, std::uint32_t value) = 0;
    // Why the last failed write failed, in the system's words.
    virtual std::string writeFailure() const { return {}; }
};

enum class StoreAccess { Read, Write };

constexpr const char* kSettingsKey = "Software\\Vossick\\Tarnel";

// The key under the current user, created when missing; null when it cannot be opened, with
// the system's reason in reason when given.
std::unique_ptr<SettingsStore> openSettingsStore(StoreAccess access, const std::string& keyPath = kSettingsKey,
                                                 std::string* reason = nullptr);

}  // namespace tarnel::platform
