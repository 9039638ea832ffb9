// Registry operations on the application-paths keys:
//   HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\<name>
// The class keeps no state: each operation opens its own handle (with full
// access, also to read), closes it on every path, and turns every failure, of
// the registry or of converting an argument, into its failure value: False, 0
// or an empty result. Texts are UTF-8 here and Windows-1252 in the registry.
//
// The operations are plain public members, in the order of the automation
// interface they come from.
#pragma once

#include "core/regional.h"
#include "core/registry_api.h"
#include "core/variant.h"

#include <cstdint>
#include <string>

namespace meter {

class CDoReg {
public:
    static constexpr const char* keyPathPrefix = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

    // `regional` gives the decimal separator of numbers converted to and from
    // text. The class stands on its own, apart from the windows, so it keeps
    // the settings it is made with.
    explicit CDoReg(RegistryApi& registry, Regional regional = {});

    // -1 if the key exists afterwards (created, with its missing parents, or
    // already there with its values kept), else 0.
    std::int32_t CreatKeyLG(const std::string& strSubKeyName);
    // Type 1 writes the data's text form as REG_SZ, type 4 its 32-bit integer
    // (halves to the even neighbour) as REG_DWORD; any other type writes nothing.
    VariantBool SetKeyValueLG(const std::string& strSubKeyName, const std::string& strValueName,
                              std::int32_t lngValueType, const Variant& varValueData);
    // A REG_SZ value's text, a REG_DWORD value's integer (data of up to four
    // bytes, least significant first, the missing high bytes 0), else empty.
    RegValue GetKeyValueLG(const std::string& strSubKeyName, const std::string& strValueName);
    // Deletes the key with everything below it. True only when all of it is
    // gone; a name that addresses the application-paths key itself ("", or
    // nothing but backslashes) is refused.
    VariantBool DeleteKeyLG(const std::string& strSubKeyName);
    VariantBool DeleteKeyValueLG(const std::string& strSubKeyName, const std::string& strValueName);
    // True if the key opens with full access.
    VariantBool IsExistKeyLG(const std::string& strSubKeyName);
    // The number of subkeys; 0 when the key does not open or has more than 32767.
    std::int16_t SubKeyCount(const std::string& strSubKeyName);
    // Writes the text with its terminating NUL as REG_SZ.
    VariantBool SetStringValueLG(const std::string& strSubKeyName, const std::string& strValueName,
                                 const std::string& varValueData);
    // Writes the integer as a four-byte REG_DWORD, least significant byte first.
    VariantBool SetLongValueLG(const std::string& strSubKeyName, const std::string& strValueName,
                               std::int32_t varValueData);

private:
    // Deletes `name` below `parent` ("" is the parent itself) and everything
    // below it; `name` is in the registry's code page, as enumeration returns it.
    bool DeleteSubKeyTree(RegKey parent, const std::string& name);

    RegistryApi& registry_;
    Regional regional_;
};

} // namespace meter
