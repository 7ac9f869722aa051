#include "catalogue/IniFileUtils.h"

#include "localisation/GnuGettext.h"
#include "support/Errors.h"
#include "support/StringUtils.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtEndian>
#include <cstring>
#include <limits>
#include <type_traits>

namespace {

const QString UnicodeSection = QStringLiteral("Unicode");
const QString EncodingKey = QStringLiteral("Encoding");
const QString Utf16LeName = QStringLiteral("UTF-16LE");

// Simple case folding of the character at p (a surrogate pair as one);
// advances p. Hash and equality both use it, so they always agree.
inline char32_t FoldNext(const char16_t *&p, const char16_t *end)
{
    const char16_t c = *p++;
    if (c < 128)
        return (c >= u'A' && c <= u'Z') ? char32_t(c + 32) : char32_t(c);
    if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p))
        return QChar::toCaseFolded(QChar::surrogateToUcs4(c, *p++));
    return QChar::toCaseFolded(char32_t(c));
}

size_t FoldedHash(QStringView s, size_t seed) noexcept
{
    size_t h = seed ^ 0xcbf29ce484222325ULL;
    const char16_t *p = s.utf16();
    const char16_t *end = p + s.size();
    while (p < end) {
        h ^= FoldNext(p, end);
        h *= 0x100000001b3ULL;
    }
    return h;
}

bool FoldedEqual(QStringView a, QStringView b) noexcept
{
    if (a.size() == b.size() &&
        std::memcmp(a.utf16(), b.utf16(), size_t(a.size()) * sizeof(char16_t)) == 0)
        return true;
    const char16_t *pa = a.utf16();
    const char16_t *ea = pa + a.size();
    const char16_t *pb = b.utf16();
    const char16_t *eb = pb + b.size();
    while (pa < ea && pb < eb) {
        if (FoldNext(pa, ea) != FoldNext(pb, eb))
            return false;
    }
    return pa == ea && pb == eb;
}

QStringView TrimWhiteSpace(QStringView v)
{
    qsizetype b = 0;
    qsizetype e = v.size();
    while (b < e && IsWhiteSpace(v.at(b)))
        ++b;
    while (e > b && IsWhiteSpace(v.at(e - 1)))
        --e;
    return v.sliced(b, e - b);
}

// Line breaks inside a written name or value would split it into lines that
// read back as other keys or sections.
QString WithoutLineBreaks(QString text)
{
    if (text.contains(u'\r') || text.contains(u'\n')) {
        text.replace(u'\r', u' ');
        text.replace(u'\n', u' ');
    }
    return text;
}

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

template <typename T>
bool ParseInteger(QStringView text, T &value)
{
    using U = std::make_unsigned_t<T>;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && IsWhiteSpace(text.at(i)))
        ++i;
    if (n - i > 2 && text.at(i) == u'0' && (text.at(i + 1) == u'x' || text.at(i + 1) == u'X')) {
        U v = 0;
        for (i += 2; i < n; ++i) {
            const char16_t c = text.at(i).unicode();
            int digit;
            if (c >= u'0' && c <= u'9')
                digit = c - u'0';
            else if (c >= u'a' && c <= u'f')
                digit = c - u'a' + 10;
            else if (c >= u'A' && c <= u'F')
                digit = c - u'A' + 10;
            else
                return false;
            if (v > (std::numeric_limits<U>::max() >> 4))
                return false;
            v = U(v << 4 | U(digit));
        }
        value = T(v);
        return true;
    }
    bool negative = false;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    if (i == n)
        return false;
    const U limit = negative ? U(std::numeric_limits<T>::max()) + 1 : U(std::numeric_limits<T>::max());
    U v = 0;
    for (; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return false;
        const U digit = U(c - u'0');
        if (v > (limit - digit) / 10)
            return false;
        v = U(v * 10 + digit);
    }
    value = negative ? T(U(0) - v) : T(v);
    return true;
}

} // namespace

size_t qHash(const TUnicodeIniFile::NameKey &k, size_t seed) noexcept
{
    return FoldedHash(k.name, seed);
}

size_t qHash(const TUnicodeIniFile::LineKey &k, size_t seed) noexcept
{
    return FoldedHash(k.key, seed ^ (size_t(quint32(k.section)) * 0x9E3779B97F4A7C15ULL));
}

