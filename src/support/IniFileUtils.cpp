#include "support/IniFileUtils.h"

#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/IniText.h"
#include "support/StringUtils.h"
#include "support/SystemFiles.h"
#include "support/TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtAlgorithms>
#include <QtEndian>
#include <cstring>
#include <limits>
#include <type_traits>

namespace {

const QString UnicodeSection = QStringLiteral("Unicode");
const QString EncodingKey = QStringLiteral("Encoding");
const QString Utf16LeName = QStringLiteral("UTF-16LE");

// What the hash sees of a unit: equal for units that fold alike. ASCII
// units only need "| 0x20" for that, which works on four at once.
inline quint64 HashUnit(char16_t c)
{
    const char16_t f = FoldUnit(c);
    return f < 128 ? quint64(f | 0x20) : quint64(f);
}

inline quint64 Mix(quint64 h, quint64 w)
{
    h = (h ^ w) * 0x9E3779B97F4A7C15ULL;
    return h ^ (h >> 29);
}

size_t FoldedHash(QStringView s, size_t seed) noexcept
{
    quint64 h = seed ^ (quint64(s.size()) * 0xcbf29ce484222325ULL);
    const char16_t *p = s.utf16();
    qsizetype n = s.size();
    for (; n >= 4; p += 4, n -= 4) {
        quint64 w;
        std::memcpy(&w, p, sizeof w);
        if ((w & 0xFF80FF80FF80FF80ULL) == 0) {
            w |= 0x0020002000200020ULL;
        } else {
            // Packed the same way, whatever the byte order.
            w = HashUnit(p[0]) | HashUnit(p[1]) << 16 | HashUnit(p[2]) << 32 | HashUnit(p[3]) << 48;
            quint64 native;
            const char16_t units[4] = {char16_t(w), char16_t(w >> 16), char16_t(w >> 32),
                                       char16_t(w >> 48)};
            std::memcpy(&native, units, sizeof native);
            w = native;
        }
        h = Mix(h, w);
    }
    if (n > 0) {
        char16_t units[4] = {0, 0, 0, 0};
        for (qsizetype i = 0; i < n; ++i)
            units[i] = char16_t(HashUnit(p[i]));
        quint64 w;
        std::memcpy(&w, units, sizeof w);
        h = Mix(h, w);
    }
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return size_t(h);
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

template <typename T> bool ParseInteger(QStringView text, T &value)
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
    const U limit =
        negative ? U(std::numeric_limits<T>::max()) + 1 : U(std::numeric_limits<T>::max());
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
    // Taken with the seed of every QHash when the key was made.
    Q_UNUSED(seed);
    return k.hash;
}

TUnicodeIniFile::NameKey TUnicodeIniFile::MakeNameKey(QStringView name) const
{
    return NameKey{name, FoldedHash(name, m_seed)};
}

quint32 TUnicodeIniFile::KeyHash(QStringView key) const
{
    return quint32(FoldedHash(key, m_seed));
}

bool operator==(const TUnicodeIniFile::NameKey &a, const TUnicodeIniFile::NameKey &b) noexcept
{
    return FoldedEqual(a.name, b.name);
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
    if (inner.contains(u'#'))
        inner.replace(QStringLiteral("##"), QStringLiteral("#"));
    return inner;
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
    : m_fileName(fileName), m_readOnly(access == TAccess::Read), m_seed(QHashSeed::globalSeed())
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

TUnicodeIniFile::TUnicodeIniFile(const QString &fileName, QString text, bool complete,
                                 bool excerpt)
    : m_fileName(fileName), m_complete(complete), m_excerpt(excerpt), m_text(std::move(text)),
      m_seed(QHashSeed::globalSeed())
{
    Parse();
}

TUnicodeIniFile::TUnicodeIniFile(const QByteArray &data, FromDataTag)
    : m_seed(QHashSeed::globalSeed())
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
    // Before reading: a change while it is read then shows as a change.
    m_readState = FileStateOf(m_fileName);
    const QFileInfo info(m_fileName);
    if (!info.exists())
        return;
    // Only regular files: a device or pipe could block or never end.
    QFile file(m_fileName);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_complete = false;
        return;
    }
    qint64 size = file.size();
    if (size > MaxFileSize) {
        size = MaxFileSize;
        m_complete = false;
    }
    char bom[2] = {0, 0};
    const qint64 head = file.read(bom, 2);
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian && head == 2 && uchar(bom[0]) == 0xFF &&
        uchar(bom[1]) == 0xFE) {
        // The file holds the text in memory's own form: read it in place.
        QString text((size - 2) / 2, Qt::Uninitialized);
        const qint64 got = file.read(reinterpret_cast<char *>(text.data()), text.size() * 2);
        text.truncate(got < 0 ? 0 : got / 2);
        m_text = std::move(text);
    } else {
        QByteArray bytes(head > 0 ? head : 0, Qt::Uninitialized);
        std::memcpy(bytes.data(), bom, size_t(bytes.size()));
        bytes += file.read(qMax<qint64>(size - bytes.size(), 0));
        m_text = DecodeTextFile(bytes);
    }
    if (file.error() != QFileDevice::NoError)
        m_complete = false;
    Parse();
}

