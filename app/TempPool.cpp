// TempPool: a singly linked list, newest first; each node owns one block.
#include "TempPool.h"

#include <stdlib.h>

#include "BaseObject.h"

void* TempPool::Allocate(size_t size)
{
    TempPoolNode* node = static_cast<TempPoolNode*>(malloc(sizeof(TempPoolNode)));
    if (!node)
        return nullptr;
    node->next = head;
    node->object = malloc(size);
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
        free(head);
        head = next;
    }
}
