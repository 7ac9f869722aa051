#include "support/NumberUtils.h"

namespace {

QString Scaled(double value, const QString &unit, const QLocale &locale, int decimals)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', decimals) + u' ' + unit;
}

int DecimalsFor(double value)
{
    return value < 10 ? 2 : value < 100 ? 1 : 0;
}

} // namespace

QString FormatByteSize(qint64 bytes, const QLocale &locale)
{
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" B");
    double v = double(bytes) / 1024;
    if (v < 1024)
        return Scaled(v, QStringLiteral("KiB"), locale, DecimalsFor(v));
    v /= 1024;
    if (v < 1024)
        return Scaled(v, QStringLiteral("MiB"), locale, DecimalsFor(v));
    return Scaled(v / 1024, QStringLiteral("GiB"), locale, 2);
}
