// UTF-8 to UTF-16 and back; invalid sequences become U+FFFD rather than failing. An empty
// text converts to none: the platform refuses a length of 0, which leaves the result empty.
#include "driver/WideText.h"

#include <windows.h>

// Each UTF-16 unit takes at least one byte of UTF-8, and at most three.
std::wstring WideFromUtf8(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    wide.data(), static_cast<int>(wide.size())));
    return wide;
}

std::string Utf8FromWide(const std::wstring& text)
{
    std::string narrow(text.size() * 3, '\0');
    narrow.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      narrow.data(), static_cast<int>(narrow.size()), nullptr,
                                      nullptr));
    return narrow;
}
