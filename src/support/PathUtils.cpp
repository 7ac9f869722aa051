#include "support/PathUtils.h"

#include "support/StringUtils.h"

#include <QFileInfo>

namespace {

Qt::CaseSensitivity NameCase(PathStyle style)
{
    return style == PathStyle::Windows ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

// Position of the "." that starts the extension, or -1.
qsizetype ExtensionDot(const QString &fileName, PathStyle style)
{
    const QChar delim = PathDelimiter(style);
    for (qsizetype i = fileName.size() - 1; i >= 0; --i) {
        const QChar c = fileName.at(i);
        if (c == u'.')
            return i;
        if (c == delim)
            return -1;
    }
    return -1;
}

} // namespace

QChar PathDelimiter(PathStyle style)
{
    return style == PathStyle::Windows ? u'\\' : u'/';
}

QString DirWithDelimiter(const QString &dir, PathStyle style)
{
    if (dir.isEmpty() || dir.endsWith(PathDelimiter(style)))
        return dir;
    return dir + PathDelimiter(style);
}

QString JoinPath(const QString &dir, const QString &name, PathStyle style)
{
    if (name.isEmpty())
        return dir;
    if (dir.isEmpty())
        return name;
    return DirWithDelimiter(dir, style) + name;
}

QString ExtensionOf(const QString &fileName, PathStyle style)
{
    const qsizetype dot = ExtensionDot(fileName, style);
    return dot < 0 ? QString() : fileName.mid(dot + 1);
}

QString RemoveExtension(const QString &fileName, PathStyle style)
{
    const qsizetype dot = ExtensionDot(fileName, style);
    return dot < 0 ? fileName : fileName.left(dot);
}

QString AddNameSuffix(const QString &fileName, const QString &suffix, PathStyle style)
{
    const QString ext = ExtensionOf(fileName, style);
    QString result = RemoveExtension(fileName, style) + suffix;
    if (!ext.isEmpty())
        result += u'.' + ext;
    return result;
}

QString MakeFileName(const QString &dir, const QString &name, const QString &ext, PathStyle style)
{
    const QString e = ext.startsWith(u'.') ? ext.mid(1) : ext;
    QString n = name;
    if (!n.contains(u'.') && !e.isEmpty())
        n += u'.' + e;
    const bool absolute = style == PathStyle::Windows ? (n.contains(u':') || n.startsWith(u'\\'))
                                                      : n.startsWith(u'/');
    if (absolute || dir.isEmpty())
        return n;
    return DirWithDelimiter(dir, style) + n;
}

QString ShortenPath(const QString &path, int maxLength, PathStyle style)
{
    const qsizetype len = path.size();
    if (maxLength <= 3 || len < maxLength)
        return path;
    const QChar delim = PathDelimiter(style);
    auto tail = [&]() -> QString { return QStringLiteral("...") + path.right(maxLength - 3); };

    // Last delimiter, ignoring one at the very end (0-based position).
    qsizetype last = len - 1;
    if (last >= 0 && path.at(last) == delim)
        --last;
    last = path.lastIndexOf(delim, last);
    if (last < 0)
        return tail();
    // With 1-based positions p and L: p + 3 + (len - L + 1) <= max.
    const qsizetype tailLen = len - last; // the text from L to the end
    for (qsizetype p = path.lastIndexOf(delim, last - 1); p >= 0;
         p = p > 0 ? path.lastIndexOf(delim, p - 1) : -1) {
        const qsizetype keep = p + 1; // first p characters, 1-based p
        if (keep + 3 + tailLen <= maxLength)
            return path.left(keep) + QStringLiteral("...") + path.mid(last);
    }
    return tail();
}

QString ParentDir(const QString &path, PathStyle style)
{
    const QChar delim = PathDelimiter(style);
    QString p = path;
    if (style == PathStyle::Posix) {
        if (p == QStringLiteral("/"))
            return p;
        if (p.endsWith(delim))
            p.chop(1);
        const qsizetype last = p.lastIndexOf(delim);
        if (last == 0)
            return QStringLiteral("/");
        return last > 0 ? p.left(last) : p;
    }
    if (p.endsWith(delim))
        p.chop(1);
    const qsizetype last = p.lastIndexOf(delim);
    return last >= 1 ? p.left(last) : p;
}

QString ExtractFilePath(const QString &fileName, PathStyle style)
{
    qsizetype last = fileName.lastIndexOf(PathDelimiter(style));
    if (style == PathStyle::Windows)
        last = qMax(last, fileName.lastIndexOf(u':'));
    return fileName.left(last + 1);
}

QString ExtractFileName(const QString &fileName, PathStyle style)
{
    return fileName.mid(ExtractFilePath(fileName, style).size());
}

bool IsAbsolutePath(const QString &path, PathStyle style)
{
    if (path.isEmpty())
        return false;
    if (style == PathStyle::Windows)
        return path.startsWith(u'\\') || path.contains(u':');
    return path.startsWith(u'/');
}

bool IsSubPath(const QString &base, const QString &path, PathStyle style)
{
    if (base.isEmpty())
        return false;
    return DirWithDelimiter(path, style).startsWith(DirWithDelimiter(base, style), NameCase(style));
}

QString MakeRelativePath(const QString &base, const QString &path, PathStyle style)
{
    const QString b = DirWithDelimiter(base, style);
    if (b.compare(DirWithDelimiter(path, style), NameCase(style)) == 0)
        return {};
    if (IsSubPath(base, path, style))
        return path.mid(b.size());
    return path;
}

QString MakeAbsolutePath(const QString &base, const QString &path, PathStyle style)
{
    if (IsAbsolutePath(path, style))
        return path;
    return DirWithDelimiter(base, style) + path;
}

bool IsFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool IsDir(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString ExistingDirOrDefault(const QString &path, const QString &def)
{
    constexpr PathStyle style = PathStyle::Native;
    auto isDir = [](const QString &p) { return QFileInfo(p).isDir(); };
    if (path.isEmpty() || !IsAbsolutePath(path, style))
        return def;
    if (isDir(path))
        return path;
    QString drive;
    if (style == PathStyle::Windows) {
        if (path.startsWith(QStringLiteral("\\\\")))
            return def;
        const qsizetype colon = path.indexOf(u':');
        drive = colon >= 0 ? path.left(colon + 1) : QString();
    }
    QString current = path;
    while (!current.isEmpty() && !isDir(current)) {
        if (!drive.isEmpty() && SameText(current, drive)) {
            current.clear();
        } else {
            const QString parent = ParentDir(current, style);
            if (parent == current)
                current.clear(); // nothing further up
            else
                current = parent;
        }
    }
    return current.isEmpty() ? def : current;
}

bool IsRealDirName(const QString &name)
{
    return name != QStringLiteral(".") && name != QStringLiteral("..");
}

bool SameFileName(const QString &a, const QString &b, PathStyle style)
{
    return a.compare(b, NameCase(style)) == 0;
}
