#include "platform/win32/advapi32_registry.h"

#include <windows.h>

namespace meter {

namespace {

HKEY hkey(RegKey k) { return reinterpret_cast<HKEY>(k); }
RegKey regKey(HKEY k) { return reinterpret_cast<RegKey>(k); }

// DWORD is a distinct 32-bit type here: in/out numbers pass through one,
// and a number the call leaves alone comes back as it went in.
class InOut {
public:
    explicit InOut(RegDword* p) : p_(p), v_(p != nullptr ? *p : 0) {}
    ~InOut() {
        if (p_ != nullptr) *p_ = static_cast<RegDword>(v_);
    }
    InOut(const InOut&) = delete;
    InOut& operator=(const InOut&) = delete;
    LPDWORD get() { return p_ != nullptr ? &v_ : nullptr; }

private:
    RegDword* p_;
    DWORD v_;
};

} // namespace

RegStatus Advapi32Registry::RegCreateKeyExA(RegKey key, const char* subKey, RegDword reserved, char* keyClass,
                                            RegDword options, RegDword desiredAccess, const void* securityAttributes,
                                            RegKey* result, RegDword* disposition) {
    HKEY opened = nullptr;
    InOut d(disposition);
    const LONG r = ::RegCreateKeyExA(hkey(key), subKey, reserved, keyClass, options, desiredAccess,
                                     static_cast<LPSECURITY_ATTRIBUTES>(const_cast<void*>(securityAttributes)),
                                     result != nullptr ? &opened : nullptr, d.get());
    if (r == ERROR_SUCCESS && result != nullptr) *result = regKey(opened);
    return r;
}

RegStatus Advapi32Registry::RegOpenKeyExA(RegKey key, const char* subKey, RegDword options, RegDword desiredAccess,
                                          RegKey* result) {
    HKEY opened = nullptr;
    const LONG r = ::RegOpenKeyExA(hkey(key), subKey, options, desiredAccess, result != nullptr ? &opened : nullptr);
    if (r == ERROR_SUCCESS && result != nullptr) *result = regKey(opened);
    return r;
}

RegStatus Advapi32Registry::RegCloseKey(RegKey key) { return ::RegCloseKey(hkey(key)); }

RegStatus Advapi32Registry::RegSetValueExA(RegKey key, const char* valueName, RegDword reserved, RegDword type,
                                           const unsigned char* data, RegDword size) {
    return ::RegSetValueExA(hkey(key), valueName, reserved, type, data, size);
}

RegStatus Advapi32Registry::RegQueryValueExA(RegKey key, const char* valueName, RegDword* reserved, RegDword* type,
                                             unsigned char* data, RegDword* size) {
    InOut r(reserved), t(type), s(size);
    return ::RegQueryValueExA(hkey(key), valueName, r.get(), t.get(), data, s.get());
}

RegStatus Advapi32Registry::RegDeleteValueA(RegKey key, const char* valueName) {
    return ::RegDeleteValueA(hkey(key), valueName);
}

RegStatus Advapi32Registry::RegDeleteKeyA(RegKey key, const char* subKey) { return ::RegDeleteKeyA(hkey(key), subKey); }

RegStatus Advapi32Registry::RegEnumKeyExA(RegKey key, RegDword index, char* name, RegDword* nameLength,
                                          RegDword* reserved, char* keyClass, RegDword* classLength,
                                          RegFileTime* lastWriteTime) {
    InOut n(nameLength), r(reserved), c(classLength);
    FILETIME written{};
    const LONG result = ::RegEnumKeyExA(hkey(key), index, name, n.get(), r.get(), keyClass, c.get(),
                                        lastWriteTime != nullptr ? &written : nullptr);
    if (result == ERROR_SUCCESS && lastWriteTime != nullptr)
        *lastWriteTime = RegFileTime{written.dwLowDateTime, written.dwHighDateTime};
    return result;
}

} // namespace meter
