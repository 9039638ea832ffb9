// A registry of our own, kept in a folder, that behaves as the system's does
// for the calls of RegistryApi:
// - names of keys and values are compared without regard to letter case
//   (Windows-1252 letters included) and keep the case they were created with;
// - "" names a key's default value; an empty subkey path names the key itself;
// - a create makes the missing parents; deleting a key that has subkeys, or a
//   predefined root, fails with accessDenied; handles to a deleted key fail
//   with keyDeleted; subkeys are enumerated in the order of their names;
// - a key can be marked as denying full access: opening or creating it with
//   the right to set values then fails with accessDenied, while reading opens
//   still work.
//
// Keys, subkeys and typed values live in the file "registry" of the folder.
// Every change writes a complete new file beside it, which then replaces it,
// so a crash leaves either the old or the new store, never half of one; a
// change that cannot be stored so fails with ioFailed and is dropped. Each call holds a lock on "registry.lock" and reads the file again
// when another store object (in this or another process) has changed it, so
// all of them see one registry. A file that cannot be read as a store is left
// as it is, and every call fails with badDatabase until it is mended or removed.
//
// One thread at a time per object.
#pragma once

#include "core/registry_api.h"

#include <filesystem>
#include <memory>

namespace meter {

class RegistryStore : public RegistryApi {
public:
    // The store in `root`, which is created when first needed.
    explicit RegistryStore(std::filesystem::path root = defaultRoot());
    ~RegistryStore() override;
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // The user's data folder for meter: $XDG_DATA_HOME/meter, else
    // ~/.local/share/meter.
    static std::filesystem::path defaultRoot();
    const std::filesystem::path& root() const;

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

    // Marks the key the handle stands for as denying full access, or lifts the
    // mark. The handle needs writeDac; a predefined root cannot be marked.
    RegStatus setDeniesFullAccess(RegKey key, bool deny);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace meter
