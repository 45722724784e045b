// Tests of CQzFilePath: the splits of a path, its native and absolute forms
// and copies, on paths chosen for their edge cases.
#include "system/QzFilePath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(TQzString<char> const& text)
{
    return text.GetCString();
}

} // namespace

TEST(QzFilePath, SplitsAtTheLastSeparatorAndTheLastDotOfTheName)
{
    // path, folder, name, extension
    char const* const cases[][4] = {
        {"C:\\data\\level.tar.gz", "C:\\data\\", "level.tar", "gz"}, {"a.b/c", "a.b/", "c", ""},
        {"/.cfg", "/", "", "cfg"}, {"", "", "", ""}, {"dir/", "dir/", "", ""}, {"x/y\\z.", "x/y\\", "z", ""},
        {"x\\y/z", "x\\y/", "z", ""}, {"plain.", "", "plain", ""}, {"a.b", "", "a", "b"}};
    for (auto const& c : cases)
    {
        CQzFilePath const path(c[0], false);
        TQzString<char> folder("stale"), name("stale"), extension("stale");
        path.extractPath(folder, name, extension);
        EXPECT_EQ(Text(folder), c[1]) << c[0];
        EXPECT_EQ(Text(name), c[2]) << c[0];
        EXPECT_EQ(Text(extension), c[3]) << c[0];
        EXPECT_EQ(Text(path.getFilePath()) + "|" + Text(path.getFileName()) + "|" + Text(path.getFileExt()),
                  std::string(c[1]) + "|" + c[2] + "|" + c[3]);
        // the last component as it stands, dot and all
        EXPECT_EQ(Text(path.getFileNameExt()), std::string(c[0]).substr(std::string(c[1]).size())) << c[0];
    }

    // the results may be one and the same string
    TQzString<char> shared("old"), extension;
    CQzFilePath("dir/name.ext", false).extractPath(shared, shared, extension);
    EXPECT_EQ(Text(shared), "name");
    EXPECT_EQ(Text(extension), "ext");
}

TEST(QzFilePath, OnlyTheNativeFlagConvertsAndCopiesKeepTheText)
{
    CQzFilePath const native("a/b\\c/", true);
    EXPECT_EQ(Text(native.GetAsString()), "a\\b\\c\\");
    EXPECT_EQ(Text(CQzFilePath(TQzString<char>("a/b"), true).GetAsString()), "a\\b");
    CQzFilePath path(TQzString<char>("a/b"), false);
    EXPECT_EQ(Text(path.GetAsString()), "a/b");
    path = TQzString<char>("x/y");
    CQzFilePath copy(path);
    EXPECT_EQ(Text(copy.GetAsString()), "x/y");
    copy = native;
    EXPECT_EQ(Text(copy.GetAsString()), "a\\b\\c\\");
    copy.SetNull();
    EXPECT_EQ(copy.GetAsString().GetLength(), 0);
    EXPECT_EQ(CQzFilePath(static_cast<char const*>(nullptr), true).GetAsString().GetLength(), 0);
}

TEST(QzFilePath, AbsoluteMeansUpperCaseDriveColonBackslash)
{
    for (char const* yes : {"A:\\", "Z:\\x"})
        EXPECT_TRUE(CQzFilePath::IsAbsolute(TQzString<char>(yes))) << yes;
    for (char const* no : {"c:\\x", "C:/x", "C:", "", "@:\\x", "[:\\x", "C;\\x"})
        EXPECT_FALSE(CQzFilePath::IsAbsolute(TQzString<char>(no))) << no;

    // path, base, result: a relative path goes behind one separator
    char const* const cases[][3] = {{"sub/f.txt", "D:/root", "D:\\root\\sub\\f.txt"},
                                    {"sub/f.txt", "D:\\root\\", "D:\\root\\sub\\f.txt"},
                                    {"C:/x", "D:/root", "C:\\x"}, {"file", "", "\\file"}};
    for (auto const& c : cases)
    {
        TQzString<char> path(c[0]);
        CQzFilePath::ConvertToAbsolute(path, TQzString<char>(c[1]));
        EXPECT_EQ(Text(path), c[2]) << c[0] << " on " << c[1];
    }
}
