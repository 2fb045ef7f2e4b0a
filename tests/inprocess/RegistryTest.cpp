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
        {"512 bytes without terminator leave no room for one", REG_BINARY, std::string(512, 'b'),
         "", ERROR_SUCCESS},
        {"text ends at the first NUL", REG_BINARY, std::string("ab\0cd\0", 6), "ab", ERROR_SUCCESS},
        {"expandable text is read unexpanded", REG_EXPAND_SZ, Terminated("%windir%\\x"),
         "%windir%\\x", ERROR_SUCCESS},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetKeyValueA(HKEY_CURRENT_USER, TestKeyPath, "", c.type, c.stored.data(),
                                  static_cast<DWORD>(c.stored.size())));
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

}  // namespace
