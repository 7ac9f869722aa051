#include "support/TextEncoding.h"

#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>

namespace {

// Windows-1252 for the bytes 0x80..0x9F; the five unassigned bytes map to the
// C1 controls of the same value, as Windows does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Cp1252(uchar b)
{
    return (b >= 0x80 && b < 0xA0) ? Cp1252High[b - 0x80] : char16_t(b);
}

// Length of the valid UTF-8 sequence at p, 0 when there is none.
int Utf8SequenceLength(const uchar *p, const uchar *end)
{
    const uchar b = p[0];
    int len = 0;
    uchar lo = 0x80;
    uchar hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        if (b == 0xE0)
            lo = 0xA0;
        else if (b == 0xED)
            hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        if (b == 0xF0)
            lo = 0x90;
        else if (b == 0xF4)
            hi = 0x8F;
    } else {
        return 0;
    }
    if (end - p < len)
        return 0;
    if (p[1] < lo || p[1] > hi)
        return 0;
    for (int i = 2; i < len; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    }
    return len;
}

} // namespace

bool IsValidUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8.decode(bytes);
    Q_UNUSED(text);
    return !utf8.hasError();
}

TDetectedEncoding DetectEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return {CpUtf16Le, 2};
    if (bytes.startsWith("\xFE\xFF"))
        return {CpUtf16Be, 2};
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {CpUtf8, 3};
    const bool highBytes = std::any_of(bytes.begin(), bytes.end(),
                                       [](char c) { return static_cast<uchar>(c) >= 0x80; });
    if (highBytes && IsValidUtf8(bytes))
        return {CpUtf8, 0};
    return {AnsiCodePage, 0};
}

QString DecodeAnsiText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;

    text = QString(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    char16_t *const start = out;
    const uchar *p = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = p + bytes.size();
    while (p < end) {
        if (*p < 0x80) {
            *out++ = *p++;
            continue;
        }
        const int len = Utf8SequenceLength(p, end);
        if (len == 0) {
            *out++ = Cp1252(*p++);
            continue;
        }
        char32_t cp = *p & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
        for (int i = 1; i < len; ++i)
            cp = (cp << 6) | (p[i] & 0x3F);
        p += len;
        if (QChar::requiresSurrogates(cp)) {
            *out++ = QChar::highSurrogate(cp);
            *out++ = QChar::lowSurrogate(cp);
        } else {
            *out++ = char16_t(cp);
        }
    }
    text.truncate(out - start);
    return text;
}

QString DecodeTextFile(QByteArrayView bytes)
{
    const TDetectedEncoding encoding = DetectEncoding(bytes);
    if (encoding.CodePage == CpUtf8 && encoding.Skip > 0)
        return QString::fromUtf8(bytes.sliced(encoding.Skip));
    if (encoding.CodePage == CpUtf16Le || encoding.CodePage == CpUtf16Be) {
        // Code units are copied as they are: unpaired surrogates survive a
        // read and write unchanged; an odd last byte is dropped.
        const auto *b = reinterpret_cast<const uchar *>(bytes.data()) + encoding.Skip;
        const qsizetype units = (bytes.size() - encoding.Skip) / 2;
        QString text(units, Qt::Uninitialized);
        if (encoding.CodePage == CpUtf16Le)
            qFromLittleEndian<char16_t>(b, units, text.data());
        else
            qFromBigEndian<char16_t>(b, units, text.data());
        return text;
    }
    return DecodeAnsiText(bytes);
}
