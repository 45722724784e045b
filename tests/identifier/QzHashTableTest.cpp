// Tests of TQzHashTable with keys chosen for their buckets: growth at a
// quarter full, reinsertion in bucket order across the wrap, insertion
// results, and clearing.
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
    EXPECT_EQ(table.Find(1), nullptr);
    EXPECT_TRUE(KeysInBucketOrder(table).empty());
    // first starts in the last bucket; second starts there too and wraps to
    // bucket 0. Both start in bucket 255 of 512 as well, where the walk from
    // bucket 0 upward puts second first.
    unsigned long long const first = 255 + (1ull << 40), second = 255 + 512 + (2ull << 40);
    entries.emplace_back("first", first);
    entries.emplace_back("second", second);
    for (unsigned long long key = 10; entries.size() < 64; ++key)
        entries.emplace_back("filler", key);
    for (CQzIdentifierHashEntry& entry : entries)
        EXPECT_TRUE(table.Insert(&entry));
    EXPECT_EQ(KeysInBucketOrder(table).front(), second);
    EXPECT_EQ(KeysInBucketOrder(table).back(), first);
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

    // the same key keeps its entry; cleared many times over, the table
    // reuses its arrays, grows again and finds every entry
    CQzIdentifierHashEntry rival("rival", first);
    EXPECT_TRUE(table.Insert(&entries[0]));
    EXPECT_FALSE(table.Insert(&rival));
    EXPECT_EQ(table.Find(first), &entries[0]);
    EXPECT_EQ(table.Find(first + 1024), nullptr);
    for (unsigned long long round = 0; round < 4; ++round)
    {
        std::size_t const begin = entries.size();
        for (unsigned long long key = 0; key < 3000; ++key)
        {
            entries.emplace_back("entry", key * 0x9E3779B97F4A7C15ull + round);
            ASSERT_TRUE(table.Insert(&entries.back()));
        }
        EXPECT_EQ(table.GetBucketCount(), 16384);
        for (std::size_t i = begin; i < entries.size(); ++i)
            ASSERT_EQ(table.Find(entries[i].crc64), &entries[i]);
        table.Clear();
        EXPECT_EQ(table.GetEntryCount(), 0);
        EXPECT_EQ(table.GetBucketCount(), 256);
        EXPECT_EQ(table.Find(entries[begin].crc64), nullptr);
    }
}

TEST(QzHashTable, AnArrayReusedAfterClearHoldsNothingOld)
{
    CQzIdentifierHashEntry zero, one("one", 1); // a default entry has the key 0
    CTable table;
    table.Insert(&zero);
    EXPECT_EQ(table.Find(0), &zero);
    table.Clear();
    table.Insert(&one);
    EXPECT_EQ(table.Find(0), nullptr);
}

} // namespace
