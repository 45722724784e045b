// Tests of CQzArray: random sequences of every operation against std::vector,
// and the growth steps and capacity rules.
#include "foundation/QzArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using CStrings = CQzArray<std::string>;

TEST(QzArray, BehavesAsAVectorUnderRandomOperationsAndGrowsByAThird)
{
    auto elements = [](CStrings const& a) { return std::vector<std::string>(a.GetData(), a.GetData() + a.GetCount()); };
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
            ASSERT_EQ(elements(assigned), std::vector<std::string>{value});
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
        ASSERT_EQ(elements(array), expected) << step;
    }

    // growth by about a third, from at least one element
    CQzArray<int> numbers(0);
    std::vector<int> capacities;
    for (int i = 0; i < 42; ++i)
    {
        numbers.Add(i);
        if (capacities.empty() || capacities.back() != numbers.GetCapacity())
            capacities.push_back(numbers.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 2, 4, 6, 9, 13, 18, 25, 34, 46}));
    int const* const buffer = numbers.GetData();
    numbers.RemoveAll(); // keeps the buffer, Release frees it
    numbers.Add(7);
    EXPECT_EQ(numbers.GetData(), buffer);
    EXPECT_EQ(CQzArray<int>(numbers).GetInitialCapacity(), 1);
    numbers.Release();
    EXPECT_EQ(numbers.GetData(), nullptr);
    EXPECT_EQ(numbers.GetCount() + numbers.GetCapacity() + numbers.GetInitialCapacity(), 16);
}
