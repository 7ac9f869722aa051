// The catalogue file's readers on hostile input: whatever they are given,
// they must not crash, the written form must read back to itself, every key
// listed must be found again, and the scan that reads a few values of a large
// file must find the same sections and values.
#include "support/IniFileUtils.h"
#include "support/IniScan.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    auto ini = TUnicodeIniFile::FromData(bytes);

    const QByteArray written = ini.ToData();
    if (TUnicodeIniFile::FromData(written).ToData() != written)
        std::abort();

    const QStringList sections = ini.ReadSections();
    const TIniScan scan(bytes);
    const bool compare = ini.CompletelyRead();
    if (compare && qsizetype(scan.Sections().size()) != sections.size())
        std::abort();
    for (const QString &section : sections) {
        if (!ini.SectionExists(section))
            std::abort();
        const TIniScan::TSection *scanned = scan.FindSection(section);
        if (compare && !scanned)
            std::abort();
        for (const QString &key : ini.ReadSection(section)) {
            if (!ini.ValueExists(section, key))
                std::abort();
            const QString value = ini.ReadString(section, key);
            if (compare && TIniScan::Value(scanned->Body, key) != value)
                std::abort();
            (void)ini.ReadInt64(section, key, 0);
            (void)ini.ReadBool(section, key, false);
            if (UnencloseValue(EncloseValue(value)) != value)
                std::abort();
        }
    }

    // Editing keeps the file consistent too.
    if (!sections.isEmpty()) {
        const QString &first = sections.front();
        const QStringList keys = ini.ReadSection(first);
        if (!keys.isEmpty()) {
            ini.DeleteKey(first, keys.front());
            // Values lose surrounding white space when read back.
            QString value = QString::fromLatin1(bytes.left(16));
            while (!value.isEmpty() && value.front().unicode() < 33)
                value.remove(0, 1);
            while (!value.isEmpty() && value.back().unicode() < 33)
                value.chop(1);
            ini.WriteString(first, keys.back(), value);
        }
        ini.WriteInteger(sections.back(), u"Added", int(size));
        if (ini.ReadInteger(sections.back(), u"Added", -1) != int(size))
            std::abort();
        ini.EraseSectionValues(first);
        ini.EraseSection(sections.back());
        const QByteArray edited = ini.ToData();
        if (TUnicodeIniFile::FromData(edited).ToData() != edited)
            std::abort();
    }
    return 0;
}
