#include "texttools/TextDecoding.h"

#include "support/GnuGettext.h"
#include "support/StringUtils.h"
#include "texttools/CodePageList.h"

#include <QDir>
#include <QFileInfo>

#include <QHash>
#include <QStringDecoder>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/utrans.h>

#include <algorithm>
#include <array>
#include <climits>
#include <memory>

namespace {

using TConverter = std::unique_ptr<UConverter, decltype(&ucnv_close)>;

TConverter OpenConverter(int codePage)
{
    const QByteArray name = CodePageIcuName(codePage);
    if (name.isEmpty())
        return TConverter(nullptr, &ucnv_close);
    UErrorCode error = U_ZERO_ERROR;
    TConverter converter(ucnv_open(name.constData(), &error), &ucnv_close);
    if (U_FAILURE(error))
        converter.reset();
    return converter;
}

bool StartsWith(QByteArrayView bytes, QByteArrayView prefix)
{
    return !prefix.isEmpty() && bytes.startsWith(prefix);
}

// A code page of one byte per character as a table, so that a gap in
// ICU's mapping can be closed the way Windows maps the byte.
struct TSingleByteTable
{
    static constexpr char16_t Unmapped = 0xFFFF;
    std::array<char16_t, 256> ToUnicode{};
    QHash<char16_t, uchar> FromUnicode;
};

struct TByteMapping
{
    int CodePage;
    uchar Byte;
    char16_t Char;
};

// Bytes ICU leaves unmapped that the code page does define.
constexpr TByteMapping MissingMappings[] = {
    {852, 0xAA, u'\u00AC'},
};

std::optional<TSingleByteTable> BuildSingleByteTable(int codePage)
{
    const QByteArray name = CodePageIcuName(codePage);
    UErrorCode error = U_ZERO_ERROR;
    TConverter converter(ucnv_open(name.constData(), &error), &ucnv_close);
    if (U_FAILURE(error) || !converter || ucnv_getMaxCharSize(converter.get()) != 1)
        return std::nullopt;
    TSingleByteTable table;
    for (int b = 0; b < 256; ++b) {
        QStringDecoder decoder(name.constData(), QStringDecoder::Flag::Stateless);
        const char byte = char(b);
        const QString text = decoder.decode(QByteArrayView(&byte, 1));
        table.ToUnicode[size_t(b)] = decoder.hasError() || text.size() != 1
                                         ? TSingleByteTable::Unmapped
                                         : text.at(0).unicode();
    }
    for (const TByteMapping &missing : MissingMappings) {
        if (missing.CodePage == codePage &&
            table.ToUnicode[missing.Byte] == TSingleByteTable::Unmapped)
            table.ToUnicode[missing.Byte] = missing.Char;
    }
    for (int b = 0; b < 256; ++b) {
        const char16_t c = table.ToUnicode[size_t(b)];
        if (c != TSingleByteTable::Unmapped && !table.FromUnicode.contains(c))
            table.FromUnicode.insert(c, uchar(b));
    }
    return table;
}

// The table of a single-byte code page, made once; none for the others.
const TSingleByteTable *SingleByteTable(int codePage)
{
    static QHash<int, std::optional<TSingleByteTable>> tables;
    auto it = tables.find(codePage);
    if (it == tables.end())
        it = tables.insert(codePage, BuildSingleByteTable(codePage));
    return it->has_value() ? &**it : nullptr;
}

// Converts all of the text; false when the converter reported an error
// (only with a stopping callback).
bool FromUnicode(UConverter *converter, const QString &text, QByteArray &out)
{
    out.clear();
    out.reserve(text.size());
    const UChar *source = reinterpret_cast<const UChar *>(text.constData());
    const UChar *const sourceEnd = source + text.size();
    char buffer[16384];
    for (;;) {
        char *target = buffer;
        UErrorCode error = U_ZERO_ERROR;
        ucnv_fromUnicode(converter, &target, buffer + sizeof buffer, &source, sourceEnd, nullptr,
                         true, &error);
        out.append(buffer, target - buffer);
        if (error == U_BUFFER_OVERFLOW_ERROR)
            continue;
        return U_SUCCESS(error);
    }
}

// What a character the code page lacks is written as.
struct TSubstitution
{
    UConverter *Probe;             // same code page, stops at the first unmappable character
    const TSingleByteTable *Table; // of a single-byte code page, else none
    int NoFit = 0;                 // characters written as "?"
};

// Bytes of the text in the probe's code page, or nothing when one of its
// characters is missing there.
std::optional<QByteArray> ProbeEncode(UConverter *probe, const QString &text)
{
    ucnv_resetFromUnicode(probe);
    QByteArray bytes;
    if (text.isEmpty() || !FromUnicode(probe, text, bytes))
        return std::nullopt;
    return bytes;
}

// The character without accents and in its plain form («é» → «e», «ﬁ» →
// «fi», «…» → «...»), when that differs from it.
QString PlainForm(UChar32 codePoint)
{
    const QString original = QString::fromUcs4(reinterpret_cast<const char32_t *>(&codePoint), 1);
    const QString decomposed = original.normalized(QString::NormalizationForm_KD);
    QString plain;
    for (QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing && c.category() != QChar::Mark_Enclosing &&
            c.category() != QChar::Mark_SpacingCombining)
            plain.append(c);
    }
    return plain == original ? QString() : plain;
}

