// Text files as the viewer and the converter read them, on hostile input:
// decoding never fails or crashes, a text written back exactly reads back to
// itself, conversion always yields bytes, and wrapping a line for printing
// keeps every character.
#include "texttools/PrintLayout.h"
#include "texttools/TextConversion.h"
#include "texttools/TextDecoding.h"
#include "texttools/TextSearch.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int CodePages[] = {0,   437, 850, 852,  858,   860,  865,
                             866, 869, 775, 1252, 65001, 1200, 932};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int codePage = CodePages[data[0] % std::size(CodePages)];
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    const TDecodedText decoded = DecodeText(bytes, codePage);
    if (decoded.CodePage <= 0)
        std::abort();
    if (const auto exact = EncodeTextExactly(decoded.Text, decoded.CodePage)) {
        if (DecodeBytes(*exact, decoded.CodePage) != decoded.Text)
            std::abort();
    }
    const QString source = DecodeSourceText(bytes);
    if (!source.isEmpty() && ConvertText(source, 437).isEmpty())
        std::abort();

    const QStringList lines = SplitLines(decoded.Text);
    for (const QString &line : lines) {
        const QStringList pieces =
            WrapPrintLine(line, 200, [](const QString &text) { return int(text.size()) * 7; });
        QString joined = pieces.value(0);
        for (qsizetype i = 1; i < pieces.size(); ++i)
            joined += pieces[i].mid(2);
        if (joined != line)
            std::abort();
    }
    if (!lines.isEmpty()) {
        const QString what = lines.first().left(3);
        TSearchOptions options;
        options.WholeWord = data[0] & 1;
        options.Down = data[0] & 2;
        const qsizetype hit = FindText(decoded.Text, what, 1, 2, options);
        if (hit >= 0 && decoded.Text.mid(hit, what.size()).compare(what, Qt::CaseInsensitive) != 0)
            std::abort();
    }
    return 0;
}
