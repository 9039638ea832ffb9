// The registry class's behaviour, run against every registry it works on:
// our store in the Linux build, the system's registry in the Windows build.
// The raw checks go through the registry calls themselves, so the same table
// also shows that our store answers them as the system does.
#include "registry_binding.h"

#include "core/cdoreg.h"
#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace meter;

namespace {

struct RawValue {
    RegDword type = 0;
    std::string bytes;
};

std::string dwordBytes(std::uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>(v >> 24)};
}

class RegistryTable : public ::testing::Test {
protected:
    void SetUp() override {
        name_ = std::string("meter-test-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        binding_ = testsupport::makeRegistryBinding(std::string(CDoReg::keyPathPrefix) + name_);
        reg_ = std::make_unique<CDoReg>(binding_->api());
    }
    void TearDown() override {
        reg_.reset();
        binding_.reset();
    }

    // The name CDoReg is handed for the test's own key or one below it.
    std::string key(const std::string& below = "") const { return below.empty() ? name_ : name_ + "\\" + below; }
    CDoReg& reg() { return *reg_; }
    RegistryApi& api() { return binding_->api(); }

    static std::string fullPath(const std::string& name) {
        return std::string(CDoReg::keyPathPrefix) + toWindows1252(name);
    }

    // Opens a key for reading only, which works also where full access is denied.
    std::optional<RegKey> openForReading(const std::string& name, RegDword extra = 0) {
        RegKey k = 0;
        if (api().RegOpenKeyExA(reg::localMachine, fullPath(name).c_str(), 0, reg::keyRead | extra, &k) != reg::success)
            return std::nullopt;
        return k;
    }
    bool exists(const std::string& name) {
        const std::optional<RegKey> k = openForReading(name);
        if (k) api().RegCloseKey(*k);
        return k.has_value();
    }
    std::optional<RawValue> raw(const std::string& name, const std::string& valueName) {
        const std::optional<RegKey> k = openForReading(name);
        if (!k) return std::nullopt;
        RawValue v;
        RegDword size = 0;
        std::optional<RawValue> result;
        const std::string vn = toWindows1252(valueName);
        if (api().RegQueryValueExA(*k, vn.c_str(), nullptr, &v.type, nullptr, &size) == reg::success) {
            v.bytes.assign(size, '\0');
            if (size == 0 ||
                api().RegQueryValueExA(*k, vn.c_str(), nullptr, &v.type,
                                       reinterpret_cast<unsigned char*>(v.bytes.data()), &size) == reg::success)
                result = v;
        }
        api().RegCloseKey(*k);
        return result;
    }
    void setRaw(const std::string& name, const std::string& valueName, RegDword type, const std::string& bytes) {
        ASSERT_EQ(reg().CreatKeyLG(name), -1);
        RegKey k = 0;
        ASSERT_EQ(api().RegOpenKeyExA(reg::localMachine, fullPath(name).c_str(), 0, reg::keyAllAccess, &k), 0);
        EXPECT_EQ(api().RegSetValueExA(k, valueName.c_str(), 0, type,
                                       reinterpret_cast<const unsigned char*>(bytes.data()),
                                       static_cast<RegDword>(bytes.size())),
                  0);
        api().RegCloseKey(k);
    }
    void denyFullAccess(const std::string& name) {
        const std::optional<RegKey> k = openForReading(name, reg::writeDac);
        ASSERT_TRUE(k);
        EXPECT_TRUE(binding_->setDeniesFullAccess(*k, true));
        api().RegCloseKey(*k);
    }

private:
    std::string name_;
    std::unique_ptr<testsupport::RegistryBinding> binding_;
    std::unique_ptr<CDoReg> reg_;
};

TEST_F(RegistryTable, CreatingAnExistingKeyGivesMinusOneAndKeepsItsValues) {
    EXPECT_FALSE(exists(key()));
    EXPECT_EQ(reg().CreatKeyLG(key("a\\b")), -1); // with its missing parents
    EXPECT_EQ(reg().IsExistKeyLG(key("a")), variantTrue);
    ASSERT_EQ(reg().SetStringValueLG(key("a\\b"), "Path", "C:\\meter"), variantTrue);
    ASSERT_EQ(reg().SetLongValueLG(key("a\\b"), "Count", 7), variantTrue);

    EXPECT_EQ(reg().CreatKeyLG(key("a\\b")), -1);
    EXPECT_EQ(reg().GetKeyValueLG(key("a\\b"), "Path"), RegValue(std::string("C:\\meter")));
    EXPECT_EQ(reg().GetKeyValueLG(key("a\\b"), "Count"), RegValue(std::int32_t{7}));
    EXPECT_EQ(reg().SubKeyCount(key("a")), 1);
}

TEST_F(RegistryTable, TextsAreStoredInTheAnsiCodePageWithTheirNul) {
    ASSERT_EQ(reg().CreatKeyLG(key()), -1);
    struct Case {
        std::string text, bytes;
    };
    const std::vector<Case> cases{
        {"abc", std::string("abc\0", 4)},
        {"\u00B0C", std::string("\xB0"
                                "C\0",
                                3)},
        {"", std::string("\0", 1)},
        {"\u20AC 5 \u00E9", std::string("\x80 5 \xE9\0", 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_EQ(reg().SetStringValueLG(key(), "Unit", c.text), variantTrue);
        const std::optional<RawValue> r = raw(key(), "Unit");
        ASSERT_TRUE(r);
        EXPECT_EQ(r->type, reg::regSz);
        EXPECT_EQ(r->bytes, c.bytes);
        EXPECT_EQ(reg().GetKeyValueLG(key(), "Unit"), RegValue(c.text));
    }
}

TEST_F(RegistryTable, SetKeyValueConvertsTheDataByTheValueType) {
    ASSERT_EQ(reg().CreatKeyLG(key()), -1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        std::int32_t type;
        Variant data;
        std::optional<RawValue> written; // nothing: False, and no value
    };
    const std::vector<Case> cases{
        {4, 2.5, RawValue{reg::regDword, dwordBytes(2)}},
        {4, 3.5, RawValue{reg::regDword, dwordBytes(4)}},
        {4, -2.5, RawValue{reg::regDword, dwordBytes(static_cast<std::uint32_t>(-2))}},
        {4, 2.6, RawValue{reg::regDword, dwordBytes(3)}},
        {4, std::int64_t{-7}, RawValue{reg::regDword, dwordBytes(static_cast<std::uint32_t>(-7))}},
        {4, std::string(" 12 "), RawValue{reg::regDword, dwordBytes(12)}},
        {4, std::string("6.5"), RawValue{reg::regDword, dwordBytes(6)}},
        {4, Variant{}, RawValue{reg::regDword, dwordBytes(0)}},
        {4, -2147483648.5, RawValue{reg::regDword, dwordBytes(0x80000000u)}},
        {4, 2147483647.4, RawValue{reg::regDword, dwordBytes(0x7FFFFFFFu)}},
        {1, std::int64_t{12}, RawValue{reg::regSz, std::string("12\0", 3)}},
        {1, 2.5, RawValue{reg::regSz, std::string("2.5\0", 4)}},
        {1, std::string("\u00B0F"),
         RawValue{reg::regSz, std::string("\xB0"
                                          "F\0",
                                          3)}},
        {1, Variant{}, RawValue{reg::regSz, std::string("\0", 1)}},
        {2, std::string("%PATH%"), std::nullopt},
        {3, std::int64_t{1}, std::nullopt},
        {0, std::int64_t{1}, std::nullopt},
        {4, 2147483647.5, std::nullopt},
        {4, std::int64_t{2147483648}, std::nullopt},
        {4, std::string("abc"), std::nullopt},
        {4, std::string(""), std::nullopt},
        {4, nan, std::nullopt},
        {4, -inf, std::nullopt},
        {1, inf, std::nullopt},
        {1, nan, std::nullopt},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string value = "v" + std::to_string(n++);
        SCOPED_TRACE(value);
        EXPECT_EQ(reg().SetKeyValueLG(key(), value, c.type, c.data), toVariantBool(c.written.has_value()));
        const std::optional<RawValue> r = raw(key(), value);
        ASSERT_EQ(r.has_value(), c.written.has_value());
        if (!r) continue;
        EXPECT_EQ(r->type, c.written->type);
        EXPECT_EQ(r->bytes, c.written->bytes);
    }

    // Numbers and texts in the user's regional form.
    Regional comma;
    comma.decimalSeparator = ',';
    CDoReg regional(api(), comma);
    EXPECT_EQ(regional.SetKeyValueLG(key(), "Text", 1, 2.5), variantTrue);
    EXPECT_EQ(regional.GetKeyValueLG(key(), "Text"), RegValue(std::string("2,5")));
    EXPECT_EQ(regional.SetKeyValueLG(key(), "Number", 4, std::string("3,5")), variantTrue);
    EXPECT_EQ(regional.GetKeyValueLG(key(), "Number"), RegValue(std::int32_t{4}));
}

TEST_F(RegistryTable, SettersOnAMissingKeyFailAndCreateNothing) {
    ASSERT_EQ(reg().CreatKeyLG(key()), -1);
    EXPECT_EQ(reg().SetKeyValueLG(key("missing"), "v", 1, std::string("x")), variantFalse);
    EXPECT_EQ(reg().SetKeyValueLG(key("missing"), "v", 4, std::int64_t{1}), variantFalse);
    EXPECT_EQ(reg().SetStringValueLG(key("missing"), "v", "x"), variantFalse);
    EXPECT_EQ(reg().SetLongValueLG(key("missing"), "v", 1), variantFalse);
    EXPECT_FALSE(exists(key("missing")));
    EXPECT_EQ(reg().SubKeyCount(key()), 0);
}

TEST_F(RegistryTable, ReadingGivesTextsAndIntegersOfUpToFourBytesElseEmpty) {
    setRaw(key(), "Expand", reg::regExpandSz, std::string("%PATH%\0", 7));
    setRaw(key(), "Binary", reg::regBinary, "\x01\x02");
    setRaw(key(), "Long", reg::regDword, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
    setRaw(key(), "NoText", reg::regSz, "");
    ASSERT_EQ(reg().SetLongValueLG(key(), "Negative", -5), variantTrue);
    ASSERT_EQ(reg().SetLongValueLG(key(), "Largest", 2147483647), variantTrue);

    EXPECT_EQ(raw(key(), "Negative")->bytes, "\xFB\xFF\xFF\xFF");
    EXPECT_EQ(reg().GetKeyValueLG(key(), "Negative"), RegValue(std::int32_t{-5}));
    EXPECT_EQ(reg().GetKeyValueLG(key(), "Largest"), RegValue(std::int32_t{2147483647}));
    for (const char* name : {"Missing", "Expand", "Binary", "Long", "NoText"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(reg().GetKeyValueLG(key(), name), RegValue{});
    }

    // A REG_DWORD shorter than four bytes fills the low bytes of an integer
    // that starts at 0.
    const struct {
        const char* name;
        std::string bytes;
        std::int32_t value;
    } shortOnes[] = {
        {"Two", "\x01\x02", 513},
        {"None", "", 0},
        {"One", "\xFF", 255},
        {"Three", std::string("\x00\x00\x80", 3), 0x800000},
    };
    for (const auto& c : shortOnes) {
        SCOPED_TRACE(c.name);
        setRaw(key(), c.name, reg::regDword, c.bytes);
        ASSERT_EQ(raw(key(), c.name)->bytes, c.bytes);
        EXPECT_EQ(reg().GetKeyValueLG(key(), c.name), RegValue(c.value));
    }
    EXPECT_EQ(reg().GetKeyValueLG(key("missing"), "Negative"), RegValue{});
}

TEST_F(RegistryTable, DeletingAKeyRemovesItsWholeTree) {
    for (const char* k : {"tree\\a\\b", "tree\\a\\c\\d", "tree\\e", "tree-sibling"})
        ASSERT_EQ(reg().CreatKeyLG(key(k)), -1);
    ASSERT_EQ(reg().SetStringValueLG(key("tree\\a\\c\\d"), "v", "x"), variantTrue);

    EXPECT_EQ(reg().DeleteKeyLG(key("tree")), variantTrue);
    EXPECT_FALSE(exists(key("tree")));
    EXPECT_TRUE(exists(key("tree-sibling")));
    EXPECT_EQ(reg().DeleteKeyLG(key("tree-sibling")), variantTrue); // a leaf
    EXPECT_EQ(reg().SubKeyCount(key()), 0);

    EXPECT_EQ(reg().DeleteKeyLG(key("tree")), variantFalse);
    EXPECT_EQ(reg().DeleteKeyLG(key("x\\y")), variantFalse);
}

TEST_F(RegistryTable, DeletingATreeThatCannotAllGoReportsFailure) {
    for (const char* k : {"a\\b", "a\\guarded", "c"}) ASSERT_EQ(reg().CreatKeyLG(key(k)), -1);
    denyFullAccess(key("a\\guarded"));

    EXPECT_EQ(reg().DeleteKeyLG(key()), variantFalse);
    EXPECT_TRUE(exists(key("a\\guarded")));
    EXPECT_TRUE(exists(key()));
}

TEST_F(RegistryTable, TheApplicationPathsKeyItselfIsNeverDeleted) {
    ASSERT_EQ(reg().CreatKeyLG(key()), -1);
    for (const char* name : {"", "\\", "\\\\"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(reg().DeleteKeyLG(name), variantFalse);
        EXPECT_TRUE(exists(key()));
    }
}

TEST_F(RegistryTable, NamesDifferingInLetterCaseNameTheSameKeyAndValue) {
    ASSERT_EQ(reg().CreatKeyLG(key("Stra\u00DFe-\u00C9t\u00C9")), -1);
    EXPECT_EQ(reg().CreatKeyLG(key("STRA\u00DFE-\u00E9T\u00E9")), -1);
    EXPECT_EQ(reg().SubKeyCount(key()), 1);
    ASSERT_EQ(reg().SetStringValueLG(key("stra\u00DFe-\u00E9t\u00E9"), "Path", "one"), variantTrue);
    ASSERT_EQ(reg().SetStringValueLG(key("Stra\u00DFe-\u00C9t\u00C9"), "PATH", "two"), variantTrue);
    EXPECT_EQ(reg().GetKeyValueLG(key("STRA\u00DFE-\u00C9T\u00C9"), "path"), RegValue(std::string("two")));

    // The default value is the one without a name.
    ASSERT_EQ(reg().SetStringValueLG(key(), "", "C:\\meter\\meter.exe"), variantTrue);
    EXPECT_EQ(reg().GetKeyValueLG(key(), ""), RegValue(std::string("C:\\meter\\meter.exe")));
    ASSERT_TRUE(raw(key(), ""));
    EXPECT_EQ(raw(key(), "")->type, reg::regSz);
}

TEST_F(RegistryTable, DeletingAValue) {
    ASSERT_EQ(reg().CreatKeyLG(key()), -1);
    EXPECT_EQ(reg().DeleteKeyValueLG(key(), "v"), variantFalse);
    ASSERT_EQ(reg().SetLongValueLG(key(), "v", 1), variantTrue);
    EXPECT_EQ(reg().DeleteKeyValueLG(key(), "V"), variantTrue);
    EXPECT_FALSE(raw(key(), "v"));
    EXPECT_EQ(reg().DeleteKeyValueLG(key(), "v"), variantFalse);
    EXPECT_EQ(reg().DeleteKeyValueLG(key("missing"), "v"), variantFalse);
}

TEST_F(RegistryTable, CountingSubkeys) {
    EXPECT_EQ(reg().SubKeyCount(key()), 0);
    ASSERT_EQ(reg().CreatKeyLG(key()), -1);
    EXPECT_EQ(reg().SubKeyCount(key()), 0);
    for (const char* k : {"b", "a\\deeper", "C"}) ASSERT_EQ(reg().CreatKeyLG(key(k)), -1);
    EXPECT_EQ(reg().SubKeyCount(key()), 3);
}

TEST_F(RegistryTable, AKeyThatDeniesFullAccessBehavesAsMissing) {
    ASSERT_EQ(reg().CreatKeyLG(key("guarded")), -1);
    ASSERT_EQ(reg().SetStringValueLG(key("guarded"), "v", "x"), variantTrue);
    denyFullAccess(key("guarded"));

    EXPECT_EQ(reg().IsExistKeyLG(key("guarded")), variantFalse);
    EXPECT_EQ(reg().CreatKeyLG(key("guarded")), 0);
    EXPECT_EQ(reg().GetKeyValueLG(key("guarded"), "v"), RegValue{});
    EXPECT_EQ(reg().SetStringValueLG(key("guarded"), "v", "y"), variantFalse);
    EXPECT_EQ(reg().SubKeyCount(key("guarded")), 0);
    EXPECT_TRUE(exists(key("guarded")));
    EXPECT_EQ(raw(key("guarded"), "v")->bytes, std::string("x\0", 2));
    EXPECT_EQ(reg().SubKeyCount(key()), 1);
}

// The conventions of the calls that the class relies on, asked of the registry directly.
TEST_F(RegistryTable, TheRegistryCallsAnswerAsTheClassExpects) {
    ASSERT_EQ(reg().CreatKeyLG(key("a\\b")), -1);
    const std::string path = fullPath(key());
    RegKey k = 0;

    // Paths: a leading backslash is refused, doubled and trailing ones are passed over.
    EXPECT_EQ(api().RegOpenKeyExA(reg::localMachine, ("\\" + path).c_str(), 0, reg::keyAllAccess, &k),
              reg::badPathname);
    ASSERT_EQ(api().RegOpenKeyExA(reg::localMachine, (path + "\\a\\\\b\\").c_str(), 0, reg::keyAllAccess, &k),
              reg::success);
    EXPECT_EQ(api().RegCloseKey(k), reg::success);

    ASSERT_EQ(api().RegOpenKeyExA(reg::localMachine, path.c_str(), 0, reg::keyAllAccess, &k), reg::success);
    // Enumeration: a buffer too small for the name, then past the last subkey.
    char name[8] = {};
    RegDword length = 1;
    EXPECT_EQ(api().RegEnumKeyExA(k, 0, name, &length, nullptr, nullptr, nullptr, nullptr), reg::moreData);
    length = sizeof name;
    EXPECT_EQ(api().RegEnumKeyExA(k, 0, name, &length, nullptr, nullptr, nullptr, nullptr), reg::success);
    EXPECT_EQ(std::string(name), "a");
    EXPECT_EQ(length, 1u);
    length = sizeof name;
    EXPECT_EQ(api().RegEnumKeyExA(k, 1, name, &length, nullptr, nullptr, nullptr, nullptr), reg::noMoreItems);

    // Values: the size first, then a data area too small, then a missing value.
    const unsigned char text[] = "abcdef";
    ASSERT_EQ(api().RegSetValueExA(k, "v", 0, reg::regSz, text, sizeof text), reg::success);
    RegDword type = 0;
    RegDword size = 0;
    EXPECT_EQ(api().RegQueryValueExA(k, "V", nullptr, &type, nullptr, &size), reg::success);
    EXPECT_EQ(type, reg::regSz);
    EXPECT_EQ(size, 7u);
    unsigned char small[3] = {};
    size = sizeof small;
    EXPECT_EQ(api().RegQueryValueExA(k, "v", nullptr, &type, small, &size), reg::moreData);
    EXPECT_EQ(size, 7u);
    EXPECT_EQ(api().RegQueryValueExA(k, "w", nullptr, &type, nullptr, &size), reg::fileNotFound);
    EXPECT_EQ(api().RegDeleteValueA(k, "w"), reg::fileNotFound);

    // Deleting: not while subkeys are left, not what is missing; a deleted key's handle is dead.
    EXPECT_EQ(api().RegDeleteKeyA(k, ""), reg::accessDenied);
    EXPECT_EQ(api().RegDeleteKeyA(k, "a"), reg::accessDenied);
    EXPECT_EQ(api().RegDeleteKeyA(k, "x"), reg::fileNotFound);
    EXPECT_EQ(api().RegDeleteKeyA(k, "A\\B"), reg::success);
    RegKey a = 0;
    ASSERT_EQ(api().RegOpenKeyExA(k, "a", 0, reg::keyAllAccess, &a), reg::success);
    EXPECT_EQ(api().RegDeleteKeyA(a, ""), reg::success);
    EXPECT_EQ(api().RegSetValueExA(a, "v", 0, reg::regSz, text, sizeof text), reg::keyDeleted);
    EXPECT_EQ(api().RegCloseKey(a), reg::success);
    EXPECT_EQ(api().RegDeleteKeyA(reg::localMachine, ""), reg::accessDenied);
    EXPECT_EQ(api().RegCloseKey(k), reg::success);
}

} // namespace
