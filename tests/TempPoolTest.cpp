// TempPool: newest-first deletion, and an empty pool.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "app/TempPool.h"
#include "support/TextString.h"

namespace {

std::vector<std::string>* deletions;

// A pooled object that notes its deletion.
class Noted : public TextString {
public:
    explicit Noted(const char* name) : TextString(name) {}
    ~Noted() override { deletions->push_back(GetText()); }
};

Noted* Pooled(TempPool& pool, const char* name)
{
    void* block = pool.Allocate(sizeof(Noted));
    return block ? new (block) Noted(name) : nullptr;
}

size_t NodeCount(const TempPool& pool)
{
    size_t count = 0;
    for (const TempPoolNode* node = pool.Head(); node; node = node->next)
        ++count;
    return count;
}

TEST(TempPool, DeletesNewestFirstAndEmptiesItself)
{
    std::vector<std::string> noted;
    deletions = &noted;
    TempPool pool;
    ASSERT_NE(nullptr, Pooled(pool, "A"));
    ASSERT_NE(nullptr, Pooled(pool, "B"));
    ASSERT_NE(nullptr, Pooled(pool, "C"));
    EXPECT_EQ(3u, NodeCount(pool));

    pool.FreeAll();
    EXPECT_EQ((std::vector<std::string>{"C", "B", "A"}), noted);
    EXPECT_EQ(nullptr, pool.Head());

    pool.FreeAll();  // an empty pool stays empty
    EXPECT_EQ(nullptr, pool.Head());
    EXPECT_EQ(3u, noted.size());
}

} // namespace
