// QzFilePath.h: CQzFilePath, a path text split into folder, name and
// extension, with the engine's native (backslash) and absolute forms.
#ifndef QZCORE_SYSTEM_QZFILEPATH_H
#define QZCORE_SYSTEM_QZFILEPATH_H

#include "QzApi.h"
#include "foundation/QzString.h"

// Both "/" and "\" separate folders; the engine's native form uses "\" and
// an absolute path starts with an upper-case drive, as in "C:\".
class QZ_API CQzFilePath
{
public:
    // A null path is empty; native converts the copy to native form.
    CQzFilePath(char const* path, bool native);
    CQzFilePath(TQzString<char> const& path, bool native);
    // Copies and assignments take the text as it is, unconverted.
    CQzFilePath(CQzFilePath const& other);
    CQzFilePath& operator=(CQzFilePath const& other);
    CQzFilePath& operator=(TQzString<char> const& path);
    virtual ~CQzFilePath();

    void SetNull();
    TQzString<char>& GetAsString() { return m_path; }
    TQzString<char> const& GetAsString() const { return m_path; }

    // Splits at the last separator and the last dot after it: the folder
    // keeps its trailing separator, the extension loses its dot; missing
    // parts are empty.
    void extractPath(TQzString<char>& folder, TQzString<char>& name, TQzString<char>& extension) const;
    TQzString<char> getFilePath() const;
    TQzString<char> getFileName() const;
    TQzString<char> getFileExt() const;
    // The last component as it stands: name, dot and extension, or the bare
    // name when it has no dot.
    TQzString<char> getFileNameExt() const;

    // Every "/" becomes "\", in place.
    static void ConvertToNativePath(TQzString<char>& path);
    // "A" to "Z", then ":\" ("c:\" and "C:/" are relative).
    static bool IsAbsolute(TQzString<char> const& path);
    // Native form; a relative path is put behind base and one separator.
    static void ConvertToAbsolute(TQzString<char>& path, TQzString<char> const& base);

private:
    TQzString<char> m_path;
};

#endif // QZCORE_SYSTEM_QZFILEPATH_H
