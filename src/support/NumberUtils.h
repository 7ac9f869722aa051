#pragma once

#include <QLocale>
#include <QString>

// A byte count with binary units: "512 B", "1.50 KiB", "12.5 KiB", "512 KiB",
// "1.00 MiB", "931.51 GiB"; two decimals below 10, one below 100, none
// above, always two for GiB. The decimal separator is the locale's.
QString FormatByteSize(qint64 bytes, const QLocale &locale = QLocale());
