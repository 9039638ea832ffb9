#include "core/cdoreg.h"

#include "core/text_encoding.h"

#include <array>
#include <exception>
#include <utility>

namespace meter {

namespace {

constexpr std::int16_t maxSubKeyCount = 32767;

// A key handle that is closed when it goes out of scope, also on the way out
// of a failed conversion.
class OpenKey {
public:
    explicit OpenKey(RegistryApi& registry) : registry_(registry) {}
    ~OpenKey() {
        if (open_) registry_.RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    bool open(RegKey parent, const std::string& path) {
        open_ = registry_.RegOpenKeyExA(parent, path.c_str(), 0, reg::keyAllAccess, &key_) == reg::success;
        return open_;
    }
    RegKey get() const { return key_; }

private:
    RegistryApi& registry_;
    RegKey key_ = 0;
    bool open_ = false;
};

// Runs one operation; any error on the way (such as exhausted memory) gives
// the operation's failure value.
template <typename R, typename F>
R trapped(R failure, F&& operation) {
    try {
        return std::forward<F>(operation)();
    } catch (...) {
        return failure;
    }
}

std::string keyPath(const std::string& strSubKeyName) { return CDoReg::keyPathPrefix + toWindows1252(strSubKeyName); }

bool setDword(RegistryApi& registry, RegKey key, const std::string& valueName, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    const std::array<unsigned char, 4> bytes{static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                                             static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
    return registry.RegSetValueExA(key, toWindows1252(valueName).c_str(), 0, reg::regDword, bytes.data(),
                                   static_cast<RegDword>(bytes.size())) == reg::success;
}

} // namespace

CDoReg::CDoReg(RegistryApi& registry, Regional regional) : registry_(registry), regional_(std::move(regional)) {}

std::int32_t CDoReg::CreatKeyLG(const std::string& strSubKeyName) {
    return trapped<std::int32_t>(0, [&]() -> std::int32_t {
        RegKey key = 0;
        RegDword disposition = 0;
        if (registry_.RegCreateKeyExA(reg::localMachine, keyPath(strSubKeyName).c_str(), 0, nullptr,
                                      reg::optionNonVolatile, reg::keyAllAccess, nullptr, &key,
                                      &disposition) != reg::success)
            return 0;
        registry_.RegCloseKey(key);
        return -1;
    });
}

VariantBool CDoReg::SetKeyValueLG(const std::string& strSubKeyName, const std::string& strValueName,
                                  std::int32_t lngValueType, const Variant& varValueData) {
    return trapped(variantFalse, [&]() -> VariantBool {
        OpenKey key(registry_);
        if (!key.open(reg::localMachine, keyPath(strSubKeyName))) return variantFalse;
        switch (lngValueType) {
        case static_cast<std::int32_t>(reg::regSz): {
            const std::optional<std::string> text = variantToText(varValueData, regional_.decimalSeparator);
            if (!text) return variantFalse;
            return SetStringValueLG(strSubKeyName, strValueName, *text);
        }
        case static_cast<std::int32_t>(reg::regDword): {
            const std::optional<std::int32_t> n = variantToInt32(varValueData, regional_.decimalSeparator);
            if (!n) return variantFalse;
            return toVariantBool(setDword(registry_, key.get(), strValueName, *n));
        }
        default: return variantFalse;
        }
    });
}

RegValue CDoReg::GetKeyValueLG(const std::string& strSubKeyName, const std::string& strValueName) {
    return trapped(RegValue{}, [&]() -> RegValue {
        OpenKey key(registry_);
        if (!key.open(reg::localMachine, keyPath(strSubKeyName))) return {};
        const std::string name = toWindows1252(strValueName);

        // The type and size first; the call's own result tells nothing more.
        RegDword type = reg::regNone;
        RegDword size = 0;
        registry_.RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size);

        if (type == reg::regSz) {
            if (size == 0) return {};
            std::string buffer(size, '\0');
            RegDword got = size;
            if (registry_.RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr,
                                           reinterpret_cast<unsigned char*>(buffer.data()), &got) != reg::success ||
                got == 0 || got > size)
                return {};
            // The last byte is the terminating NUL.
            buffer.resize(got - 1);
            return fromWindows1252(buffer);
        }
        if (type == reg::regDword) {
            // Into an integer that starts at 0: data shorter than four bytes
            // fills its low bytes (01 02 gives 513, none gives 0); longer data
            // does not fit and gives nothing.
            std::array<unsigned char, 4> bytes{};
            RegDword got = static_cast<RegDword>(bytes.size());
            if (registry_.RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, bytes.data(), &got) !=
                    reg::success ||
                got > bytes.size())
                return {};
            const std::uint32_t u = bytes[0] | (std::uint32_t{bytes[1]} << 8) | (std::uint32_t{bytes[2]} << 16) |
                                    (std::uint32_t{bytes[3]} << 24);
            return static_cast<std::int32_t>(u);
        }
        return {};
    });
}

