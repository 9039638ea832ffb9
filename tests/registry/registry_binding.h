// The registry a test of the registry table runs against: our store on Linux,
// the system's registry (Wine's, in the tests) on Windows.
#pragma once

#include "core/registry_api.h"

#include <memory>
#include <string>

namespace testsupport {

class RegistryBinding {
public:
    virtual ~RegistryBinding() = default;
    virtual meter::RegistryApi& api() = 0;
    // Makes the key of an open handle (opened with writeDac) deny full access
    // to everyone, or lifts that again; false when that fails.
    virtual bool setDeniesFullAccess(meter::RegKey key, bool deny) = 0;
};

// A registry for one test, in which nothing exists below
// HKEY_LOCAL_MACHINE\<keyPath> when it is made or after it is gone.
std::unique_ptr<RegistryBinding> makeRegistryBinding(const std::string& keyPath);

} // namespace testsupport
