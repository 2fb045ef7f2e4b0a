// RegValue: reads a value's bytes into a fixed buffer and takes them as text.
#include "RegValue.h"

#include <string.h>

RegValue::RegValue(HKEY key, const char* name)
    : key(key), name(name)
{
}

TextString RegValue::GetString()
{
    char buffer[BufferSize];
    DWORD size = BufferSize;
    type = REG_NONE;
    status = RegQueryValueExA(key, name.GetText(), nullptr, &type,
                              reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS)
        return TextString("");
    // Stored data need not end in a NUL: the text ends at the first NUL or with the
    // data, and it must leave room for a terminator in the buffer.
    const char* end = static_cast<const char*>(memchr(buffer, '\0', size));
    DWORD textLength = end ? static_cast<DWORD>(end - buffer) : size;
    if (textLength >= BufferSize)
        return TextString("");
    return TextString(buffer, static_cast<int>(textLength));
}
