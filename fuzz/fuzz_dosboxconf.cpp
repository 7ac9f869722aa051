// The reader of DOSBox configuration files on hostile input: whatever it is
// given, it must not crash, and what it proposes must be consistent.
#include "import/DosBoxConfImport.h"

#include "support/TextEncoding.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const TConfImport conf =
        ParseDosBoxConf(DecodeTextFile(bytes), QStringLiteral("/nonexistent/fuzz/game.conf"));
    // Without a program no parameters, and a drive is always a letter.
    if (conf.AppFile.isEmpty() && !conf.Parameters.isEmpty())
        std::abort();
    if (!conf.HardDrv.isLetter() || !conf.CdDrv.isLetter())
        std::abort();
    if (conf.MemSize < 0)
        std::abort();
    return 0;
}
