// The catalogue file as the program reads it: from a file on disk, through
// the same checks as at start. Whatever the file holds, reading must not
// crash and must give what reading the same bytes from memory gives.
#include "catalogue/Catalogue.h"
#include "support/IniFileUtils.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString fileName = dir.filePath(QStringLiteral("ravelin.ini"));
    {
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
            return 0;
    }
    const TUnicodeIniFile fromFile(fileName, TUnicodeIniFile::TAccess::Read);
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const TUnicodeIniFile fromMemory = TUnicodeIniFile::FromData(bytes);
    if (!fromFile.CompletelyRead() || fromFile.ToData() != fromMemory.ToData())
        std::abort();
    if (fromFile.ReadState().Size != qint64(size))
        std::abort();

    // What the load takes from it: entry sections in number order, each once.
    const QStringList sections = EntrySections(fromFile);
    for (const QString &section : sections) {
        if (!fromFile.SectionExists(section))
            std::abort();
    }
    const bool foreign = IsForeignFile(fromFile);
    if (foreign && (!sections.isEmpty() || size == 0))
        std::abort();
    return 0;
}