void TUnicodeIniFile::Parse()
{
    const char16_t *const text = reinterpret_cast<const char16_t *>(m_text.constData());
    const char16_t *const end = text + m_text.size();
    auto ref = [text](const char16_t *from, const char16_t *to) {
        return TextRef{quint32(from - text), quint32(to - from)};
    };
    const auto trimmed = TrimIniText;
    // About one line per 20 characters in a catalogue; a closer guess than
    // growing step by step through millions of lines.
    m_lines.reserve(size_t(qMin<qsizetype>(m_text.size() / 20 + 16, MaxItems)));
    qint32 current = -1;
    const char16_t *p = text;
    while (p < end) {
        const char16_t *from = p;
        const char16_t *equals = nullptr;
        const char16_t *to = FindLineBreak(p, end, true);
        if (to < end && *to == u'=') {
            equals = to;
            to = FindLineBreak(to + 1, end, false);
        }
        p = NextIniLine(to, end);
        trimmed(from, to);
        if (from == to || *from == u';')
            continue;
        if (qsizetype(m_lines.size() + m_sections.size()) >= MaxItems) {
            m_complete = false;
            break;
        }
        if (IsIniSectionLine(from, to)) {
            const char16_t *nameFrom = from + 1;
            const char16_t *nameTo = to - 1;
            trimmed(nameFrom, nameTo);
            Section s;
            s.name = ref(nameFrom, nameTo);
            current = qint32(m_sections.size());
            m_sections.push_back(s);
            continue;
        }
        if (current < 0)
            continue;
        Line l;
        if (equals) {
            const char16_t *keyFrom = from;
            const char16_t *keyTo = equals;
            const char16_t *valueFrom = equals + 1;
            const char16_t *valueTo = to;
            trimmed(keyFrom, keyTo);
            trimmed(valueFrom, valueTo);
            l.isPair = true;
            l.key = ref(keyFrom, keyTo);
            l.value = ref(valueFrom, valueTo);
        } else {
            l.value = ref(from, to);
        }
        AppendLine(current, l);
    }
    // In file order, so that the first of equal names wins; known size, so
    // that the table is never rebuilt.
    m_sectionIndex.reserve(qsizetype(m_sections.size()));
    for (size_t i = 0; i < m_sections.size(); ++i) {
        qint32 &slot = m_sectionIndex[MakeNameKey(NameOf(m_sections[i]))];
        if (slot == 0)
            slot = qint32(i) + 1;
    }
    // Room for the key indexes that look-ups build, so they seldom move.
    m_slots.reserve(m_lines.size() * 3 + m_sections.size() * 8);
}

void TUnicodeIniFile::Clear()
{
    m_owned.clear();
    m_lines.clear();
    m_sections.clear();
    m_sectionIndex.clear();
    m_lastSection = -1;
    m_slots.clear();
    m_unusedSlots = 0;
    m_text.clear();
    m_modified = true;
}

void TUnicodeIniFile::EnsureEncodingKey()
{
    EnsureEncodingKey(false);
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
    // Callers read key after key of one section.
    if (m_lastSection >= 0 && NameOf(m_sections[size_t(m_lastSection)]) == section)
        return m_lastSection;
    const auto it = m_sectionIndex.constFind(MakeNameKey(section));
    if (it == m_sectionIndex.cend())
        return -1;
    m_lastSection = *it - 1;
    return m_lastSection;
}