bool operator==(const TUnicodeIniFile::NameKey &a, const TUnicodeIniFile::NameKey &b) noexcept
{
    return FoldedEqual(a.name, b.name);
}

bool operator==(const TUnicodeIniFile::LineKey &a, const TUnicodeIniFile::LineKey &b) noexcept
{
    return a.section == b.section && FoldedEqual(a.key, b.key);
}

// ---------------------------------------------------------------------------

bool ParseIniInt(QStringView text, int &value)
{
    return ParseInteger<qint32>(text, value);
}

bool ParseIniInt64(QStringView text, qint64 &value)
{
    return ParseInteger<qint64>(text, value);
}

QString EncloseValue(const QString &text)
{
    QString inner = text;
    inner.replace(u'#', QStringLiteral("##"));
    return u'#' + inner + u'#';
}

QString UnencloseValue(const QString &text)
{
    if (text.size() < 2 || !text.startsWith(u'#') || !text.endsWith(u'#'))
        return text;
    QString inner = text.sliced(1, text.size() - 2);
    inner.replace(QStringLiteral("##"), QStringLiteral("#"));
    return inner;
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
    const auto *b = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        return QString::fromUtf8(bytes.sliced(3));
    if (n >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) {
        // Code units are copied as they are: unpaired surrogates survive a
        // read and write unchanged; an odd last byte is dropped.
        const qsizetype units = (n - 2) / 2;
        QString text(units, Qt::Uninitialized);
        if (b[0] == 0xFF)
            qFromLittleEndian<char16_t>(b + 2, units, text.data());
        else
            qFromBigEndian<char16_t>(b + 2, units, text.data());
        return text;
    }
    return DecodeAnsiText(bytes);
}

// ---------------------------------------------------------------------------

TUnicodeIniFile TUnicodeIniFile::CreateForRead(const QString &fileName)
{
    return TUnicodeIniFile(fileName, TAccess::Read);
}

TUnicodeIniFile TUnicodeIniFile::CreateForWrite(const QString &fileName, bool clearEntries)
{
    return TUnicodeIniFile(fileName, TAccess::Write, clearEntries);
}

TUnicodeIniFile TUnicodeIniFile::FromData(const QByteArray &data)
{
    return TUnicodeIniFile(data, FromDataTag{});
}

TUnicodeIniFile::TUnicodeIniFile(const QString &fileName, TAccess access, bool clearEntries)
    : m_fileName(fileName), m_readOnly(access == TAccess::Read)
{
    ReadFile();
    if (m_readOnly)
        return;
    if (clearEntries)
        Clear();
    EnsureEncodingKey(clearEntries);
    // Like the object it stands for, a writable file is written when it ends,
    // even without changes.
    m_modified = true;
}

TUnicodeIniFile::TUnicodeIniFile(const QByteArray &data, FromDataTag)
{
    m_text = DecodeTextFile(data);
    Parse();
}

TUnicodeIniFile::~TUnicodeIniFile()
{
    if (m_readOnly || !m_modified)
        return;
    try {
        UpdateFile();
    } catch (...) {
        // No exception may leave a destructor; callers that need to know call
        // UpdateFile() themselves.
    }
}

void TUnicodeIniFile::ReadFile()
{
    if (m_fileName.isEmpty())
        return;
    const QFileInfo info(m_fileName);
    if (!info.exists())
        return;
    // Only regular files: a device or pipe could block or never end.
    QFile file(m_fileName);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        m_complete = false;
        return;
    }
    QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) {
        bytes.truncate(MaxFileSize);
        m_complete = false;
    }
    if (file.error() != QFileDevice::NoError)
        m_complete = false;
    file.close();
    m_text = DecodeTextFile(bytes);
    bytes = QByteArray();
    Parse();
}

