// What our registry store does beyond the registry's own behaviour (which the
// registry table checks): keeping the registry in its folder across processes
// and crashes.
#include "platform/registry_store.h"

#include "core/cdoreg.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/resource.h>

using namespace meter;

namespace {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "meter-registry-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::string fileBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

// A key written by a process that ends without any clean-up of its own.
void writeAndEnd(const std::filesystem::path& root) {
    RegistryStore store(root);
    CDoReg reg(store);
    const bool ok = reg.CreatKeyLG("Meter.exe\\Guarded") == -1 && reg.SetStringValueLG("Meter.exe", "", "°C") &&
                    reg.SetLongValueLG("meter.exe", "Count", -3);
    RegKey k = 0;
    const bool denied =
        store.RegOpenKeyExA(reg::localMachine, (std::string(CDoReg::keyPathPrefix) + "Meter.exe\\Guarded").c_str(),
                            0, reg::keyRead | reg::writeDac, &k) == reg::success &&
        store.setDeniesFullAccess(k, true) == reg::success;
    std::_Exit(ok && denied ? 0 : 1);
}

TEST(RegistryStore, KeepsTheRegistryAcrossARestartOfTheProcess) {
    TempFolder root;
    ASSERT_FALSE(root.path().empty());
    EXPECT_EXIT(writeAndEnd(root.path()), ::testing::ExitedWithCode(0), "");

    RegistryStore store(root.path());
    CDoReg reg(store);
    EXPECT_EQ(reg.GetKeyValueLG("METER.EXE", ""), RegValue(std::string("°C")));
    EXPECT_EQ(reg.GetKeyValueLG("meter.exe", "count"), RegValue(std::int32_t{-3}));
    EXPECT_EQ(reg.SubKeyCount("meter.exe"), 1);
    EXPECT_EQ(reg.IsExistKeyLG("meter.exe\\guarded"), variantFalse); // still denying full access

    // Names keep the case they were created with.
    RegKey k = 0;
    ASSERT_EQ(store.RegOpenKeyExA(reg::localMachine, (std::string(CDoReg::keyPathPrefix) + "meter.exe").c_str(), 0,
                                  reg::keyRead, &k),
              reg::success);
    char name[reg::keyNameBufferSize];
    RegDword length = sizeof name;
    ASSERT_EQ(store.RegEnumKeyExA(k, 0, name, &length, nullptr, nullptr, nullptr, nullptr), reg::success);
    EXPECT_EQ(std::string(name), "Guarded");
    store.RegCloseKey(k);
}

TEST(RegistryStore, StoresOnOneFolderShareOneRegistry) {
    TempFolder root;
    RegistryStore first(root.path());
    RegistryStore second(root.path());
    CDoReg a(first);
    CDoReg b(second);

    ASSERT_EQ(a.CreatKeyLG("shared"), -1);
    EXPECT_EQ(b.IsExistKeyLG("shared"), variantTrue);
    ASSERT_EQ(b.SetLongValueLG("shared", "n", 1), variantTrue);
    ASSERT_EQ(a.SetLongValueLG("shared", "m", 2), variantTrue); // does not undo the other's change
    EXPECT_EQ(b.GetKeyValueLG("shared", "m"), RegValue(std::int32_t{2}));
    EXPECT_EQ(a.GetKeyValueLG("shared", "n"), RegValue(std::int32_t{1}));

    // A handle of one store to a key the other deleted is dead.
    RegKey k = 0;
    ASSERT_EQ(first.RegOpenKeyExA(reg::localMachine, (std::string(CDoReg::keyPathPrefix) + "shared").c_str(), 0,
                                  reg::keyAllAccess, &k),
              reg::success);
    EXPECT_EQ(b.DeleteKeyLG("shared"), variantTrue);
    EXPECT_EQ(first.RegDeleteValueA(k, "n"), reg::keyDeleted);
    EXPECT_EQ(first.RegCloseKey(k), reg::success);
    EXPECT_EQ(first.RegCloseKey(k), reg::invalidHandle);
}

// The process may write no file beyond `limit` bytes; a write past it fails
// (the signal it would raise is ignored).
void tryChangeBeyondFileSizeLimit(const std::filesystem::path& root, rlim_t limit) {
    RegistryStore store(root);
    CDoReg reg(store);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0) std::_Exit(2);
    const bool refused = reg.SetStringValueLG("kept", "big", std::string(100000, 'x')) == variantFalse;
    // The same store goes on with what the file holds.
    const bool unchanged = reg.GetKeyValueLG("kept", "big") == RegValue{} &&
                           reg.GetKeyValueLG("kept", "small") == RegValue(std::string("s"));
    std::_Exit(refused && unchanged ? 0 : 1);
}

