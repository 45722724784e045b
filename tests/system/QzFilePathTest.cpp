// Tests of CQzFilePath on paths chosen for their edge cases: the splits of a
// path, its native and absolute forms, and copies.
#include "system/QzFilePath.h"

#include <gtest/gtest.h>

#include <string>

TEST(QzFilePath, SplitsConvertsCopiesAndMakesAbsolute)
{
    auto const text = [](TQzString<char> const& s) { return std::string(s.GetCString()); };
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
        std::string const expected = std::string(c[1]) + "|" + c[2] + "|" + c[3];
        EXPECT_EQ(text(folder) + "|" + text(name) + "|" + text(extension), expected) << c[0];
        EXPECT_EQ(text(path.getFilePath()) + "|" + text(path.getFileName()) + "|" + text(path.getFileExt()), expected);
        // the last component as it stands, dot and all
        EXPECT_EQ(text(path.getFileNameExt()), std::string(c[0]).substr(std::string(c[1]).size())) << c[0];
    }

    // the results may be one and the same string
    TQzString<char> shared("old"), extension;
    CQzFilePath("dir/name.ext", false).extractPath(shared, shared, extension);
    EXPECT_EQ(text(shared) + "." + text(extension), "name.ext");

    // only the native flag converts, and copies keep the text
    CQzFilePath const native("a/b\\c/", true);
    EXPECT_EQ(text(native.GetAsString()), "a\\b\\c\\");
    EXPECT_EQ(text(CQzFilePath(TQzString<char>("a/b"), true).GetAsString()), "a\\b");
    CQzFilePath path(TQzString<char>("a/b"), false);
    EXPECT_EQ(text(path.GetAsString()), "a/b");
    path = TQzString<char>("x/y");
    CQzFilePath copy(path);
    EXPECT_EQ(text(copy.GetAsString()), "x/y");
    copy = native;
    EXPECT_EQ(text(copy.GetAsString()), "a\\b\\c\\");
    copy.SetNull();
    EXPECT_EQ(copy.GetAsString().GetLength() + CQzFilePath(static_cast<char const*>(nullptr), true).GetAsString().GetLength(), 0);

    // an upper-case drive letter, a colon and a backslash
    for (char const* yes : {"A:\\", "Z:\\x"})
        EXPECT_TRUE(CQzFilePath::IsAbsolute(TQzString<char>(yes))) << yes;
    for (char const* no : {"c:\\x", "C:/x", "C:", "", "@:\\x", "[:\\x", "C;\\x"})
        EXPECT_FALSE(CQzFilePath::IsAbsolute(TQzString<char>(no))) << no;
    // path, base, result: a relative path goes behind one separator
    char const* const absolutes[][3] = {{"sub/f.txt", "D:/root", "D:\\root\\sub\\f.txt"},
                                    {"sub/f.txt", "D:\\root\\", "D:\\root\\sub\\f.txt"},
                                    {"C:/x", "D:/root", "C:\\x"}, {"file", "", "\\file"}};
    for (auto const& c : absolutes)
    {
        TQzString<char> relative(c[0]);
        CQzFilePath::ConvertToAbsolute(relative, TQzString<char>(c[1]));
        EXPECT_EQ(text(relative), c[2]) << c[0] << " on " << c[1];
    }
}
