// What our registry store does beyond the registry's own behaviour (which the
// registry table checks): keeping the registry in its folder across processes
// and crashes.
#include "platform/registry_store.h"

#include "core/cdoreg.h"

#include "file_bytes.h"
#include "file_faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

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

using testsupport::readAll;
using testsupport::writeFile;

// A key written by a process that ends without any clean-up of its own.
void writeAndEnd(const std::filesystem::path& root) {
    RegistryStore store(root);
    CDoReg reg(store);
    const bool ok = reg.CreatKeyLG("Meter.exe\\Guarded") == -1 && reg.SetStringValueLG("Meter.exe", "", "°C") &&
                    reg.SetLongValueLG("meter.exe", "Count", -3);
    RegKey k = 0;
    const bool denied =
        store.RegOpenKeyExA(reg::localMachine, (std::string(CDoReg::keyPathPrefix) + "Meter.exe\\Guarded").c_str(), 0,
                            reg::keyRead | reg::writeDac, &k) == reg::success &&
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
    const std::string before = readAll(file);
    ASSERT_FALSE(before.empty());

    EXPECT_EXIT(tryChangeBeyondFileSizeLimit(root.path(), before.size() + 1000), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readAll(file), before);
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
    const std::string whole = readAll(file);
    const std::string header = whole.substr(0, whole.find('\n') + 1);
    for (const std::string& bytes :
         {std::string("not a registry\n"), header, whole.substr(0, whole.size() - 4), std::string()}) {
        SCOPED_TRACE(bytes);
        writeFile(file, bytes);
        RegistryStore store(root.path());
        CDoReg reg(store);
        EXPECT_EQ(reg.CreatKeyLG("y"), 0);
        EXPECT_EQ(reg.IsExistKeyLG("x"), variantFalse);
        RegKey k = 0;
        EXPECT_EQ(store.RegOpenKeyExA(reg::localMachine, "SOFTWARE", 0, reg::keyRead, &k), reg::badDatabase);
        EXPECT_EQ(readAll(file), bytes);
    }

    // Mended, it is read again, and a file left half-written beside it does not count.
    writeFile(file, whole);
    writeFile(root.path() / "registry.tmpX1b2c3", header);
    RegistryStore store(root.path());
    EXPECT_EQ(CDoReg(store).IsExistKeyLG("x"), variantTrue);
}

std::vector<std::string> entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A store with the key "x" and its value "n" of 1; the file's bytes.
std::string storeWithOneKey(const std::filesystem::path& root) {
    RegistryStore store(root);
    CDoReg reg(store);
    if (reg.CreatKeyLG("x") != -1 || reg.SetLongValueLG("x", "n", 1) != variantTrue) return {};
    return readAll(root / "registry");
}

// Calls on a store whose file is a pipe or a device; a call that blocks
// ends the child by the alarm, one that reads without end by the limit of
// its memory (where the sanitizers, which reserve much more, do not run).
void callsOnAStoreFileThatIsNoRegularFile(const std::filesystem::path& root) {
#ifndef __SANITIZE_ADDRESS__
    const rlimit memory{rlim_t{1} << 31, rlim_t{1} << 31};
    ::setrlimit(RLIMIT_AS, &memory);
#endif
    ::alarm(20);
    RegistryStore store(root);
    CDoReg reg(store);
    RegKey k = 0;
    const bool refused = store.RegOpenKeyExA(reg::localMachine, "SOFTWARE", 0, reg::keyRead, &k) == reg::badDatabase &&
                         reg.CreatKeyLG("y") == 0 && reg.SetLongValueLG("x", "n", 2) == variantFalse;
    std::_Exit(refused ? 0 : 1);
}

TEST(RegistryStore, AStoreFileThatIsNoRegularFileFailsEveryCallAtOnce) {
    enum class Kind { Fifo, LinkToDevZero, Folder };
    for (const Kind kind : {Kind::Fifo, Kind::LinkToDevZero, Kind::Folder}) {
        SCOPED_TRACE(static_cast<int>(kind));
        TempFolder root;
        const std::filesystem::path file = root.path() / "registry";
        switch (kind) {
        case Kind::Fifo: ASSERT_TRUE(testsupport::makeNode(file.string(), testsupport::Node::Fifo)); break;
        case Kind::LinkToDevZero: std::filesystem::create_symlink("/dev/zero", file); break;
        case Kind::Folder: std::filesystem::create_directory(file); break;
        }
        const std::string before = testsupport::nodeIdentity(file.string());
        EXPECT_EXIT(callsOnAStoreFileThatIsNoRegularFile(root.path()), ::testing::ExitedWithCode(0), "");
        EXPECT_EQ(testsupport::nodeIdentity(file.string()), before);
        EXPECT_EQ(entries(root.path()), (std::vector<std::string>{"registry", "registry.lock"}));
    }
}

// A file above the bound is refused before it is read, with the store's
// database error; one of exactly the bound is a store (a store's file may end
// in blank lines).
TEST(RegistryStore, AStoreFileAboveTheBoundIsRefused) {
    TempFolder root;
    const std::string whole = storeWithOneKey(root.path());
    ASSERT_FALSE(whole.empty());
    const std::filesystem::path file = root.path() / "registry";
    for (const std::size_t size :
         {std::size_t{RegistryStore::maxFileSize}, std::size_t{RegistryStore::maxFileSize + 1}}) {
        SCOPED_TRACE(size);
        writeFile(file, whole + std::string(size - whole.size(), '\n'));
        RegistryStore store(root.path());
        CDoReg reg(store);
        const bool readable = size <= RegistryStore::maxFileSize;
        EXPECT_EQ(reg.GetKeyValueLG("x", "n"), readable ? RegValue(std::int32_t{1}) : RegValue{});
        RegKey k = 0;
        EXPECT_EQ(store.RegOpenKeyExA(reg::localMachine, "SOFTWARE", 0, reg::keyRead, &k),
                  readable ? reg::success : reg::badDatabase);
        store.RegCloseKey(k);
        EXPECT_EQ(std::filesystem::file_size(file), size);
    }
}

