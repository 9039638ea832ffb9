// The table against the system's registry (Wine's in the tests). The tests
// assume the ANSI code page is Windows-1252.
#include "../registry_binding.h"

#include "platform/win32/advapi32_registry.h"

#include <windows.h>
#include <sddl.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace testsupport {

namespace {

class Advapi32Binding : public RegistryBinding {
public:
    explicit Advapi32Binding(std::string keyPath) : keyPath_(std::move(keyPath)) {
        if (::GetACP() != 1252)
            throw std::runtime_error("the ANSI code page is " + std::to_string(::GetACP()) + ", not 1252");
        removeTree();
    }
    ~Advapi32Binding() override { removeTree(); }

    meter::RegistryApi& api() override { return api_; }

    // Everyone is denied the right to set values, and so full access; all else is allowed.
    bool setDeniesFullAccess(meter::RegKey key, bool deny) override {
        const char* sddl = deny ? "D:(D;;0x2;;;WD)(A;;KA;;;WD)" : "D:(A;;KA;;;WD)";
        PSECURITY_DESCRIPTOR sd = nullptr;
        if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr)) return false;
        const LONG r = ::RegSetKeySecurity(reinterpret_cast<HKEY>(key), DACL_SECURITY_INFORMATION, sd);
        ::LocalFree(sd);
        return r == ERROR_SUCCESS;
    }

private:
    void removeTree() { ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, keyPath_.c_str()); }

    std::string keyPath_;
    meter::Advapi32Registry api_;
};

} // namespace

std::unique_ptr<RegistryBinding> makeRegistryBinding(const std::string& keyPath) {
    return std::make_unique<Advapi32Binding>(keyPath);
}

} // namespace testsupport
