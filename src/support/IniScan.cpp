#include "support/IniScan.h"

#include "support/IniFileUtils.h"
#include "support/IniText.h"
#include "support/TextEncoding.h"

#include <QByteArrayView>
#include <QFileInfo>
#include <QSysInfo>

TIniScan::TIniScan(const QString &fileName) : m_fileName(fileName), m_file(fileName)
{
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        return;
    // Only regular files: a device or pipe could block or never end.
    if (!QFileInfo(fileName).isFile() || !m_file.open(QIODevice::ReadOnly)) {
        m_complete = false;
        return;
    }
    qint64 size = m_file.size();
    if (size > TUnicodeIniFile::MaxFileSize) {
        size = TUnicodeIniFile::MaxFileSize;
        m_complete = false;
    }
    if (size <= 0)
        return;
    // Read, not mapped: another program that shortens the file in place
    // while it is mapped would make every access beyond its new end fatal.
    m_bytes = m_file.read(size);
    m_complete = m_complete && m_bytes.size() == size;
    const auto *data = reinterpret_cast<const uchar *>(m_bytes.constData());
    size = m_bytes.size();
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian && size >= 2 && data[0] == 0xFF &&
        data[1] == 0xFE && (reinterpret_cast<quintptr>(data) % alignof(char16_t)) == 0) {
        // The catalogue's own form is memory's own form: read in place.
        m_text = QStringView(reinterpret_cast<const char16_t *>(data + 2), (size - 2) / 2);
    } else {
        m_decoded = DecodeTextFile(QByteArrayView(data, size));
        m_text = m_decoded;
    }
    FindSections();
}

TIniScan::TIniScan(const QByteArray &data) : m_decoded(DecodeTextFile(data))
{
    m_text = m_decoded;
    FindSections();
}

// A section starts at every line whose first non-blank unit is "[" and whose
// last is "]"; only the (few) "[" of the text are looked at.
void TIniScan::FindSections()
{
    const char16_t *const text = m_text.utf16();
    const char16_t *const end = text + m_text.size();
    const char16_t *body = nullptr;
    for (const char16_t *p = FindUnit(text, end, u'['); p < end; p = FindUnit(p + 1, end, u'[')) {
        const char16_t *lineStart = p;
        while (lineStart > text && lineStart[-1] < 33 && lineStart[-1] != u'\n' &&
               lineStart[-1] != u'\r')
            --lineStart;
        if (lineStart > text && lineStart[-1] != u'\n' && lineStart[-1] != u'\r')
            continue;
        const char16_t *from = p;
        const char16_t *to = FindLineBreak(p, end, false);
        const char16_t *const next = NextIniLine(to, end);
        TrimIniText(from, to);
        if (!IsIniSectionLine(from, to))
            continue;
        if (body)
            m_sections.back().Body = QStringView(body, lineStart);
        const char16_t *nameFrom = from + 1;
        const char16_t *nameTo = to - 1;
        TrimIniText(nameFrom, nameTo);
        m_sections.push_back({QStringView(nameFrom, nameTo), QStringView()});
        body = next;
        p = next - 1;
    }
    if (body)
        m_sections.back().Body = QStringView(body, end);
}

const TIniScan::TSection *TIniScan::FindSection(QStringView name) const
{
    for (const TSection &section : m_sections) {
        if (FoldedEqual(section.Name, name))
            return &section;
    }
    return nullptr;
}

std::optional<QStringView> TIniScan::Value(QStringView body, QStringView key)
{
    const char16_t *p = body.utf16();
    const char16_t *const end = p + body.size();
    while (p < end) {
        const char16_t *from = p;
        const char16_t *to = FindLineBreak(p, end, true);
        const char16_t *equals = nullptr;
        if (to < end && *to == u'=') {
            equals = to;
            to = FindLineBreak(to + 1, end, false);
        }
        p = NextIniLine(to, end);
        if (!equals)
            continue;
        TrimIniText(from, to);
        if (*from == u';')
            continue;
        const char16_t *keyTo = equals;
        TrimIniText(from, keyTo);
        if (!FoldedEqual(QStringView(from, keyTo), key))
            continue;
        const char16_t *valueFrom = equals + 1;
        TrimIniText(valueFrom, to);
        return QStringView(valueFrom, to);
    }
    return std::nullopt;
}