// ICU's Latin-ASCII transliteration, for the characters that have no
// decomposition but a plain spelling («Ł» → «L», «–» → «-», «€» → «EUR»);
// none when ICU lacks its rules.
UTransliterator *LatinAscii()
{
    static const std::unique_ptr<UTransliterator, decltype(&utrans_close)> transliterator = [] {
        UErrorCode error = U_ZERO_ERROR;
        const std::u16string id = u"Latin-ASCII";
        UTransliterator *t =
            utrans_openU(reinterpret_cast<const UChar *>(id.c_str()), int32_t(id.size()),
                         UTRANS_FORWARD, nullptr, 0, nullptr, &error);
        if (U_FAILURE(error))
            t = nullptr;
        return std::unique_ptr<UTransliterator, decltype(&utrans_close)>(t, &utrans_close);
    }();
    return transliterator.get();
}

QString AsciiForm(UChar32 codePoint)
{
    // Symbols Latin-ASCII leaves alone.
    if (codePoint == 0x20AC)
        return QStringLiteral("EUR");
    if (codePoint == 0x2022)
        return QStringLiteral("*");
    UTransliterator *transliterator = LatinAscii();
    if (!transliterator)
        return QString();
    const QString original = QString::fromUcs4(reinterpret_cast<const char32_t *>(&codePoint), 1);
    std::array<UChar, 32> buffer{};
    int32_t length = int32_t(original.size());
    std::copy(original.utf16(), original.utf16() + length, buffer.begin());
    int32_t limit = length;
    UErrorCode error = U_ZERO_ERROR;
    utrans_transUChars(transliterator, buffer.data(), &length, int32_t(buffer.size()), 0, &limit,
                       &error);
    if (U_FAILURE(error))
        return QString();
    const QString plain =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(buffer.data()), length);
    return plain == original ? QString() : plain;
}

void SubstituteCallback(const void *context, UConverterFromUnicodeArgs *args, const UChar *,
                        int32_t, UChar32 codePoint, UConverterCallbackReason reason,
                        UErrorCode *error)
{
    if (reason > UCNV_IRREGULAR)
        return;
    auto *substitution = static_cast<TSubstitution *>(const_cast<void *>(context));
    std::optional<QByteArray> bytes;
    if (substitution->Table && codePoint <= 0xFFFF) {
        const auto byte = substitution->Table->FromUnicode.constFind(char16_t(codePoint));
        if (byte != substitution->Table->FromUnicode.cend())
            bytes = QByteArray(1, char(*byte));
    }
    if (!bytes && reason == UCNV_UNASSIGNED)
        bytes = ProbeEncode(substitution->Probe, PlainForm(codePoint));
    if (!bytes && reason == UCNV_UNASSIGNED)
        bytes = ProbeEncode(substitution->Probe, AsciiForm(codePoint));
    if (!bytes) {
        ++substitution->NoFit;
        bytes = ProbeEncode(substitution->Probe, QStringLiteral("?"));
    }
    *error = U_ZERO_ERROR;
    if (bytes)
        ucnv_cbFromUWriteBytes(args, bytes->constData(), int32_t(bytes->size()), 0, error);
}

} // namespace

QByteArray ByteOrderMark(int codePage)
{
    switch (codePage) {
    case CpUtf8:
        return QByteArrayLiteral("\xEF\xBB\xBF");
    case CpUtf16Le:
        return QByteArrayLiteral("\xFF\xFE");
    case CpUtf16Be:
        return QByteArrayLiteral("\xFE\xFF");
    case 12000:
        return QByteArray("\xFF\xFE\x00\x00", 4);
    case 12001:
        return QByteArray("\x00\x00\xFE\xFF", 4);
    default:
        return QByteArray();
    }
}

