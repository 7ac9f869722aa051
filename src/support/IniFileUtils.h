#pragma once

#include "support/SystemFiles.h"
#include "support/TextEncoding.h"

#include <QByteArray>
#include <QHash>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// The INI file of the catalogue (also used for the language file, emulator
// configuration files and desktop entries).
//
// Reading: a byte-order mark selects UTF-8, UTF-16 LE or UTF-16 BE; without
// one the text is taken as the system's 8-bit code page (DecodeAnsiText).
// Lines end at CR, LF or CR LF and are trimmed of white space (codes below
// 33); empty lines, lines beginning with ";" and lines before the first
// section are dropped; "[name]" opens a section; "key=value" is split at the
// first "=", both sides trimmed; a line without "=" stays in its section but
// matches no key.
//
// Look-up: section and key names compare case-insensitively (hashed); the first
// matching section and key count; duplicates are kept and written back.
//
// Writing: the whole file, UTF-16 LE with byte-order mark, CR LF after every
// line, each section followed by an empty line, sections and keys in the order
// they were read or created. The file is replaced atomically
// (WriteFileSafely); a failure raises EWriteError with the reason and leaves
// the previous file as it was.
//
// A writable object saves explicitly with UpdateFile(), which throws. Its
// destructor saves unsaved changes too but cannot report a failure, so every
// caller that must know whether the data reached the disk calls UpdateFile().
class TUnicodeIniFile
{
public:
    enum class TAccess
    {
        Read,
        Write
    };

    // Reads fileName; a missing or unreadable file reads as empty. Never writes.
    static TUnicodeIniFile CreateForRead(const QString &fileName);
    // Reads fileName (discarding everything with clearEntries) and makes sure
    // [Unicode] holds Encoding=UTF-16LE.
    static TUnicodeIniFile CreateForWrite(const QString &fileName, bool clearEntries = false);
    // A read-only object over the given file content, tied to no file.
    static TUnicodeIniFile FromData(const QByteArray &data);

    TUnicodeIniFile(const QString &fileName, TAccess access, bool clearEntries = false);
    // A read-only object over text as if read from fileName; complete is
    // false when the file could not be read in full. An excerpt (text that
    // holds only some sections of the file) can never be written back.
    TUnicodeIniFile(const QString &fileName, QString text, bool complete, bool excerpt = false);
    ~TUnicodeIniFile();
    TUnicodeIniFile(const TUnicodeIniFile &) = delete;
    TUnicodeIniFile &operator=(const TUnicodeIniFile &) = delete;

    const QString &FileName() const { return m_fileName; }
    bool ReadOnly() const { return m_readOnly; }
    // False when the file existed but could not be read in full (unreadable,
    // too large, too many lines). Such a file is never overwritten.
    bool CompletelyRead() const { return m_complete; }
    // True for an object made from some sections of its file only.
    bool Excerpt() const { return m_excerpt; }
    // The file as it was when it was read (Exists false for a missing file
    // or an object not read from a file).
    const TFileState &ReadState() const { return m_readState; }

    QString ReadString(QStringView section, QStringView ident, const QString &def = {}) const;
    int ReadInteger(QStringView section, QStringView ident, int def) const;
    qint64 ReadInt64(QStringView section, QStringView ident, qint64 def) const;
    bool ReadBool(QStringView section, QStringView ident, bool def) const;
    // A "#"-enclosed value unwrapped (UnencloseValue); other values unchanged.
    QString ReadEnclosedString(QStringView section, QStringView ident,
                               const QString &def = {}) const;

    void WriteString(QStringView section, QStringView ident, const QString &value);
    void WriteInteger(QStringView section, QStringView ident, int value);
    void WriteInt64(QStringView section, QStringView ident, qint64 value);
    void WriteBool(QStringView section, QStringView ident, bool value);
    // The value "#"-enclosed (EncloseValue), so that its blanks survive.
    void WriteEnclosedString(QStringView section, QStringView ident, const QString &value);
    // Ident=Value in [Unicode].
    void WriteProgramInfo(QStringView ident, const QString &value);

    bool SectionExists(QStringView section) const;
    bool ValueExists(QStringView section, QStringView ident) const;
    // Calls visit(key, value) for every key=value line of the section, in
    // file order (duplicates included); the views live until the next change.
    template <typename F> void ForEachValue(QStringView section, F &&visit) const
    {
        const qint32 s = FindSection(section);
        if (s < 0)
            return;
        for (qint32 i = m_sections[size_t(s)].first; i >= 0; i = m_lines[size_t(i)].next) {
            const Line &l = m_lines[size_t(i)];
            if (l.isPair)
                visit(KeyOf(l), ValueOf(l));
        }
    }
    // Calls visit(name) for every section, in file order.
    template <typename F> void ForEachSection(F &&visit) const
    {
        for (const Section &s : m_sections) {
            if (!s.deleted)
                visit(NameOf(s));
        }
    }
    // Key names of the section, in file order (duplicates included).
    QStringList ReadSection(QStringView section) const;
    // Names of all sections, in file order.
    QStringList ReadSections() const;
    void EraseSection(QStringView section);
    // Deletes every key of the section; the section itself stays.
    void EraseSectionValues(QStringView section);
    void DeleteKey(QStringView section, QStringView ident);

    // [Unicode] Encoding=UTF-16LE unless [Unicode] names an encoding already,
    // as CreateForWrite does on opening.
    void EnsureEncodingKey();

