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
// so a crash leaves either the old or the new store, never half of one, and
// no other file (see FileReplacement). A change that cannot be stored so fails
// with ioFailed and is dropped; so does one that would make the file larger
// than maxFileSize (16 MiB, which holds values of up to some 8 MB in all, as
// every byte is stored as two hex digits), and a create that would need a key
// id beyond the last one, 2^64 - 1 (ids are never given twice).
//
// Each call holds a lock on "registry.lock" and reads the file again when
// another store object (in this or another process) has changed it, so all of
// them see one registry. A file that cannot be read as a store is left as it
// is, and every call fails with badDatabase until it is mended or removed;
// that includes a store file that is no regular file (a pipe, a device, a
// folder: none is opened for reading) and one larger than maxFileSize, which
// is refused before a byte of it is read. Why a file is refused, and the cause
// of an ioFailed, are written to the log ("meter.platform"); a refusal once
// while it stays the same.
//
// One thread at a time per object.
#pragma once

#include "core/registry_api.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace meter {

class RegistryStore : public RegistryApi {
public:
    static constexpr std::uintmax_t maxFileSize = 16 * 1024 * 1024;

    // The store in `root`, which is created when first needed. A relative
    // root is taken from the working folder of this moment.
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
