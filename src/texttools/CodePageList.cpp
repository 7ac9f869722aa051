#include "texttools/CodePageList.h"

#include "support/StringUtils.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QStringDecoder>
#include <unicode/ucnv.h>

#include <memory>

namespace {

struct TKnownCodePage
{
    int Number;
    const char *Description; // as Windows names it
    const char *IcuName;     // null: found by the usual aliases
};

// The code pages of Windows with the descriptions Windows gives them. ICU
// decides which of them this system supports.
constexpr TKnownCodePage KnownCodePages[] = {
    {37, "IBM EBCDIC - U.S./Canada", "cp037"},
    {437, "OEM - United States", "IBM437"},
    {500, "IBM EBCDIC - International", "cp500"},
    {720, "Arabic - Transparent ASMO", "windows-720"},
    {737, "OEM - Greek 437G", "IBM737"},
    {775, "OEM - Baltic", "IBM775"},
    {850, "OEM - Multilingual Latin I", "IBM850"},
    {852, "OEM - Latin II", "IBM852"},
    {855, "OEM - Cyrillic", "IBM855"},
    {857, "OEM - Turkish", "IBM857"},
    {858, "OEM - Multilingual Latin I + Euro", "IBM00858"},
    {860, "OEM - Portuguese", "IBM860"},
    {861, "OEM - Icelandic", "IBM861"},
    {862, "OEM - Hebrew", "IBM862"},
    {863, "OEM - Canadian French", "IBM863"},
    {864, "OEM - Arabic", "IBM864"},
    {865, "OEM - Nordic", "IBM865"},
    {866, "OEM - Russian", "IBM866"},
    {869, "OEM - Modern Greek", "IBM869"},
    {870, "IBM EBCDIC - Multilingual/ROECE (Latin-2)", "cp870"},
    {874, "ANSI/OEM - Thai", "windows-874"},
    {875, "IBM EBCDIC - Modern Greek", "cp875"},
    {932, "ANSI/OEM - Japanese Shift-JIS", "windows-932"},
    {936, "ANSI/OEM - Simplified Chinese GBK", "windows-936"},
    {949, "ANSI/OEM - Korean", "windows-949"},
    {950, "ANSI/OEM - Traditional Chinese Big5", "windows-950"},
    {1026, "IBM EBCDIC - Turkish (Latin-5)", "cp1026"},
    {1047, "IBM EBCDIC - Latin-1/Open System", "cp1047"},
    {1140, "IBM EBCDIC - U.S./Canada (037 + Euro)", "cp1140"},
    {1141, "IBM EBCDIC - Germany (20273 + Euro)", "cp1141"},
    {1142, "IBM EBCDIC - Denmark/Norway (20277 + Euro)", "cp1142"},
    {1143, "IBM EBCDIC - Finland/Sweden (20278 + Euro)", "cp1143"},
    {1144, "IBM EBCDIC - Italy (20280 + Euro)", "cp1144"},
    {1145, "IBM EBCDIC - Latin America/Spain (20284 + Euro)", "cp1145"},
    {1146, "IBM EBCDIC - United Kingdom (20285 + Euro)", "cp1146"},
    {1147, "IBM EBCDIC - France (20297 + Euro)", "cp1147"},
    {1148, "IBM EBCDIC - International (500 + Euro)", "cp1148"},
    {1149, "IBM EBCDIC - Icelandic (20871 + Euro)", "cp1149"},
    {CpUtf16Le, "UTF-16", "UTF-16LE"},
    {CpUtf16Be, "UTF-16 Big-Endian", "UTF-16BE"},
    {1250, "ANSI - Central Europe", "windows-1250"},
    {1251, "ANSI - Cyrillic", "windows-1251"},
    {1252, "ANSI - Latin I", "windows-1252"},
    {1253, "ANSI - Greek", "windows-1253"},
    {1254, "ANSI - Turkish", "windows-1254"},
    {1255, "ANSI - Hebrew", "windows-1255"},
    {1256, "ANSI - Arabic", "windows-1256"},
    {1257, "ANSI - Baltic", "windows-1257"},
    {1258, "ANSI/OEM - Viet Nam", "windows-1258"},
    {10000, "MAC - Roman", "macintosh"},
    {10006, "MAC - Greek I", "x-mac-greek"},
    {10007, "MAC - Cyrillic", "x-mac-cyrillic"},
    {10029, "MAC - Latin II", "x-mac-centraleurroman"},
    {10081, "MAC - Turkish", "x-mac-turkish"},
    {12000, "Unicode UTF-32, little endian byte order", "UTF-32LE"},
    {12001, "Unicode UTF-32, big endian byte order", "UTF-32BE"},
    {20127, "US-ASCII", "US-ASCII"},
    {20866, "Russian - KOI8", "KOI8-R"},
    {21866, "Ukrainian - KOI8-U", "KOI8-U"},
    {28591, "ISO 8859-1 Latin I", "ISO-8859-1"},
    {28592, "ISO 8859-2 Central Europe", "ISO-8859-2"},
    {28593, "ISO 8859-3 Latin 3", "ISO-8859-3"},
    {28594, "ISO 8859-4 Baltic", "ISO-8859-4"},
    {28595, "ISO 8859-5 Cyrillic", "ISO-8859-5"},
    {28596, "ISO 8859-6 Arabic", "ISO-8859-6"},
    {28597, "ISO 8859-7 Greek", "ISO-8859-7"},
    {28598, "ISO 8859-8 Hebrew: Visual Ordering", "ISO-8859-8"},
    {28599, "ISO 8859-9 Latin 5", "ISO-8859-9"},
    {28603, "ISO 8859-13 Latin 7", "ISO-8859-13"},
    {28605, "ISO 8859-15 Latin 9", "ISO-8859-15"},
    {38598, "ISO 8859-8 Hebrew: Logical Ordering", "ISO-8859-8-I"},
    {50220, "ISO 2022 Japanese with no halfwidth Katakana", "ISO-2022-JP"},
    {51932, "EUC - Japanese", "EUC-JP"},
    {51949, "EUC - Korean", "EUC-KR"},
    {52936, "HZ-GB2312 Simplified Chinese", "HZ-GB-2312"},
    {54936, "GB18030 Simplified Chinese (4 byte)", "GB18030"},
    {57002, "ISCII - Devanagari", nullptr},
    {57003, "ISCII - Bengali", nullptr},
    {57004, "ISCII - Tamil", nullptr},
    {57005, "ISCII - Telugu", nullptr},
    {57006, "ISCII - Assamese", nullptr},
    {57007, "ISCII - Oriya", nullptr},
    {57008, "ISCII - Kannada", nullptr},
    {57009, "ISCII - Malayalam", nullptr},
    {57010, "ISCII - Gujarati", nullptr},
    {57011, "ISCII - Punjabi (Gurmukhi)", nullptr},
    {65000, "UTF-7", "UTF-7"},
    {CpUtf8, "UTF-8", "UTF-8"},
};

const TKnownCodePage *FindKnown(int codePage)
{
    for (const TKnownCodePage &known : KnownCodePages) {
        if (known.Number == codePage)
            return &known;
    }
    return nullptr;
}

// Whether both ICU and Qt's decoder accept the name.
bool IcuKnows(const QByteArray &name)
{
    UErrorCode error = U_ZERO_ERROR;
    std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(
        ucnv_open(name.constData(), &error), &ucnv_close);
    if (U_FAILURE(error) || !converter)
        return false;
    return QStringDecoder(name.constData()).isValid();
}

// Windows code page numbers of ICU's converters: their "windows-N" aliases,
// mapped to the first alias that names them.
QMap<int, QByteArray> IcuWindowsCodePages()
{
    static const QRegularExpression windowsAlias(QStringLiteral("^windows-(\\d+)$"),
                                                 QRegularExpression::CaseInsensitiveOption);
    QMap<int, QByteArray> found;
    const int32_t count = ucnv_countAvailable();
    for (int32_t i = 0; i < count; ++i) {
        const char *name = ucnv_getAvailableName(i);
        UErrorCode error = U_ZERO_ERROR;
        const uint16_t aliases = ucnv_countAliases(name, &error);
        for (uint16_t k = 0; U_SUCCESS(error) && k < aliases; ++k) {
            const char *alias = ucnv_getAlias(name, k, &error);
            if (U_FAILURE(error) || !alias)
                break;
            const auto match = windowsAlias.match(QString::fromLatin1(alias));
            if (!match.hasMatch())
                continue;
            bool ok = false;
            const int number = match.captured(1).toInt(&ok);
            if (ok && number > 0 && !found.contains(number))
                found.insert(number, QByteArray(alias));
        }
    }
    return found;
}

// Number → ICU name of every supported code page, worked out once.
const QMap<int, QByteArray> &SupportedTable()
{
    static const QMap<int, QByteArray> table = [] {
        QMap<int, QByteArray> result;
        for (const TKnownCodePage &known : KnownCodePages) {
            const QByteArray number = QByteArray::number(known.Number);
            QList<QByteArray> candidates;
            if (known.IcuName)
                candidates.append(known.IcuName);
            candidates << "windows-" + number << "cp" + number << "IBM" + number;
            for (const QByteArray &name : candidates) {
                if (IcuKnows(name)) {
                    result.insert(known.Number, name);
                    break;
                }
            }
        }
        const QMap<int, QByteArray> aliases = IcuWindowsCodePages();
        for (auto it = aliases.cbegin(); it != aliases.cend(); ++it) {
            if (!result.contains(it.key()) && IcuKnows(it.value()))
                result.insert(it.key(), it.value());
        }
        return result;
    }();
    return table;
}

// ICU's own name of the converter, for code pages Windows would describe.
QString IcuCanonicalName(const QByteArray &name)
{
    UErrorCode error = U_ZERO_ERROR;
    std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(
        ucnv_open(name.constData(), &error), &ucnv_close);
    if (U_FAILURE(error) || !converter)
        return QString::fromLatin1(name);
    const char *canonical = ucnv_getName(converter.get(), &error);
    return U_SUCCESS(error) && canonical ? QString::fromLatin1(canonical)
                                         : QString::fromLatin1(name);
}

} // namespace