VariantBool CDoReg::DeleteKeyLG(const std::string& strSubKeyName) {
    return trapped(variantFalse, [&]() -> VariantBool {
        // Without a name of its own the key would be the application-paths key
        // itself, with every application's registration below it.
        if (strSubKeyName.find_first_not_of('\\') == std::string::npos) return variantFalse;
        OpenKey key(registry_);
        if (!key.open(reg::localMachine, keyPath(strSubKeyName))) return variantFalse;
        if (registry_.RegDeleteKeyA(key.get(), "") == reg::success) return variantTrue;
        // It has subkeys.
        return toVariantBool(DeleteSubKeyTree(key.get(), ""));
    });
}

VariantBool CDoReg::DeleteKeyValueLG(const std::string& strSubKeyName, const std::string& strValueName) {
    return trapped(variantFalse, [&]() -> VariantBool {
        OpenKey key(registry_);
        if (!key.open(reg::localMachine, keyPath(strSubKeyName))) return variantFalse;
        return toVariantBool(registry_.RegDeleteValueA(key.get(), toWindows1252(strValueName).c_str()) == reg::success);
    });
}

VariantBool CDoReg::IsExistKeyLG(const std::string& strSubKeyName) {
    return trapped(variantFalse, [&]() -> VariantBool {
        OpenKey key(registry_);
        return toVariantBool(key.open(reg::localMachine, keyPath(strSubKeyName)));
    });
}

std::int16_t CDoReg::SubKeyCount(const std::string& strSubKeyName) {
    return trapped<std::int16_t>(0, [&]() -> std::int16_t {
        OpenKey key(registry_);
        if (!key.open(reg::localMachine, keyPath(strSubKeyName))) return 0;
        std::array<char, reg::keyNameBufferSize> name{};
        std::int32_t index = 0;
        for (;;) {
            RegDword length = reg::keyNameBufferSize;
            if (registry_.RegEnumKeyExA(key.get(), static_cast<RegDword>(index), name.data(), &length, nullptr, nullptr,
                                        nullptr, nullptr) != reg::success)
                break;
            // One more does not fit in the result.
            if (++index > maxSubKeyCount) return 0;
        }
        return static_cast<std::int16_t>(index);
    });
}

VariantBool CDoReg::SetStringValueLG(const std::string& strSubKeyName, const std::string& strValueName,
                                     const std::string& varValueData) {
    return trapped(variantFalse, [&]() -> VariantBool {
        OpenKey key(registry_);
        if (!key.open(reg::localMachine, keyPath(strSubKeyName))) return variantFalse;
        const std::string text = toWindows1252(varValueData);
        // With its terminating NUL, which c_str() provides.
        const std::size_t size = text.size() + 1;
        if (size > UINT32_MAX) return variantFalse;
        return toVariantBool(registry_.RegSetValueExA(key.get(), toWindows1252(strValueName).c_str(), 0, reg::regSz,
                                                      reinterpret_cast<const unsigned char*>(text.c_str()),
                                                      static_cast<RegDword>(size)) == reg::success);
    });
}

VariantBool CDoReg::SetLongValueLG(const std::string& strSubKeyName, const std::string& strValueName,
                                   std::int32_t varValueData) {
    return trapped(variantFalse, [&]() -> VariantBool {
        OpenKey key(registry_);
        if (!key.open(reg::localMachine, keyPath(strSubKeyName))) return variantFalse;
        return toVariantBool(setDword(registry_, key.get(), strValueName, varValueData));
    });
}

bool CDoReg::DeleteSubKeyTree(RegKey parent, const std::string& name) {
    OpenKey key(registry_);
    if (!key.open(parent, name)) return false;
    if (registry_.RegDeleteKeyA(key.get(), "") == reg::success) return true;

    // Delete the subkeys one by one: each deletion moves the next one to index 0.
    std::array<char, reg::keyNameBufferSize> subKey{};
    for (;;) {
        RegDword length = reg::keyNameBufferSize;
        if (registry_.RegEnumKeyExA(key.get(), 0, subKey.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            reg::success)
            break;
        if (length >= subKey.size()) break;
        if (!DeleteSubKeyTree(key.get(), std::string(subKey.data(), length))) break;
    }
    return registry_.RegDeleteKeyA(key.get(), "") == reg::success;
}

} // namespace meter
