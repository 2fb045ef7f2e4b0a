// RegKey and RegValue against the real registry of the test prefix.
#include <gtest/gtest.h>

#include <string>

#include "support/RegKey.h"

namespace {

const char TestKeyPath[] = "Software\\KorvaneTests\\Registry";

// Removes the test key before and after each test.
class Registry : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, TestKeyPath); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, TestKeyPath); }

    static void Store(const char* name, DWORD type, const std::string& bytes)
    {
        RegKey key(HKEY_CURRENT_USER, TestKeyPath);
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.GetHandle(), name, 0, type,
                                                reinterpret_cast<const BYTE*>(bytes.data()),
                                                static_cast<DWORD>(bytes.size())));
    }
};

std::string Terminated(const std::string& text) { return text + '\0'; }

TEST_F(Registry, ReadsStoredDataAsBoundedText)
{
    struct {
        const char* what;
        DWORD type;
        std::string stored;
        std::string text;
        LONG status;
    } const cases[] = {
        {"511 characters fit with their NUL", REG_SZ, Terminated(std::string(511, 'a')),
         std::string(511, 'a'), ERROR_SUCCESS},
        {"512 characters do not fit", REG_SZ, Terminated(std::string(512, 'a')), "",
         ERROR_MORE_DATA},
        {"empty text", REG_SZ, Terminated(""), "", ERROR_SUCCESS},
        {"zero bytes", REG_SZ, "", "", ERROR_SUCCESS},
        {"no terminator", REG_BINARY, "abc", "abc", ERROR_SUCCESS},
        {"511 bytes without terminator", REG_BINARY, std::string(511, 'b'), std::string(511, 'b'),
         ERROR_SUCCESS},
        {"512 bytes without terminator leave no room for one", REG_BINARY,
         std::string(512, 'b'), "", ERROR_SUCCESS},
        {"text ends at the first NUL", REG_BINARY, std::string("ab\0cd\0", 6), "ab",
         ERROR_SUCCESS},
        {"expandable text is read unexpanded", REG_EXPAND_SZ, Terminated("%windir%\\x"),
         "%windir%\\x", ERROR_SUCCESS},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Store("", c.type, c.stored);
        RegKey key(HKEY_CURRENT_USER, TestKeyPath);
        RegValue value = key.Value("");
        TextString text = value.GetString();
        EXPECT_EQ(c.text, text.GetText());
        EXPECT_EQ(c.text.size(), text.GetLength());
        EXPECT_EQ(c.status, value.GetStatus());
        if (c.status == ERROR_SUCCESS)
            EXPECT_EQ(c.type, value.GetType());
    }
}

TEST_F(Registry, MissingKeyIsCreatedEmptyAndLeftBehind)
{
    {
        RegKey key(HKEY_CURRENT_USER, TestKeyPath);
        EXPECT_EQ(ERROR_SUCCESS, key.GetStatus());
        EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), key.GetDisposition());
        EXPECT_STREQ("", key.Value("").GetString().GetText());
    }
    HKEY left = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, TestKeyPath, 0, KEY_READ, &left));
    DWORD values = 99, subkeys = 99;
    RegQueryInfoKeyA(left, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(left);
    EXPECT_EQ(0u, values);
    EXPECT_EQ(0u, subkeys);

    RegKey again(HKEY_CURRENT_USER, TestKeyPath);
    EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), again.GetDisposition());
}

TEST_F(Registry, ReadOnlyOpeningNeverCreates)
{
    RegKey key = RegKey::OpenForReading(HKEY_CURRENT_USER, TestKeyPath);
    EXPECT_EQ(nullptr, key.GetHandle());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.GetStatus());
    HKEY absent = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, TestKeyPath, 0, KEY_READ, &absent));
}

} // namespace
