// The registry calls handed straight to the system's advapi32. Built only in
// the Windows build.
#pragma once

#include "core/registry_api.h"

namespace meter {

class Advapi32Registry : public RegistryApi {
public:
    RegStatus RegCreateKeyExA(RegKey key, const char* subKey, RegDword reserved, char* keyClass, RegDword options,
                              RegDword desiredAccess, const void* securityAttributes, RegKey* result,
                              RegDword* disposition) override;
    RegStatus RegOpenKeyExA(RegKey key, const char* subKey, RegDword options, RegDword desiredAccess,
                            RegKey* result) override;
    RegStatus RegCloseKey(RegKey key) override;
    RegStatus RegSetValueExA(RegKey key, const char* valueName, RegDword reserved, RegDword type,
                             const unsigned char* data, RegDword size) override;
    RegStatus RegQueryValueExA(RegKey key, const char* valueName, RegDword* reserved, RegDword* type,
                               unsigned char* data, RegDword* size) override;
    RegStatus RegDeleteValueA(RegKey key, const char* valueName) override;
    RegStatus RegDeleteKeyA(RegKey key, const char* subKey) override;
    RegStatus RegEnumKeyExA(RegKey key, RegDword index, char* name, RegDword* nameLength, RegDword* reserved,
                            char* keyClass, RegDword* classLength, RegFileTime* lastWriteTime) override;
};

} // namespace meter
