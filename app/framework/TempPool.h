// TempPool: the list of temporary objects that the framework deletes at idle and at Exit.
#pragma once

#include <stddef.h>

struct TempPoolNode {
    TempPoolNode* next;  // the node added before this one
    void* object;        // the block of a pooled BaseObject; null when its allocation failed
};

class TempPool {
public:
    // A block for an object derived from BaseObject, to be constructed in place; null on
    // exhaustion. The pool owns the object from then on and deletes it in FreeAll.
    void* Allocate(size_t size);
    // Deletes every pooled object, newest first, through its virtual destructor.
    void FreeAll();

    const TempPoolNode* Head() const { return head; }

private:
    TempPoolNode* head = nullptr;
};
