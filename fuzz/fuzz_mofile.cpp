// MO catalogues from disk are hostile input: the reader must reject or read
// them without touching memory outside the data.
#include "support/MoFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        auto mo = TMoFile::fromData(bytes, QStringLiteral("fuzz.mo"));
        size_t total = 0;
        for (quint32 i = 0; i < mo->count() && i < 4096; ++i) {
            const QByteArrayView id = mo->originalAt(i);
            if (auto translation = mo->lookup(id))
                total += size_t(translation->size());
            total += size_t(mo->translationAt(i).size());
        }
        (void)mo->lookup(QByteArrayView(""));
        (void)mo->lookup(bytes.left(16));
        return total == size_t(-1);
    } catch (const EGnuGettextError &) {
        return 0;
    }
}