void TUnicodeIniFile::Parse()
{
    const QStringView all(m_text);
    const qsizetype n = all.size();
    qsizetype pos = 0;
    qsizetype lf = -2; // next LF at or after pos; -1: none left
    qint32 current = -1;
    while (pos < n) {
        if (lf != -1 && lf < pos)
            lf = all.indexOf(u'\n', pos);
        const qsizetype segmentEnd = lf < 0 ? n : lf;
        qsizetype lineEnd = segmentEnd;
        qsizetype next = lf < 0 ? n : lf + 1;
        // A CR ends a line as well; CR LF is one line break.
        const qsizetype cr = all.sliced(pos, segmentEnd - pos).indexOf(u'\r');
        if (cr >= 0) {
            lineEnd = pos + cr;
            if (lineEnd + 1 < segmentEnd)
                next = lineEnd + 1;
        }
        const QStringView line = TrimWhiteSpace(all.sliced(pos, lineEnd - pos));
        pos = next;
        if (line.isEmpty() || line.front() == u';')
            continue;
        if (qsizetype(m_lines.size() + m_sections.size()) >= MaxItems) {
            m_complete = false;
            break;
        }
        auto ref = [&](QStringView v) {
            return TextRef{quint32(v.data() - m_text.constData()), quint32(v.size())};
        };
        if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
            current = qint32(m_sections.size());
            Section s;
            s.name = ref(TrimWhiteSpace(line.sliced(1, line.size() - 2)));
            m_sections.push_back(s);
            qint32 &slot = m_sectionIndex[NameKey{NameOf(m_sections.back())}];
            if (slot == 0)
                slot = current + 1;
            continue;
        }
        if (current < 0)
            continue;
        Line l;
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0) {
            l.isPair = true;
            l.key = ref(TrimWhiteSpace(line.first(eq)));
            l.value = ref(TrimWhiteSpace(line.sliced(eq + 1)));
        } else {
            l.value = ref(line);
        }
        AppendLine(current, l);
    }
}

void TUnicodeIniFile::Clear()
{
    m_owned.clear();
    m_lines.clear();
    m_sections.clear();
    m_sectionIndex.clear();
    m_lineIndex.clear();
    m_text.clear();
    m_modified = true;
}

void TUnicodeIniFile::EnsureEncodingKey(bool force)
{
    if (force || !ValueExists(UnicodeSection, EncodingKey))
        WriteString(UnicodeSection, EncodingKey, Utf16LeName);
}

QStringView TUnicodeIniFile::View(TextRef ref, bool owned) const
{
    if (owned)
        return QStringView(m_owned[ref.pos]).first(ref.len);
    return QStringView(m_text).sliced(ref.pos, ref.len);
}

TUnicodeIniFile::TextRef TUnicodeIniFile::Own(QString text)
{
    const TextRef ref{quint32(m_owned.size()), quint32(text.size())};
    m_owned.push_back(std::move(text));
    return ref;
}

qint32 TUnicodeIniFile::FindSection(QStringView section) const
{
    const auto it = m_sectionIndex.constFind(NameKey{section});
    return it == m_sectionIndex.cend() ? -1 : *it - 1;
}

qint32 TUnicodeIniFile::FindLine(QStringView section, QStringView ident) const
{
    const qint32 s = FindSection(section);
    if (s < 0)
        return -1;
    const auto it = m_lineIndex.constFind(LineKey{s, ident});
    return it == m_lineIndex.cend() ? -1 : *it - 1;
}

qint32 TUnicodeIniFile::AddSection(QStringView name)
{
    const qint32 index = qint32(m_sections.size());
    Section s;
    s.name = Own(WithoutLineBreaks(name.toString()));
    s.nameOwned = true;
    m_sections.push_back(s);
    qint32 &slot = m_sectionIndex[NameKey{NameOf(m_sections.back())}];
    if (slot == 0)
        slot = index + 1;
    return index;
}

void TUnicodeIniFile::AppendLine(qint32 section, Line line)
{
    const qint32 index = qint32(m_lines.size());
    m_lines.push_back(line);
    Section &s = m_sections[size_t(section)];
    if (s.last >= 0)
        m_lines[size_t(s.last)].next = index;
    else
        s.first = index;
    s.last = index;
    if (line.isPair) {
        qint32 &slot = m_lineIndex[LineKey{section, KeyOf(line)}];
        if (slot == 0)
            slot = index + 1;
    }
}

