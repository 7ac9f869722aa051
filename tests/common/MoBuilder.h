#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QtEndian>

// Writes small GNU MO catalogues for the tests, in either byte order.
inline QByteArray BuildMo(const QMap<QByteArray, QByteArray> &entries, bool bigEndian = false)
{
    const quint32 n = quint32(entries.size());
    const quint32 originals = 28, translations = originals + 8 * n;
    quint32 offset = translations + 8 * n;
    QByteArray head, strings;
    auto put = [bigEndian](QByteArray &out, quint32 v) {
        char b[4];
        if (bigEndian)
            qToBigEndian(v, b);
        else
            qToLittleEndian(v, b);
        out.append(b, 4);
    };
    for (quint32 v : {0x950412deu, 0u, n, originals, translations, 0u, 0u})
        put(head, v);
    QByteArray table1, table2;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        put(table1, quint32(it.key().size()));
        put(table1, offset + quint32(strings.size()));
        strings += it.key() + '\0';
    }
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        put(table2, quint32(it.value().size()));
        put(table2, offset + quint32(strings.size()));
        strings += it.value() + '\0';
    }
    return head + table1 + table2 + strings;
}

inline const QByteArray Utf8Header =
    "Project-Id-Version: test\nMIME-Version: 1.0\n"
    "Content-Type: text/plain; charset=UTF-8\nContent-Transfer-Encoding: 8bit\n";
