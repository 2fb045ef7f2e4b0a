// LoadTempString: a TextString built in a block of the pool, which owns it from then on.
#include "app/framework/TempString.h"

#include "app/ProcessState.h"
#include "app/framework/ModuleState.h"

namespace {

// What callers get when the pool has no memory left: they read its text and nothing else.
TextString exhausted;

}  // namespace

TextString* LoadTempString(unsigned id)
{
    void* block = TheModuleState.TempPool.Allocate(sizeof(TextString));
    if (!block)
        return &exhausted;
    TextString* text = new (block) TextString;
    text->LoadString(AppInstance, id);
    return text;
}
