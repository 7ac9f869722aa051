#pragma once

#include "support/TextEncoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Reading and writing text in a Windows code page (numbers as in
// CodePageList.h), for the text viewer and the converter.

// The byte-order mark a file in this code page may begin with (UTF-8,
// UTF-16 and UTF-32); empty for the others.
QByteArray ByteOrderMark(int codePage);
// Length of that mark at the start of the bytes, else 0.
int ByteOrderMarkLength(QByteArrayView bytes, int codePage);

// The bytes in the code page, strictly: nothing for an unknown code page or
// bytes the code page does not allow (a broken UTF-8 sequence).
std::optional<QString> DecodeBytes(QByteArrayView bytes, int codePage);

// The text of a file shown in a code page: codePage > 0 decodes with it
// (its byte-order mark skipped), codePage <= 0 detects the encoding. When
// that fails, the text is read in the ANSI code page, which maps every byte,
// and Failed is set.
struct TDecodedText
{
    QString Text;
    int CodePage = 0; // the code page actually used
    bool HadByteOrderMark = false;
    bool Failed = false;
};
TDecodedText DecodeText(QByteArrayView bytes, int codePage);

// The text in the code page. A character the code page lacks becomes its
// nearest equivalent (ICU's best-fit mapping, else the letters without their
// accents, «…» as «...», else ICU's Latin-ASCII spelling: «Ł» as «L», «–» as
// «-», «€» as «EUR»), else "?", counted in noFit; never fails for a
// supported code page. Empty for an unknown code page.
QByteArray EncodeText(const QString &text, int codePage, int *noFit = nullptr);
// The text in the code page only when every character survives a read back;
// nothing otherwise.
std::optional<QByteArray> EncodeTextExactly(const QString &text, int codePage);

// Text files shown whole in a window (manuals, console output) up to this
// size; a larger one would freeze the window while it loads.
inline constexpr qint64 MaxShownTextSize = 32 * 1024 * 1024;
// Why fileName cannot be shown as text: it is no regular file (a folder, a
// pipe, a device) or larger than MaxShownTextSize. Empty when it can be.
QString ShownTextProblem(const QString &fileName);
