#pragma once

#include <QByteArrayView>
#include <QString>

// Which encoding a text file is in, and reading it. One detector serves the
// whole program: the catalogue and configuration files, manuals, console
// output and the text tools.

// Windows code page numbers of the Unicode encodings, and the system's
// "ANSI" code page. The locale's UTF-8 is found by detection before any text
// falls back to it, so what remains is 8-bit Western text, which
// Windows-1252 reads without losing a byte.
inline constexpr int CpUtf16Le = 1200;
inline constexpr int CpUtf16Be = 1201;
inline constexpr int CpUtf8 = 65001;
inline constexpr int AnsiCodePage = 1252;

// The encoding the detection chose and the length of the byte-order mark to
// skip.
struct TDetectedEncoding
{
    int CodePage = 0;
    int Skip = 0;

    friend bool operator==(const TDetectedEncoding &, const TDetectedEncoding &) = default;
};

// FF FE: UTF-16 LE; FE FF: UTF-16 BE; EF BB BF: UTF-8; valid UTF-8 with at
// least one byte above 127: UTF-8; anything else: the ANSI code page.
TDetectedEncoding DetectEncoding(QByteArrayView bytes);

// True when every multi-byte sequence is well-formed UTF-8.
bool IsValidUtf8(QByteArrayView bytes);

// 8-bit text in the system's "ANSI" code page: UTF-8, where every byte that is
// not part of a valid UTF-8 sequence is read as Windows-1252, so decoding
// never fails and never loses a byte.
QString DecodeAnsiText(QByteArrayView bytes);
// File content with an optional byte-order mark (UTF-8, UTF-16 LE/BE),
// otherwise DecodeAnsiText.
QString DecodeTextFile(QByteArrayView bytes);
