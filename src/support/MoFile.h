#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <memory>
#include <optional>

#include "support/Errors.h"

// A catalogue file could not be used: not a GNU MO file, or not openable.
class EGnuGettextError : public ERavelinError
{
public:
    using ERavelinError::ERavelinError;
};

// A GNU gettext MO catalogue, read-only. Every offset and length in the file
// is checked against the data when it is opened, so a hostile file is
// rejected with EGnuGettextError instead of being read out of bounds.
class TMoFile
{
public:
    // Maps the file into memory (read into memory where mapping fails).
    static std::unique_ptr<TMoFile> fromFile(const QString &path);
    // Takes a copy of the data; name appears in error messages.
    static std::unique_ptr<TMoFile> fromData(const QByteArray &data, const QString &name);

    ~TMoFile();
    TMoFile(const TMoFile &) = delete;
    TMoFile &operator=(const TMoFile &) = delete;

    // The translation of the UTF-8 message id (exact byte comparison), or
    // nothing when the catalogue has no entry for it. For plural entries the
    // id is the singular and the result the first form. An id with a context
    // is the context, the byte 0x04 and the text.
    std::optional<QByteArrayView> lookup(QByteArrayView msgId) const;
    // Plural form number `form` (from 0) of the entry for the singular msgId;
    // nothing when there is no such entry or it has fewer forms.
    std::optional<QByteArrayView> lookupPlural(QByteArrayView msgId, int form) const;

    quint32 count() const { return m_count; }
    QByteArrayView originalAt(quint32 index) const;
    QByteArrayView translationAt(quint32 index) const;

private:
    TMoFile() = default;
    void parse(const QString &name);
    quint32 word(quint64 offset) const;
    QByteArrayView stringAt(quint32 tableOffset, quint32 index) const;
    std::optional<quint32> find(QByteArrayView msgId) const;

    std::unique_ptr<QFile> m_file;
    QByteArray m_copy;
    const uchar *m_data = nullptr;
    quint64 m_size = 0;
    bool m_bigEndian = false;
    quint32 m_count = 0;
    quint32 m_originals = 0;
    quint32 m_translations = 0;
    bool m_sorted = true;
};
