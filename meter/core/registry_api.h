// The registry as the ANSI functions of advapi32 present it: eight calls with
// their arguments, handles, result codes and data layout. On Windows the real
// functions stand behind it; elsewhere a store of our own does.
//
// Conventions the callers rely on:
// - Every call returns 0 on success and a system error code otherwise (below).
// - Key paths, value names and text data are bytes in the ANSI code page
//   (Windows-1252). A path is a list of names joined by "\"; an empty path, or a
//   null pointer, names the key the handle stands for. Names are compared
//   without regard to letter case; the empty value name is the key's default value.
// - A size in bytes goes in and comes back through a pointer: a query with no
//   data area reports the size; one with too small an area reports the size and
//   fails with moreData.
#pragma once

#include <cstdint>

namespace meter {

using RegKey = std::uintptr_t; // an open key, or one of the predefined roots
using RegStatus = std::int32_t;
using RegDword = std::uint32_t;

struct RegFileTime {
    RegDword dwLowDateTime = 0;
    RegDword dwHighDateTime = 0;
};

namespace reg {

// Predefined roots: the 32-bit numbers of the platform, sign-extended to a handle.
constexpr RegKey predefinedKey(std::uint32_t number) {
    return static_cast<RegKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(number)));
}
inline constexpr RegKey classesRoot = predefinedKey(0x80000000u);
inline constexpr RegKey currentUser = predefinedKey(0x80000001u);
inline constexpr RegKey localMachine = predefinedKey(0x80000002u);
inline constexpr RegKey users = predefinedKey(0x80000003u);

// Results.
inline constexpr RegStatus success = 0;
inline constexpr RegStatus fileNotFound = 2;
inline constexpr RegStatus accessDenied = 5;
inline constexpr RegStatus invalidHandle = 6;
inline constexpr RegStatus outOfMemory = 14;
inline constexpr RegStatus invalidParameter = 87;
inline constexpr RegStatus badPathname = 161;
inline constexpr RegStatus moreData = 234;
inline constexpr RegStatus noMoreItems = 259;
inline constexpr RegStatus badDatabase = 1009; // the stored registry is unreadable
inline constexpr RegStatus ioFailed = 1016;    // a change could not be stored
inline constexpr RegStatus keyDeleted = 1018;  // the handle's key has been deleted

// Access rights.
inline constexpr RegDword keyQueryValue = 0x0001;
inline constexpr RegDword keySetValue = 0x0002;
inline constexpr RegDword keyCreateSubKey = 0x0004;
inline constexpr RegDword keyEnumerateSubKeys = 0x0008;
inline constexpr RegDword keyNotify = 0x0010;
inline constexpr RegDword keyCreateLink = 0x0020;
inline constexpr RegDword deleteAccess = 0x00010000;
inline constexpr RegDword readControl = 0x00020000;
inline constexpr RegDword writeDac = 0x00040000;
inline constexpr RegDword writeOwner = 0x00080000;
inline constexpr RegDword keyRead = readControl | keyQueryValue | keyEnumerateSubKeys | keyNotify;
inline constexpr RegDword keyAllAccess = 0x000F003F;

// Value types.
inline constexpr RegDword regNone = 0;
inline constexpr RegDword regSz = 1;
inline constexpr RegDword regExpandSz = 2;
inline constexpr RegDword regBinary = 3;
inline constexpr RegDword regDword = 4;

// Key creation.
inline constexpr RegDword optionNonVolatile = 0;
inline constexpr RegDword createdNewKey = 1;
inline constexpr RegDword openedExistingKey = 2;

// The longest key name, and the size of a buffer that holds any name with its NUL.
inline constexpr RegDword maxKeyNameLength = 255;
inline constexpr RegDword keyNameBufferSize = 256;

} // namespace reg

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    // Opens `subKey` below `key`, creating it and its missing parents.
    // `reserved` must be 0, `keyClass` and `securityAttributes` are not used.
    // `disposition` (may be null) tells whether the key was created or opened.
    virtual RegStatus RegCreateKeyExA(RegKey key, const char* subKey, RegDword reserved, char* keyClass,
                                      RegDword options, RegDword desiredAccess, const void* securityAttributes,
                                      RegKey* result, RegDword* disposition) = 0;
    // Opens an existing key; an access the key denies fails with accessDenied.
    virtual RegStatus RegOpenKeyExA(RegKey key, const char* subKey, RegDword options, RegDword desiredAccess,
                                    RegKey* result) = 0;
    virtual RegStatus RegCloseKey(RegKey key) = 0;
    virtual RegStatus RegSetValueExA(RegKey key, const char* valueName, RegDword reserved, RegDword type,
                                     const unsigned char* data, RegDword size) = 0;
    // `reserved` must be null. `type`, `data` and `size` may be null; `data` needs `size`.
    virtual RegStatus RegQueryValueExA(RegKey key, const char* valueName, RegDword* reserved, RegDword* type,
                                       unsigned char* data, RegDword* size) = 0;
    virtual RegStatus RegDeleteValueA(RegKey key, const char* valueName) = 0;
    // Deletes `subKey` below `key` ("" deletes the key itself); fails with
    // accessDenied while it has subkeys.
    virtual RegStatus RegDeleteKeyA(RegKey key, const char* subKey) = 0;
    // The name of the subkey at `index` (in characters, without its NUL, in
    // *nameLength, which holds the buffer's size on entry); noMoreItems past the last.
    virtual RegStatus RegEnumKeyExA(RegKey key, RegDword index, char* name, RegDword* nameLength, RegDword* reserved,
                                    char* keyClass, RegDword* classLength, RegFileTime* lastWriteTime) = 0;
};

} // namespace meter
