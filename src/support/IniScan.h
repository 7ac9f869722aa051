#pragma once

#include <QFile>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// A large INI file read for a few of its values: the sections are found
// without taking their lines apart, and a key is looked for only where it is
// asked for. The text rules are TUnicodeIniFile's (same encodings, trimming,
// comments, first section and first key of a name count), so both read the
// same values; only the limit on the number of lines is not counted here.
// Read-only, for a short-lived reader: a file in the catalogue's own form
// (UTF-16 LE) is mapped rather than copied.
class TIniScan
{
public:
    struct TSection
    {
        QStringView Name;
        // The lines after the header, up to the next header.
        QStringView Body;
    };

    // A missing or unreadable file reads as empty.
    explicit TIniScan(const QString &fileName);
    // Over file content, tied to no file.
    explicit TIniScan(const QByteArray &data);
    TIniScan(const TIniScan &) = delete;
    TIniScan &operator=(const TIniScan &) = delete;

    const QString &FileName() const { return m_fileName; }
    // False when the file existed but could not be read in full.
    bool CompletelyRead() const { return m_complete; }
    // True when the file has no content at all (or does not exist).
    bool IsEmpty() const { return m_text.isEmpty(); }
    // Every section in file order, those of equal names included.
    const std::vector<TSection> &Sections() const { return m_sections; }
    // The first section of the name (any case); nullptr when there is none.
    const TSection *FindSection(QStringView name) const;

    // The value of the first line of body whose key is key (any case).
    static std::optional<QStringView> Value(QStringView body, QStringView key);

private:
    void FindSections();

    QString m_fileName;
    QFile m_file;
    QByteArray m_bytes; // the file's content; m_text may point into it
    QString m_decoded; // the text of a file in another encoding
    QStringView m_text;
    bool m_complete = true;
    std::vector<TSection> m_sections;
};
