// Tests of CQzArray: growth steps, order-keeping removal, buffer reuse and
// the copy rules of the initial capacity.
#include "foundation/QzArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<int> Elements(CQzArray<int> const& array)
{
    return std::vector<int>(array.GetData(), array.GetData() + array.GetCount());
}

CQzArray<int> Sequence(int count, int initialCapacity = 16)
{
    CQzArray<int> array(initialCapacity);
    for (int i = 0; i < count; ++i)
        array.Add(i * 10);
    return array;
}

} // namespace

TEST(QzArray, GrowsByAThirdFromTheInitialCapacity)
{
    CQzArray<int> array;
    EXPECT_EQ(array.GetCapacity(), 0);
    EXPECT_EQ(array.GetData(), nullptr);

    std::vector<int> capacities;
    std::vector<int> expected;
    for (int i = 0; i < 42; ++i)
    {
        array.Add(i);
        expected.push_back(i);
        if (capacities.empty() || capacities.back() != array.GetCapacity())
            capacities.push_back(array.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{16, 22, 30, 41, 56}));
    EXPECT_EQ(Elements(array), expected);

    CQzArray<int> small(1);
    small.Add(1);
    small.Add(2); // (1 * 4 + 4) / 3 = 2
    small.Add(3); // (2 * 4 + 4) / 3 = 4
    EXPECT_EQ(small.GetCapacity(), 4);
    EXPECT_EQ(Elements(small), (std::vector<int>{1, 2, 3}));
}

TEST(QzArray, AddingAnElementOfItsOwnFullBufferCopiesItBeforeGrowing)
{
    CQzArray<std::string> array(2);
    array.Add(std::string(100, 'a'));
    array.Add(std::string(100, 'b'));
    array.Add(array[0]); // the buffer holding array[0] is freed by the growth
    ASSERT_EQ(array.GetCount(), 3);
    EXPECT_EQ(array[2], std::string(100, 'a'));
}

TEST(QzArray, RemoveKeepsOrderAndTheBuffer)
{
    CQzArray<int> array = Sequence(3);
    array.Remove(10);
    EXPECT_EQ(Elements(array), (std::vector<int>{0, 20}));

    array.Add(20);
    array.Remove(20); // only the first equal element goes
    EXPECT_EQ(Elements(array), (std::vector<int>{0, 20}));

    array.Remove(12345);
    EXPECT_EQ(Elements(array), (std::vector<int>{0, 20}));

    int const* buffer = array.GetData();
    array.RemoveAll();
    EXPECT_EQ(array.GetCount(), 0);
    array.Add(7);
    EXPECT_EQ(array.GetData(), buffer);
    EXPECT_EQ(array.GetCapacity(), 16);
    EXPECT_EQ(Elements(array), (std::vector<int>{7}));

    array.Release();
    EXPECT_EQ(array.GetData(), nullptr);
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetCapacity(), 0);
    EXPECT_EQ(array.GetInitialCapacity(), 16);
}

TEST(QzArray, CopyTakesTheInitialCapacityAssignmentKeepsItsOwn)
{
    CQzArray<int> source = Sequence(5, 4);

    CQzArray<int> copy(source);
    EXPECT_EQ(copy.GetInitialCapacity(), 4);
    EXPECT_EQ(Elements(copy), Elements(source));
    EXPECT_NE(copy.GetData(), source.GetData());

    CQzArray<int> assigned(8);
    assigned.Add(99);
    int const* buffer = assigned.GetData();
    assigned = source;
    EXPECT_EQ(assigned.GetInitialCapacity(), 8);
    EXPECT_EQ(assigned.GetData(), buffer); // five elements fit the existing buffer
    EXPECT_EQ(Elements(assigned), Elements(source));

    copy[0] = -1; // deep copies: the source is untouched
    EXPECT_EQ(source[0], 0);
}

TEST(QzArray, SelfAssignmentKeepsEveryElement)
{
    CQzArray<int> array = Sequence(17);
    std::vector<int> const before = Elements(array);
    CQzArray<int>& alias = array;
    array = alias;
    EXPECT_EQ(Elements(array), before);
    EXPECT_EQ(array.GetCapacity(), 22);
}

TEST(QzArray, MoveLeavesTheSourceEmptyAndUsable)
{
    CQzArray<int> source = Sequence(3, 5);
    int const* buffer = source.GetData();
    CQzArray<int> moved(std::move(source));
    EXPECT_EQ(moved.GetData(), buffer);
    EXPECT_EQ(moved.GetInitialCapacity(), 5);
    EXPECT_EQ(source.GetCount(), 0);
    source.Add(1);
    EXPECT_EQ(Elements(source), (std::vector<int>{1}));

    CQzArray<int> target = Sequence(2);
    target = std::move(moved);
    EXPECT_EQ(Elements(target), (std::vector<int>{0, 10, 20}));
}
