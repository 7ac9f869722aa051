#include "localisation/LanguageFile.h"

#include "support/IniFileUtils.h"
#include "support/PathUtils.h"
#include "support/SystemFolders.h"

#include <QDir>

namespace {
const QString Section = QStringLiteral("Language");
const QString Key = QStringLiteral("LangID");
} // namespace

QString ReadLanguageFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return QString();
    return TUnicodeIniFile::CreateForRead(fileName).ReadString(Section, Key).trimmed();
}

void WriteLanguageFile(const QString &fileName, const QString &code)
{
    if (fileName.isEmpty())
        return;
    // The configuration folder may not exist yet: Ravelin makes it only when
    // it first has something to keep.
    if (SameFileName(ExtractFilePath(fileName), DirWithDelimiter(AppDataDir())))
        QDir().mkpath(AppDataDir());
    TUnicodeIniFile ini(fileName, TUnicodeIniFile::TAccess::Write);
    ini.WriteString(Section, Key, code);
    ini.UpdateFile();
}
