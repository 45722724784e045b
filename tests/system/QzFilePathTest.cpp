// Tests of CQzFilePath: the documented splits, native and absolute forms,
// and extractPath against a simple model on random paths.
#include "system/QzFilePath.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct SParts
{
    std::string folder;
    std::string name;
    std::string extension;
};

SParts Split(char const* path)
{
    TQzString<char> folder("stale"), name("stale"), extension("stale");
    CQzFilePath(path, false).extractPath(folder, name, extension);
    return SParts{folder.GetCString(), name.GetCString(), extension.GetCString()};
}

::testing::AssertionResult SplitsInto(char const* path, char const* folder, char const* name, char const* extension)
{
    SParts const parts = Split(path);
    if (parts.folder == folder && parts.name == name && parts.extension == extension)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << path << "\" gave \"" << parts.folder << "\" \"" << parts.name
                                         << "\" \"" << parts.extension << "\"";
}

std::string Absolute(char const* path, char const* base)
{
    TQzString<char> text(path);
    CQzFilePath::ConvertToAbsolute(text, TQzString<char>(base));
    return text.GetCString();
}

// The split written the plain way, with std::string.
SParts ModelSplit(std::string const& path)
{
    std::size_t const slash = path.find_last_of("/\\");
    SParts parts;
    parts.folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    parts.name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::size_t const dot = parts.name.rfind('.');
    if (dot != std::string::npos)
    {
        parts.extension = parts.name.substr(dot + 1);
        parts.name.resize(dot);
    }
    return parts;
}

} // namespace

TEST(QzFilePath, SplitsAtTheLastSeparatorAndTheLastDotOfTheName)
{
    EXPECT_TRUE(SplitsInto("C:\\data\\level.tar.gz", "C:\\data\\", "level.tar", "gz"));
    EXPECT_TRUE(SplitsInto("a.b/c", "a.b/", "c", ""));
    EXPECT_TRUE(SplitsInto(".cfg", "", "", "cfg"));
    EXPECT_TRUE(SplitsInto("", "", "", ""));
    EXPECT_TRUE(SplitsInto("dir/", "dir/", "", ""));
    EXPECT_TRUE(SplitsInto("x/y\\z", "x/y\\", "z", ""));
    EXPECT_TRUE(SplitsInto("x\\y/z", "x\\y/", "z", ""));
    EXPECT_TRUE(SplitsInto("file.", "", "file", ""));
    EXPECT_TRUE(SplitsInto("plain", "", "plain", ""));

    CQzFilePath const path("C:\\data\\level.tar.gz", false);
    EXPECT_STREQ(path.getFilePath().GetCString(), "C:\\data\\");
    EXPECT_STREQ(path.getFileName().GetCString(), "level.tar");
    EXPECT_STREQ(path.getFileExt().GetCString(), "gz");
    EXPECT_STREQ(path.getFileNameExt().GetCString(), "level.tar.gz");
    EXPECT_STREQ(CQzFilePath("dir/readme", false).getFileNameExt().GetCString(), "readme");
    EXPECT_STREQ(CQzFilePath("dir/.cfg", false).getFileNameExt().GetCString(), ".cfg");
}

TEST(QzFilePath, ExtractPathAgreesWithAModelOnRandomPaths)
{
    std::mt19937 random(11);
    char const alphabet[] = "ab./\\:";
    for (int round = 0; round < 20000; ++round)
    {
        std::string path(random() % 12, ' ');
        for (char& c : path)
            c = alphabet[random() % (sizeof alphabet - 1)];
        SParts const expected = ModelSplit(path);
        SParts const actual = Split(path.c_str());
        ASSERT_EQ(actual.folder, expected.folder) << path;
        ASSERT_EQ(actual.name, expected.name) << path;
        ASSERT_EQ(actual.extension, expected.extension) << path;
    }
}

TEST(QzFilePath, ResultsMayBeTheSameStringObject)
{
    CQzFilePath const path("dir/name.ext", false);
    TQzString<char> shared("old");
    TQzString<char> extension;
    path.extractPath(shared, shared, extension);
    EXPECT_STREQ(shared.GetCString(), "name");
    EXPECT_STREQ(extension.GetCString(), "ext");
}

TEST(QzFilePath, OnlyTheNativeFlagConvertsAndCopiesKeepTheText)
{
    CQzFilePath native("a/b/c", true);
    EXPECT_STREQ(native.GetAsString().GetCString(), "a\\b\\c");
    CQzFilePath nativeFromString(TQzString<char>("a/b"), true);
    EXPECT_STREQ(nativeFromString.GetAsString().GetCString(), "a\\b");

    CQzFilePath assigned("x", false);
    assigned = TQzString<char>("a/b/c");
    EXPECT_STREQ(assigned.GetAsString().GetCString(), "a/b/c");
    CQzFilePath copy(assigned);
    EXPECT_STREQ(copy.GetAsString().GetCString(), "a/b/c");
    copy = native;
    EXPECT_STREQ(copy.GetAsString().GetCString(), "a\\b\\c");
    CQzFilePath& same = copy;
    copy = same;
    EXPECT_STREQ(copy.GetAsString().GetCString(), "a\\b\\c");

    copy.SetNull();
    EXPECT_EQ(copy.GetAsString().GetLength(), 0);
    EXPECT_EQ(CQzFilePath(static_cast<char const*>(nullptr), true).GetAsString().GetLength(), 0);
}

TEST(QzFilePath, AbsoluteMeansUpperCaseDriveColonBackslash)
{
    EXPECT_TRUE(CQzFilePath::IsAbsolute(TQzString<char>("C:\\")));
    EXPECT_TRUE(CQzFilePath::IsAbsolute(TQzString<char>("Z:\\x")));
    EXPECT_FALSE(CQzFilePath::IsAbsolute(TQzString<char>("c:\\x")));
    EXPECT_FALSE(CQzFilePath::IsAbsolute(TQzString<char>("C:/x")));
    EXPECT_FALSE(CQzFilePath::IsAbsolute(TQzString<char>("\\\\server\\share")));
    EXPECT_FALSE(CQzFilePath::IsAbsolute(TQzString<char>("C:")));
    EXPECT_FALSE(CQzFilePath::IsAbsolute(TQzString<char>("")));
    EXPECT_FALSE(CQzFilePath::IsAbsolute(TQzString<char>("@:\\x")));
}

TEST(QzFilePath, ConvertToAbsolutePutsRelativePathsBehindOneSeparator)
{
    EXPECT_EQ(Absolute("sub/file.txt", "D:/root"), "D:\\root\\sub\\file.txt");
    EXPECT_EQ(Absolute("sub/file.txt", "D:\\root\\"), "D:\\root\\sub\\file.txt");
    EXPECT_EQ(Absolute("sub/file.txt", "D:/root/"), "D:\\root\\sub\\file.txt");
    EXPECT_EQ(Absolute("C:/x", "D:/root"), "C:\\x");
    EXPECT_EQ(Absolute("file", ""), "\\file");
    EXPECT_EQ(Absolute("", "D:/root"), "D:\\root\\");
}