void TUnicodeIniFile::ReindexSection(QStringView name)
{
    m_sectionIndex.remove(NameKey{name});
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (!m_sections[i].deleted && FoldedEqual(NameOf(m_sections[i]), name)) {
            m_sectionIndex.insert(NameKey{NameOf(m_sections[i])}, qint32(i) + 1);
            return;
        }
    }
}

void TUnicodeIniFile::ReindexKey(qint32 section, QStringView key)
{
    m_lineIndex.remove(LineKey{section, key});
    for (qint32 i = m_sections[size_t(section)].first; i >= 0; i = m_lines[size_t(i)].next) {
        const Line &l = m_lines[size_t(i)];
        if (l.isPair && FoldedEqual(KeyOf(l), key)) {
            m_lineIndex.insert(LineKey{section, KeyOf(l)}, i + 1);
            return;
        }
    }
}

void TUnicodeIniFile::UnindexLines(qint32 section)
{
    Section &s = m_sections[size_t(section)];
    for (qint32 i = s.first; i >= 0; i = m_lines[size_t(i)].next) {
        Line &l = m_lines[size_t(i)];
        if (l.isPair)
            m_lineIndex.remove(LineKey{section, KeyOf(l)});
        l.deleted = true;
    }
    s.first = s.last = -1;
}

// ---------------------------------------------------------------------------

QString TUnicodeIniFile::ReadString(QStringView section, QStringView ident,
                                    const QString &def) const
{
    const qint32 l = FindLine(section, ident);
    return l < 0 ? def : ValueOf(m_lines[size_t(l)]).toString();
}

int TUnicodeIniFile::ReadInteger(QStringView section, QStringView ident, int def) const
{
    const qint32 l = FindLine(section, ident);
    int value = 0;
    if (l < 0 || !ParseIniInt(ValueOf(m_lines[size_t(l)]), value))
        return def;
    return value;
}

qint64 TUnicodeIniFile::ReadInt64(QStringView section, QStringView ident, qint64 def) const
{
    const qint32 l = FindLine(section, ident);
    qint64 value = 0;
    if (l < 0 || !ParseIniInt64(ValueOf(m_lines[size_t(l)]), value))
        return def;
    return value;
}

