#include "launcher/ConfigList.h"

#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/StringUtils.h"
#include "support/SystemFiles.h"

#include <QStringEncoder>
#include <filesystem>
#include <system_error>

TConfigList::TConfigList(const QString &AFilename) : FFilename(AFilename) {}

void TConfigList::AddSection(const QString &ASection)
{
    FLines.append(u'[' + ASection + u']');
}

void TConfigList::AddValue(const QString &AKey, const QString &AValue)
{
    FLines.append(AKey + u'=' + AValue);
}

void TConfigList::AddValue(const QString &AKey, int AValue)
{
    AddValue(AKey, QString::number(AValue));
}

void TConfigList::Save() const
{
    // The system code page is the locale's encoding (UTF-8 on Linux), so host
    // paths in MOUNT lines reach the emulator unchanged.
    QStringEncoder encode(QStringConverter::System);
    QByteArray data;
    for (const QString &line : FLines) {
        data += encode(line);
        data += "\r\n";
    }

    // Checked, and renamed over the old file, so that the emulator never
    // reads half a file and a failed write starts nothing; not flushed to
    // the disk, since it is written anew before every start.
    WriteFileSafely(FFilename, data, false);
}