    // The file content as it would be written.
    QByteArray ToData() const;
    // Writes the whole file now (read-only objects write nothing). Throws
    // EWriteError "Error writing to "%s"" on failure; the old file is kept.
    void UpdateFile();
    // Writes the content to fileName as UpdateFile does, even for an object
    // opened for reading: such an object can be kept, changed and saved any
    // number of times without reading the file again, and never writes by
    // itself. A file read only in part is never written. Returns the state
    // of the written file.
    TFileState SaveAs(const QString &fileName);

    // Limits against hostile files: larger files, or files with more sections
    // and lines than this, are read only in part and never overwritten.
    static constexpr qint64 MaxFileSize = 256 * 1024 * 1024;
    static constexpr qsizetype MaxItems = 3'000'000;

private:
    // A text inside m_text, or inside m_owned when owned.
    struct TextRef
    {
        quint32 pos = 0;
        quint32 len = 0;
    };
    struct Line
    {
        TextRef key;
        TextRef value; // the whole line when it is no key=value line
        qint32 next = -1;
        bool isPair = false;
        bool keyOwned = false;
        bool valueOwned = false;
        bool deleted = false;
    };
    struct Section
    {
        TextRef name;
        bool nameOwned = false;
        bool deleted = false;
        qint32 first = -1;
        qint32 last = -1;
        // The section's key index in m_slots, built on its first look-up.
        mutable qint32 slotBegin = -1;
        mutable quint32 slotMask = 0;
        mutable qint32 keyCount = 0;
    };
    // One place of a key index: hash and line + 1 (0: free).
    struct Slot
    {
        quint32 hash;
        qint32 line;
    };
    struct NameKey
    {
        QStringView name;
        size_t hash;
    };
    NameKey MakeNameKey(QStringView name) const;
    quint32 KeyHash(QStringView key) const;
    friend size_t qHash(const NameKey &k, size_t seed) noexcept;
    friend bool operator==(const NameKey &a, const NameKey &b) noexcept;

    struct FromDataTag
    {
    };
    TUnicodeIniFile(const QByteArray &data, FromDataTag);
    void ReadFile();
    void Parse();
    void Clear();
    void EnsureEncodingKey(bool force);
    TFileState WriteTo(const QString &fileName) const;

    QStringView View(TextRef ref, bool owned) const;
    QStringView KeyOf(const Line &l) const { return View(l.key, l.keyOwned); }
    QStringView ValueOf(const Line &l) const { return View(l.value, l.valueOwned); }
    QStringView NameOf(const Section &s) const { return View(s.name, s.nameOwned); }
    TextRef Own(QString text);

    qint32 FindSection(QStringView section) const;
    qint32 FindLine(QStringView section, QStringView ident) const;
    qint32 FindKeyIn(qint32 section, QStringView key) const;
    qint32 AddSection(QStringView name);
    void AppendLine(qint32 section, Line line);
    void ReindexSection(QStringView name);
    void BuildKeyIndex(qint32 section) const;
    bool IndexKey(const Section &s, qint32 line) const;
    void DropKeyIndex(qint32 section) const;
    void DeleteLines(qint32 section);

    QString m_fileName;
    bool m_readOnly = true;
    bool m_complete = true;
    bool m_excerpt = false;
    TFileState m_readState;
    bool m_modified = false;
    QString m_text;
    size_t m_seed = 0; // of every hash of this object
    std::vector<QString> m_owned;
    std::vector<Line> m_lines;
    std::vector<Section> m_sections;
    QHash<NameKey, qint32> m_sectionIndex;
    mutable qint32 m_lastSection = -1; // the last section found
    mutable std::vector<Slot> m_slots;
    mutable qsizetype m_unusedSlots = 0;
};

// The first value of each of a list of keys in one section, found in one pass
// over the section's lines: cheaper than a look-up per key for a reader that
// takes most keys of a section. Keys compare as in the file; the values are
// read with the file's rules and point into it (valid until it changes).
class TIniSectionValues
{
public:
    // keys: count names (at most 64), alive as long as this object.
    TIniSectionValues(const TUnicodeIniFile &ini, QStringView section, const QString *keys,
                      int count);

    bool ValueExists(int key) const { return (m_found >> key) & 1; }
    QString ReadString(int key, const QString &def = {}) const;
    int ReadInteger(int key, int def) const;
    bool ReadBool(int key, bool def) const;
    QString ReadEnclosedString(int key, const QString &def = {}) const;

private:
    int KeyIndex(QStringView key);

    const QString *m_keys;
    int m_count;
    int m_next = 0; // sections list their keys in the writer's order
    quint64 m_found = 0;
    QStringView m_values[64];
};

// "#" + text with every "#" doubled + "#": keeps leading and trailing blanks
// through a file that trims its values.
QString EncloseValue(const QString &text);
// The inverse of EncloseValue for a value enclosed in "#"; any other value
// is returned unchanged.
QString UnencloseValue(const QString &text);

// Integers as the INI file stores them: optional sign and decimal digits, or
// "0x" (any case) and hexadecimal digits, the whole text. Hexadecimal values
// may use all 32 (64) bits, so 0xFFFFFFFF reads as -1.
bool ParseIniInt(QStringView text, int &value);
bool ParseIniInt64(QStringView text, qint64 &value);

// A window's place and size as a section keeps them: Left, Top, Width and
// Height; missing keys keep the values of def, absurd ones are bounded.
QRect ReadWindowBounds(const TUnicodeIniFile &ini, QStringView section, const QRect &def);
// Writes Left and Top, then Height and Width unless withSize is false (a
// window that keeps only its place).
void WriteWindowBounds(TUnicodeIniFile &ini, QStringView section, const QRect &bounds,
                       bool withSize = true);