int ByteOrderMarkLength(QByteArrayView bytes, int codePage)
{
    const QByteArray mark = ByteOrderMark(codePage);
    return StartsWith(bytes, mark) ? int(mark.size()) : 0;
}

std::optional<QString> DecodeBytes(QByteArrayView bytes, int codePage)
{
    const QByteArray name = CodePageIcuName(codePage);
    if (name.isEmpty())
        return std::nullopt;
    if (const TSingleByteTable *table = SingleByteTable(codePage)) {
        QString text(bytes.size(), Qt::Uninitialized);
        char16_t *out = reinterpret_cast<char16_t *>(text.data());
        for (const char byte : bytes) {
            const char16_t c = table->ToUnicode[static_cast<uchar>(byte)];
            if (c == TSingleByteTable::Unmapped)
                return std::nullopt;
            *out++ = c;
        }
        return text;
    }
    // The caller skips a byte-order mark itself: one inside the bytes is text.
    const auto flags = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
    QStringDecoder decoder = codePage == CpUtf8 ? QStringDecoder(QStringDecoder::Utf8, flags)
                             : codePage == CpUtf16Le
                                 ? QStringDecoder(QStringDecoder::Utf16LE, flags)
                                 : QStringDecoder(name.constData(), flags);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

TDecodedText DecodeText(QByteArrayView bytes, int codePage)
{
    TDecodedText result;
    int skip = 0;
    if (codePage > 0) {
        result.CodePage = codePage;
        skip = ByteOrderMarkLength(bytes, codePage);
    } else {
        const TDetectedEncoding detected = DetectEncoding(bytes);
        result.CodePage = detected.CodePage;
        skip = detected.Skip;
    }
    result.HadByteOrderMark = skip > 0;
    const QByteArrayView body = bytes.sliced(skip);
    std::optional<QString> text = DecodeBytes(body, result.CodePage);
    if (!text) {
        result.Failed = true;
        result.CodePage = AnsiCodePage;
        text = DecodeBytes(body, AnsiCodePage);
        // Without ICU's data every byte still becomes a character.
        if (!text)
            text = QString::fromLatin1(body.data(), body.size());
    }
    result.Text = std::move(*text);
    return result;
}

QByteArray EncodeText(const QString &text, int codePage, int *noFit)
{
    TConverter converter = OpenConverter(codePage);
    TConverter probe = OpenConverter(codePage);
    if (!converter || !probe)
        return QByteArray();
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setFromUCallBack(probe.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &error);
    ucnv_setFallback(probe.get(), true);
    TSubstitution substitution{probe.get(), SingleByteTable(codePage)};
    error = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), SubstituteCallback, &substitution, nullptr, nullptr,
                          &error);
    // Best fit: the code page's one-way mappings («ł» → «l» where it has them).
    ucnv_setFallback(converter.get(), true);
    QByteArray bytes;
    FromUnicode(converter.get(), text, bytes);
    if (noFit)
        *noFit = substitution.NoFit;
    return bytes;
}

std::optional<QByteArray> EncodeTextExactly(const QString &text, int codePage)
{
    if (const TSingleByteTable *table = SingleByteTable(codePage)) {
        QByteArray bytes(text.size(), Qt::Uninitialized);
        char *out = bytes.data();
        for (const QChar c : text) {
            const auto byte = table->FromUnicode.constFind(c.unicode());
            if (byte == table->FromUnicode.cend())
                return std::nullopt;
            *out++ = char(*byte);
        }
        return bytes;
    }
    TConverter converter = OpenConverter(codePage);
    if (!converter)
        return std::nullopt;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &error);
    ucnv_setFallback(converter.get(), false);
    QByteArray bytes;
    if (!FromUnicode(converter.get(), text, bytes))
        return std::nullopt;
    // Some code pages map two characters to one byte; only a round trip
    // proves that nothing changed.
    if (DecodeBytes(bytes, codePage) != text)
        return std::nullopt;
    return bytes;
}

QString ShownTextProblem(const QString &fileName)
{
    const QFileInfo info(fileName);
    const QString shown = QDir::toNativeSeparators(fileName);
    if (!info.isFile())
        return SafeFormat(_("\"%s\" is not a regular file and cannot be shown."), shown);
    if (info.size() > MaxShownTextSize) {
        return SafeFormat(_("\"%s\" is too large to be shown (%d MB; at most %d MB)."), shown,
                          int(qMin<qint64>(info.size() >> 20, INT_MAX)),
                          int(MaxShownTextSize >> 20));
    }
    return QString();
}
