// Tests of CQzDynamicLibrary against a small test module: loading, look-up,
// failures, and copies that each release exactly one load.
#include "system/QzDynamicLibrary.h"

#include <gtest/gtest.h>

#include <vector>

TEST(QzDynamicLibrary, CopiesKeepTheLibraryUntilTheLastOneReleases)
{
    // the module's call count, which restarts at each real load; -1 without the function
    auto const call = [](CQzDynamicLibrary const& library) {
        void* const address = library.GetFunctionAddress(TQzString<char>("QzTestModuleCount"));
        return address != nullptr ? reinterpret_cast<int (*)()>(address)() : -1;
    };
    TQzString<char> const modulePath(QZ_TEST_MODULE_PATH);
    {
        CQzDynamicLibrary original(modulePath);
        EXPECT_EQ(call(original), -1); // not loaded yet
        ASSERT_TRUE(original.Initialize());
        EXPECT_EQ(call(original), 1);
        EXPECT_EQ(original.GetFunctionAddress(TQzString<char>("NoSuchFunction")), nullptr);
        CQzDynamicLibrary copy(original), assigned(TQzString<char>("other"));
        assigned = copy;
        original.Release();
        original.Release();
        // the copies still share the same loaded module
        EXPECT_EQ((std::vector<int>{call(original), call(copy), call(assigned)}), (std::vector<int>{-1, 2, 3}));
    }
    // all released: a new load counts anew, and a second Initialize gives up the first
    CQzDynamicLibrary fresh(modulePath);
    ASSERT_TRUE(fresh.Initialize());
    EXPECT_EQ(call(fresh), 1);
    ASSERT_TRUE(fresh.Initialize());
    fresh.Release();
    ASSERT_TRUE(fresh.Initialize());
    EXPECT_EQ(call(fresh), 1);

    EXPECT_EQ(call(CQzDynamicLibrary(fresh)), 2);
    EXPECT_EQ(call(CQzDynamicLibrary(CQzDynamicLibrary(modulePath))), -1); // a copy of nothing holds nothing
    EXPECT_FALSE(CQzDynamicLibrary(TQzString<char>("libqz-no-such-library.so")).Initialize());
    EXPECT_FALSE(CQzDynamicLibrary(TQzString<char>("")).Initialize()); // not the main program
}