TEST(RegistryStore, AChangeThatCannotBeStoredFailsAndLeavesTheStoreAsItWas) {
    TempFolder root;
    {
        RegistryStore store(root.path());
        CDoReg reg(store);
        ASSERT_EQ(reg.CreatKeyLG("kept"), -1);
        ASSERT_EQ(reg.SetStringValueLG("kept", "small", "s"), variantTrue);
    }
    const std::filesystem::path file = root.path() / "registry";
    const std::string before = fileBytes(file);
    ASSERT_FALSE(before.empty());

    EXPECT_EXIT(tryChangeBeyondFileSizeLimit(root.path(), before.size() + 1000), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(fileBytes(file), before);
    RegistryStore store(root.path());
    CDoReg reg(store);
    EXPECT_EQ(reg.GetKeyValueLG("kept", "small"), RegValue(std::string("s")));
    EXPECT_EQ(reg.GetKeyValueLG("kept", "big"), RegValue{});
}

TEST(RegistryStore, AFileThatIsNoStoreIsLeftAloneAndEveryCallFails) {
    TempFolder root;
    {
        RegistryStore store(root.path());
        ASSERT_EQ(CDoReg(store).SetLongValueLG("x", "n", 1), variantFalse);
        ASSERT_EQ(CDoReg(store).CreatKeyLG("x"), -1);
    }
    const std::filesystem::path file = root.path() / "registry";
    const std::string whole = fileBytes(file);
    const std::string header = whole.substr(0, whole.find('\n') + 1);
    for (const std::string& bytes : {std::string("not a registry\n"), header, whole.substr(0, whole.size() - 4),
                                     std::string()}) {
        SCOPED_TRACE(bytes);
        writeFile(file, bytes);
        RegistryStore store(root.path());
        CDoReg reg(store);
        EXPECT_EQ(reg.CreatKeyLG("y"), 0);
        EXPECT_EQ(reg.IsExistKeyLG("x"), variantFalse);
        RegKey k = 0;
        EXPECT_EQ(store.RegOpenKeyExA(reg::localMachine, "SOFTWARE", 0, reg::keyRead, &k), reg::badDatabase);
        EXPECT_EQ(fileBytes(file), bytes);
    }

    // Mended, it is read again, and a file left half-written beside it does not count.
    writeFile(file, whole);
    writeFile(root.path() / "registry.tmpX1b2c3", header);
    RegistryStore store(root.path());
    EXPECT_EQ(CDoReg(store).IsExistKeyLG("x"), variantTrue);
}

TEST(RegistryStore, LivesInTheUsersDataFolderForMeterByDefault) {
    const char* oldData = std::getenv("XDG_DATA_HOME");
    const std::string saved = oldData != nullptr ? oldData : "";
    ::setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(RegistryStore::defaultRoot(), std::filesystem::path("/data/home/meter"));
    ::setenv("XDG_DATA_HOME", "relative", 1); // not absolute: not used
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        EXPECT_EQ(RegistryStore::defaultRoot(), std::filesystem::path(home) / ".local/share/meter");
    }
    if (oldData != nullptr) ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(RegistryStore().root(), RegistryStore::defaultRoot());
}

} // namespace
