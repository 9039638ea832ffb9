// The table against our registry store, in a fresh folder for each test.
#include "registry_binding.h"

#include "platform/registry_store.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace testsupport {

namespace {

std::filesystem::path freshFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "meter-registry-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    return pattern;
}

class StoreBinding : public RegistryBinding {
public:
    StoreBinding() : folder_(freshFolder()), store_(folder_) {}
    ~StoreBinding() override {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    meter::RegistryApi& api() override { return store_; }
    bool setDeniesFullAccess(meter::RegKey key, bool deny) override {
        return store_.setDeniesFullAccess(key, deny) == meter::reg::success;
    }

private:
    std::filesystem::path folder_;
    meter::RegistryStore store_;
};

} // namespace

std::unique_ptr<RegistryBinding> makeRegistryBinding(const std::string&) { return std::make_unique<StoreBinding>(); }

} // namespace testsupport
