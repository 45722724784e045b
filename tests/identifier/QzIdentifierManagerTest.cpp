// Tests of the identifier registry through its interface: lower-cased
// registration, the first text stored for a CRC winning, and Release.
#include "identifier/QzIdentifierManager.h"

#include "QzIdentifierTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using qztest::NameCrc64;

TEST(QzIdentifierManager, StoresTheFirstTextForACrcLowerCased)
{
    qztest::CScratchDirectory const directory;
    qztest::Bytes file;
    qztest::PutInteger(file, 1, 4, false);
    qztest::PutEntry(file, "from the file", NameCrc64("alpha"), false);
    qztest::WriteBytes(directory.File("alpha"), file);

    CQzIdentifierManager manager;
    manager.Initialize();
    EXPECT_EQ(manager.FindNameForCrc64(NameCrc64("foo")), nullptr);
    manager.CheckCrc64ForUniqueness("Foo", true);
    manager.CheckCrc64ForUniqueness("FOO", false);
    EXPECT_STREQ(manager.FindNameForCrc64(NameCrc64("FOO")), "foo");
    // a text already stored for the CRC stays, whoever registers it
    manager.LoadHashFile(TQzString<char>(directory.File("alpha").c_str()), false);
    manager.CheckCrc64ForUniqueness("Alpha", false);
    EXPECT_STREQ(manager.FindNameForCrc64(NameCrc64("alpha")), "from the file");

    // the empty text is found as EMPTY; a null one records nothing
    manager.CheckCrc64ForUniqueness(nullptr, false);
    EXPECT_EQ(manager.FindNameForCrc64(~0ull), nullptr);
    manager.CheckCrc64ForUniqueness("", false);
    EXPECT_EQ(manager.FindNameForCrc64(~0ull), TQzString<char>::EMPTY);
}

TEST(QzIdentifierManager, ReleaseForgetsNamesButTextsHandedOutStay)
{
    CQzIdentifierManager manager;
    std::map<std::string, char const*> texts;
    for (int i = 0; i < 1000; ++i)
    {
        std::string const name = "Released_" + std::to_string(i);
        manager.CheckCrc64ForUniqueness(name.c_str(), false);
        texts[qztest::AsciiLower(name)] = manager.FindNameForCrc64(NameCrc64(name));
    }
    manager.Release();
    manager.Release();
    for (auto const& [name, text] : texts)
    {
        EXPECT_EQ(manager.FindNameForCrc64(NameCrc64(name)), nullptr);
        EXPECT_EQ(std::string(text), name);
    }
    manager.CheckCrc64ForUniqueness("Released_7", false);
    EXPECT_STREQ(manager.FindNameForCrc64(NameCrc64("released_7")), "released_7");
    EXPECT_EQ(manager.FindNameForCrc64(NameCrc64("released_8")), nullptr);
}

} // namespace