qint32 TUnicodeIniFile::FindLine(QStringView section, QStringView ident) const
{
    const qint32 s = FindSection(section);
    return s < 0 ? -1 : FindKeyIn(s, ident);
}

qint32 TUnicodeIniFile::FindKeyIn(qint32 section, QStringView key) const
{
    const Section &s = m_sections[size_t(section)];
    if (s.slotBegin < 0)
        BuildKeyIndex(section);
    const quint32 hash = KeyHash(key);
    const Slot *table = m_slots.data() + s.slotBegin;
    for (quint32 i = hash & s.slotMask;; i = (i + 1) & s.slotMask) {
        const Slot &slot = table[i];
        if (slot.line == 0)
            return -1;
        if (slot.hash == hash && FoldedEqual(KeyOf(m_lines[size_t(slot.line - 1)]), key))
            return slot.line - 1;
    }
}

// Adds the line to the section's index unless its key is there already (the
// first line of a key counts). False when the index is too full for it.
bool TUnicodeIniFile::IndexKey(const Section &s, qint32 line) const
{
    if (quint32(s.keyCount + 1) * 2 > s.slotMask + 1)
        return false;
    const Line &l = m_lines[size_t(line)];
    const quint32 hash = KeyHash(KeyOf(l));
    const QStringView key = KeyOf(l);
    Slot *table = m_slots.data() + s.slotBegin;
    quint32 i = hash & s.slotMask;
    for (; table[i].line != 0; i = (i + 1) & s.slotMask) {
        if (table[i].hash == hash && FoldedEqual(KeyOf(m_lines[size_t(table[i].line - 1)]), key))
            return true;
    }
    table[i] = Slot{hash, line + 1};
    ++s.keyCount;
    return true;
}

void TUnicodeIniFile::BuildKeyIndex(qint32 section) const
{
    const Section &s = m_sections[size_t(section)];
    DropKeyIndex(section);
    // Indexes of changed sections are left behind; start afresh when most of
    // the table is such garbage.
    if (m_unusedSlots > 4096 && m_unusedSlots * 2 > qsizetype(m_slots.size())) {
        for (const Section &other : m_sections)
            other.slotBegin = -1;
        m_slots.clear();
        m_unusedSlots = 0;
    }
    quint32 pairs = 0;
    for (qint32 i = s.first; i >= 0; i = m_lines[size_t(i)].next)
        pairs += m_lines[size_t(i)].isPair ? 1 : 0;
    quint32 capacity = 8;
    while (capacity < pairs * 2 + 2)
        capacity *= 2;
    s.slotBegin = qint32(m_slots.size());
    s.slotMask = capacity - 1;
    s.keyCount = 0;
    m_slots.resize(m_slots.size() + capacity, Slot{0, 0});
    for (qint32 i = s.first; i >= 0; i = m_lines[size_t(i)].next) {
        if (m_lines[size_t(i)].isPair)
            IndexKey(s, i);
    }
}

void TUnicodeIniFile::DropKeyIndex(qint32 section) const
{
    const Section &s = m_sections[size_t(section)];
    if (s.slotBegin >= 0)
        m_unusedSlots += qsizetype(s.slotMask) + 1;
    s.slotBegin = -1;
    s.keyCount = 0;
}

qint32 TUnicodeIniFile::AddSection(QStringView name)
{
    const qint32 index = qint32(m_sections.size());
    Section s;
    s.name = Own(WithoutLineBreaks(name.toString()));
    s.nameOwned = true;
    m_sections.push_back(s);
    qint32 &slot = m_sectionIndex[MakeNameKey(NameOf(m_sections.back()))];
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
    if (line.isPair && s.slotBegin >= 0 && !IndexKey(s, index))
        BuildKeyIndex(section);
}

void TUnicodeIniFile::ReindexSection(QStringView name)
{
    m_lastSection = -1;
    m_sectionIndex.remove(MakeNameKey(name));
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (!m_sections[i].deleted && FoldedEqual(NameOf(m_sections[i]), name)) {
            m_sectionIndex.insert(MakeNameKey(NameOf(m_sections[i])), qint32(i) + 1);
            return;
        }
    }
}

