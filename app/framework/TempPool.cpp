// TempPool: a singly linked list, newest first; each node owns one block.
#include "app/framework/TempPool.h"

#include "support/BaseObject.h"
#include "support/Heap.h"

void* TempPool::Allocate(size_t size)
{
    TempPoolNode* node = static_cast<TempPoolNode*>(AllocateBlock(sizeof(TempPoolNode)));
    if (!node)
        return nullptr;
    node->next = head;
    node->object = AllocateBlock(size);
    // The node joins the list even without its block; FreeAll frees it like any other.
    head = node;
    return node->object;
}

void TempPool::FreeAll()
{
    while (head) {
        TempPoolNode* next = head->next;
        if (head->object)
            delete static_cast<BaseObject*>(head->object);
        FreeBlock(head);
        head = next;
    }
}
