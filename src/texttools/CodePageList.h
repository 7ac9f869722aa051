#pragma once

#include "support/TextEncoding.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Windows code page numbers and what this system knows of them. The numbers
// are those of Windows (437, 850, 1252, 65001, ...); ICU does the work.

// The ICU converter name of a code page ("IBM437", "windows-1252", "UTF-8");
// empty when ICU has no converter for it.
QByteArray CodePageIcuName(int codePage);
bool IsValidCodePage(int codePage);

// The system's descriptive name: the number, blanks and a description in
// parentheses («850   (OEM - Multilingual Latin I)»); «1200 (UTF-16)» for
// UTF-16; empty for a code page the system does not know.
QString CodePageName(int codePage);

// Every code page the system supports, ascending.
QList<int> SupportedCodePages();

// One choice of the code page list: its text and the number it stands for.
struct TCodePageChoice
{
    QString Text;
    int CodePage = 0;

    friend bool operator==(const TCodePageChoice &, const TCodePageChoice &) = default;
};
using TCodePageChoices = QList<TCodePageChoice>;

// The choices «description - (number)» of every supported code page, sorted
// by text without regard to case, each text once; a non-empty firstEntry
// comes first with the number 0. False leaves the list unchanged (the
// system listed nothing).
bool BuildCodePageList(TCodePageChoices &list, const QString &firstEntry);
