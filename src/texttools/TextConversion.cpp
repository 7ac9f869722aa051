#include "texttools/TextConversion.h"

#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/IniFileUtils.h"
#include "support/PathUtils.h"
#include "support/StringUtils.h"
#include "support/SystemFiles.h"
#include "texttools/CodePageList.h"
#include "texttools/TextDecoding.h"

#include <QFile>
#include <QFileInfo>

QString DecodeSourceText(QByteArrayView bytes)
{
    // The byte-order marks of UTF-8 and UTF-16 (both orders) and else ANSI
    // text are exactly what every text file of the program is read with.
    return DecodeTextFile(bytes);
}

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.sliced(start));
    return lines;
}

QByteArray ConvertText(const QString &text, int codePage, TConversionReport *report)
{
    const QStringList lines = SplitLines(text);
    QString joined;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    joined.reserve(size);
    for (const QString &line : lines) {
        joined += line;
        joined += QStringLiteral("\r\n");
    }
    int noFit = 0;
    QByteArray bytes = EncodeText(joined, codePage, &noFit);
    if (report)
        *report = {int(lines.size()), noFit};
    return bytes;
}

namespace {

// A failure with the system's reason on a line of its own.
QString WithReason(const QString &message, const QFileDevice &file)
{
    return message + QStringLiteral("\r\n") + file.errorString();
}

} // namespace

TConversionReport ConvertTextFile(const QString &Source, const QString &Target, int CodePage)
{
    if (!IsValidCodePage(CodePage))
        throw ERavelinError(
            SafeFormat(_("Code page %d is not supported on this system."), CodePage));
    QFile source(Source);
    if (!source.open(QIODevice::ReadOnly))
        throw ERavelinError(WithReason(SafeFormat(U_("Error opening \"%s\""), Source), source));
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        throw ERavelinError(
            WithReason(SafeFormat(U_("Error reading from \"%s\""), Source), source));
    source.close();

    TConversionReport report;
    const QByteArray converted = ConvertText(DecodeSourceText(bytes), CodePage, &report);
    WriteFileSafely(Target, converted);
    return report;
}

QString ConvertedFileName(const QString &Source, int CodePage)
{
    return AddNameSuffix(QFileInfo(Source).fileName(), u'-' + ZeroPaddedInt(3, CodePage));
}
