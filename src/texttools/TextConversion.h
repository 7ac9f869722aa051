#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Text files re-encoded into a DOS (or any other) code page.

// A source file's text: UTF-8 or UTF-16 (LE, BE) by their byte-order mark,
// otherwise the system's ANSI text (UTF-8, where invalid bytes read as
// Windows-1252).
QString DecodeSourceText(QByteArrayView bytes);

// The lines of a text broken at CR LF, LF or CR. A break at the very end
// ends the last line and starts no further one; an empty text has none.
QStringList SplitLines(const QString &text);

// What a conversion wrote: its lines and the characters that had no
// equivalent in the code page (written as "?").
struct TConversionReport
{
    int Lines = 0;
    int NoFit = 0;
};

// Every line followed by CR LF, in the code page, without byte-order mark;
// missing characters as EncodeText replaces them. Empty for a code page the
// system does not know.
QByteArray ConvertText(const QString &text, int codePage, TConversionReport *report = nullptr);

// Writes the converted copy of Source to Target (replacing it). The source
// is read whole before the target is written, so both may be one file; the
// target is replaced only when written completely. Throws ERavelinError
// (EFCreateError, EWriteError) with the system's reason.
TConversionReport ConvertTextFile(const QString &Source, const QString &Target, int CodePage);

// The name proposed for the copy: the source's file name (without folder)
// with "-" and the code page number, at least three digits, before the
// extension («readme.txt», 437 → «readme-437.txt»).
QString ConvertedFileName(const QString &Source, int CodePage);
