#pragma once

#include <QString>

// Path operations on the text of a path. Windows style: "\" delimiter, ":"
// drive delimiter, "\\" network paths, case-insensitive names. POSIX style:
// "/" delimiter, absolute = begins with "/", case-sensitive names.
enum class PathStyle
{
    Windows,
    Posix,
#ifdef Q_OS_WIN
    Native = Windows
#else
    Native = Posix
#endif
};

QChar PathDelimiter(PathStyle style = PathStyle::Native);

QString DirWithDelimiter(const QString &dir, PathStyle style = PathStyle::Native);
QString JoinPath(const QString &dir, const QString &name, PathStyle style = PathStyle::Native);
QString ExtensionOf(const QString &fileName, PathStyle style = PathStyle::Native);
QString RemoveExtension(const QString &fileName, PathStyle style = PathStyle::Native);
QString AddNameSuffix(const QString &fileName, const QString &suffix,
                      PathStyle style = PathStyle::Native);
QString MakeFileName(const QString &dir, const QString &name, const QString &ext,
                     PathStyle style = PathStyle::Native);
QString ShortenPath(const QString &path, int maxLength, PathStyle style = PathStyle::Native);
QString ParentDir(const QString &path, PathStyle style = PathStyle::Native);
// The directory part of a file name (everything before the last delimiter,
// with the delimiter); empty when the name holds no delimiter.
QString ExtractFilePath(const QString &fileName, PathStyle style = PathStyle::Native);
// The name part of a file name (everything after the last delimiter).
QString ExtractFileName(const QString &fileName, PathStyle style = PathStyle::Native);
bool IsAbsolutePath(const QString &path, PathStyle style = PathStyle::Native);
bool IsSubPath(const QString &base, const QString &path, PathStyle style = PathStyle::Native);
QString MakeRelativePath(const QString &base, const QString &path,
                         PathStyle style = PathStyle::Native);
QString MakeAbsolutePath(const QString &base, const QString &path,
                         PathStyle style = PathStyle::Native);
// The nearest existing directory of path (climbing to its parents), or def.
// Asks the file system; the path must be in the native style.
QString ExistingDirOrDefault(const QString &path, const QString &def);
// path names an existing ordinary file (a link to one counts) or directory;
// an empty path names neither.
bool IsFile(const QString &path);
bool IsDir(const QString &path);
bool IsRealDirName(const QString &name);
// Two file names are equal (case-insensitive in Windows style).
bool SameFileName(const QString &a, const QString &b, PathStyle style = PathStyle::Native);
