#pragma once

#include <QString>
#include <array>

// The DOS code pages offered for DOSBox and for text conversion. The names
// are shown as they are, never translated.
struct TCodePageInfo
{
    const char *CodePageName;
    int CodePageNr;

    QString Name() const { return QString::fromLatin1(CodePageName); }
};

inline constexpr std::array<TCodePageInfo, 10> CodePageTable{{
    {"US (437)", 437},
    {"ANSI Latin (1252)", 1252},
    {"Latin-1 (850)", 850},
    {"Latin-2 (852)", 852},
    {"Latin-1 + Euro (858)", 858},
    {"Portuguese (860)", 860},
    {"Nordic (865)", 865},
    {"Cyrillic (866)", 866},
    {"Greek (869)", 869},
    {"Baltic (775)", 775},
}};

// The table index of a code page number, -1 when the table lacks it.
int CodePageIndex(int codePageNr);
