// QzFilePath.cpp: splitting, native conversion and absolute paths.
#include "system/QzFilePath.h"

#include <string>

namespace {

constexpr char kNativeSeparator = '\\';

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

// The text's first count characters as a string.
TQzString<char> Slice(char const* text, std::size_t count)
{
    return TQzString<char>(std::string(text, count).c_str());
}

void ToNative(std::string& text)
{
    for (char& c : text)
        if (c == '/')
            c = kNativeSeparator;
}

// The position of the last separator, or -1.
int LastSeparator(char const* text, int length)
{
    for (int i = length - 1; i >= 0; --i)
        if (IsSeparator(text[i]))
            return i;
    return -1;
}

} // namespace

// ---- construction ----

CQzFilePath::CQzFilePath(char const* path, bool native) : m_path(path)
{
    if (native)
        ConvertToNativePath(m_path);
}

CQzFilePath::CQzFilePath(TQzString<char> const& path, bool native) : m_path(path)
{
    if (native)
        ConvertToNativePath(m_path);
}

CQzFilePath::CQzFilePath(CQzFilePath const& other) : m_path(other.m_path) {}

CQzFilePath& CQzFilePath::operator=(CQzFilePath const& other)
{
    m_path = other.m_path;
    return *this;
}

CQzFilePath& CQzFilePath::operator=(TQzString<char> const& path)
{
    m_path = path;
    return *this;
}

CQzFilePath::~CQzFilePath() = default;

void CQzFilePath::SetNull()
{
    m_path = TQzString<char>();
}

// ---- splitting ----

void CQzFilePath::extractPath(TQzString<char>& folder, TQzString<char>& name, TQzString<char>& extension) const
{
    // the parts are built first: the results may alias each other
    char const* const text = m_path.GetCString();
    int const length = m_path.GetLength();
    int const split = LastSeparator(text, length);
    char const* const last = text + split + 1;
    int const lastLength = length - split - 1;

    int dot = -1;
    for (int i = lastLength - 1; i >= 0 && dot < 0; --i)
        if (last[i] == '.')
            dot = i;

    TQzString<char> const newFolder = Slice(text, std::size_t(split + 1));
    TQzString<char> const newName = Slice(last, std::size_t(dot >= 0 ? dot : lastLength));
    TQzString<char> const newExtension = dot >= 0 ? TQzString<char>(last + dot + 1) : TQzString<char>();
    folder = newFolder;
    name = newName;
    extension = newExtension;
}

TQzString<char> CQzFilePath::getFilePath() const
{
    TQzString<char> folder, name, extension;
    extractPath(folder, name, extension);
    return folder;
}

TQzString<char> CQzFilePath::getFileName() const
{
    TQzString<char> folder, name, extension;
    extractPath(folder, name, extension);
    return name;
}

TQzString<char> CQzFilePath::getFileExt() const
{
    TQzString<char> folder, name, extension;
    extractPath(folder, name, extension);
    return extension;
}

TQzString<char> CQzFilePath::getFileNameExt() const
{
    // a name without a dot comes back bare rather than with a trailing dot
    char const* const text = m_path.GetCString();
    return TQzString<char>(text + LastSeparator(text, m_path.GetLength()) + 1);
}

// ---- native and absolute forms ----

void CQzFilePath::ConvertToNativePath(TQzString<char>& path)
{
    std::string text = path.GetCString();
    ToNative(text);
    path = text.c_str();
}

bool CQzFilePath::IsAbsolute(TQzString<char> const& path)
{
    char const* const text = path.GetCString();
    // the length test is implied: each test stops at the terminator
    return text[0] >= 'A' && text[0] <= 'Z' && text[1] == ':' && text[2] == kNativeSeparator;
}

void CQzFilePath::ConvertToAbsolute(TQzString<char>& path, TQzString<char> const& base)
{
    ConvertToNativePath(path);
    if (IsAbsolute(path))
        return;
    std::string absolute = base.GetCString();
    if (absolute.empty() || !IsSeparator(absolute.back()))
        absolute += '/';
    ToNative(absolute);
    absolute += path.GetCString();
    path = absolute.c_str();
}
