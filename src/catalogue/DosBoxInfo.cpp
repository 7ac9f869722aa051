#include "catalogue/DosBoxInfo.h"

#include "launcher/DosBoxInterface.h"
#include "support/PathUtils.h"

void UpdateDosBoxInfo(const QString &dosBoxPath, QString &desc, bool &staging)
{
    desc.clear();
    staging = false;
    if (dosBoxPath.isEmpty())
        return;
    TFileVersionInfo info;
    if (ReadVersionInfo(JoinPath(dosBoxPath, DosBox::ProgramName), info))
        DescribeDosBox(info, desc, staging);
}

void DescribeDosBox(const TFileVersionInfo &info, QString &desc, bool &staging)
{
    const TVersionNumbers version = ParseVersionNumbers(info.Version);
    staging = version.Minor > DosBox::LastClassicMinorVersion;
    desc = info.Description + QStringLiteral(" (") + QString::number(version.Major) + u'.' +
           QString::number(version.Minor) + u'.' + QString::number(version.Build) + u')';
}

void InitVersion(TBasicSettings &settings)
{
    UpdateDosBoxInfo(settings.DosBoxPath, settings.DosBoxDesc, settings.IsStaging);
}
