// Skinning tests: influence equality, the list's insertion order, and the
// matrix table's length rule (the buffer only ever grows) and shallow copies.
#include "geometry/QzSkinning.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(QzSkinning, InfluencesListsAndTheMatrixTableKeepWhatTheyAreGiven)
{
    CQzSkinInfluence a(3, 0.5f), b(3, 0.5f);
    CQzSkinInfluence const nan(3, std::nanf(""));
    EXPECT_TRUE(a == b && !(nan == nan));
    b.setWeight(0.25f);
    EXPECT_TRUE(a != b);

    CQzSkinInfluenceList list;
    for (unsigned int i = 0; i < 17; ++i)
        list.addSkinInfluence(CQzSkinInfluence(i % 5, float(i)));
    CQzSkinInfluenceList const copy = list;
    ASSERT_EQ(copy.getNbSkinInfluences(), 17u);
    for (unsigned int i = 0; i < 17; ++i)
        EXPECT_EQ(copy.getSkinInfluence(i), CQzSkinInfluence(i % 5, float(i)));

    CQzMatrix44 bones[4];
    CQzSkinMatrixLUT table;
    EXPECT_EQ(table.getNbMatrices(), 0u);
    table.setNbMatrices(4);
    for (unsigned int i = 0; i < 4; ++i)
        table.setMatrix(i, &bones[i]);
    table.setNbMatrices(2);
    EXPECT_EQ(table.getNbMatrices(), 2u);
    table.setNbMatrices(4); // same buffer: entries 2 and 3 are still there
    EXPECT_TRUE(table.getMatrix(2) == &bones[2] && table.getMatrix(3) == &bones[3]);
    table.setNbMatrices(10);
    EXPECT_TRUE(table.getNbMatrices() == 10u && table.getMatrix(0) == &bones[0] && table.getMatrix(3) == &bones[3]);
    EXPECT_EQ(table.getMatrix(9), nullptr);
    EXPECT_EQ(CQzSkinMatrixLUT(table).getMatrix(1), &bones[1]); // a copy, destroyed at once
    bones[1].setIdentity();
    EXPECT_EQ(table.getMatrix(1)->getRight(), CQzVector3(1, 0, 0)); // the copies freed only their buffers
}

} // namespace
