#include "launcher/ConfigList.h"

#include "support/Errors.h"
#include "support/GnuGettext.h"
#include "support/StringUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

    // Written beside the file and renamed over it, so that the emulator (or
    // the next start) never reads half a file and a failed write leaves the
    // old one. Not flushed to the disk: the file is written anew before every
    // start, so a power failure can take nothing that the next start does
    // not write again, and a flush would cost every start more than the
    // start itself.
    const QString shown = QDir::toNativeSeparators(FFilename);
    const QString temporary =
        FFilename + QStringLiteral(".new") + QString::number(QCoreApplication::applicationPid());
    QFile::remove(temporary); // left by an earlier start that ended midway
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw EFCreateError(
            SafeFormat(R_("Cannot create file \"%s\". %s"), shown, file.errorString()));
    const bool written = file.write(data) == data.size() && file.flush();
    file.close();
    std::error_code renameError;
    if (written && file.error() == QFileDevice::NoError)
        std::filesystem::rename(QFile::encodeName(temporary).toStdString(),
                                QFile::encodeName(FFilename).toStdString(), renameError);
    if (!written || file.error() != QFileDevice::NoError || renameError) {
        QFile::remove(temporary);
        throw EWriteError(SafeFormat(U_("Error writing to \"%s\""), shown));
    }
}
