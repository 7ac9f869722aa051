#pragma once

// The text rules of INI files shared by the two readers: TUnicodeIniFile,
// which takes every line apart, and TIniScan, which finds sections without
// doing so. Both must agree on what a line, a section and a key are.
#include <QChar>
#include <QStringView>
#include <QtAlgorithms>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Names compare by the simple case folding of each UTF-16 code unit
// (surrogates as they are), so that a name's hash can be taken four units
// at a time.
inline char16_t FoldUnit(char16_t c)
{
    if (c < 128)
        return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    if (QChar::isSurrogate(c))
        return c;
    return QChar::toCaseFolded(c);
}

inline bool FoldedEqual(QStringView a, QStringView b) noexcept
{
    if (a.size() != b.size())
        return false;
    const char16_t *pa = a.utf16();
    const char16_t *pb = b.utf16();
    if (std::memcmp(pa, pb, size_t(a.size()) * sizeof(char16_t)) == 0)
        return true;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (pa[i] != pb[i] && FoldUnit(pa[i]) != FoldUnit(pb[i]))
            return false;
    }
    return true;
}

// The first LF, CR or (with equals) "=" from p on; end when there is none.
// Eight units at a time where the processor allows, as files run to
// millions of lines.
inline const char16_t *FindLineBreak(const char16_t *p, const char16_t *end, bool equals)
{
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi16(short(u'\n'));
    const __m128i cr = _mm_set1_epi16(short(u'\r'));
    const __m128i eq = _mm_set1_epi16(short(equals ? u'=' : u'\n'));
    for (; end - p >= 8; p += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i hit = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi16(v, lf), _mm_cmpeq_epi16(v, cr)), _mm_cmpeq_epi16(v, eq));
        const uint mask = uint(_mm_movemask_epi8(hit));
        if (mask != 0)
            return p + qCountTrailingZeroBits(mask) / 2;
    }
#endif
    for (; p < end; ++p) {
        if (*p == u'\n' || *p == u'\r' || (equals && *p == u'='))
            return p;
    }
    return end;
}

// The first unit c from p on; end when there is none.
inline const char16_t *FindUnit(const char16_t *p, const char16_t *end, char16_t c)
{
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi16(short(c));
    for (; end - p >= 8; p += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const uint mask = uint(_mm_movemask_epi8(_mm_cmpeq_epi16(v, wanted)));
        if (mask != 0)
            return p + qCountTrailingZeroBits(mask) / 2;
    }
#endif
    for (; p < end; ++p) {
        if (*p == c)
            return p;
    }
    return end;
}

// White space at both ends of a line, key, value or name: every code below 33.
inline void TrimIniText(const char16_t *&from, const char16_t *&to)
{
    while (from < to && *from < 33)
        ++from;
    while (to > from && to[-1] < 33)
        --to;
}

// After a line ending at to (a CR, an LF or end): the start of the next line.
// CR, LF and CR LF end a line.
inline const char16_t *NextIniLine(const char16_t *to, const char16_t *end)
{
    if (to == end)
        return end;
    return (*to == u'\r' && to + 1 < end && to[1] == u'\n') ? to + 2 : to + 1;
}

// A trimmed line that opens a section: "[" ... "]" (the name inside is trimmed).
inline bool IsIniSectionLine(const char16_t *from, const char16_t *to)
{
    return to - from >= 2 && *from == u'[' && to[-1] == u']';
}
