// Tests of CQzDynamicLibrary against a small test module: loading, symbol
// look-up, failures, and copies that each release exactly one load.
#include "system/QzDynamicLibrary.h"
#include "system/QzProcess.h"

#include <gtest/gtest.h>

namespace {

using CountFunction = int (*)();

// The module counts its calls in a static that starts again from zero
// whenever the module is really loaded anew.
int Call(CQzDynamicLibrary const& library)
{
    void* const address = library.GetFunctionAddress(TQzString<char>("QzTestModuleCount"));
    return address != nullptr ? reinterpret_cast<CountFunction>(address)() : -1;
}

TQzString<char> const kModule(QZ_TEST_MODULE_PATH);

} // namespace

TEST(QzDynamicLibrary, LoadsFindsExportsAndFailsCleanly)
{
    CQzDynamicLibrary library(kModule);
    EXPECT_EQ(Call(library), -1); // not loaded yet
    ASSERT_TRUE(library.Initialize());
    EXPECT_EQ(Call(library), 1);
    EXPECT_EQ(Call(library), 2);
    EXPECT_EQ(library.GetFunctionAddress(TQzString<char>("NoSuchFunction")), nullptr);
    library.Release();
    EXPECT_EQ(Call(library), -1);
    library.Release();

    CQzDynamicLibrary missing(TQzString<char>("libqz-no-such-library.so"));
    EXPECT_FALSE(missing.Initialize());
    EXPECT_EQ(missing.GetFunctionAddress(TQzString<char>("QzTestModuleCount")), nullptr);
    CQzDynamicLibrary empty(TQzString<char>(""));
    EXPECT_FALSE(empty.Initialize());
    EXPECT_EQ(empty.GetFunctionAddress(TQzString<char>("malloc")), nullptr);
}

TEST(QzDynamicLibrary, CopiesKeepTheLibraryUntilTheLastOneReleases)
{
    {
        CQzDynamicLibrary* const original = new CQzDynamicLibrary(kModule);
        ASSERT_TRUE(original->Initialize());
        EXPECT_EQ(Call(*original), 1);
        CQzDynamicLibrary copy(*original);
        CQzDynamicLibrary assigned(TQzString<char>("other"));
        assigned = copy;
        CQzDynamicLibrary& same = assigned;
        assigned = same;
        EXPECT_EQ(original->GetFunctionAddress(TQzString<char>("QzTestModuleCount")),
                  copy.GetFunctionAddress(TQzString<char>("QzTestModuleCount")));
        original->Release();
        delete original;
        EXPECT_EQ(Call(copy), 2); // still the same loaded module
        EXPECT_EQ(Call(assigned), 3);
    }
    // every reference was released: a new load starts the count again
    CQzDynamicLibrary fresh(kModule);
    ASSERT_TRUE(fresh.Initialize());
    EXPECT_EQ(Call(fresh), 1);

    // a second Initialize gives up the first load: one Release unloads
    ASSERT_TRUE(fresh.Initialize());
    fresh.Release();
    ASSERT_TRUE(fresh.Initialize());
    EXPECT_EQ(Call(fresh), 1);

    // a copy of an unloaded library holds nothing
    CQzDynamicLibrary unloaded(kModule);
    CQzDynamicLibrary unloadedCopy(unloaded);
    EXPECT_EQ(Call(unloadedCopy), -1);
}

namespace {

// A launcher fills the record it derives from.
class CLaunchedProcess : public CQzProcess
{
public:
    explicit CLaunchedProcess(void* handle)
    {
        m_command = "tool --run";
        m_information.process = handle;
        m_information.processId = 77;
        m_status = STATUS_RUNNING;
    }
};

} // namespace

TEST(QzProcess, AccessorsReadWhatTheLauncherFilledAndCopiesKeepIt)
{
    int handle = 0;
    CLaunchedProcess launched(&handle);
    CQzProcess copy(launched);
    EXPECT_EQ(copy.GetWaitHandle(), &handle);
    EXPECT_EQ(copy.GetStatus(), CQzProcess::STATUS_RUNNING);
    CQzProcess assigned;
    assigned = launched;
    EXPECT_EQ(assigned.GetWaitHandle(), &handle);
    EXPECT_EQ(assigned.GetStatus(), CQzProcess::STATUS_RUNNING);
}

TEST(QzProcess, EmptyRecordHasNoHandleAndCopiesAsIs)
{
    CQzProcess process;
    EXPECT_EQ(process.GetWaitHandle(), nullptr);
    EXPECT_EQ(process.GetStatus(), CQzProcess::STATUS_NOT_STARTED);
    CQzProcess copy(process);
    copy = process;
    EXPECT_EQ(copy.GetStatus(), CQzProcess::STATUS_NOT_STARTED);
}
