// TextString: the program's one string type, 8-bit ANSI text in an exactly sized
// heap buffer that the string owns outright.
#pragma once

#include <windows.h>

#include "support/BaseObject.h"

// windows.h maps LoadString to LoadStringA; the member below keeps its own name.
#undef LoadString

class TextString : public BaseObject {
public:
    // The capacity is 16 bits wide and holds the terminator too.
    static constexpr unsigned MaxLength = 65534;

    // length >= 0 copies exactly that many bytes; a negative length takes text up to its NUL.
    explicit TextString(const char* text = nullptr, int length = -1);
    TextString(const TextString& other);
    TextString& operator=(const TextString& other) { return Assign(other); }
    ~TextString() override;

    // The text; the empty text when there is no buffer.
    const char* GetText() const { return buffer ? buffer : ""; }
    // The buffer itself, writable within the length; null when there is none.
    char* GetBuffer() { return buffer; }
    unsigned short GetLength() const { return length; }
    unsigned short GetCapacity() const { return capacity; }

    // Makes room for n characters and their NUL; the caller fills the buffer, then SetLength.
    char* Reserve(unsigned n);
    int SetLength(int n);

    TextString& Empty();
    TextString& Truncate(int n);
    int Find(char c) const;
    int ReverseFind(char c) const;

    // A null format formats the string's own text; values may point into the string.
    TextString& Format(const char* format, ...);
    unsigned short LoadString(HINSTANCE module, unsigned id);

    TextString& Assign(const TextString& other);
    TextString& Assign(const char* text);
    TextString& Append(const char* text);

private:
    char* buffer = nullptr;
    unsigned short length = 0;
    unsigned short capacity = 0;
};

// A copy of a with text appended; neither operand changes.
TextString Concatenate(const TextString& a, const char* text);

inline TextString operator+(const TextString& a, const char* text) { return Concatenate(a, text); }
