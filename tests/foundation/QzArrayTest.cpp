// Tests of CQzArray: random sequences of every operation against
// std::vector, and the growth steps and capacity rules.
#include "foundation/QzArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using CStrings = CQzArray<std::string>;

std::vector<std::string> Elements(CStrings const& array)
{
    return std::vector<std::string>(array.GetData(), array.GetData() + array.GetCount());
}

} // namespace

TEST(QzArray, BehavesAsAVectorUnderRandomOperations)
{
    std::mt19937 random(5);
    CStrings array(3);
    std::vector<std::string> expected;
    for (int step = 0; step < 4000; ++step)
    {
        std::string const value(1 + random() % 40, char('a' + random() % 6));
        switch (random() % 10)
        {
        case 0: // an element of its own buffer, which growing may free
            if (!expected.empty())
            {
                int const i = int(random() % expected.size());
                array.Add(array[i]);
                expected.push_back(expected[std::size_t(i)]);
            }
            break;
        case 1: case 2: { // the first equal element goes, the order stays
            array.Remove(value);
            auto const found = std::find(expected.begin(), expected.end(), value);
            if (found != expected.end())
                expected.erase(found);
            break;
        }
        case 3: { // copies are deep and take the initial capacity
            CStrings const copy(array);
            EXPECT_EQ(copy.GetInitialCapacity(), array.GetInitialCapacity());
            if (!expected.empty())
                array[0] += "changed";
            ASSERT_EQ(Elements(copy), expected);
            array = copy;
            break;
        }
        case 4: { // assignment keeps this array's own initial capacity
            CStrings assigned(7);
            assigned.Add(value);
            assigned = array;
            CStrings& alias = assigned;
            assigned = alias;
            EXPECT_EQ(assigned.GetInitialCapacity(), 7);
            CStrings moved(std::move(assigned));
            assigned.Add(value); // the source is left empty and usable
            ASSERT_EQ(Elements(assigned), std::vector<std::string>{value});
            array = std::move(moved);
            EXPECT_EQ(array.GetInitialCapacity(), 7);
            break;
        }
        case 5:
            if (random() % 20 == 0)
            {
                array.RemoveAll();
                expected.clear();
            }
            break;
        default:
            array.Add(value);
            expected.push_back(value);
        }
        ASSERT_EQ(Elements(array), expected) << step;
        ASSERT_GE(array.GetCapacity(), array.GetCount());
    }
}

TEST(QzArray, GrowsByAThirdAndKeepsOrFreesItsBuffer)
{
    CQzArray<int> array;
    EXPECT_EQ(array.GetData(), nullptr);
    std::vector<int> capacities;
    for (int i = 0; i < 42; ++i)
    {
        array.Add(i);
        if (capacities.empty() || capacities.back() != array.GetCapacity())
            capacities.push_back(array.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{16, 22, 30, 41, 56}));
    EXPECT_EQ(array[41], 41);

    int const* const buffer = array.GetData();
    array.RemoveAll();
    array.Add(7);
    EXPECT_EQ(array.GetData(), buffer);
    EXPECT_EQ(array.GetCapacity(), 56);

    CQzArray<int> small(0); // at least one element
    for (int i = 0; i < 3; ++i)
        small.Add(i);
    EXPECT_EQ(small.GetInitialCapacity(), 1);
    EXPECT_EQ(small.GetCapacity(), 4); // 1, then (1 * 4 + 4) / 3 = 2, then 4
    small.Release();
    EXPECT_EQ(small.GetData(), nullptr);
    EXPECT_EQ(small.GetCount(), 0);
    EXPECT_EQ(small.GetCapacity(), 0);
    EXPECT_EQ(small.GetInitialCapacity(), 16);
}