void TUnicodeIniFile::DeleteLines(qint32 section)
{
    Section &s = m_sections[size_t(section)];
    for (qint32 i = s.first; i >= 0; i = m_lines[size_t(i)].next)
        m_lines[size_t(i)].deleted = true;
    s.first = s.last = -1;
    DropKeyIndex(section);
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
    const qint32 l = FindKeyIn(s, ident);
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
    DeleteLines(s);
    m_sections[size_t(s)].deleted = true;
    ReindexSection(NameOf(m_sections[size_t(s)]));
    m_modified = true;
}

void TUnicodeIniFile::EraseSectionValues(QStringView section)
{
    const qint32 s = FindSection(section);
    if (s < 0)
        return;
    DeleteLines(s);
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
    DropKeyIndex(s);
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
        // An empty view may have no data at all, which memcpy must not see.
        if (v.isEmpty())
            return;
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
    WriteTo(m_fileName);
    m_modified = false;
}

TFileState TUnicodeIniFile::SaveAs(const QString &fileName)
{
    const TFileState state = WriteTo(fileName);
    if (fileName == m_fileName)
        m_modified = false;
    return state;
}

TFileState TUnicodeIniFile::WriteTo(const QString &fileName) const
{
    if (!m_complete || m_excerpt) {
        throw EWriteError(
            SafeFormat(U_("The file \"%s\" could not be read completely; it was left unchanged."),
                       m_fileName));
    }
    return WriteFileSafely(fileName, ToData());
}

// ---------------------------------------------------------------------------

TIniSectionValues::TIniSectionValues(const TUnicodeIniFile &ini, QStringView section,
                                     const QString *keys, int count)
    : m_keys(keys), m_count(qMin(count, 64))
{
    ini.ForEachValue(section, [this](QStringView key, QStringView value) {
        const int index = KeyIndex(key);
        if (index >= 0 && !ValueExists(index)) {
            m_found |= quint64(1) << index;
            m_values[index] = value;
        }
    });
}

int TIniSectionValues::KeyIndex(QStringView key)
{
    if (m_next < m_count && QStringView(m_keys[m_next]) == key)
        return m_next++;
    for (int i = 0; i < m_count; ++i) {
        if (FoldedEqual(m_keys[i], key)) {
            m_next = i + 1;
            return i;
        }
    }
    return -1;
}

QString TIniSectionValues::ReadString(int key, const QString &def) const
{
    return ValueExists(key) ? m_values[key].toString() : def;
}

int TIniSectionValues::ReadInteger(int key, int def) const
{
    int value = 0;
    return ValueExists(key) && ParseIniInt(m_values[key], value) ? value : def;
}

bool TIniSectionValues::ReadBool(int key, bool def) const
{
    return ReadInteger(key, def ? 1 : 0) != 0;
}

QString TIniSectionValues::ReadEnclosedString(int key, const QString &def) const
{
    return ValueExists(key) ? UnencloseValue(m_values[key].toString()) : def;
}

// ---------------------------------------------------------------------------

namespace {

const QString KeyLeft = QStringLiteral("Left");
const QString KeyTop = QStringLiteral("Top");
const QString KeyWidth = QStringLiteral("Width");
const QString KeyHeight = QStringLiteral("Height");

} // namespace

QRect ReadWindowBounds(const TUnicodeIniFile &ini, QStringView section, const QRect &def)
{
    // Far beyond any screen, yet a damaged value cannot overflow the rectangle.
    constexpr int limit = 1 << 24;
    const auto read = [&](const QString &key, int value) {
        return qBound(-limit, ini.ReadInteger(section, key, value), limit);
    };
    return QRect(read(KeyLeft, def.left()), read(KeyTop, def.top()), read(KeyWidth, def.width()),
                 read(KeyHeight, def.height()));
}

void WriteWindowBounds(TUnicodeIniFile &ini, QStringView section, const QRect &bounds,
                       bool withSize)
{
    ini.WriteInteger(section, KeyLeft, bounds.left());
    ini.WriteInteger(section, KeyTop, bounds.top());
    if (!withSize)
        return;
    ini.WriteInteger(section, KeyHeight, bounds.height());
    ini.WriteInteger(section, KeyWidth, bounds.width());
}