QByteArray CodePageIcuName(int codePage)
{
    return SupportedTable().value(codePage);
}

bool IsValidCodePage(int codePage)
{
    return SupportedTable().contains(codePage);
}

QString CodePageName(int codePage)
{
    const QByteArray icuName = CodePageIcuName(codePage);
    if (icuName.isEmpty())
        return QString();
    if (codePage == CpUtf16Le)
        return QStringLiteral("1200 (UTF-16)");
    const TKnownCodePage *known = FindKnown(codePage);
    const QString description =
        known ? QString::fromLatin1(known->Description) : IcuCanonicalName(icuName);
    // Windows' layout: the number in a column of its own.
    return QString::number(codePage).leftJustified(5) + QStringLiteral(" (") + description + u')';
}

QList<int> SupportedCodePages()
{
    return SupportedTable().keys();
}

bool BuildCodePageList(TCodePageChoices &list, const QString &firstEntry)
{
    const QList<int> codePages = SupportedCodePages();
    if (codePages.isEmpty())
        return false;
    // Sorted by text without regard to case, each text once.
    QMap<QString, TCodePageChoice> sorted;
    auto add = [&sorted](const QString &text, int codePage) {
        const QString key = text.toCaseFolded();
        if (!sorted.contains(key))
            sorted.insert(key, TCodePageChoice{text, codePage});
    };
    if (!firstEntry.isEmpty())
        add(u' ' + firstEntry, 0);
    for (int codePage : codePages) {
        QString name = CodePageName(codePage);
        if (name.isEmpty())
            continue;
        ReadNextItem(name, u' ');
        name = StripLeading(StripTrailing(name.trimmed(), u')'), u'(');
        add(SafeFormat(QStringLiteral("%s - (%u)"), name, codePage), codePage);
    }
    list.clear();
    for (const TCodePageChoice &choice : std::as_const(sorted))
        list.append(choice);
    return true;
}
