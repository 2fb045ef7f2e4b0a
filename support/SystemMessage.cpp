// AppendSystemReason: FormatMessageA into a buffer of the string's own, trailing line
// break dropped, so the reason reads as one line under the program's own text.
#include "support/SystemMessage.h"

namespace {

// Longer than any of the system's messages for the errors a setup meets.
constexpr unsigned ReasonCapacity = 512;
constexpr DWORD FromSystem = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

}  // namespace

void AppendSystemReason(TextString& text, DWORD error)
{
    if (error == ERROR_SUCCESS || (error & APPLICATION_ERROR_MASK))
        return;
    TextString reason;
    char* buffer = reason.Reserve(ReasonCapacity);
    if (!buffer)
        return;
    DWORD length =
        FormatMessageA(FromSystem, nullptr, error, 0, buffer, ReasonCapacity + 1, nullptr);
    while (length > 0 &&
           (buffer[length - 1] == '\n' || buffer[length - 1] == '\r' || buffer[length - 1] == ' '))
        --length;
    if (length == 0)
        return;
    reason.SetLength(static_cast<int>(length));
    text.Append("\n");
    text.Append(reason.GetText());
}