// A change that would make the file larger than the bound fails as one that
// cannot be stored, and the store stays as it was.
TEST(RegistryStore, AChangeThatWouldPassTheBoundIsRefused) {
    TempFolder root;
    ASSERT_FALSE(storeWithOneKey(root.path()).empty());
    RegistryStore store(root.path());
    CDoReg reg(store);
    const std::size_t half = RegistryStore::maxFileSize / 2;
    ASSERT_EQ(reg.SetStringValueLG("x", "first", std::string(half / 2, 'a')), variantTrue);
    const std::string before = readAll(root.path() / "registry");
    // Each alone would fit beside the first value, or not even alone.
    for (const std::size_t size : {half / 2 + 100, half, half + 1}) {
        SCOPED_TRACE(size);
        RegKey k = 0;
        ASSERT_EQ(store.RegOpenKeyExA(reg::localMachine, (std::string(CDoReg::keyPathPrefix) + "x").c_str(), 0,
                                      reg::keyAllAccess, &k),
                  reg::success);
        const std::string data(size, 'b');
        EXPECT_EQ(store.RegSetValueExA(k, "second", 0, reg::regBinary,
                                       reinterpret_cast<const unsigned char*>(data.data()),
                                       static_cast<RegDword>(data.size())),
                  reg::ioFailed);
        store.RegCloseKey(k);
        EXPECT_EQ(readAll(root.path() / "registry"), before);
        EXPECT_EQ(reg.GetKeyValueLG("x", "second"), RegValue{});
        EXPECT_EQ(reg.GetKeyValueLG("x", "n"), RegValue(std::int32_t{1}));
    }
}

// A writer killed while it writes the new file leaves the store as it was
// and no file of its own; where temporary files must have names, at most one
// under its hidden name.
TEST(RegistryStore, AKilledWriterLeavesNothingBehind) {
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named temporary files" : "unnamed temporary files");
        TempFolder root;
        const std::string before = storeWithOneKey(root.path());
        ASSERT_FALSE(before.empty());
        const int signal = testsupport::killedAtFileSize(before.size() + 1000, [&] {
            if (named) FileReplacement::setUnnamedFilesAllowed(false);
            RegistryStore store(root.path());
            CDoReg(store).SetStringValueLG("x", "big", std::string(100000, 'b'));
        });
        EXPECT_EQ(signal, SIGXFSZ);
        EXPECT_EQ(readAll(root.path() / "registry"), before);
        std::vector<std::string> left = entries(root.path());
        std::erase(left, "registry");
        std::erase(left, "registry.lock");
        EXPECT_LE(left.size(), named ? 1u : 0u);
        for (const std::string& name : left) EXPECT_TRUE(testsupport::isHiddenTemporaryName(name)) << name;
    }
}

// Key ids are never given twice: once the last one is given, a create is
// refused, and the store stays readable.
TEST(RegistryStore, ACreateBeyondTheLastKeyIdIsRefused) {
    TempFolder root;
    std::string bytes = storeWithOneKey(root.path());
    ASSERT_FALSE(bytes.empty());
    // The header ends in the next key id: leave one id.
    const std::size_t headerEnd = bytes.find('\n');
    const std::size_t lastField = bytes.rfind(' ', headerEnd) + 1;
    bytes.replace(lastField, headerEnd - lastField, std::to_string(std::numeric_limits<std::uint64_t>::max() - 1));
    writeFile(root.path() / "registry", bytes);
    {
        RegistryStore store(root.path());
        CDoReg reg(store);
        EXPECT_EQ(reg.CreatKeyLG("x\\a\\b"), 0); // two keys, one id
        EXPECT_EQ(reg.IsExistKeyLG("x\\a"), variantFalse);
        EXPECT_EQ(reg.CreatKeyLG("x\\a"), -1); // the last id
        EXPECT_EQ(reg.CreatKeyLG("x\\b"), 0);
        EXPECT_EQ(reg.CreatKeyLG("X\\A"), -1); // opening needs no id
    }
    RegistryStore store(root.path());
    CDoReg reg(store);
    EXPECT_EQ(reg.IsExistKeyLG("x\\a"), variantTrue);
    EXPECT_EQ(reg.SubKeyCount("x"), 1);
    EXPECT_EQ(reg.GetKeyValueLG("x", "n"), RegValue(std::int32_t{1}));
}

// A relative root is taken from the working folder at the store's making.
TEST(RegistryStore, ARelativeRootIsTakenFromTheWorkingFolderOfItsMaking) {
    TempFolder made, later;
    std::unique_ptr<RegistryStore> store;
    {
        testsupport::WorkingFolder working(made.path().string());
        ASSERT_TRUE(working.entered());
        store = std::make_unique<RegistryStore>("rel/meter");
    }
    {
        testsupport::WorkingFolder working(later.path().string());
        ASSERT_TRUE(working.entered());
        EXPECT_EQ(CDoReg(*store).CreatKeyLG("k"), -1);
    }
    EXPECT_EQ(store->root(), made.path() / "rel/meter");
    EXPECT_EQ(entries(made.path() / "rel/meter"), (std::vector<std::string>{"registry", "registry.lock"}));
    EXPECT_TRUE(entries(later.path()).empty());
    EXPECT_EQ(CDoReg(*store).IsExistKeyLG("k"), variantTrue);
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
