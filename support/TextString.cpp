// TextString: exact allocations, in-place appends while the text fits, no growth factor.
#include "support/TextString.h"

#include <stdarg.h>

#include "support/Heap.h"
#include "support/LateBound.h"

namespace {

// wvsprintfA writes at most 1,024 bytes; the local buffer leaves room to spare.
constexpr int FormatBufferSize = 2048;

// LoadStringA copies at most this many bytes, the terminator included.
constexpr int LoadBufferSize = 512;

}  // namespace

TextString::TextString(const char* text, int length)
{
    if (length >= 0) {
        if (Reserve(static_cast<unsigned>(length))) {
            CopyMemory(buffer, text, static_cast<size_t>(length));
            SetLength(length);
        }
    } else if (text) {
        Assign(text);
    }
}

TextString::TextString(const TextString& other) : BaseObject() { Assign(other); }

TextString::~TextString() { FreeBlock(buffer); }

char* TextString::Reserve(unsigned n)
{
    if (n < capacity) {
        length = static_cast<unsigned short>(n);
        return buffer;
    }
    char* old = buffer;
    // A request beyond the 16-bit capacity is refused like a failed allocation.
    buffer = n <= MaxLength ? static_cast<char*>(AllocateBlock(n + 1)) : nullptr;
    if (buffer) {
        if (old)
            lstrcpyA(buffer, old);
        else
            buffer[0] = '\0';
    }
    FreeBlock(old);
    if (!buffer) {
        capacity = 0;
        length = 0;
        return nullptr;
    }
    capacity = static_cast<unsigned short>(n + 1);
    length = static_cast<unsigned short>(n);
    return buffer;
}

int TextString::SetLength(int n)
{
    if (n == -1)
        n = lstrlenA(buffer);
    length = static_cast<unsigned short>(n);
    buffer[n] = '\0';
    return n;
}

TextString& TextString::Empty()
{
    if (buffer)
        SetLength(0);
    return *this;
}

TextString& TextString::Truncate(int n)
{
    if (n < 0)
        return Empty();
    if (buffer && n <= length) {
        buffer[n] = '\0';
        length = static_cast<unsigned short>(n);
    }
    return *this;
}

int TextString::Find(char c) const
{
    const char* text = GetText();
    // The terminator is part of the search: looking for NUL finds the length.
    for (int at = 0;; ++at) {
        if (text[at] == c)
            return at;
        if (!text[at])
            return -1;
    }
}

int TextString::ReverseFind(char c) const
{
    const char* text = GetText();
    int found = -1;
    for (int at = 0;; ++at) {
        if (text[at] == c)
            found = at;
        if (!text[at])
            return found;
    }
}

TextString& TextString::Format(const char* format, ...)
{
    char formatted[FormatBufferSize];
    formatted[0] = '\0';
    va_list values;
    va_start(values, format);
    LateBound::wvsprintfA(formatted, format ? format : GetText(), values);
    va_end(values);
    return Assign(formatted);
}

unsigned short TextString::LoadString(HINSTANCE module, unsigned id)
{
    if (!Reserve(LoadBufferSize))
        return 0;
    int copied = LateBound::LoadStringA(module, id, buffer, LoadBufferSize);
    return static_cast<unsigned short>(SetLength(copied));
}

TextString& TextString::Assign(const TextString& other)
{
    if (&other == this)
        return *this;
    unsigned short otherLength = other.length;
    if (Reserve(otherLength)) {
        lstrcpyA(buffer, other.GetText());
        SetLength(otherLength);
    }
    return *this;
}

TextString& TextString::Assign(const char* text)
{
    if (!text) {
        if (Reserve(0))
            buffer[0] = '\0';
        return *this;
    }
    int n = lstrlenA(text);
    if (Reserve(static_cast<unsigned>(n))) {
        lstrcpyA(buffer, text);
        SetLength(n);
    }
    return *this;
}

TextString& TextString::Append(const char* text)
{
    if (!text)
        return *this;
    unsigned total = length + static_cast<unsigned>(lstrlenA(text));
    if (buffer && total < capacity) {
        lstrcatA(buffer, text);
        SetLength(static_cast<int>(total));
        return *this;
    }
    char* old = buffer;
    buffer = nullptr;
    capacity = 0;
    if (Reserve(total)) {
        buffer[0] = '\0';
        if (old)
            lstrcpyA(buffer, old);
        lstrcatA(buffer, text);
        SetLength(static_cast<int>(total));
    }
    FreeBlock(old);
    return *this;
}

TextString Concatenate(const TextString& a, const char* text)
{
    TextString result(a);
    result.Append(text);
    return result;
}
