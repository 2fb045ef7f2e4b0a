// UTF-8 text, as the driver takes paths and arguments, to and from the UTF-16 of the W
// functions: a path may hold characters outside the ANSI code page.
#pragma once

#include <string>

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
