#include "support/MoFile.h"

#include <QtEndian>
#include <cstring>

namespace {

constexpr quint32 MoMagic = 0x950412de;
constexpr quint64 HeaderSize = 28;

// The part of an id before its first NUL: plural entries store the singular,
// a NUL and the plural form in one string.
QByteArrayView firstPart(QByteArrayView s)
{
    const qsizetype nul = s.indexOf('\0');
    return nul < 0 ? s : s.first(nul);
}

int compareBytes(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const int c = n ? std::memcmp(a.data(), b.data(), size_t(n)) : 0;
    if (c != 0)
        return c;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace

std::unique_ptr<TMoFile> TMoFile::fromFile(const QString &path)
{
    std::unique_ptr<TMoFile> mo(new TMoFile);
    mo->m_file = std::make_unique<QFile>(path);
    if (!mo->m_file->open(QIODevice::ReadOnly))
        throw EGnuGettextError(QStringLiteral("Cannot open file ") + path);
    const qint64 size = mo->m_file->size();
    uchar *mapped = size > 0 ? mo->m_file->map(0, size) : nullptr;
    if (mapped) {
        mo->m_data = mapped;
        mo->m_size = quint64(size);
    } else {
        mo->m_copy = mo->m_file->readAll();
        mo->m_file.reset();
        mo->m_data = reinterpret_cast<const uchar *>(mo->m_copy.constData());
        mo->m_size = quint64(mo->m_copy.size());
    }
    mo->parse(path);
    return mo;
}

std::unique_ptr<TMoFile> TMoFile::fromData(const QByteArray &data, const QString &name)
{
    std::unique_ptr<TMoFile> mo(new TMoFile);
    mo->m_copy = data;
    mo->m_data = reinterpret_cast<const uchar *>(mo->m_copy.constData());
    mo->m_size = quint64(mo->m_copy.size());
    mo->parse(name);
    return mo;
}

TMoFile::~TMoFile() = default;

quint32 TMoFile::word(quint64 offset) const
{
    return m_bigEndian ? qFromBigEndian<quint32>(m_data + offset)
                       : qFromLittleEndian<quint32>(m_data + offset);
}

QByteArrayView TMoFile::stringAt(quint32 tableOffset, quint32 index) const
{
    const quint64 descriptor = quint64(tableOffset) + quint64(index) * 8;
    const quint32 length = word(descriptor);
    const quint32 offset = word(descriptor + 4);
    return QByteArrayView(reinterpret_cast<const char *>(m_data) + offset, qsizetype(length));
}

QByteArrayView TMoFile::originalAt(quint32 index) const
{
    return index < m_count ? firstPart(stringAt(m_originals, index)) : QByteArrayView();
}

QByteArrayView TMoFile::translationAt(quint32 index) const
{
    return index < m_count ? firstPart(stringAt(m_translations, index)) : QByteArrayView();
}

void TMoFile::parse(const QString &name)
{
    auto invalid = [&name]() {
        return EGnuGettextError(QStringLiteral("This file is not a valid GNU gettext mo file: ") +
                                name);
    };
    if (m_size < HeaderSize)
        throw invalid();
    if (qFromLittleEndian<quint32>(m_data) == MoMagic)
        m_bigEndian = false;
    else if (qFromBigEndian<quint32>(m_data) == MoMagic)
        m_bigEndian = true;
    else
        throw invalid();
    // Major revisions above 1 are formats this reader does not know.
    if ((word(4) >> 16) > 1)
        throw invalid();
    m_count = word(8);
    m_originals = word(12);
    m_translations = word(16);

    const quint64 tableBytes = quint64(m_count) * 8;
    if (quint64(m_originals) + tableBytes > m_size || quint64(m_translations) + tableBytes > m_size)
        throw invalid();
    for (quint32 table : {m_originals, m_translations}) {
        for (quint32 i = 0; i < m_count; ++i) {
            const quint64 descriptor = quint64(table) + quint64(i) * 8;
            if (quint64(word(descriptor)) + quint64(word(descriptor + 4)) > m_size)
                throw invalid();
        }
    }
    // msgfmt writes the ids sorted, which allows a binary search; a file that
    // is not sorted is still valid and searched linearly.
    for (quint32 i = 1; i < m_count && m_sorted; ++i)
        m_sorted = compareBytes(originalAt(i - 1), originalAt(i)) < 0;
}

std::optional<quint32> TMoFile::find(QByteArrayView msgId) const
{
    if (m_sorted) {
        quint32 lo = 0, hi = m_count;
        while (lo < hi) {
            const quint32 mid = lo + (hi - lo) / 2;
            const int c = compareBytes(originalAt(mid), msgId);
            if (c == 0)
                return mid;
            if (c < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        return std::nullopt;
    }
    for (quint32 i = 0; i < m_count; ++i) {
        if (compareBytes(originalAt(i), msgId) == 0)
            return i;
    }
    return std::nullopt;
}

std::optional<QByteArrayView> TMoFile::lookup(QByteArrayView msgId) const
{
    const std::optional<quint32> index = find(msgId);
    if (!index)
        return std::nullopt;
    return translationAt(*index);
}

std::optional<QByteArrayView> TMoFile::lookupPlural(QByteArrayView msgId, int form) const
{
    const std::optional<quint32> index = find(msgId);
    if (!index || form < 0)
        return std::nullopt;
    // The forms follow each other, each ended by a NUL but the last.
    QByteArrayView rest = stringAt(m_translations, *index);
    for (int i = 0; i < form; ++i) {
        const qsizetype nul = rest.indexOf('\0');
        if (nul < 0)
            return std::nullopt;
        rest = rest.sliced(nul + 1);
    }
    return firstPart(rest);
}
