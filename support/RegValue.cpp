// RegValue: reads a value's bytes into a fixed buffer and takes them as text.
#include "support/RegValue.h"

#include "support/LateBound.h"

RegValue::RegValue(HKEY key, const char* name) : key(key), name(name) {}

TextString RegValue::GetString()
{
    char buffer[BufferSize];
    DWORD size = BufferSize;
    type = REG_NONE;
    status = LateBound::RegQueryValueExA(key, name.GetText(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS)
        return TextString("");
    // Stored data need not end in a NUL: the text ends at the first NUL or with the
    // data, and it must leave room for a terminator in the buffer.
    DWORD textLength = 0;
    while (textLength < size && buffer[textLength])
        ++textLength;
    if (textLength >= BufferSize)
        return TextString("");
    return TextString(buffer, static_cast<int>(textLength));
}