bool TUnicodeIniFile::ReadBool(QStringView section, QStringView ident, bool def) const
{
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

QString TUnicodeIniFile::ReadEnclosedString(QStringView section, QStringView ident,
                                            const QString &def) const
{
    const qint32 l = FindLine(section, ident);
    return l < 0 ? def : UnencloseValue(ValueOf(m_lines[size_t(l)]).toString());
}

void TUnicodeIniFile::WriteString(QStringView section, QStringView ident, const QString &value)
{
    qint32 s = FindSection(section);
    if (s < 0)
        s = AddSection(section);
    const auto found = m_lineIndex.constFind(LineKey{s, ident});
    const qint32 l = found == m_lineIndex.cend() ? -1 : *found - 1;
    if (l >= 0) {
        Line &line = m_lines[size_t(l)];
        if (ValueOf(line) == value)
            return;
        const QString clean = WithoutLineBreaks(value);
        if (line.valueOwned) {
            m_owned[line.value.pos] = clean;
            line.value.len = quint32(clean.size());
        } else {
            line.value = Own(clean);
            line.valueOwned = true;
        }
    } else {
        Line line;
        line.isPair = true;
        line.key = Own(WithoutLineBreaks(ident.toString()));
        line.keyOwned = true;
        line.value = Own(WithoutLineBreaks(value));
        line.valueOwned = true;
        AppendLine(s, line);
    }
    m_modified = true;
}

void TUnicodeIniFile::WriteInteger(QStringView section, QStringView ident, int value)
{
    WriteString(section, ident, QString::number(value));
}

void TUnicodeIniFile::WriteInt64(QStringView section, QStringView ident, qint64 value)
{
    WriteString(section, ident, QString::number(value));
}

void TUnicodeIniFile::WriteBool(QStringView section, QStringView ident, bool value)
{
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TUnicodeIniFile::WriteEnclosedString(QStringView section, QStringView ident,
                                          const QString &value)
{
    WriteString(section, ident, EncloseValue(value));
}

void TUnicodeIniFile::WriteProgramInfo(QStringView ident, const QString &value)
{
    WriteString(UnicodeSection, ident, value);
}

bool TUnicodeIniFile::SectionExists(QStringView section) const
{
    return FindSection(section) >= 0;
}

bool TUnicodeIniFile::ValueExists(QStringView section, QStringView ident) const
{
    return FindLine(section, ident) >= 0;
}

QStringList TUnicodeIniFile::ReadSection(QStringView section) const
{
    QStringList keys;
    const qint32 s = FindSection(section);
    if (s < 0)
        return keys;
    for (qint32 i = m_sections[size_t(s)].first; i >= 0; i = m_lines[size_t(i)].next) {
        const Line &l = m_lines[size_t(i)];
        if (l.isPair)
            keys.append(KeyOf(l).toString());
    }
    return keys;
}

QStringList TUnicodeIniFile::ReadSections() const
{
    QStringList names;
    for (const Section &s : m_sections) {
        if (!s.deleted)
            names.append(NameOf(s).toString());
    }
    return names;
}

void TUnicodeIniFile::EraseSection(QStringView section)
{
    const qint32 s = FindSection(section);
    if (s < 0)
        return;
    UnindexLines(s);
    m_sections[size_t(s)].deleted = true;
    ReindexSection(NameOf(m_sections[size_t(s)]));
    m_modified = true;
}

void TUnicodeIniFile::EraseSectionValues(QStringView section)
{
    const qint32 s = FindSection(section);
    if (s < 0)
        return;
    UnindexLines(s);
    m_modified = true;
}

void TUnicodeIniFile::DeleteKey(QStringView section, QStringView ident)
{
    const qint32 s = FindSection(section);
    const qint32 l = FindLine(section, ident);
    if (l < 0)
        return;
    Section &sec = m_sections[size_t(s)];
    qint32 prev = -1;
    for (qint32 i = sec.first; i != l; i = m_lines[size_t(i)].next)
        prev = i;
    Line &line = m_lines[size_t(l)];
    if (prev >= 0)
        m_lines[size_t(prev)].next = line.next;
    else
        sec.first = line.next;
    if (sec.last == l)
        sec.last = prev;
    line.deleted = true;
    line.next = -1;
    ReindexKey(s, KeyOf(line));
    m_modified = true;
}

// ---------------------------------------------------------------------------

QByteArray TUnicodeIniFile::ToData() const
{
    static constexpr char16_t crlf[] = {u'\r', u'\n'};
    qsizetype units = 0;
    for (const Section &s : m_sections) {
        if (s.deleted)
            continue;
        units += s.name.len + 4 + 2;
        for (qint32 i = s.first; i >= 0; i = m_lines[size_t(i)].next) {
            const Line &l = m_lines[size_t(i)];
            units += l.value.len + 2 + (l.isPair ? l.key.len + 1 : 0);
        }
    }
    QByteArray data(2 + 2 * units, Qt::Uninitialized);
    char *out = data.data();
    *out++ = char(0xFF);
    *out++ = char(0xFE);
    auto put = [&out](QStringView v) {
        qToLittleEndian<char16_t>(v.utf16(), v.size(), out);
        out += 2 * v.size();
    };
    auto putChar = [&out](char16_t c) {
        qToLittleEndian<char16_t>(&c, 1, out);
        out += 2;
    };
    const QStringView lineBreak(crlf, 2);
    for (const Section &s : m_sections) {
        if (s.deleted)
            continue;
        putChar(u'[');
        put(NameOf(s));
        putChar(u']');
        put(lineBreak);
        for (qint32 i = s.first; i >= 0; i = m_lines[size_t(i)].next) {
            const Line &l = m_lines[size_t(i)];
            if (l.isPair) {
                put(KeyOf(l));
                putChar(u'=');
            }
            put(ValueOf(l));
            put(lineBreak);
        }
        put(lineBreak);
    }
    return data;
}

void TUnicodeIniFile::UpdateFile()
{
    if (m_readOnly)
        return;
    if (!m_complete) {
        throw EWriteError(SafeFormat(
            U_("The file \"%s\" could not be read completely; it was left unchanged."),
            m_fileName));
    }
    const QByteArray data = ToData();
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw EWriteError(SafeFormat(U_("Error writing to \"%s\""), m_fileName));
    m_modified = false;
}
