#pragma once

#include "support/PathUtils.h"

#include <QByteArrayView>
#include <QString>
#include <QUrl>

// Addresses and pages of the HTML viewer.

// The address the viewer goes to. A text holding "://" is an address already
// and is taken as it is. Any other text is a file path: in Windows style every
// "\" becomes "/" and "file:///" goes in front ("C:\Games\manual.htm" gives
// "file:///C:/Games/manual.htm"); in POSIX style the absolute path follows
// "file://" ("/games/manual.htm" gives "file:///games/manual.htm"), and a
// relative one is taken from the working directory. A "#" or "?" in a file
// path stays part of the file name.
QUrl BrowserUrl(const QString &text, PathStyle style = PathStyle::Native);

// The address as the address box shows it (blanks and letters decoded).
QString AddressText(const QUrl &url);

// Two addresses name the same page: without regard to case, except for local
// files on a system whose file names are case-sensitive.
bool SameAddress(const QUrl &a, const QUrl &b, PathStyle style = PathStyle::Native);

enum class TPageKind
{
    pkHtml, // shown by the viewer as HTML
    pkText, // shown by the viewer as plain text
    pkOther // handed to the desktop: web and mail addresses, PDF, pictures, ...
};

// What the viewer does with an address: it shows local HTML and text files
// itself; it cannot fetch from the web, nor show other file types.
TPageKind PageKindOf(const QUrl &url);

// The largest page file the viewer reads.
inline constexpr qint64 MaxPageSize = 32 * 1024 * 1024;

// The text of an HTML file: by its byte-order mark, else by the character set
// its <meta> (or XML declaration) names, else UTF-8 with the bytes that are
// not UTF-8 read as Windows-1252, so that old pages without a declaration
// still read right.
QString DecodeHtmlPage(QByteArrayView data);

// A plain text file as an HTML page that keeps its lines and blanks.
QString PlainTextPage(QByteArrayView data);
