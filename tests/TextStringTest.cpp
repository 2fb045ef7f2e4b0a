// TextString: the text each operation leaves, search, format, load, and its 16-bit limit.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

#include "support/TextString.h"

namespace {

constexpr unsigned LongStringId = 900;     // 600 characters in the test program's strings
constexpr unsigned MissingStringId = 901;  // not in any string table

// What each way of building a string leaves in it, across the boundaries where its buffer
// must grow: a fault there loses or garbles text.
TEST(TextString, EveryOperationLeavesItsText)
{
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
         [](TextString& s) { lstrcpyA(s.Reserve(9), "hello"); s.SetLength(-1); s.Append("12345"); },
         "hello12345"},
        {"reserve keeps the content", [](TextString& s) { s.Assign("hello"); s.Reserve(10); s.SetLength(-1); },
         "hello"},
        {"truncate beyond the end", [](TextString& s) { s.Assign("abcdef"); s.Truncate(8); }, "abcdef"},
        {"truncate", [](TextString& s) { s.Assign("abcdef"); s.Truncate(2); }, "ab"},
        {"truncate below zero", [](TextString& s) { s.Assign("abcdef"); s.Truncate(-1); }, ""},
        {"assign itself", [](TextString& s) { s.Assign("path"); s.Assign(s); }, "path"},
        {"concatenate", [](TextString& s) { s = TextString("path") + "\\Korvane.ini"; },
         "path\\Korvane.ini"},
        {"concatenate nothing", [](TextString& s) { s = TextString("path") + nullptr; }, "path"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TextString s;
        c.act(s);
        EXPECT_EQ(c.text, s.GetText());
        EXPECT_EQ(c.text.size(), strlen(s.GetText()));
    }
}

TEST(TextString, FindsFirstAndLastCharacter)
{
    struct {
        const char* text;  // null: a string without a buffer
        char c;
        int first;
        int last;
    } const cases[] = {
        {"C:\\Tools\\", '\\', 2, 8},
        {"CEAppMgr.exe", '\\', -1, -1},
        {"abc", '\0', 3, 3},
        {"", 'a', -1, -1},
        {nullptr, 'a', -1, -1},
        {nullptr, '\0', 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(no buffer)");
        TextString s(c.text);
        EXPECT_EQ(c.first, s.Find(c.c));
        EXPECT_EQ(c.last, s.ReverseFind(c.c));
    }
}

TEST(TextString, FormatsWithItsOwnTextAsFormatAndAsValue)
{
    TextString word("%s");
    word.Format(nullptr, "Korvane");
    EXPECT_STREQ("Korvane", word.GetText());

    TextString title("Orbelwick %s %sInstalation Wizard");
    title.Format(nullptr, "Korvane 1.0", "");
    EXPECT_STREQ("Orbelwick Korvane 1.0 Instalation Wizard", title.GetText());

    // The value points into the string that is being replaced.
    TextString self("%s-%s");
    self.Format(nullptr, self.GetText(), "y");
    EXPECT_STREQ("%s-%s-y", self.GetText());
    EXPECT_EQ(7, self.GetLength());
    EXPECT_EQ(8, self.GetCapacity());

    TextString none;
    none.Format(nullptr);
    EXPECT_STREQ("", none.GetText());
}

TEST(TextString, LoadsStringTableEntriesCutTo511)
{
    HINSTANCE self = GetModuleHandleA(nullptr);
    TextString s;
    EXPECT_EQ(511, s.LoadString(self, LongStringId));
    EXPECT_EQ(511, s.GetLength());
    EXPECT_EQ(std::string(511, 'x'), s.GetText());

    EXPECT_EQ(0, s.LoadString(self, MissingStringId));
    EXPECT_STREQ("", s.GetText());
}

// A copy that shared its buffer would change when the original does.
TEST(TextString, CopiesNeverShareTheirBuffer)
{
    TextString a("path");
    TextString copy = a;
    TextString joined = a + nullptr;
    a.GetBuffer()[0] = 'b';
    EXPECT_STREQ("path", copy.GetText());
    EXPECT_STREQ("path", joined.GetText());
}

TEST(TextString, NeverWrapsItsSixteenBitCapacity)
{
    const unsigned limit = TextString::MaxLength;
    ASSERT_EQ(65534u, limit);

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

} // namespace
