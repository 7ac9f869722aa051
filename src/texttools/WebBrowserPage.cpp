#include "texttools/WebBrowserPage.h"

#include "support/IniFileUtils.h"

#include <QDir>
#include <QStringDecoder>

namespace {

// How far into a page a character set declaration is looked for.
constexpr qsizetype DeclarationWindow = 4096;

bool IsCharsetChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
}

// The name after the first "charset=" (or the "encoding=" of an XML
// declaration) near the start of the page; empty without one.
QByteArray DeclaredCharset(QByteArrayView data)
{
    const QByteArray head =
        data.first(qMin(data.size(), DeclarationWindow)).toByteArray().toLower();
    for (const char *key : {"charset", "encoding"}) {
        qsizetype at = head.indexOf(key);
        while (at >= 0) {
            qsizetype i = at + qsizetype(qstrlen(key));
            while (i < head.size() && (head.at(i) == ' ' || head.at(i) == '\t'))
                ++i;
            if (i < head.size() && head.at(i) == '=') {
                ++i;
                while (i < head.size() && (head.at(i) == ' ' || head.at(i) == '"' ||
                                           head.at(i) == '\'' || head.at(i) == '\t'))
                    ++i;
                const qsizetype start = i;
                while (i < head.size() && IsCharsetChar(head.at(i)))
                    ++i;
                if (i > start)
                    return head.mid(start, i - start);
            }
            at = head.indexOf(key, at + 1);
        }
    }
    return {};
}

bool HasByteOrderMark(QByteArrayView data)
{
    return data.startsWith("\xEF\xBB\xBF") || data.startsWith("\xFF\xFE") ||
           data.startsWith("\xFE\xFF");
}

} // namespace

QUrl BrowserUrl(const QString &text, PathStyle style)
{
    if (text.contains(QStringLiteral("://")))
        return QUrl(text, QUrl::TolerantMode);
    QString path = text;
    if (style == PathStyle::Windows) {
        path.replace(u'\\', u'/');
        path.prepend(u'/');
    } else if (!path.startsWith(u'/')) {
        path = QDir::current().absoluteFilePath(path);
    }
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    url.setPath(path, QUrl::DecodedMode);
    return url;
}

QString AddressText(const QUrl &url)
{
    return url.toDisplayString();
}

bool SameAddress(const QUrl &a, const QUrl &b, PathStyle style)
{
    const Qt::CaseSensitivity cs = a.isLocalFile() && b.isLocalFile() && style == PathStyle::Posix
                                       ? Qt::CaseSensitive
                                       : Qt::CaseInsensitive;
    return a.toString().compare(b.toString(), cs) == 0;
}

TPageKind PageKindOf(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme != u"file" && scheme != u"qrc" && !scheme.isEmpty())
        return TPageKind::pkOther;
    const QString ext = ExtensionOf(url.path(), PathStyle::Posix).toLower();
    if (ext == u"htm" || ext == u"html" || ext == u"xhtml" || ext == u"shtml")
        return TPageKind::pkHtml;
    if (ext == u"txt" || ext == u"text" || ext == u"asc" || ext == u"nfo" || ext == u"diz")
        return TPageKind::pkText;
    return TPageKind::pkOther;
}

QString DecodeHtmlPage(QByteArrayView data)
{
    if (!HasByteOrderMark(data)) {
        QByteArray name = DeclaredCharset(data);
        // As web browsers do: pages that say Latin-1 or ASCII are written in
        // the Windows code page that extends them.
        if (name == "iso-8859-1" || name == "latin1" || name == "us-ascii" || name == "ascii")
            name = "windows-1252";
        if (!name.isEmpty() && name != "utf-8" && name != "utf8") {
            QStringDecoder decoder(name.constData());
            if (decoder.isValid())
                return decoder.decode(data);
        }
    }
    return DecodeTextFile(data);
}

QString PlainTextPage(QByteArrayView data)
{
    return QStringLiteral("<html><body><pre>") + DecodeTextFile(data).toHtmlEscaped() +
           QStringLiteral("</pre></body></html>");
}
