// TextString: exact allocations, the append and reserve protocols, search, format, load.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "TextString.h"

namespace {

constexpr unsigned LongStringId = 900;     // 600 characters in the test program's strings
constexpr unsigned MissingStringId = 901;  // not in any string table

// What the heap really gave the buffer, or 0 when there is none.
size_t HeapBlockSize(const TextString& s)
{
    return s.GetCapacity() ? HeapSize(GetProcessHeap(), 0, s.GetText()) : 0;
}

struct AllocationCase {
    const char* what;
    std::function<TextString*()> make;
    unsigned short capacity;
    unsigned short length;
    std::string text;
};

TextString* Mutated(const std::function<void(TextString&)>& act)
{
    auto* s = new TextString;
    act(*s);
    return s;
}

TEST(TextString, AllocatesExactlyWhatEachOperationNeeds)
{
    const AllocationCase cases[] = {
        {"empty construction", [] { return new TextString; }, 0, 0, ""},
        {"construct from an empty text", [] { return new TextString(""); }, 1, 0, ""},
        {"construct from a text", [] { return new TextString("abc"); }, 4, 3, "abc"},
        {"explicit length copies NULs too", [] { return new TextString("ab\0cd", 5); }, 6, 5,
         "ab"},
        {"copy of a string without buffer", [] { TextString none; return new TextString(none); }, 1, 0,
         ""},
        {"assign null without buffer", [] { return Mutated([](TextString& s) { s.Assign(nullptr); }); },
         1, 0, ""},
        {"append empty without buffer", [] { return Mutated([](TextString& s) { s.Append(""); }); },
         1, 0, ""},
        {"append null without buffer", [] { return Mutated([](TextString& s) { s.Append(nullptr); }); },
         0, 0, ""},
        {"two appends reallocate exactly",
         [] { return Mutated([](TextString& s) { s.Append("abc"); s.Append("de"); }); }, 6, 5,
         "abcde"},
        {"load reserves 512 characters",
         [] {
             return Mutated(
                 [](TextString& s) { s.LoadString(GetModuleHandleA(nullptr), MissingStringId); });
         },
         513, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TextString* s = c.make();
        ASSERT_NE(nullptr, s);
        EXPECT_EQ(c.capacity, s->GetCapacity());
        EXPECT_EQ(c.capacity, HeapBlockSize(*s));
        EXPECT_EQ(c.length, s->GetLength());
        EXPECT_EQ(c.text, s->GetText());
        delete s;
    }
}

// A string of capacity 10 holding "hello".
TextString TenByteHello()
{
    TextString s;
    lstrcpyA(s.Reserve(9), "hello");
    s.SetLength(-1);
    return s;
}

TEST(TextString, AppendsInPlaceOnlyWhileTheTerminatorFits)
{
    struct {
        const char* appended;
        bool inPlace;
        unsigned short capacity;
    } const cases[] = {
        {"1234", true, 10},    // total 9 < capacity 10
        {"12345", false, 11},  // total 10 is not less than 10
        {"", true, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.appended);
        TextString s = TenByteHello();
        ASSERT_EQ(10, s.GetCapacity());
        const char* before = s.GetText();
        s.Append(c.appended);
        EXPECT_EQ(c.inPlace, s.GetText() == before);
        EXPECT_EQ(c.capacity, s.GetCapacity());
        EXPECT_EQ(c.capacity, HeapBlockSize(s));
        EXPECT_EQ(std::string("hello") + c.appended, s.GetText());
        EXPECT_EQ(5 + lstrlenA(c.appended), s.GetLength());
    }
}

TEST(TextString, ReserveThenSetLengthProtocol)
{
    TextString s = TenByteHello();
    const char* before = s.GetText();

    // Below the capacity: same buffer, the length counts what was asked for.
    EXPECT_EQ(before, s.Reserve(7));
    EXPECT_EQ(7, s.GetLength());
    EXPECT_STREQ("hello", s.GetText());
    EXPECT_EQ(5, s.SetLength(-1));

    // At the capacity: reallocated to n + 1, content kept.
    char* grown = s.Reserve(10);
    ASSERT_NE(nullptr, grown);
    EXPECT_EQ(11, s.GetCapacity());
    EXPECT_EQ(11u, HeapBlockSize(s));
    EXPECT_STREQ("hello", grown);
    lstrcpyA(grown + 5, "world");
    EXPECT_EQ(10, s.SetLength(-1));
    EXPECT_STREQ("helloworld", s.GetText());
    EXPECT_EQ(3, s.SetLength(3));
    EXPECT_STREQ("hel", s.GetText());
}

TEST(TextString, TruncateAndEmptyKeepTheBuffer)
{
    struct {
        int n;
        std::string text;
    } const cases[] = {{8, "abcdef"}, {6, "abcdef"}, {2, "ab"}, {0, ""}, {-1, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        TextString s("abcdef");
        const char* before = s.GetText();
        s.Truncate(c.n);
        EXPECT_EQ(c.text, s.GetText());
        EXPECT_EQ(c.text.size(), s.GetLength());
        EXPECT_EQ(before, s.GetText());
        EXPECT_EQ(7, s.GetCapacity());
    }
    TextString s("abc");
    s.Empty();
    EXPECT_EQ(4, s.GetCapacity());
    EXPECT_EQ(0, s.GetLength());
    TextString none;
    none.Truncate(3).Empty();
    EXPECT_EQ(0, none.GetCapacity());
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

TEST(TextString, AssignConcatenateAndCopiesNeverShare)
{
    TextString a("path");
    TextString same = a;
    same.Assign(same);
    EXPECT_STREQ("path", same.GetText());
    EXPECT_NE(a.GetText(), same.GetText());

    TextString joined = a + "\\Korvane.ini";
    EXPECT_STREQ("path\\Korvane.ini", joined.GetText());
    EXPECT_EQ(joined.GetLength() + 1, joined.GetCapacity());
    EXPECT_STREQ("path", a.GetText());

    TextString copy = a + nullptr;
    EXPECT_STREQ("path", copy.GetText());
    EXPECT_NE(a.GetText(), copy.GetText());
}

TEST(TextString, NulWrittenIntoTheBufferCutsLaterCopies)
{
    TextString s("abcdef");
    s.GetText()[3] = '\0';
    EXPECT_EQ(6, s.GetLength());
    TextString joined = s + "XY";
    EXPECT_STREQ("abcXY", joined.GetText());
    TextString assigned;
    assigned.Assign(s);
    EXPECT_STREQ("abc", assigned.GetText());
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
