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
        int const operation = int(random() % 10);
        if (operation == 0 && !expected.empty()) // an element of the buffer that growing frees
        {
            std::size_t const i = random() % expected.size();
            array.Add(array[int(i)]);
            expected.push_back(expected[i]);
        }
        else if (operation < 3) // the first equal element goes, the order stays
        {
            array.Remove(value);
            auto const found = std::find(expected.begin(), expected.end(), value);
            if (found != expected.end())
                expected.erase(found);
        }
        else if (operation == 3) // copies are deep, assignment keeps its own initial capacity
        {
            CStrings copy(array), assigned(7);
            assigned.Add(value);
            assigned = copy;
            CStrings& alias = assigned;
            assigned = alias;
            if (!expected.empty())
                copy[0] += "changed";
            EXPECT_EQ(copy.GetInitialCapacity(), array.GetInitialCapacity());
            EXPECT_EQ(assigned.GetInitialCapacity(), 7);
            CStrings moved(std::move(assigned));
            assigned.Add(value); // the source is left empty and usable
            ASSERT_EQ(Elements(assigned), std::vector<std::string>{value});
            array.RemoveAll();
            array = std::move(moved);
        }
        else if (operation == 4 && random() % 20 == 0)
        {
            array.RemoveAll();
            expected.clear();
        }
        else
        {
            array.Add(value);
            expected.push_back(value);
        }
        ASSERT_EQ(Elements(array), expected) << step;
    }
}

TEST(QzArray, GrowsByAThirdAndKeepsOrFreesItsBuffer)
{
    CQzArray<int> array(0); // at least one element
    std::vector<int> capacities;
    for (int i = 0; i < 42; ++i)
    {
        array.Add(i);
        if (capacities.empty() || capacities.back() != array.GetCapacity())
            capacities.push_back(array.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 2, 4, 6, 9, 13, 18, 25, 34, 46}));
    int const* const buffer = array.GetData();
    array.RemoveAll();
    array.Add(7);
    EXPECT_EQ(array.GetData(), buffer);
    EXPECT_EQ(CQzArray<int>(array).GetInitialCapacity(), 1);
    array.Release();
    EXPECT_EQ(array.GetData(), nullptr);
    EXPECT_EQ(array.GetCount() + array.GetCapacity(), 0);
    EXPECT_EQ(array.GetInitialCapacity(), 16);
}
