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

    // Each way past the limit leaves an empty string with no buffer.
    const std::string big(limit, 'a'), bigger(limit + 1, 'a');
    // clang-format off
    const struct {
        const char* what;
        std::function<void(TextString&)> act;
    } overs[] = {
        {"reserve", [&](TextString& s) { s.Assign("keep?"); EXPECT_EQ(nullptr, s.Reserve(limit + 1)); }},
        {"append", [&](TextString& s) { s.Assign(big.c_str()); ASSERT_EQ(limit, s.GetLength()); s.Append("b"); }},
        {"construct", [&](TextString& s) { s = TextString(bigger.c_str(), static_cast<int>(bigger.size())); }},
    };
    // clang-format on
    for (const auto& over : overs) {
        SCOPED_TRACE(over.what);
        TextString s;
        over.act(s);
        EXPECT_EQ(0, s.GetCapacity());
        EXPECT_EQ(0, s.GetLength());
        EXPECT_STREQ("", s.GetText());
    }
}

}  // namespace
