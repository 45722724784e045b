// Tests of TQzHashTable with keys chosen for their buckets: growth at a
// quarter full, reinsertion in bucket order across the wrap, insertion
// results and clearing.
#include "identifier/QzHashTable.h"
#include "identifier/QzIdentifierHashEntry.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace {

using CTable = TQzHashTable<CQzIdentifierHashEntry, unsigned long long, CQzIdentifierHashPolicy>;

std::vector<unsigned long long> KeysInBucketOrder(CTable const& table)
{
    std::vector<unsigned long long> keys;
    table.ForEachEntry([&](CQzIdentifierHashEntry const* entry) { keys.push_back(entry->crc64); });
    return keys;
}

TEST(QzHashTable, GrowsAtTheSixtyFifthEntryReinsertingInBucketOrder)
{
    std::deque<CQzIdentifierHashEntry> entries;
    CTable table;
    EXPECT_EQ(table.GetBucketCount(), 256);
    EXPECT_EQ(table.GetSizeExponent(), 8);

    // first starts in the last bucket; second starts there too and wraps to
    // bucket 0. Both start in bucket 255 of 512 as well, where the walk from
    // bucket 0 upward puts second first.
    unsigned long long const first = 255 + (1ull << 40);
    unsigned long long const second = 255 + 512 + (2ull << 40);
    entries.emplace_back("first", first);
    entries.emplace_back("second", second);
    EXPECT_TRUE(table.Insert(&entries[0]));
    EXPECT_TRUE(table.Insert(&entries[1]));
    EXPECT_EQ(KeysInBucketOrder(table), (std::vector<unsigned long long>{second, first}));
    for (unsigned long long key = 10; key < 72; ++key)
    {
        entries.emplace_back("filler", key);
        EXPECT_TRUE(table.Insert(&entries.back()));
    }
    EXPECT_EQ(table.GetEntryCount(), 64);
    EXPECT_EQ(table.GetBucketCount(), 256);

    entries.emplace_back("sixty-fifth", 100);
    EXPECT_TRUE(table.Insert(&entries.back()));
    EXPECT_EQ(table.GetEntryCount(), 65);
    EXPECT_EQ(table.GetBucketCount(), 512);
    EXPECT_EQ(table.GetSizeExponent(), 9);
    std::vector<unsigned long long> const order = KeysInBucketOrder(table);
    ASSERT_EQ(order.size(), 65u);
    EXPECT_EQ(order[63], second);
    EXPECT_EQ(order[64], first);
    for (CQzIdentifierHashEntry const& entry : entries)
        EXPECT_EQ(table.Find(entry.crc64), &entry);

    // 129 entries make 1024 buckets, and every entry is still found
    for (unsigned long long key = 1000; table.GetEntryCount() < 129; ++key)
    {
        entries.emplace_back("more", key);
        table.Insert(&entries.back());
    }
    EXPECT_EQ(table.GetBucketCount(), 1024);
    for (CQzIdentifierHashEntry const& entry : entries)
        EXPECT_EQ(table.Find(entry.crc64), &entry);
}

TEST(QzHashTable, InsertKeepsTheEntryThatHoldsAKeyAndClearEmptiesTheTable)
{
    CTable table;
    CQzIdentifierHashEntry kept("kept", 7), rival("rival", 7), neighbour("neighbour", 7 + 256);
    EXPECT_EQ(table.Find(7), nullptr);
    EXPECT_TRUE(table.Insert(&kept));
    EXPECT_TRUE(table.Insert(&kept));
    EXPECT_FALSE(table.Insert(&rival));
    EXPECT_TRUE(table.Insert(&neighbour));
    EXPECT_EQ(table.GetEntryCount(), 2);
    EXPECT_EQ(table.Find(7), &kept);
    EXPECT_EQ(table.Find(7 + 256), &neighbour);
    EXPECT_EQ(table.Find(7 + 512), nullptr);

    // cleared many times over, the table reuses its arrays and still grows
    std::deque<CQzIdentifierHashEntry> entries;
    for (unsigned long long round = 0; round < 4; ++round)
    {
        table.Clear();
        EXPECT_EQ(table.GetBucketCount(), 256);
        EXPECT_EQ(table.Find(7), nullptr);
        for (unsigned long long key = 0; key < 3000; ++key)
        {
            entries.emplace_back("entry", key * 0x9E3779B97F4A7C15ull + round);
            ASSERT_TRUE(table.Insert(&entries.back()));
        }
        EXPECT_EQ(table.GetBucketCount(), 16384);
        for (std::size_t i = entries.size() - 3000; i < entries.size(); ++i)
            ASSERT_EQ(table.Find(entries[i].crc64), &entries[i]);
    }
}

} // namespace
