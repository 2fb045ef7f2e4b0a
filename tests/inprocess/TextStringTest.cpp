// TextString: the text each operation leaves, and its 16-bit limit.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "support/TextString.h"

namespace {

// What each way of building a string leaves in it, across the boundaries where its buffer
// must grow: a fault there loses or garbles text.
TEST(TextString, EveryOperationLeavesItsText)
{
    // clang-format off
    struct {
        const char* what;
        std::function<void(TextString&)> act;
        std::string text;
    } const cases[] = {
        {"explicit length copies NULs too",
         [](TextString& s) { s = TextString("ab\0cd", 5); }, "ab"},
        {"appends that fit and that do not",
         [](TextString& s) { s.Append("abc"); s.Append("de"); s.Append(""); s.Append(nullptr); },
         "abcde"},
        {"append past the terminator's room",
         [](TextString& s) {
             lstrcpyA(s.Reserve(9), "hello"); s.SetLength(-1); s.Append("12345"); },
         "hello12345"},
        {"reserve keeps the content",
         [](TextString& s) { s.Assign("hello"); s.Reserve(10); s.SetLength(-1); },
         "hello"},
        {"truncate beyond the end", [](TextString& s) { s.Assign("abcdef"); s.Truncate(8); },
         "abcdef"},
        {"truncate below zero", [](TextString& s) { s.Assign("abcdef"); s.Truncate(-1); }, ""},
        {"assign itself", [](TextString& s) { s.Assign("path"); s.Assign(s); }, "path"},
        {"concatenate nothing", [](TextString& s) { s = TextString("path") + nullptr; }, "path"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TextString s;
        c.act(s);
        EXPECT_EQ(c.text, s.GetText());
        EXPECT_EQ(c.text.size(), strlen(s.GetText()));
    }
}

TEST(TextString, NeverWrapsItsSixteenBitCapacity)
{
    const unsigned limit = TextString::MaxLength;

    TextString full;
    ASSERT_NE(nullptr, full.Reserve(limit));
    EXPECT_EQ(65535, full.GetCapacity());

    TextString over("keep?");
    EXPECT_EQ(nullptr, over.Reserve(limit + 1));
    EXPECT_EQ(0, over.GetCapacity());
    EXPECT_EQ(0, over.GetLength());
    EXPECT_STREQ("", over.GetText());

    std::string big(limit, 'a');
    TextString almost(big.c_str());
    EXPECT_EQ(limit, almost.GetLength());
    almost.Append("b");  // would need 65,535 characters
    EXPECT_EQ(0, almost.GetCapacity());
    EXPECT_EQ(0, almost.GetLength());
    EXPECT_STREQ("", almost.GetText());

    std::string bigger(limit + 1, 'a');
    TextString tooLong(bigger.c_str(), static_cast<int>(bigger.size()));
    EXPECT_EQ(0, tooLong.GetCapacity());
    EXPECT_STREQ("", tooLong.GetText());
}

}  // namespace
