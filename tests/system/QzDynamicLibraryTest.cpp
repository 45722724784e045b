// Tests of CQzDynamicLibrary against a small test module: loading, look-up,
// failures, and copies that each release exactly one load.
#include "system/QzDynamicLibrary.h"

#include <gtest/gtest.h>

namespace {

// The module counts its calls in a static that starts again from zero
// whenever the module is really loaded anew; -1 when there is no function.
int Call(CQzDynamicLibrary const& library)
{
    void* const address = library.GetFunctionAddress(TQzString<char>("QzTestModuleCount"));
    return address != nullptr ? reinterpret_cast<int (*)()>(address)() : -1;
}

TQzString<char> const kModule(QZ_TEST_MODULE_PATH);

} // namespace

TEST(QzDynamicLibrary, CopiesKeepTheLibraryUntilTheLastOneReleases)
{
    {
        CQzDynamicLibrary original(kModule);
        EXPECT_EQ(Call(original), -1); // not loaded yet
        ASSERT_TRUE(original.Initialize());
        EXPECT_EQ(Call(original), 1);
        EXPECT_EQ(original.GetFunctionAddress(TQzString<char>("NoSuchFunction")), nullptr);
        CQzDynamicLibrary copy(original);
        CQzDynamicLibrary assigned(TQzString<char>("other"));
        assigned = copy;
        original.Release();
        original.Release();
        EXPECT_EQ(Call(original), -1);
        EXPECT_EQ(Call(copy), 2); // still the same loaded module
        EXPECT_EQ(Call(assigned), 3);
    }
    // every reference was released: a new load starts the count again, and
    // a second Initialize gives up the first load
    CQzDynamicLibrary fresh(kModule);
    ASSERT_TRUE(fresh.Initialize());
    EXPECT_EQ(Call(fresh), 1);
    ASSERT_TRUE(fresh.Initialize());
    fresh.Release();
    ASSERT_TRUE(fresh.Initialize());
    EXPECT_EQ(Call(fresh), 1);

    EXPECT_EQ(Call(CQzDynamicLibrary(fresh)), 2);
    EXPECT_EQ(Call(CQzDynamicLibrary(CQzDynamicLibrary(kModule))), -1); // a copy of nothing holds nothing
    CQzDynamicLibrary missing(TQzString<char>("libqz-no-such-library.so"));
    EXPECT_FALSE(missing.Initialize());
    CQzDynamicLibrary empty(TQzString<char>(""));
    EXPECT_FALSE(empty.Initialize()); // not the main program
}
